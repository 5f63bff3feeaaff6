#include "farmaci/tfrmexpfarmaci.h"

#include "archive/recordscan.h"
#include "farmaci/farmacorecord.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tarvola {

namespace {

struct Plain {
    const char* field;
    const char* header;
    int width;
};

// The columns that show one field as stored, in grid order; the Minsan code and class
// share one column, after TipoRic.
constexpr Plain before[] = {
    {"Farmaco", "Nome farmaco", 250},       {"Produttore", "Produttore", 250},
    {"Principio", "Principio attivo", 250}, {"Composizione", "Composizione", 250},
    {"Categoria", "Categoria", 250},        {"TipoRic", "Tipo ricetta", 250},
};
constexpr Plain after[] = {
    {"NotaAifa", "Nota AIFA", 200},           {"Atc", "ATC", 200},
    {"Forma", "Forma farmaceutica", 250},     {"Regime", "Regime S.S.N.", 250},
    {"Durata", "Durata trattamento", 250},    {"Periodo", "Periodo validità", 250},
    {"DosaggioBam", "Dosaggio bambini", 250}, {"DosaggioAdu", "Dosaggio adulti", 250},
    {"DosaggioAnz", "Dosaggio anziani", 250}, {"Conservazione", "Conservazione", 250},
    {"Confezione", "Confezione", 250},        {"Prezzo", "Prezzo in euro", 200},
    {"Indicazioni", "Indicazioni", 300},      {"Controindicazioni", "Controindicazioni", 300},
    {"Interazioni", "Interazioni", 300},      {"Avvertenze", "Avvertenze speciali", 300},
    {"Annotazioni", "Annotazioni", 300},      {"DaOrdinare", "Da ordinare", 120},
};

ExportTable::Column column(const Plain& c) {
    return fieldColumn(farmaco::layout(), QString::fromLatin1(c.field), QString::fromUtf8(c.header),
                       c.width);
}

} // namespace

TfrmExpFarmaci::TfrmExpFarmaci(Services& services, QWidget* parent)
    : ExportWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmExpFarmaci"));
    setWindowTitle(QStringLiteral(" Esporta archivio farmaci in Microsoft Excel"));

    ExportTable table;
    table.read =
        archiveReader(services.path(QString::fromLatin1(farmaco::archiveName)), farmaco::layout());
    for (const Plain& c : before)
        table.columns << column(c);
    // Both parts trimmed, then the whole: a card with neither gives "- Classe:".
    table.columns << computedColumn(
        QStringLiteral("colCodMin"), QStringLiteral("Codice Minsan"), 250, [](const RecordView& r) {
            return trimText(trimText(r.field(QStringLiteral("CodMin"))) +
                            QStringLiteral(" - Classe: ") +
                            trimText(r.field(QStringLiteral("Classe"))));
        });
    for (const Plain& c : after)
        table.columns << column(c);
    table.fileName = QStringLiteral("Archivio_Farmaci.xls");
    table.sheetName = QStringLiteral("Archivio Farmaci");
    table.helpTitle = QStringLiteral("Esportazione archivio farmaci in Microsoft Excel");
    table.helpText = exportHelpText(QStringLiteral("dei farmaci"));
    setTable(std::move(table));
}

} // namespace tarvola
