#include "app/tfrmsplash.h"

#include "app/maker.h"

namespace tarvola {

TfrmSplash::TfrmSplash(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - ") + QString::fromUtf8(maker::credit));
}

} // namespace tarvola
