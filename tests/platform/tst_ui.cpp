#include "platform/ui.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
#include <QTest>

using namespace tarvola;

class TestUi : public QObject {
    Q_OBJECT
private slots:
    void focusFrameFollowsTheFocus() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        QFrame* frame = attachFocusFrame(edit, QStringLiteral("effProva"));
        QCOMPARE(frame->objectName(), QStringLiteral("effProva"));
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(edit, &in);
        QVERIFY(!frame->isHidden());
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
        QVERIFY(frame->isHidden());
    }

    // A window torn down may delete the frame before its edit gives up the focus.
    void editOutlivingItsFrameLosesTheFocusSafely() {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        delete attachFocusFrame(edit, QStringLiteral("effProva"));
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(edit, &in);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
        QVERIFY(window.findChild<QFrame*>(QStringLiteral("effProva")) == nullptr);
    }
};

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
