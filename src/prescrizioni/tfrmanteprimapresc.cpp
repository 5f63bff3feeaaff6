#include "prescrizioni/tfrmanteprimapresc.h"

namespace tarvola {

TfrmAnteprimaPresc::TfrmAnteprimaPresc(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmAnteprimaPresc"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
}

} // namespace tarvola
