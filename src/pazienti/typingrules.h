#pragma once

class QComboBox;
class QLineEdit;

namespace tarvola {

// After every change typed into the edit its text is trimmed, and with upper also turned to
// capitals (a to z). Texts put in by the program (a loaded card) stay as they are.
void tidyWhileTyping(QLineEdit* edit, bool upper);

// The edit takes the digits 0 to 9 only: another typed character is dropped and a pasted
// text keeps its digits. Keys without a character (Enter, Tab, arrows, Backspace, Delete)
// and shortcuts act as usual.
void acceptDigitsOnly(QLineEdit* edit);

// An editable province list: free text of at most two capitals. Its list selection is reset
// to none whenever it is about to take the focus, so the list never overwrites what is
// typed, and the text is tidied again when the focus leaves.
void makeProvincePicker(QComboBox* picker);

} // namespace tarvola
