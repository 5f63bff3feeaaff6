#include "app/tfrmpassword.h"

#include "app/password.h"
#include "platform/inifile.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QString wrongPassword = QStringLiteral("Attenzione: password errata.");
const QString readError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");

// Enter in the password edit acts as "OK" when there is something to check.
class EnterActsAsOk final : public QObject {
public:
    EnterActsAsOk(QLineEdit* edit, QPushButton* ok)
        : QObject(edit)
        , m_ok(ok) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (m_ok->isEnabled())
                    m_ok->click();
                return true;
            }
        }
        return false;
    }

private:
    QPushButton* m_ok;
};

} // namespace

TfrmPassword::TfrmPassword(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Accesso"));
    makeFixedDialog(this);

    auto* picture = new QLabel(this);
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/lucchetto.svg"), QSize(56, 56)));
    auto* prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    m_password = named(new QLineEdit(this), QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumWidth(240);
    m_ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"));
    m_ok->setEnabled(false);
    auto* quit = named(new QPushButton(QStringLiteral("Esci"), this), QStringLiteral("cmdEsci"));
    auto* change = named(new QPushButton(QStringLiteral("Cambia password"), this),
                         QStringLiteral("btnCambiaPassword"));
    for (QPushButton* b : {m_ok, quit, change})
        b->setAutoDefault(false);
    m_memory = named(new QLabel(this), QStringLiteral("lblMemory"));
    m_memory->hide();

    auto* fields = new QVBoxLayout;
    fields->addWidget(prompt);
    fields->addWidget(m_password);
    fields->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    new EnterActsAsOk(m_password, m_ok);
    connect(m_password, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPassword::checkPassword);
    connect(quit, &QPushButton::clicked, this, &TfrmPassword::exitRequested);
    connect(change, &QPushButton::clicked, this, &TfrmPassword::changePasswordRequested);
}

void TfrmPassword::reset() {
    m_password->clear();
    m_memory->clear();
    m_password->setFocus();
}

void TfrmPassword::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_password->setFocus();
}

void TfrmPassword::reject() {}

void TfrmPassword::updateOk() {
    m_ok->setEnabled(!trimText(m_password->text()).isEmpty());
}

void TfrmPassword::checkPassword() {
    const IniFile store(m_services.path(QString::fromLatin1(password::storeFile)));
    // A store that exists but cannot be read, or whose value is not hexadecimal, is an
    // error; a missing one reads as an empty password, which nothing typed can match.
    const auto value = store.tryRead(QString::fromLatin1(password::storeSection),
                                     QString::fromLatin1(password::storeKey));
    const auto stored = value ? password::decode(*value) : std::nullopt;
    if (!stored) {
        m_services.messages().plain(this, readError);
        return;
    }
    if (trimText(*stored) == password::normalized(m_password->text())) {
        emit loggedIn();
        return;
    }
    m_services.messages().plain(this, wrongPassword);
    m_password->clear();
    m_password->setFocus();
}

} // namespace tarvola
