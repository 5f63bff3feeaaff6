#include "archive/fieldbinding.h"

#include "archive/textfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tarvola {

namespace {

template <typename W, typename Get, typename Set> FieldBinding bind(W* w, Get get, Set set) {
    return {[w, get] { return (w->*get)(); }, [w, set](const QString& t) { (w->*set)(t); },
            [w, set] { (w->*set)(QString()); }};
}

} // namespace

FieldBinding textBinding(QWidget* control) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return bind(edit, &QLineEdit::text, &QLineEdit::setText);
    if (auto* label = qobject_cast<QLabel*>(control))
        return bind(label, &QLabel::text, &QLabel::setText);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        return bind(memo, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText);
    if (auto* rich = qobject_cast<QTextEdit*>(control))
        return bind(rich, &QTextEdit::toPlainText, &QTextEdit::setPlainText);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return bind(combo, &QComboBox::currentText, &QComboBox::setCurrentText);
    return {};
}

FieldBinding checkBoxBinding(QCheckBox* box) {
    return {[box] { return textfield::flag(box->isChecked()); },
            [box](const QString& stored) {
                if (stored == textfield::yes)
                    box->setChecked(true);
                else if (stored == textfield::no)
                    box->setChecked(false);
            },
            [box] { box->setChecked(false); }};
}

} // namespace tarvola
