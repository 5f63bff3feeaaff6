#include "archive/tfrmallegacartella.h"

namespace tarvola {

TfrmAllegaCartella::TfrmAllegaCartella(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
}

} // namespace tarvola
