#include "support/widgets.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>

namespace tarvola::testing {

bool whileModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside) {
    bool seen = false;
    // Inside another modal window's answer, that window is not the one the action opens.
    QWidget* const outer = QApplication::activeModalWidget();
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == outer)
            return;
        timer.stop();
        seen = true;
        // Answer the window as its user would see it: on the screen and with the keyboard,
        // however late a busy machine gets there.
        if (!QTest::qWaitForWindowActive(modal, 30000))
            qWarning("the modal window %s never became active", qPrintable(modal->objectName()));
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

QString openedBy(const std::function<void()>& action, const std::function<void(QWidget*)>& inside) {
    QString opened;
    const bool modal = whileModal(action, [&](QWidget* w) {
        opened = w->objectName();
        if (inside)
            inside(w);
    });
    return modal ? opened : QString();
}

void doubleClickLine(QWidget* window, const QString& startingWith) {
    auto* list = control<QListView>(window, QStringLiteral("lstRecords"));
    if (!list)
        return;
    QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.data().toString().startsWith(startingWith)) {
            list->setCurrentIndex(index);
            emit list->doubleClicked(index);
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no line starting with ") + startingWith), __FILE__,
                 __LINE__);
}

QLineEdit* FormAccess::edit(const QString& name) const {
    return control<QLineEdit>(m_form, name);
}

QLabel* FormAccess::label(const QString& name) const {
    return control<QLabel>(m_form, name);
}

QString FormAccess::text(const QString& name) const {
    QLineEdit* e = edit(name);
    return e ? e->text() : QString();
}

void FormAccess::setText(const QString& name, const QString& text) const {
    if (QLineEdit* e = edit(name))
        e->setText(text);
}

void FormAccess::click(const QString& name) const {
    if (auto* button = control<QWidget>(m_form, name))
        QTest::mouseClick(button, Qt::LeftButton);
}

QString FormAccess::position() const {
    QLabel* l = label(QStringLiteral("lblPosizione"));
    return l ? l->text() : QString();
}

QString FormAccess::focused() const {
    QWidget* w = m_form->focusWidget();
    return w ? w->objectName() : QString();
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
