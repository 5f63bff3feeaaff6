#include "prescrizioni/tfrmexpprescrizioni.h"

#include "archive/recordscan.h"
#include "prescrizioni/prescrizionerecord.h"

namespace tarvola {

namespace {

struct Plain {
    const char* field;
    const char* header;
    int width;
};

// The columns in grid order; the header, quantities, notes and attachments stay out.
constexpr Plain columns[] = {
    {"NumFatt", "Prescrizione n.", 200},
    {"Data", "Data emissione", 180},
    {"Luogo", "Luogo", 250},
    {"Medico", "Cognome e nome Medico", 250},
    {"CodFiscMed", "Codice fiscale Medico", 250},
    {"Tipologia", "Tipologia prescrizione", 300},
    {"Priorita", "Priorità", 250},
    {"Quesito", "Quesito diagnostico", 300},
    {"Paziente", "Cognome e nome Paziente", 250},
    {"Sesso", "Sesso", 100},
    {"DataNasc", "Data di nascita", 180},
    {"CodFisc", "Codice fiscale", 200},
    {"Recapito", "Recapito preferenziale", 250},
    {"Tessera", "Tessera sanitaria n.", 250},
    {"Asl", "ASL di provenienza", 250},
    {"Indirizzo", "Indirizzo di residenza", 300},
    {"Esenzione", "Esenzione", 250},
};

} // namespace

TfrmExpPrescrizioni::TfrmExpPrescrizioni(Services& services, QWidget* parent)
    : ExportWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmExpPrescrizioni"));
    setWindowTitle(QStringLiteral(" Esporta archivio prescrizioni in Microsoft Excel"));

    const RecordLayout& layout = prescrizione::layout();
    ExportTable table;
    // The year is chosen after the window is made: read the archive named when it shows.
    table.read = [this, &layout](const RecordVisitor& visit) {
        return !m_archive.isEmpty() && scanArchive(m_archive, layout, visit);
    };
    for (const Plain& c : columns)
        table.columns << fieldColumn(layout, QString::fromLatin1(c.field),
                                     QString::fromUtf8(c.header), c.width);
    for (int i = 1; i <= 7; ++i)
        table.columns << fieldColumn(layout, runName(QStringLiteral("Presc"), i),
                                     QStringLiteral("Prescrizione %1").arg(i), 300);
    table.fileName = QStringLiteral("Archivio_Prescrizioni.xls");
    table.sheetName = QStringLiteral("Archivio Prescrizioni");
    table.helpTitle = QStringLiteral("Esportazione archivio prescrizioni in Microsoft Excel");
    table.helpText = exportHelpText(QStringLiteral("delle prescrizioni"));
    setTable(std::move(table));
}

} // namespace tarvola
