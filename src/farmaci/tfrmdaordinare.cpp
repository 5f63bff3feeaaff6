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
    // Every card with the chosen line is reloaded, ticked or not, whatever the tag.
    table.recall = [this](const QString&, qint64 position, const RecordView& record) {
        if (!m_target)
            return false;
        m_target(record.record(), position);
        return true;
    };
    setTable(std::move(table));
}

void TfrmDaOrdinare::setRecallTarget(std::function<void(const Record&, qint64)> target) {
    m_target = std::move(target);
}

} // namespace tarvola
