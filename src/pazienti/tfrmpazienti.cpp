#include "pazienti/tfrmpazienti.h"

namespace tarvola {

TfrmPazienti::TfrmPazienti(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmPazienti"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Pazienti"));
    resize(800, 600);
}

} // namespace tarvola
