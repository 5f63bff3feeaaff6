#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <functional>

namespace tarvola::testing {

// The named control of a window; fails the test, naming what is missing, when absent.
template <typename W> W* control(QObject* window, const QString& name) {
    W* found = window->findChild<W*>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control named ") + name), __FILE__, __LINE__);
    return found;
}

// Runs action, which opens a modal window; then runs inside on that window while it is up
// and closes it unless inside did. Returns false when no modal window opened.
bool whileModal(const std::function<void()>& action,
                const std::function<void(QWidget*)>& inside = {});

// Shows the window and waits until it is active, so focus moves as a user would see it.
bool showActive(QWidget* window);

// Types text into the widget with key events, accented characters included.
void typeText(QWidget* widget, const QString& text);

// Presses Enter in the widget.
void pressEnter(QWidget* widget);

} // namespace tarvola::testing
