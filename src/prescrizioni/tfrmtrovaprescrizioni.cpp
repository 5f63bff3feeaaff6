#include "prescrizioni/tfrmtrovaprescrizioni.h"

#include "archive/recordscan.h"
#include "prescrizioni/prescrizionerecord.h"

namespace tarvola {

TfrmTrovaPrescrizioni::TfrmTrovaPrescrizioni(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::Search, parent) {
    setObjectName(QStringLiteral("TfrmTrovaPrescrizioni"));
    setWindowTitle(QStringLiteral(" Trova prescrizioni in archivio"));
    const RecordLayout& layout = prescrizione::layout();
    const auto filter = [&layout](const char* field, const char* caption) {
        return SearchTable::FilterEdit{QStringLiteral("txt") + QString::fromLatin1(field),
                                       QString::fromUtf8(caption),
                                       int(layout.indexOf(QString::fromLatin1(field)))};
    };
    SearchTable table;
    table.filters = {filter("NumFatt", "Prescrizione n."),
                     filter("Tipologia", "Tipologia prescrizione:"),
                     filter("Data", "Data emissione:"),
                     filter("Quesito", "Quesito diagnostico:"),
                     filter("Paziente", "Paziente:"),
                     filter("CodFisc", "Codice fiscale paziente:"),
                     filter("Tessera", "Tessera sanitaria n."),
                     filter("Asl", "ASL di provenienza:"),
                     filter("Medico", "Medico:"),
                     filter("CodFiscMed", "Codice fiscale medico:")};
    table.line = prescrizione::listColumns();
    table.reportTitle = QStringLiteral("Riepilogo prescrizioni");
    // The year is chosen after the window is made: read the archive named at search time.
    table.read = [this, &layout](const RecordVisitor& visit) {
        return scanArchive(m_archive, layout, visit);
    };
    // A large archive is read in parts at once; a double click reads its chosen cards again.
    table.partedRead = [this, &layout](int maxParts, const PartVisitor& visit) {
        return partedArchiveReader(m_archive, layout)(maxParts, visit);
    };
    table.readAt = [this, &layout](const QList<qint64>& positions, const RecordVisitor& visit) {
        return positionReader(m_archive, layout)(positions, visit);
    };
    table.reopenTag = QStringLiteral("prescrizioni");
    setTable(std::move(table));
}

} // namespace tarvola
