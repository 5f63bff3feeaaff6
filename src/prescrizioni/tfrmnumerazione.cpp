#include "prescrizioni/tfrmnumerazione.h"

#include "archive/settings.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "prescrizioni/digitentry.h"
#include "prescrizioni/prescrizionerecord.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tarvola {

TfrmNumerazione::TfrmNumerazione(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmNumerazione"));
    setWindowTitle(QStringLiteral(" Impostazione inizio numerazione"));
    makeFixedDialog(this);
    m_memory = named(new QLabel(this), QStringLiteral("lblMemory"));
    m_memory->hide();

    auto* group = named(new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this),
                        QStringLiteral("grpInizio"));
    m_start = named(new QLineEdit(QStringLiteral("1"), group), QStringLiteral("txtInizio"));
    m_start->setMaxLength(5);
    m_start->setFixedWidth(110);
    m_start->setAlignment(Qt::AlignRight);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(m_start);
    groupLayout->addStretch();

    m_year = named(
        new QCheckBox(
            QStringLiteral("Indica l'anno solare dopo il numero progressivo del documento"), this),
        QStringLiteral("chkTipo"));
    auto* apply = named(new QPushButton(QStringLiteral("Applica e chiudi"), this),
                        QStringLiteral("btnApplica"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {apply, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    installDigitEntry(m_start, apply);
    m_start->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(group);
    layout->addWidget(m_year);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(apply, &QPushButton::clicked, this, &TfrmNumerazione::apply);
    connect(cancel, &QPushButton::clicked, this, &TfrmNumerazione::reject);
}

void TfrmNumerazione::setTag(const QString& tag) {
    m_memory->setText(tag);
}

void TfrmNumerazione::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QString folder = m_services.programFolder();
    if (trimText(m_memory->text()) == QStringLiteral("prescrizioni")) {
        m_start->setText(settings::read(folder, settings::inizioNumerazione));
        m_year->setChecked(trimText(settings::read(folder, settings::annoSolare)) ==
                           QStringLiteral("Sì"));
    }
    if (trimText(m_start->text()).isEmpty())
        m_start->setText(QStringLiteral("1"));
    m_start->setFocus(Qt::OtherFocusReason);
}

bool TfrmNumerazione::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_start && event->type() == QEvent::FocusOut) {
        // A context menu or another window taking the keyboard is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            m_start->setText(prescrizione::normalizedStart(m_start->text()));
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNumerazione::apply() {
    // The start value as leaving the edit leaves it, also when the edit was never left.
    m_start->setText(prescrizione::normalizedStart(m_start->text()));
    const QString folder = m_services.programFolder();
    const std::pair<const SettingKey&, QString> values[] = {
        {settings::inizioNumerazione, trimText(m_start->text())},
        {settings::annoSolare, m_year->isChecked() ? QStringLiteral("Sì") : QStringLiteral("No")},
    };
    for (const auto& [key, value] : values) {
        if (!settings::write(folder, key, value)) {
            m_services.messages().warning(this, settings::writeFailedMessage(key));
            return;
        }
    }
    accept();
}

} // namespace tarvola
