#include "prescrizioni/tfrmstampapresc.h"

namespace tarvola {

TfrmStampaPresc::TfrmStampaPresc(Services& services, QWidget* parent)
    : PrescPrintWindow(services, parent, QStringLiteral("TfrmStampaPresc"),
                       QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                       DocumentOutput::Print) {}

} // namespace tarvola
