#include "farmaci/tfrmfarmaci.h"

namespace tarvola {

TfrmFarmaci::TfrmFarmaci(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmFarmaci"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Farmaci"));
    resize(800, 600);
}

} // namespace tarvola
