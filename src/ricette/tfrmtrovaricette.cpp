#include "ricette/tfrmtrovaricette.h"

#include "archive/recordscan.h"
#include "platform/services.h"
#include "ricette/ricettarecord.h"
#include "ricette/ricettesearch.h"

namespace tarvola {

TfrmTrovaRicette::TfrmTrovaRicette(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::Search, parent) {
    setObjectName(QStringLiteral("TfrmTrovaRicette"));
    setWindowTitle(QStringLiteral(" Trova ricette in archivio"));
    const RecordLayout& layout = ricetta::layout();
    const auto filter = [&layout](const char* edit, const char* caption, const char* field) {
        return SearchTable::FilterEdit{QString::fromLatin1(edit), QString::fromUtf8(caption),
                                       int(layout.indexOf(QString::fromLatin1(field)))};
    };
    SearchTable table;
    table.filters = {filter("txtAssistito", "Assistito:", "Assistito"),
                     filter("txtCodFisc", "Codice fiscale:", "CodFisc"),
                     filter("txtIndirizzo", "Indirizzo:", "Indirizzo"),
                     filter("txtAsl", "Codice ASL:", "Asl"),
                     filter("txtProv", "Sigla provincia:", "Prov"),
                     filter("txtData", "Data ricetta (gg/mm/aa):", "Data"),
                     filter("txtPresc01", "Prescrizione (rigo 1):", "Presc01"),
                     filter("txtPresc02", "Prescrizione (rigo 2):", "Presc02"),
                     filter("txtMedico01", "Dati medico prescrivente (rigo 1):", "Medico01"),
                     filter("txtMedico02", "Dati medico prescrivente (rigo 2):", "Medico02")};
    table.line = ricetta::listColumns();
    table.reportTitle = QStringLiteral("Riepilogo ricette in archivio");
    const QString path = services.path(QString::fromLatin1(ricetta::archiveName));
    table.read = archiveReader(path, layout);
    // A large archive is read in parts at once; a double click reads its chosen cards again.
    table.partedRead = partedArchiveReader(path, layout);
    table.readAt = positionReader(path, layout);
    table.reopenTag = QStringLiteral("ricette");
    setTable(std::move(table));
}

} // namespace tarvola
