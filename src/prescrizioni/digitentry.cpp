#include "prescrizioni/digitentry.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tarvola {

namespace {

class DigitEntry final : public QObject {
public:
    DigitEntry(QLineEdit* edit, QWidget* next)
        : QObject(edit)
        , m_next(next) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_next->setFocus(Qt::TabFocusReason);
            return true;
        }
        const QString text = key->text();
        const bool character =
            !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7f;
        return character && !(text[0] >= u'0' && text[0] <= u'9');
    }

private:
    QWidget* m_next;
};

// Enter on the button the edit leads to presses it, as Space does.
class EnterPresses final : public QObject {
public:
    explicit EnterPresses(QAbstractButton* button)
        : QObject(button)
        , m_button(button) {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

} // namespace

void installDigitEntry(QLineEdit* edit, QWidget* next) {
    new DigitEntry(edit, next);
    if (auto* button = qobject_cast<QAbstractButton*>(next))
        new EnterPresses(button);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

} // namespace tarvola
