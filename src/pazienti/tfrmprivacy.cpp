#include "pazienti/tfrmprivacy.h"

namespace tarvola {

TfrmPrivacy::TfrmPrivacy(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmPrivacy"));
    setWindowTitle(QStringLiteral(" Esporta e stampa Modulo Privacy"));
}

} // namespace tarvola
