#include "archive/statushints.h"

#include "platform/ui.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace tarvola {

StatusHints::StatusHints(QWidget* window, QLabel* statusLine)
    : QObject(window), m_window(window), m_line(statusLine) {
    // Moves over controls that do not track the mouse reach the window.
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

void StatusHints::add(QWidget* control, const QString& hint) {
    setHint(control, hint);
    m_hints.insert(control, hint);
    control->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter && m_hints.contains(watched))
        m_line->setText(m_hints.value(watched));
    else if (event->type() == QEvent::MouseMove && watched == m_window)
        m_line->setText(hintAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    return false;
}

QString StatusHints::hintAt(QPoint pos) const {
    for (const QWidget* w = m_window->childAt(pos); w && w != m_window; w = w->parentWidget()) {
        const auto found = m_hints.constFind(w);
        if (found != m_hints.constEnd())
            return found.value();
    }
    return QString();
}

} // namespace tarvola
