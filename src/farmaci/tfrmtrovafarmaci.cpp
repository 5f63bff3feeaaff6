#include "farmaci/tfrmtrovafarmaci.h"

#include "archive/recordscan.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tarvola {

namespace {

std::size_t slot(farmaco::LineImport::Editor editor) {
    return editor == farmaco::LineImport::Editor::Prescrizione ? 0 : 1;
}

} // namespace

TfrmTrovaFarmaci::TfrmTrovaFarmaci(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::Search, parent) {
    setObjectName(QStringLiteral("TfrmTrovaFarmaci"));
    setWindowTitle(QStringLiteral(" Trova farmaci in archivio"));
    const RecordLayout& layout = farmaco::layout();
    const auto filter = [&layout](const char* field, const char* caption) {
        return SearchTable::FilterEdit{QStringLiteral("txt") + QString::fromLatin1(field),
                                       QString::fromUtf8(caption),
                                       int(layout.indexOf(QString::fromLatin1(field)))};
    };
    SearchTable table;
    table.filters = {
        filter("Farmaco", "Nome farmaco:"),       filter("Produttore", "Produttore:"),
        filter("Principio", "Principio attivo:"), filter("Composizione", "Composizione:"),
        filter("Categoria", "Categoria:"),        filter("CodMin", "Codice Minsan:"),
        filter("NotaAifa", "Nota AIFA:"),         filter("Atc", "ATC:"),
        filter("Forma", "Forma farmaceutica:"),   filter("Annotazioni", "Annotazioni:")};
    table.line = farmaco::listColumns();
    table.reportTitle = QStringLiteral("Riepilogo farmaci");
    const QString path = services.path(QString::fromLatin1(farmaco::archiveName));
    table.read = archiveReader(path, layout);
    // A large archive is read in parts at once; a double click reads its chosen cards again.
    table.partedRead = partedArchiveReader(path, layout);
    table.readAt = positionReader(path, layout);
    table.recall = [this](const QString& tag, qint64 position, const RecordView& record) {
        return recall(tag, position, record);
    };
    setTable(std::move(table));
}

void TfrmTrovaFarmaci::setImportTarget(farmaco::LineImport::Editor editor, LineTarget target) {
    m_lines[slot(editor)] = std::move(target);
}

bool TfrmTrovaFarmaci::recall(const QString& tag, qint64 position, const RecordView& record) const {
    if (trimText(tag) == QStringLiteral("farmaci"))
        return reopen(position, record); // the drug editor loads the card
    const std::optional<farmaco::LineImport> line = farmaco::lineImportOf(tag);
    if (!line || !m_lines[slot(line->editor)])
        return false;
    // Only the name: nothing else of the card goes into the prescription.
    m_lines[slot(line->editor)](line->line, trimText(record.field(QStringLiteral("Farmaco"))));
    return true;
}

} // namespace tarvola
