#include "checks/checkwindow.h"

#include "platform/text.h"
#include "platform/ui.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvola {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A key that types something visible other than digits (letters, blanks, punctuation).
// Editing keys and shortcuts carry no visible text and pass.
bool typesNonDigit(const QKeyEvent* key) {
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const bool visible = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    return visible && !std::all_of(text.begin(), text.end(), isDigit);
}

} // namespace

CheckWindow::CheckWindow(Services& services, QWidget* parent, const Setup& setup)
    : QDialog(parent)
    , m_services(services)
    , m_setup(setup) {
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    makeFixedDialog(this);

    auto* title = named(new QLabel(setup.instructions, this), QStringLiteral("lblTitolo"));
    m_edit = named(new QLineEdit(this), setup.editName);
    QFont editFont = m_edit->font();
    editFont.setPointSizeF(editFont.pointSizeF() * 1.25);
    m_edit->setFont(editFont);
    // Room for the longest code typed in wide capitals, and at least the instructions' width.
    const int codeWidth =
        m_edit->fontMetrics().horizontalAdvance(QString(setup.typingLimit, u'M')) + 16;
    m_edit->setMinimumWidth(std::max(title->sizeHint().width(), codeWidth));
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &CheckWindow::textChanged);

    m_check =
        named(new QPushButton(QStringLiteral("Controlla"), this), QStringLiteral("btnControlla"));
    auto* close =
        named(new QPushButton(QStringLiteral("Chiudi"), this), QStringLiteral("btnChiudi"));
    for (QPushButton* b : {m_check, close})
        b->setMinimumWidth(96);
    connect(m_check, &QPushButton::clicked, this, &CheckWindow::check);
    connect(close, &QPushButton::clicked, this, &CheckWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_check);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(m_edit);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_edit, m_check);
    setTabOrder(m_check, close);
}

void CheckWindow::setCode(const QString& text) {
    m_fromCaller = true;
    m_edit->setText(text);
    m_fromCaller = false;
}

QString CheckWindow::code() const {
    return m_edit->text();
}

void CheckWindow::warnLength(const QString& message) {
    m_services.messages().warning(this, message);
    m_edit->setFocus();
}

void CheckWindow::conclude(MessageKind kind, const QString& message) {
    m_services.messages().show(this, kind, message);
    finish();
}

void CheckWindow::finish() {
    accept();
}

void CheckWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_edit->setFocus();
}

bool CheckWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter only leads to "Controlla"; a second Enter there presses it.
        m_check->setFocus(Qt::TabFocusReason);
        return true;
    }
    return m_setup.digitsOnly && typesNonDigit(key);
}

// What typing, pasting or dropping may add: within the typing limit, and digits only where
// the window takes digits only. A longer text a caller put in stays as it is, and can only
// shrink by typing.
QString CheckWindow::typed(const QString& text, int& cursor) const {
    const QString& before = m_previous;
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), text.size());
    while (prefix < shorter && before[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    QString inserted = text.mid(prefix, text.size() - prefix - suffix);
    if (m_setup.digitsOnly)
        inserted.removeIf([](QChar c) { return !isDigit(c); });
    inserted.truncate(std::max<qsizetype>(0, m_setup.typingLimit - prefix - suffix));
    cursor = static_cast<int>(prefix + inserted.size());
    return text.left(prefix) + inserted + text.right(suffix);
}

void CheckWindow::textChanged(const QString& text) {
    if (m_adjusting)
        return;
    int cursor = m_edit->cursorPosition();
    QString adjusted = m_fromCaller ? text : typed(text, cursor);
    if (m_setup.tidy) {
        const QString trimmed = trimText(adjusted);
        qsizetype leading = 0;
        while (leading < adjusted.size() && adjusted[leading].unicode() <= u' ')
            ++leading;
        cursor = static_cast<int>(std::clamp<qsizetype>(cursor - leading, 0, trimmed.size()));
        adjusted = upperAZ(trimmed);
    }
    if (adjusted != text) {
        m_adjusting = true;
        m_edit->setText(adjusted);
        m_edit->setCursorPosition(m_fromCaller ? static_cast<int>(adjusted.size()) : cursor);
        m_adjusting = false;
    }
    m_previous = adjusted;
}

} // namespace tarvola
