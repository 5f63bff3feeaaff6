#pragma once

class QLineEdit;
class QWidget;

namespace tarvola {

// An edit of the year and numbering windows that takes digits only: a typed character that
// is not a digit 0 to 9 is dropped, editing keys (Backspace, Delete, arrows) and shortcuts
// work as usual, and Enter moves the focus to next without pressing it; Enter on next, a
// button, then presses it. What is pasted is refused too unless it is digits only.
void installDigitEntry(QLineEdit* edit, QWidget* next);

} // namespace tarvola
