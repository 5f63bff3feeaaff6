#pragma once

#include "platform/services.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace tarvola {

class AppWindow;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmPassword;

// The program: its services and its 37 windows, created once in their fixed order, and the
// flow between the login window, the launcher and the four apps.
//
//     tarvola::Application app(programFolder);
//     app.start();
//     return qApp->exec();
class Application : public QObject {
    Q_OBJECT
public:
    // The desktop's own services: message boxes, shell, file dialog, clock, printers.
    explicit Application(const QString& programFolder);
    // Replacement services, for tests and tools.
    Application(const QString& programFolder, MessageService& messages, ShellService& shell,
                FileDialogService& fileDialog, Clock& clock, ReportOutput* reports = nullptr);
    ~Application() override;

    // Creates the windows (once) and shows the login window.
    void start();

    Services& services() { return *m_services; }

    // The windows in the order they were created; empty before start().
    const std::vector<QWidget*>& windows() const { return m_order; }

    // The one instance of a window class, or nullptr before start().
    template <typename W> W* window() const {
        for (QWidget* w : m_order) {
            if (auto* found = qobject_cast<W*>(w))
                return found;
        }
        return nullptr;
    }

private:
    struct Owned;

    void setUpProcess();
    void createWindows();
    void connectFlow();
    void showApp(AppWindow* app);
    void backToLauncher();
    void quit();

    std::unique_ptr<Owned> m_owned; // real services when none are given
    std::unique_ptr<Services> m_services;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::vector<QWidget*> m_order;
};

} // namespace tarvola
