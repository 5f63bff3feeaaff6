#include "report/summarylist.h"

#include "platform/services.h"
#include "report/reportlayout.h"
#include "report/reporttemplate.h"

namespace tarvola {

namespace report {

PreparedReport prepareSummaryList(const QString& title, const QStringList& lines,
                                  const QDate& today) {
    ReportTemplate form = ReportTemplate::load(templates::riepilogo);
    form.memo(QStringLiteral("txtTitolo")).setText(title);
    Memo& list = form.memo(QStringLiteral("txtRiepilogo"));
    list.clearLines();
    for (const QString& line : lines)
        list.appendLine(line);
    Band& band = form.band(QStringLiteral("MasterData"));
    // The template sets the block's lines at the same pitch, so the block holds them all.
    list.setHeightPx(list.lines().size() * summaryLinePx);
    band.setHeightPx(list.heightPx() + 10);
    return prepareReport(form, today);
}

} // namespace report

PrintOutcome printSummaryList(Services& services, QWidget* parent, const QString& title,
                              const QStringList& lines) {
    PrintOutcome outcome;
    try {
        const report::PreparedReport pages =
            report::prepareSummaryList(title, lines, services.clock().today());
        if (!services.reports())
            throw report::ReportError(QStringLiteral("Nessuna uscita di stampa disponibile."));
        outcome = services.reports()->print(parent, pages);
    } catch (const report::ReportError& e) {
        outcome = {PrintOutcome::Failed, e.message()};
    }
    if (outcome.status == PrintOutcome::Failed)
        services.messages().error(parent, outcome.error);
    return outcome;
}

} // namespace tarvola
