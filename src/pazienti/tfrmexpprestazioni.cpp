#include "pazienti/tfrmexpprestazioni.h"

namespace tarvola {

TfrmExpPrestazioni::TfrmExpPrestazioni(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmExpPrestazioni"));
    setWindowTitle(QStringLiteral(" Esporta e stampa dati in Microsoft Excel"));
}

} // namespace tarvola
