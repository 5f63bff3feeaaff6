#include "ricette/tfrmselezionate.h"

#include "platform/services.h"

#include <QFile>

namespace tarvola {

TfrmSelezionate::TfrmSelezionate(Services& services, QWidget* parent) : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("TfrmSelezionate"));
    setWindowTitle(QStringLiteral(" Elenco ricette da completare"));
    // The red prescription archive exists from the first start on; only its absence is
    // looked at here, so start-up does not grow with the archive.
    QFile archive(m_services.path(QStringLiteral("Archivio_Ricette.pro")));
    if (!archive.exists() && archive.open(QIODevice::WriteOnly))
        archive.close();
}

} // namespace tarvola
