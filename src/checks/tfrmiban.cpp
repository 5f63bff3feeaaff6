#include "checks/tfrmiban.h"

namespace tarvola {

TfrmIban::TfrmIban(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmIban"));
    setWindowTitle(QStringLiteral(" Controllo IBAN"));
}

} // namespace tarvola
