#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvola {

class Services;

// The login window, the program's main window: it asks the access password before the
// launcher opens. It cannot be closed from the title bar; "Esci" ends the program.
class TfrmPassword : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPassword(Services& services, QWidget* parent = nullptr);

    // Empties the password edit and the scratch label and puts the focus on the edit.
    void reset();

signals:
    void loggedIn();
    void changePasswordRequested();
    void exitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // Escape does not close the main window

private:
    void updateOk();
    void checkPassword();

    Services& m_services;
    QLineEdit* m_password;
    QPushButton* m_ok;
    QLabel* m_memory;
};

} // namespace tarvola
