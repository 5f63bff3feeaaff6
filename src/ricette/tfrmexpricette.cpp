#include "ricette/tfrmexpricette.h"

#include "archive/recordscan.h"
#include "platform/services.h"
#include "platform/text.h"
#include "ricette/ricettarecord.h"

namespace tarvola {

TfrmExpRicette::TfrmExpRicette(Services& services, QWidget* parent)
    : ExportWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmExpRicette"));
    setWindowTitle(QStringLiteral(" Esporta archivio ricette in Microsoft Excel"));

    const RecordLayout& layout = ricetta::layout();
    const auto at = [&layout](const char* field) {
        return layout.indexOf(QString::fromLatin1(field));
    };
    ExportTable table;
    table.read =
        archiveReader(services.path(QString::fromLatin1(ricetta::archiveName)), ricetta::layout());
    table.columns = {
        fieldColumn(layout, QStringLiteral("Assistito"), QStringLiteral("Assistito"), 280),
        fieldColumn(layout, QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 300),
        fieldColumn(layout, QStringLiteral("CodFisc"), QStringLiteral("Codice fiscale"), 250),
        computedColumn(QStringLiteral("colAsl"), QStringLiteral("Sigla prov. e codice ASL"), 250,
                       [prov = at("Prov"), asl = at("Asl")](const RecordView& r) {
                           return trimText(r.field(prov) + u' ' + r.field(asl));
                       }),
    };
    for (int i = 1; i <= 9; ++i) {
        table.columns << fieldColumn(layout, runName(QStringLiteral("Presc"), i),
                                     QStringLiteral("Prescrizione n. %1").arg(i), 350);
    }
    table.columns
        << fieldColumn(layout, QStringLiteral("Conf"), QStringLiteral("N. confezioni"), 200)
        << computedColumn(QStringLiteral("colTipoRic"), QStringLiteral("Tipo ricetta"), 200,
                          [first = at("TipoRic01"), second = at("TipoRic02")](const RecordView& r) {
                              return r.field(first) + r.field(second);
                          })
        << fieldColumn(layout, QStringLiteral("Data"), QStringLiteral("Data prescrizione"), 200)
        << fieldColumn(layout, QStringLiteral("Medico01"), QStringLiteral("Medico prescrivente"),
                       280);
    table.fileName = QStringLiteral("Archivio_Ricette.xls");
    table.sheetName = QStringLiteral("Archivio Ricette");
    table.helpTitle = QStringLiteral("Esportazione archivio ricette in Microsoft Excel");
    table.helpText = exportHelpText(QStringLiteral("delle ricette"));
    setTable(std::move(table));
}

} // namespace tarvola
