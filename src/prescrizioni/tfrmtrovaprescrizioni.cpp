#include "prescrizioni/tfrmtrovaprescrizioni.h"

namespace tarvola {

TfrmTrovaPrescrizioni::TfrmTrovaPrescrizioni(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmTrovaPrescrizioni"));
    setWindowTitle(QStringLiteral(" Trova prescrizioni in archivio"));
}

} // namespace tarvola
