#pragma once

#include <QKeyCombination>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QString>

class QFrame;
class QLineEdit;
class QAbstractButton;

namespace tarvola {

// An SVG picture of the resources drawn at the given size, sharp on high-density screens.
QPixmap svgPixmap(const QString& resource, QSize size);

// Gives a control its name, so tests and the editors' field binding find it.
template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A picture (or text) that acts on a click, as the launcher's pictures and the links do.
// While the mouse button is held on it, it may show a pressed look (links turn orange).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr)
        : QLabel(parent) {
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void clicked();
    void pressedChanged(bool pressed);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Enter (or Return) in one of the widgets moves the focus to the next one of the list,
// and from the last back to the first. The key is consumed, so Enter never presses a
// dialog's default button.
void installEnterOrder(const QList<QWidget*>& order);

// A frame drawn around the edit while it has the focus and hidden otherwise. The frame
// is a sibling of the edit under the same parent, named as given.
QFrame* attachFocusFrame(QWidget* edit, const QString& name);

// Typed letters become capitals (a to z only) as they are typed.
void makeUpperCase(QLineEdit* edit);

// A dialog without title-bar buttons, fixed to its size hint once laid out.
void makeFixedDialog(QWidget* dialog);

// The accessible name, accessible description and tooltip of a picture button are its
// status-line hint.
void setHint(QWidget* widget, const QString& hint);

// A key that clicks a button of a window wherever the focus is inside that window, before
// any of its controls can take the key for itself (a line edit reads Ctrl+D and Ctrl+E as
// editing keys). Only a visible, enabled button is clicked, as with the mouse. The tooltip
// ends with the key's name in parentheses and the accessible description names it, so the
// key is found with the mouse and announced to screen readers; call this once the hint is set.
void addKeyCommand(QWidget* window, QKeyCombination key, const QString& keyName,
                   QAbstractButton* button);

} // namespace tarvola
