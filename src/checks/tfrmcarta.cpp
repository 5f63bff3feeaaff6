#include "checks/tfrmcarta.h"

namespace tarvola {

TfrmCarta::TfrmCarta(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmCarta"));
    setWindowTitle(QStringLiteral(" Controllo carta di credito"));
}

} // namespace tarvola
