#include "checks/tfrmcodfisc.h"

namespace tarvola {

TfrmCodFisc::TfrmCodFisc(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmCodFisc"));
    setWindowTitle(QStringLiteral(" Controllo codice fiscale"));
}

} // namespace tarvola
