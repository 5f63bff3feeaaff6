#include "farmaci/tfrmexpfarmaci.h"

namespace tarvola {

TfrmExpFarmaci::TfrmExpFarmaci(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmExpFarmaci"));
    setWindowTitle(QStringLiteral(" Esporta archivio farmaci in Microsoft Excel"));
}

} // namespace tarvola
