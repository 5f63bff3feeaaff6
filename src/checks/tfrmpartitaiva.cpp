#include "checks/tfrmpartitaiva.h"

namespace tarvola {

TfrmPartitaIva::TfrmPartitaIva(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmPartitaIva"));
    setWindowTitle(QStringLiteral(" Controllo partita IVA"));
}

} // namespace tarvola
