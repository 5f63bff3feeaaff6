#include "pazienti/tfrmexppazienti.h"

#include "archive/recordscan.h"
#include "pazienti/pazienterecord.h"
#include "platform/services.h"

namespace tarvola {

namespace {

// A column: one field as stored, or a town followed by its province.
struct Column {
    const char* field;
    const char* province; // joined after the field by one blank, when given
    const char* header;
    int width;
};

constexpr Column columns[] = {
    {"Cognome", nullptr, "Cognome Paziente", 250},
    {"Nome", nullptr, "Nome Paziente", 250},
    {"CodFisc", nullptr, "Codice fiscale", 250},
    {"Sesso", nullptr, "Sesso", 120},
    {"DataNasc", nullptr, "Data di nascita", 200},
    {"ComuneNasc", "ProvNasc", "Comune di nascita", 250},
    {"Iva", nullptr, "Partita IVA", 250},
    {"Indirizzo", nullptr, "Via e numero civico", 300},
    {"Cap", nullptr, "CAP", 120},
    {"ComuneRes", "ProvRes", "Comune di residenza", 250},
    {"TelCasa", nullptr, "Tel. casa", 250},
    {"TelUff", nullptr, "Tel. ufficio", 250},
    {"TelCel", nullptr, "Tel. cellulare", 250},
    {"Fax", nullptr, "Fax", 250},
    {"Recapito", nullptr, "Recapito preferenziale", 250},
    {"Email", nullptr, "E-mail", 250},
    {"Orari", nullptr, "Giorni e orari preferiti", 300},
    {"Tessera", nullptr, "Tessera sanitaria n.", 250},
    {"Pagamento", nullptr, "Modalità di pagamento", 250},
    {"Note", nullptr, "Note", 300},
    {"Protesi", nullptr, "Protesi", 300},
    {"Handicap", nullptr, "Handicap psicomotori", 300},
    {"Malattie", nullptr, "Malattie infettive", 300},
    {"Allergie", nullptr, "Allergie accertate", 300},
    {"Raccomandazioni", nullptr, "Raccomandazioni mediche", 300},
};

const QString helpText = QStringLiteral(
    "Il pulsante Esporta archivio consente di esportare i dati anagrafici di tutti i pazienti "
    "in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software "
    "in grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o "
    "Microsoft Office).\r\n\r\nDopo aver aperto la finestra contenente la griglia dei dati, "
    "bisogna fare clic sull'icona di Excel. Questa operazione crea in tempo reale un file in "
    "formato XLS contenente le schede in archivio, che potrà essere aperto immediatamente "
    "rispondendo affermativamente al messaggio di domanda che appare.\r\n\r\nA questo punto è "
    "sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi.");

} // namespace

TfrmExpPazienti::TfrmExpPazienti(Services& services, QWidget* parent)
    : ExportWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmExpPazienti"));
    setWindowTitle(QStringLiteral(" Esporta archivio pazienti in Microsoft Excel"));
    const RecordLayout& layout = paziente::layout();
    ExportTable table;
    QList<int> fields;
    for (const Column& c : columns) {
        const QString field = QString::fromLatin1(c.field);
        const QString header = QString::fromUtf8(c.header);
        fields << int(layout.indexOf(field));
        if (!c.province) {
            table.columns << fieldColumn(layout, field, header, c.width);
            continue;
        }
        const QString province = QString::fromLatin1(c.province);
        fields << int(layout.indexOf(province));
        // A town with no province shows the town alone.
        table.columns << joinedColumn(layout, field, province, header, c.width);
    }
    const QString path = services.path(QString::fromLatin1(paziente::archiveName));
    table.read = archiveReader(path, layout, fields);
    table.partedRead = partedArchiveReader(path, layout, fields);
    table.fileName = QStringLiteral("Pazienti.xls");
    table.sheetName = QStringLiteral("Riepilogo Pazienti");
    table.helpTitle = QStringLiteral("Esportazione archivio pazienti in Microsoft Excel");
    table.helpText = helpText;
    setTable(std::move(table));
}

} // namespace tarvola
