#include "app/tfrmguida.h"

namespace tarvola {

TfrmGuida::TfrmGuida(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
}

} // namespace tarvola

namespace tarvola {

void TfrmGuida::setTopic(const QString& title, const QString& text) {
    setProperty("topicTitle", title);
    setProperty("topicText", text);
}

} // namespace tarvola
