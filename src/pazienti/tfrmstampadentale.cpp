#include "pazienti/tfrmstampadentale.h"

namespace tarvola {

TfrmStampaDentale::TfrmStampaDentale(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmStampaDentale"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
}

} // namespace tarvola
