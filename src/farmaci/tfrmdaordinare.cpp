#include "farmaci/tfrmdaordinare.h"

namespace tarvola {

TfrmDaOrdinare::TfrmDaOrdinare(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmDaOrdinare"));
    setWindowTitle(QStringLiteral(" Riepilogo farmaci da ordinare"));
}

} // namespace tarvola
