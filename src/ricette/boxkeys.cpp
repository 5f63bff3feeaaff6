#include "ricette/boxkeys.h"

#include "platform/text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace tarvola {

namespace {

class BoxKeys final : public QObject {
public:
    BoxKeys(QLineEdit* box, const QList<QWidget*>& order)
        : QObject(box)
        , m_box(box)
        , m_order(order.begin(), order.end()) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            m_box->clear();
            return true;
        }
        const QString typed = key->text();
        const bool character =
            typed.size() == 1 && typed.front().isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!character)
            return false;
        m_box->setText(typed);
        focusNext();
        return true;
    }

private:
    void focusNext() {
        qsizetype at = 0;
        while (at < m_order.size() && m_order[at] != m_box)
            ++at;
        if (at == m_order.size())
            return;
        for (qsizetype step = 1; step <= m_order.size(); ++step) {
            QWidget* next = m_order[(at + step) % m_order.size()];
            if (next && next->isEnabled() && next->isVisibleTo(next->window())) {
                next->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    QLineEdit* m_box;
    QList<QPointer<QWidget>> m_order;
};

} // namespace

void keepTrimmedUpper(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        const QString tidy = upperAZ(trimText(text));
        if (tidy == text)
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(tidy);
        edit->setCursorPosition(std::min<int>(cursor, tidy.size()));
    });
}

void installBoxKeys(QLineEdit* box, const QList<QWidget*>& order) {
    new BoxKeys(box, order);
}

} // namespace tarvola
