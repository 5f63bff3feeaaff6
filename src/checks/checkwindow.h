#pragma once

#include "platform/services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarvola {

// The shape shared by the four identifier check windows: a line of instructions, one edit,
// "Controlla" and "Chiudi". Each window says how its edit takes typing and what
// "Controlla" does with the text.
class CheckWindow : public QDialog {
    Q_OBJECT
public:
    // Puts a caller's value into the edit. It is not cut to the typing limit nor filtered
    // to digits (a caller may pass a longer code or one with letters, and "Controlla" must
    // judge it as it is); trimming and capitals, where the window has them, still apply.
    void setCode(const QString& text);
    QString code() const;

protected:
    struct Setup {
        QString objectName;
        QString caption;
        QString instructions;
        QString editName;
        int typingLimit = 0;
        bool digitsOnly = false;
        // After every change the text is trimmed and a to z become capitals.
        bool tidy = false;
    };

    CheckWindow(Services& services, QWidget* parent, const Setup& setup);

    // "Controlla": judges the edit's text.
    virtual void check() = 0;

    // A text of the wrong length: the warning, and the window stays open for a correction.
    void warnLength(const QString& message);
    // A verdict: its message, then the window closes.
    void conclude(MessageKind kind, const QString& message);
    // The window closes without a message.
    void finish();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textChanged(const QString& text);
    QString typed(const QString& text, int& cursor) const;

    Services& m_services;
    Setup m_setup;
    QLineEdit* m_edit;
    QPushButton* m_check;
    QString m_previous;
    bool m_fromCaller = false;
    bool m_adjusting = false;
};

} // namespace tarvola
