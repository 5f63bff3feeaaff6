#include "farmaci/tfrmtrovafarmaci.h"

namespace tarvola {

TfrmTrovaFarmaci::TfrmTrovaFarmaci(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmTrovaFarmaci"));
    setWindowTitle(QStringLiteral(" Trova farmaci in archivio"));
}

} // namespace tarvola
