#include "prescrizioni/tfrmexpprescrizioni.h"

namespace tarvola {

TfrmExpPrescrizioni::TfrmExpPrescrizioni(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmExpPrescrizioni"));
    setWindowTitle(QStringLiteral(" Esporta archivio prescrizioni in Microsoft Excel"));
}

} // namespace tarvola
