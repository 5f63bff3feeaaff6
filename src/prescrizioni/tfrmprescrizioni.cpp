#include "prescrizioni/tfrmprescrizioni.h"

namespace tarvola {

TfrmPrescrizioni::TfrmPrescrizioni(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmPrescrizioni"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Prescrizioni"));
    resize(800, 600);
}

} // namespace tarvola
