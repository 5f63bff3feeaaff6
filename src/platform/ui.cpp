#include "platform/ui.h"

#include "platform/text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

namespace tarvola {

QPixmap svgPixmap(const QString& resource, QSize size) {
    QSvgRenderer renderer(resource);
    const qreal ratio = 2.0;
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressedChanged(true);
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit pressedChanged(false);
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

namespace {

class EnterOrder final : public QObject {
public:
    EnterOrder(const QList<QWidget*>& order, QObject* parent)
        : QObject(parent)
        , m_order(order.begin(), order.end()) {
        for (QWidget* w : order)
            w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const qsizetype at = indexOf(watched);
        if (at < 0)
            return false;
        for (qsizetype step = 1; step <= m_order.size(); ++step) {
            QWidget* next = m_order[(at + step) % m_order.size()];
            if (next && next->isEnabled() && next->isVisibleTo(next->window())) {
                next->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        return true;
    }

private:
    qsizetype indexOf(QObject* o) const {
        for (qsizetype i = 0; i < m_order.size(); ++i) {
            if (m_order[i] == o)
                return i;
        }
        return -1;
    }

    QList<QPointer<QWidget>> m_order;
};

class FocusFrame final : public QObject {
public:
    FocusFrame(QWidget* edit, QFrame* frame)
        : QObject(edit)
        , m_edit(edit)
        , m_frame(frame) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // While a window is torn down the frame may go before its edit loses the focus.
        if (!m_frame)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            place();
            m_frame->show();
            break;
        case QEvent::FocusOut:
            m_frame->hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void place() {
        m_frame->setGeometry(m_edit->geometry().adjusted(-3, -3, 3, 3));
        m_frame->stackUnder(m_edit);
    }

    QWidget* m_edit;
    QPointer<QFrame> m_frame;
};

class UpperCaser final : public QObject {
public:
    explicit UpperCaser(QLineEdit* edit)
        : QObject(edit)
        , m_edit(edit) {
        connect(edit, &QLineEdit::textEdited, this, &UpperCaser::apply);
    }

private:
    void apply(const QString& text) {
        const QString upper = upperAZ(text);
        if (upper == text)
            return;
        const int cursor = m_edit->cursorPosition();
        m_edit->setText(upper);
        m_edit->setCursorPosition(cursor);
    }

    QLineEdit* m_edit;
};

} // namespace

void installEnterOrder(const QList<QWidget*>& order) {
    if (order.isEmpty())
        return;
    new EnterOrder(order, order.front());
}

QFrame* attachFocusFrame(QWidget* edit, const QString& name) {
    auto* frame = named(new QFrame(edit->parentWidget()), name);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setStyleSheet(QStringLiteral("background-color: #f0a020; border-radius: 3px;"));
    frame->hide();
    new FocusFrame(edit, frame);
    return frame;
}

void makeUpperCase(QLineEdit* edit) {
    new UpperCaser(edit);
}

void makeFixedDialog(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

void setHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setAccessibleName(hint);
    widget->setAccessibleDescription(hint);
}

namespace {

// The keys of one window. It watches the application's key events because the key must be
// taken from the focused control before that control reads it: a shortcut override it
// claims first, then the key press itself clicks the button.
class KeyCommands : public QObject {
public:
    explicit KeyCommands(QWidget* window)
        : QObject(window)
        , m_window(window) {
        setObjectName(QStringLiteral("keyCommands"));
        qApp->installEventFilter(this);
    }

    void add(QKeyCombination key, QAbstractButton* button) {
        m_buttons.insert(key.toCombined(), button);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier,
                                          Qt::Key(key->key()));
        QPointer<QAbstractButton> button = m_buttons.value(combination.toCombined());
        if (!button || !button->isVisible() || !button->isEnabled())
            return false;
        event->accept();
        if (type == QEvent::KeyPress)
            button->click();
        return true;
    }

private:
    QWidget* m_window;
    QHash<int, QPointer<QAbstractButton>> m_buttons;
};

} // namespace

void addKeyCommand(QWidget* window, QKeyCombination key, const QString& keyName,
                   QAbstractButton* button) {
    auto* keys =
        window->findChild<KeyCommands*>(QStringLiteral("keyCommands"), Qt::FindDirectChildrenOnly);
    if (!keys)
        keys = new KeyCommands(window);
    keys->add(key, button);
    const QString hint = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    button->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keyName));
    if (button->accessibleName().isEmpty())
        button->setAccessibleName(hint);
    button->setAccessibleDescription(QStringLiteral("Scorciatoia da tastiera: %1").arg(keyName));
}

} // namespace tarvola
