#include "archive/appwindow.h"

#include <QCloseEvent>

namespace tarvola {

AppWindow::AppWindow(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(services) {}

void AppWindow::closeEvent(QCloseEvent* event) {
    leaving();
    event->accept();
    emit closed();
}

} // namespace tarvola
