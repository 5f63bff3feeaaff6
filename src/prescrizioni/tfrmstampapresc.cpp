#include "prescrizioni/tfrmstampapresc.h"

namespace tarvola {

TfrmStampaPresc::TfrmStampaPresc(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmStampaPresc"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}

} // namespace tarvola
