#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarvola {

class Services;

// Replaces the access password: the old one, the new one and its confirmation.
class TfrmCambiaPassword : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Services& services, QWidget* parent = nullptr);

    void done(int result) override;

signals:
    // However the window closes, after a change or with "Chiudi".
    void closed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOk();
    void change();

    Services& m_services;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    QPushButton* m_ok;
};

} // namespace tarvola
