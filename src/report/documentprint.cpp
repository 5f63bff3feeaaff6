#include "report/documentprint.h"

#include "platform/services.h"
#include "platform/text.h"
#include "report/reportlayout.h"
#include "report/reportoutput.h"
#include "report/reporttemplate.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace tarvola {

using report::ReportError;

namespace report {

QString printedOnText(const QDate& date, const QTime& time) {
    return QStringLiteral("Stampa eseguita in data ") +
           date.toString(QString::fromLatin1(dateFormat)) + QStringLiteral(" alle ore ") +
           time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace report

QWidget* editorControl(QWidget* editor, const QString& name) {
    if (editor) {
        for (QWidget* w : editor->findChildren<QWidget*>(name)) {
            if (w->window() == editor->window())
                return w;
        }
    }
    throw ReportError(QStringLiteral("Controllo %1 non trovato nell'editor.").arg(name));
}

QString editorText(QWidget* editor, const QString& name) {
    QWidget* control = editorControl(editor, name);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return trimText(edit->text());
    if (auto* label = qobject_cast<QLabel*>(control))
        return trimText(label->text());
    if (auto* combo = qobject_cast<QComboBox*>(control)) // an editable list: what it shows
        return trimText(combo->currentText());
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return trimText(text->toPlainText());
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return trimText(button->text());
    throw ReportError(QStringLiteral("Il controllo %1 non contiene testo.").arg(name));
}

bool printDocument(Services& services, QWidget* window, const QString& templatePath,
                   const std::function<void(report::ReportTemplate& form)>& fill,
                   DocumentOutput output) {
    PrintOutcome outcome;
    try {
        report::ReportTemplate form = report::ReportTemplate::load(templatePath);
        form.page.orientation = report::Orientation::Portrait;
        fill(form);
        form.memo(QStringLiteral("txtCalce"))
            .setText(report::printedOnText(services.clock().today(), services.clock().now()));
        const report::PreparedReport pages = report::prepareReport(form, services.clock().today());
        ReportOutput* reports = services.reports();
        if (!reports)
            throw ReportError(QStringLiteral("Nessuna stampante disponibile."));
        if (output == DocumentOutput::Preview)
            reports->preview(window, pages);
        else
            outcome = reports->print(window, pages);
    } catch (const ReportError& e) {
        outcome = {PrintOutcome::Failed, e.message()};
    }
    if (outcome.status == PrintOutcome::Failed) {
        services.messages().error(window, outcome.error);
        return false;
    }
    return true;
}

} // namespace tarvola
