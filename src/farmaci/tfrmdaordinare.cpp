#include "farmaci/tfrmdaordinare.h"

#include "archive/recordscan.h"
#include "archive/textfield.h"
#include "farmaci/farmacorecord.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tarvola {

TfrmDaOrdinare::TfrmDaOrdinare(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::List, parent) {
    setObjectName(QStringLiteral("TfrmDaOrdinare"));
    setWindowTitle(QStringLiteral(" Riepilogo farmaci da ordinare"));
    const qsizetype daOrdinare = farmaco::layout().indexOf(QStringLiteral("DaOrdinare"));
    SearchTable table;
    table.line = farmaco::listColumns();
    table.reportTitle = QStringLiteral("Riepilogo farmaci da ordinare");
    table.read =
        archiveReader(services.path(QString::fromLatin1(farmaco::archiveName)), farmaco::layout());
    table.listRule = [daOrdinare](const RecordView& record) {
        return trimText(record.field(daOrdinare)) == textfield::yes;
    };
    setTable(std::move(table));
}

} // namespace tarvola
