#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace tarvola {

// The status line of a window: it shows a control's one-line hint while the mouse is
// over that control and is emptied when the mouse moves over the window's background.
// Each hinted control also gets the hint as tooltip and accessible name.
class StatusHints : public QObject {
public:
    StatusHints(QWidget* window, QLabel* statusLine);

    void add(QWidget* control, const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The hint of the control at pos of the window (or of a control it lies in).
    QString hintAt(QPoint pos) const;

    QWidget* m_window;
    QLabel* m_line;
    QHash<const QObject*, QString> m_hints;
};

} // namespace tarvola
