#include "app/tfrminfo.h"

namespace tarvola {

TfrmInfo::TfrmInfo(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Tarvola 3.0"));
}

} // namespace tarvola
