#include "pazienti/typingrules.h"

#include "pazienti/pazienterecord.h"
#include "platform/text.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarvola {

namespace {

QString tidied(const QString& text, bool upper) {
    return upper ? upperAZ(trimText(text)) : trimText(text);
}

void tidyInPlace(QLineEdit* edit, bool upper) {
    const QString text = tidied(edit->text(), upper);
    if (text == edit->text())
        return;
    const int cursor = std::min<int>(edit->cursorPosition(), text.size());
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

class DigitsOnly final : public QObject {
public:
    explicit DigitsOnly(QLineEdit* edit)
        : QObject(edit) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
            QString digits;
            for (QChar c : text) {
                if (c >= u'0' && c <= u'9')
                    digits += c;
            }
            if (digits != text)
                edit->setText(digits);
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        const bool character = !text.isEmpty() && text[0].unicode() >= 0x20 && text[0] != u'\x7f';
        return character && !(text[0] >= u'0' && text[0] <= u'9');
    }
};

class ProvincePicker final : public QObject {
public:
    explicit ProvincePicker(QComboBox* picker)
        : QObject(picker)
        , m_picker(picker) {
        picker->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            // Taking the focus must not bring back an item chosen earlier over the text.
            const QString text = m_picker->currentText();
            m_picker->setCurrentIndex(-1);
            m_picker->setEditText(text);
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason)
                tidyInPlace(m_picker->lineEdit(), true);
        }
        return false;
    }

private:
    QComboBox* m_picker;
};

} // namespace

void tidyWhileTyping(QLineEdit* edit, bool upper) {
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [edit, upper] { tidyInPlace(edit, upper); });
}

void acceptDigitsOnly(QLineEdit* edit) {
    new DigitsOnly(edit);
}

void makeProvincePicker(QComboBox* picker) {
    picker->setEditable(true);
    picker->setInsertPolicy(QComboBox::NoInsert);
    picker->addItems(paziente::provinceCodes());
    picker->setMaxVisibleItems(16);
    picker->lineEdit()->setMaxLength(2);
    picker->setCurrentIndex(-1);
    tidyWhileTyping(picker->lineEdit(), true);
    new ProvincePicker(picker);
}

} // namespace tarvola
