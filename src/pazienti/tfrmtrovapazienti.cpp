#include "pazienti/tfrmtrovapazienti.h"

#include "pazienti/pazienterecord.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tarvola {

namespace {

std::size_t slot(paziente::ImportEditor editor) {
    return editor == paziente::ImportEditor::Prescrizione ? 0 : 1;
}

} // namespace

TfrmTrovaPazienti::TfrmTrovaPazienti(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::Search, parent) {
    setObjectName(QStringLiteral("TfrmTrovaPazienti"));
    setWindowTitle(QStringLiteral(" Trova pazienti in archivio"));
    const RecordLayout& layout = paziente::layout();
    SearchTable table;
    for (const paziente::SearchFilter& f : paziente::searchFilters())
        table.filters.append({f.edit, f.caption, int(layout.indexOf(f.field))});
    table.line = paziente::listColumns();
    table.reportTitle = QStringLiteral("Riepilogo pazienti in archivio");
    // A card is 46 KB, but the filters and the line lie in its first part: only their
    // bytes are read, and the imports' few others on a double click.
    const QString path = services.path(QString::fromLatin1(paziente::archiveName));
    table.read = archiveReader(path, layout, paziente::searchFields());
    // A reload reads the line's fields (and the whole chosen card); an import the few
    // values it copies besides.
    table.recallRead = [this, lines = table.read,
                        imports = archiveReader(
                            path, layout, paziente::searchFields() + paziente::importFields())](
                           const RecordVisitor& visit) {
        return paziente::importEditorOf(tag()) ? imports(visit) : lines(visit);
    };
    // A large archive is read in parts at once; a double click reads its chosen cards again
    // with the imports' fields.
    table.partedRead = partedArchiveReader(path, layout, paziente::searchFields());
    table.readAt =
        positionReader(path, layout, paziente::searchFields() + paziente::importFields());
    table.recall = [this](const QString& tag, qint64 position, const RecordView& record) {
        return recall(tag, position, record);
    };
    setTable(std::move(table));
}

void TfrmTrovaPazienti::setImportTarget(paziente::ImportEditor editor, ImportTarget target) {
    m_targets[slot(editor)] = std::move(target);
}

bool TfrmTrovaPazienti::recall(const QString& tag, qint64 position,
                               const RecordView& record) const {
    if (trimText(tag) == QStringLiteral("pazienti"))
        return reopen(position, record); // the whole card, read when it is chosen
    const std::optional<paziente::ImportEditor> editor = paziente::importEditorOf(tag);
    if (!editor || !m_targets[slot(*editor)])
        return false;
    for (const auto& [control, value] : paziente::importValues(*editor, record))
        m_targets[slot(*editor)](control, value);
    return true;
}

} // namespace tarvola
