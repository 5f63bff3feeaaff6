#include "prescrizioni/tfrmmenuprescrizioni.h"

namespace tarvola {

TfrmMenuPrescrizioni::TfrmMenuPrescrizioni(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmMenuPrescrizioni"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Emissione Prescrizioni"));
    resize(800, 600);
}

} // namespace tarvola
