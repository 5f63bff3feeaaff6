#include "farmaci/tfrmstampafarmaco.h"

namespace tarvola {

TfrmStampaFarmaco::TfrmStampaFarmaco(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmStampaFarmaco"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}

} // namespace tarvola
