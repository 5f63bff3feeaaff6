#include "pazienti/tfrmanteprimadentale.h"

namespace tarvola {

TfrmAnteprimaDentale::TfrmAnteprimaDentale(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmAnteprimaDentale"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
}

} // namespace tarvola
