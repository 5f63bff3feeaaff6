#include "ricette/tfrmstamparicetta.h"

namespace tarvola {

TfrmStampaRicetta::TfrmStampaRicetta(Services& services, QWidget* parent) : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("TfrmStampaRicetta"));
    setWindowTitle(QStringLiteral(" Stampa ricetta"));
}

} // namespace tarvola
