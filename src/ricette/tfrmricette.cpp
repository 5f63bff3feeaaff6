#include "ricette/tfrmricette.h"

namespace tarvola {

TfrmRicette::TfrmRicette(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmRicette"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Ricette Mediche Rosse"));
    resize(800, 600);
}

} // namespace tarvola
