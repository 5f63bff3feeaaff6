#pragma once

#include <QList>

class QLineEdit;
class QWidget;

namespace tarvola {

// Keeps the edit's text trimmed and in capitals (a to z) after every change, typed or set.
void keepTrimmedUpper(QLineEdit* edit);

// A one-character box of the paper form, in the keyboard order of its window: a typed
// character replaces the box's content and the focus moves on to the next control of the
// order; Backspace and Delete empty the box and the focus stays. Enter is the order's
// own business (installEnterOrder), arrows are left to the edit.
void installBoxKeys(QLineEdit* box, const QList<QWidget*>& order);

} // namespace tarvola
