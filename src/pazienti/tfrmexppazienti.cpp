#include "pazienti/tfrmexppazienti.h"

namespace tarvola {

TfrmExpPazienti::TfrmExpPazienti(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmExpPazienti"));
    setWindowTitle(QStringLiteral(" Esporta archivio pazienti in Microsoft Excel"));
}

} // namespace tarvola
