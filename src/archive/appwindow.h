#pragma once

#include <QWidget>

namespace tarvola {

class Services;

// A window the launcher opens: shown and hidden for the whole run, never destroyed.
// Closing it (its exit button or its title bar) first lets it keep what it remembers,
// then hides it and reports closed(), on which the launcher comes back.
class AppWindow : public QWidget {
    Q_OBJECT
public:
    explicit AppWindow(Services& services, QWidget* parent = nullptr);

signals:
    void closed();

protected:
    // Called before the window hides on closing; editors store their settings here.
    virtual void leaving() {}

    void closeEvent(QCloseEvent* event) override;

    Services& m_services;
};

} // namespace tarvola
