#include "app/tfrmcambiapassword.h"

#include "app/password.h"
#include "platform/inifile.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QString wrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString notConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                   "necessario reinserire entrambi i valori.");
const QString notStorable = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati "
    "(ad esempio il simbolo dell'euro o lettere di alfabeti non latini).\n\r\n\r"
    "Scegliere una password composta da lettere, cifre e simboli comuni.");
const QString changeError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString changed = QStringLiteral("Modifica della password completata con successo.");

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    makeFixedDialog(this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    const struct {
        const char* label;
        const char* edit;
        const char* frame;
        QLineEdit** member;
    } rows[] = {{"Vecchia password:", "txtPasswordOld", "effPasswordOld", &m_old},
                {"Nuova password:", "txtPasswordNew", "effPasswordNew", &m_new},
                {"Conferma nuova password:", "txtConferma", "effConferma", &m_confirm}};
    int row = 0;
    for (const auto& r : rows) {
        auto* edit = named(new QLineEdit(this), QString::fromLatin1(r.edit));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(220);
        grid->addWidget(new QLabel(QString::fromUtf8(r.label), this), row, 0);
        grid->addWidget(edit, row, 1);
        attachFocusFrame(edit, QString::fromLatin1(r.frame));
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
        *r.member = edit;
        ++row;
    }

    m_ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"));
    m_ok->setEnabled(false);
    auto* close = named(new QPushButton(QStringLiteral("Chiudi"), this), QStringLiteral("cmdEsci"));
    for (QPushButton* b : {m_ok, close})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    installEnterOrder({m_old, m_new, m_confirm});
    connect(m_ok, &QPushButton::clicked, this, &TfrmCambiaPassword::change);
    connect(close, &QPushButton::clicked, this, &TfrmCambiaPassword::reject);
}

void TfrmCambiaPassword::done(int result) {
    QDialog::done(result);
    emit closed();
}

void TfrmCambiaPassword::showEvent(QShowEvent* event) {
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
    QDialog::showEvent(event);
    m_old->setFocus();
}

void TfrmCambiaPassword::updateOk() {
    m_ok->setEnabled(!trimText(m_old->text()).isEmpty() && !trimText(m_new->text()).isEmpty() &&
                     !trimText(m_confirm->text()).isEmpty());
}

void TfrmCambiaPassword::change() {
    const IniFile store(m_services.path(QString::fromLatin1(password::storeFile)));
    const QString section = QString::fromLatin1(password::storeSection);
    const QString key = QString::fromLatin1(password::storeKey);
    const auto value = store.tryRead(section, key);
    const auto stored = value ? password::decode(*value) : std::nullopt;
    if (!stored) {
        m_services.messages().plain(this, changeError);
        return;
    }
    if (trimText(*stored) != password::normalized(m_old->text())) {
        m_services.messages().plain(this, wrongOld);
        m_old->clear();
        m_old->setFocus();
        return;
    }
    if (trimText(m_new->text()) != trimText(m_confirm->text())) {
        m_services.messages().plain(this, notConfirmed);
        m_new->clear();
        m_confirm->clear();
        m_new->setFocus();
        return;
    }
    const QString fresh = password::normalized(m_new->text());
    if (!password::storable(fresh)) {
        m_services.messages().plain(this, notStorable);
        m_new->clear();
        m_confirm->clear();
        m_new->setFocus();
        return;
    }
    if (!store.write(section, key, password::encode(fresh))) {
        m_services.messages().plain(this, changeError);
        return;
    }
    m_services.messages().plain(this, changed);
    accept();
}

} // namespace tarvola
