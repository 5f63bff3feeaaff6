#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace tarvola {

// The status line of a window: it shows a control's one-line hint once the mouse is over
// that control and is emptied when the mouse moves over the window's background. Each
// hinted control also gets the hint as tooltip and accessible name.
class StatusHints : public QObject {
public:
    explicit StatusHints(QLabel* statusLine);

    void add(QWidget* control, const QString& hint);
    // A widget whose own area is background: moving over it empties the line.
    void addBackground(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_line;
    QHash<const QObject*, QString> m_hints;
};

} // namespace tarvola
