#include "ricette/tfrmexpricette.h"

namespace tarvola {

TfrmExpRicette::TfrmExpRicette(Services& services, QWidget* parent) : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("TfrmExpRicette"));
    setWindowTitle(QStringLiteral(" Esporta archivio ricette in Microsoft Excel"));
}

} // namespace tarvola
