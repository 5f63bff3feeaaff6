#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

class QLabel;
class QLineEdit;

#include <functional>

namespace tarvola::testing {

// The named control of a window; fails the test, naming what is missing, when absent.
template <typename W> W* control(QObject* window, const QString& name) {
    W* found = window->findChild<W*>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control named ") + name), __FILE__, __LINE__);
    return found;
}

// Runs action, which opens a modal window; then, once that window is shown and active, runs
// inside on it while it is up and closes it unless inside did. Returns false when no modal
// window opened.
bool whileModal(const std::function<void()>& action,
                const std::function<void(QWidget*)>& inside = {});

// Shows the window and waits until it is active, so focus moves as a user would see it.
bool showActive(QWidget* window);

// Runs the action that opens a modal window, then inside on it; gives the window's name,
// empty when no modal window opened.
QString openedBy(const std::function<void()>& action,
                 const std::function<void(QWidget*)>& inside = {});

// Double clicks the first line of the window's result list that starts with the text.
void doubleClickLine(QWidget* window, const QString& startingWith);

// The named controls of an editor window, as the editor tests use them.
class FormAccess {
public:
    explicit FormAccess(QWidget* form)
        : m_form(form) {}

    QLineEdit* edit(const QString& name) const;
    QLabel* label(const QString& name) const;
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text) const;
    void click(const QString& name) const;
    QString position() const;
    QString focused() const;

private:
    QWidget* m_form;
};

// Types text into the widget with key events, accented characters included.
void typeText(QWidget* widget, const QString& text);

// Presses Enter in the widget.
void pressEnter(QWidget* widget);

} // namespace tarvola::testing
