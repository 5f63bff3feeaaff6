#include "ricette/tfrmtrovaricette.h"

namespace tarvola {

TfrmTrovaRicette::TfrmTrovaRicette(Services& services, QWidget* parent) : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("TfrmTrovaRicette"));
    setWindowTitle(QStringLiteral(" Trova ricette in archivio"));
}

} // namespace tarvola
