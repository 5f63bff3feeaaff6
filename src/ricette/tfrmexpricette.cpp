#include "ricette/tfrmexpricette.h"

#include "archive/recordscan.h"
#include "platform/services.h"
#include "platform/text.h"
#include "ricette/ricettarecord.h"

namespace tarvola {

namespace {

ExportTable::Column column(const QString& name, const QString& header, int width,
                           std::function<QString(const RecordView&)> cell) {
    return {name, header, header, width, std::move(cell)};
}

// A field of the record by its index, looked up once rather than at every cell.
qsizetype at(const QString& field) {
    return ricetta::layout().indexOf(field);
}

ExportTable::Column field(const QString& name, const QString& header, int width,
                          const QString& field) {
    return column(name, header, width,
                  [index = at(field)](const RecordView& r) { return r.field(index); });
}

} // namespace

TfrmExpRicette::TfrmExpRicette(Services& services, QWidget* parent)
    : ExportWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmExpRicette"));
    setWindowTitle(QStringLiteral(" Esporta archivio ricette in Microsoft Excel"));

    ExportTable table;
    table.read =
        archiveReader(services.path(QString::fromLatin1(ricetta::archiveName)), ricetta::layout());
    table.columns = {
        field(QStringLiteral("colAssistito"), QStringLiteral("Assistito"), 280,
              QStringLiteral("Assistito")),
        field(QStringLiteral("colIndirizzo"), QStringLiteral("Indirizzo"), 300,
              QStringLiteral("Indirizzo")),
        field(QStringLiteral("colCodFisc"), QStringLiteral("Codice fiscale"), 250,
              QStringLiteral("CodFisc")),
        column(QStringLiteral("colAsl"), QStringLiteral("Sigla prov. e codice ASL"), 250,
               [prov = at(QStringLiteral("Prov")), asl = at(QStringLiteral("Asl"))](
                   const RecordView& r) { return trimText(r.field(prov) + u' ' + r.field(asl)); }),
    };
    for (int i = 1; i <= 9; ++i) {
        table.columns << field(runName(QStringLiteral("colPresc"), i),
                               QStringLiteral("Prescrizione n. %1").arg(i), 350,
                               runName(QStringLiteral("Presc"), i));
    }
    table.columns << field(QStringLiteral("colConf"), QStringLiteral("N. confezioni"), 200,
                           QStringLiteral("Conf"))
                  << column(QStringLiteral("colTipoRic"), QStringLiteral("Tipo ricetta"), 200,
                            [first = at(QStringLiteral("TipoRic01")),
                             second = at(QStringLiteral("TipoRic02"))](const RecordView& r) {
                                return r.field(first) + r.field(second);
                            })
                  << field(QStringLiteral("colData"), QStringLiteral("Data prescrizione"), 200,
                           QStringLiteral("Data"))
                  << field(QStringLiteral("colMedico01"), QStringLiteral("Medico prescrivente"),
                           280, QStringLiteral("Medico01"));
    table.fileName = QStringLiteral("Archivio_Ricette.xls");
    table.sheetName = QStringLiteral("Archivio Ricette");
    table.helpTitle = QStringLiteral("Esportazione archivio ricette in Microsoft Excel");
    table.helpText = exportHelpText(QStringLiteral("delle ricette"));
    setTable(std::move(table));
}

} // namespace tarvola
