#include "archive/statushints.h"

#include "platform/ui.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace tarvola {

StatusHints::StatusHints(QLabel* statusLine)
    : QObject(statusLine)
    , m_line(statusLine) {}

void StatusHints::add(QWidget* control, const QString& hint) {
    setHint(control, hint);
    m_hints.insert(control, hint);
    control->installEventFilter(this);
}

void StatusHints::addBackground(QWidget* widget) {
    // Moves without a button pressed reach a widget only while it tracks the mouse.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        const auto hint = m_hints.constFind(watched);
        if (hint != m_hints.constEnd())
            m_line->setText(hint.value());
    } else if (event->type() == QEvent::MouseMove && !m_hints.contains(watched)) {
        // A move over one of its controls that the control let through is not background.
        const auto* widget = static_cast<QWidget*>(watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!widget->childAt(move->position().toPoint()))
            m_line->clear();
    }
    return false;
}

} // namespace tarvola
