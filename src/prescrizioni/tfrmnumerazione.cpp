#include "prescrizioni/tfrmnumerazione.h"

namespace tarvola {

TfrmNumerazione::TfrmNumerazione(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmNumerazione"));
    setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));
}

} // namespace tarvola
