#include "pazienti/tfrmtrovapazienti.h"

#include "platform/ui.h"

#include <QLabel>

namespace tarvola {

TfrmTrovaPazienti::TfrmTrovaPazienti(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_memory(named(new QLabel(this), QStringLiteral("lblMemory"))) {
    setObjectName(QStringLiteral("TfrmTrovaPazienti"));
    setWindowTitle(QStringLiteral(" Trova pazienti in archivio"));
    m_memory->hide();
}

void TfrmTrovaPazienti::setTag(const QString& tag) {
    m_memory->setText(tag);
}

QString TfrmTrovaPazienti::tag() const {
    return m_memory->text();
}

} // namespace tarvola
