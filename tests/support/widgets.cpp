#include "support/widgets.h"

#include <QDialog>
#include <QTimer>

namespace tarvola::testing {

bool whileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside) {
    bool seen = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer.stop();
        seen = true;
        if (inside)
            inside(modal);
        if (modal->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && c.isPrint())
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void pressEnter(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_Return);
}

} // namespace tarvola::testing
