#include "pazienti/tfrmtrovapazienti.h"

namespace tarvola {

TfrmTrovaPazienti::TfrmTrovaPazienti(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmTrovaPazienti"));
    setWindowTitle(QStringLiteral(" Trova pazienti in archivio"));
}

} // namespace tarvola
