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

    ExportTable table;
    table.read =
        archiveReader(services.path(QString::fromLatin1(ricetta::archiveName)), ricetta::layout());
    table.columns = {
        fieldColumn(QStringLiteral("Assistito"), QStringLiteral("Assistito"), 280),
        fieldColumn(QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"), 300),
        fieldColumn(QStringLiteral("CodFisc"), QStringLiteral("Codice fiscale"), 250),
        computedColumn(QStringLiteral("colAsl"), QStringLiteral("Sigla prov. e codice ASL"), 250,
                       [](const RecordView& r) {
                           return trimText(r.field(QStringLiteral("Prov")) + u' ' +
                                           r.field(QStringLiteral("Asl")));
                       }),
    };
    for (int i = 1; i <= 9; ++i) {
        table.columns << fieldColumn(runName(QStringLiteral("Presc"), i),
                                     QStringLiteral("Prescrizione n. %1").arg(i), 350);
    }
    table.columns << fieldColumn(QStringLiteral("Conf"), QStringLiteral("N. confezioni"), 200)
                  << computedColumn(QStringLiteral("colTipoRic"), QStringLiteral("Tipo ricetta"),
                                    200,
                                    [](const RecordView& r) {
                                        return r.field(QStringLiteral("TipoRic01")) +
                                               r.field(QStringLiteral("TipoRic02"));
                                    })
                  << fieldColumn(QStringLiteral("Data"), QStringLiteral("Data prescrizione"), 200)
                  << fieldColumn(QStringLiteral("Medico01"), QStringLiteral("Medico prescrivente"),
                                 280);
    table.fileName = QStringLiteral("Archivio_Ricette.xls");
    table.sheetName = QStringLiteral("Archivio Ricette");
    table.helpTitle = QStringLiteral("Esportazione archivio ricette in Microsoft Excel");
    table.helpText = exportHelpText(QStringLiteral("delle ricette"));
    setTable(std::move(table));
}

} // namespace tarvola
