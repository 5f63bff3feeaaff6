#include "ricette/tfrmselezionate.h"

#include "archive/recordscan.h"
#include "platform/services.h"
#include "platform/text.h"
#include "ricette/ricettarecord.h"
#include "ricette/ricettesearch.h"

#include <QFile>

namespace tarvola {

TfrmSelezionate::TfrmSelezionate(Services& services, QWidget* parent)
    : SearchWindow(services, Kind::List, parent) {
    setObjectName(QStringLiteral("TfrmSelezionate"));
    setWindowTitle(QStringLiteral(" Elenco ricette da completare"));
    const QString path = services.path(QString::fromLatin1(ricetta::archiveName));
    // The archive exists from the first start on. Only its absence is looked at here: the
    // list itself is read each time the window opens, so start-up does not grow with it.
    QFile archive(path);
    if (!archive.exists() && archive.open(QIODevice::WriteOnly | QIODevice::Append))
        archive.close();

    const qsizetype completata = ricetta::layout().indexOf(QStringLiteral("Completata"));
    SearchTable table;
    table.line = ricetta::listColumns();
    table.reportTitle = QStringLiteral("Elenco ricette da completare");
    table.read = archiveReader(path, ricetta::layout());
    table.listRule = [completata](const RecordView& record) {
        return record.field(completata) == QStringLiteral("No");
    };
    setTable(std::move(table));
}

} // namespace tarvola
