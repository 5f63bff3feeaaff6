// The about and credits windows, and the launcher's pictures that open them and the help.
#include "app/tfrmavvio.h"
#include "app/tfrminfo.h"
#include "app/tfrmsplash.h"

#include "support/fakes.h"
#include "support/widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString mailTarget = QStringLiteral(
    "\"mailto:info@tarvola.it?subject=Software Tarvola 3.0&body=Salve, desidererei avere le "
    "seguenti informazioni sul software in oggetto:\"");

void expectNoTitleBarButtons(QWidget* w) {
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w->minimumSize(), w->maximumSize());
}

} // namespace

class TestGuidaFinestre : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;
    std::unique_ptr<FakeServices> m_fake;

private slots:
    void init() {
        QVERIFY(m_program.isValid());
        m_fake = std::make_unique<FakeServices>(m_program.path());
    }

    void mailLinkStartsTheMessageToTheMaker_data() {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("address") << QStringLiteral("lnkWeb");
        QTest::newRow("picture") << QStringLiteral("imgEmail");
    }
    void mailLinkStartsTheMessageToTheMaker() {
        QFETCH(QString, clicked);
        TfrmInfo window(m_fake->services);
        QCOMPARE(window.windowTitle(), QStringLiteral(" Informazioni su Tarvola 3.0"));
        expectNoTitleBarButtons(&window);
        QCOMPARE(control<QLabel>(&window, QStringLiteral("lnkWeb"))->text(),
                 QStringLiteral("info@tarvola.it"));
        QVERIFY(!control<QLabel>(&window, QStringLiteral("imgLogo"))->pixmap().isNull());
        QTest::mouseClick(control<QLabel>(&window, clicked), Qt::LeftButton);
        QCOMPARE(m_fake->shell.targets, QStringList{mailTarget});
        QCOMPARE(TfrmInfo::mailTarget(), mailTarget);
    }

    void creditsLinkOpensTheWebSite_data() {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("address") << QStringLiteral("lnkWeb");
        QTest::newRow("picture") << QStringLiteral("imgWeb");
    }
    void creditsLinkOpensTheWebSite() {
        QFETCH(QString, clicked);
        TfrmSplash window(m_fake->services);
        QCOMPARE(window.windowTitle(),
                 QStringLiteral(" Tarvola 3.0 - realizzato da Tarvola Software"));
        expectNoTitleBarButtons(&window);
        QCOMPARE(control<QLabel>(&window, QStringLiteral("lnkWeb"))->text(),
                 QStringLiteral("www.tarvola.it"));
        QVERIFY(!control<QLabel>(&window, QStringLiteral("imgLogo"))->pixmap().isNull());
        QTest::mouseClick(control<QLabel>(&window, clicked), Qt::LeftButton);
        QCOMPARE(m_fake->shell.targets, QStringList{QStringLiteral("https://www.tarvola.it")});
    }

    void linksTurnOrangeOnlyWhilePressed_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("about, address") << true << QStringLiteral("lnkWeb");
        QTest::newRow("about, picture") << true << QStringLiteral("imgEmail");
        QTest::newRow("credits, address") << false << QStringLiteral("lnkWeb");
        QTest::newRow("credits, picture") << false << QStringLiteral("imgWeb");
    }
    void linksTurnOrangeOnlyWhilePressed() {
        QFETCH(bool, about);
        QFETCH(QString, pressed);
        std::unique_ptr<QDialog> window;
        if (about)
            window = std::make_unique<TfrmInfo>(m_fake->services);
        else
            window = std::make_unique<TfrmSplash>(m_fake->services);
        auto* link = control<QLabel>(window.get(), QStringLiteral("lnkWeb"));
        auto* target = control<QLabel>(window.get(), pressed);
        auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8B));
        QTest::mousePress(target, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0xFF, 0x8C, 0x00));
        // Released away from the link: no click, and the colour comes back.
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-20, -20));
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8B));
        QCOMPARE(m_fake->shell.targets, QStringList());
    }

    void launcherPicturesOpenTheirWindows_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("window");
        QTest::newRow("help") << QStringLiteral("imgGuida") << QStringLiteral("TfrmGuida");
        QTest::newRow("about") << QStringLiteral("imgInfo") << QStringLiteral("TfrmInfo");
        QTest::newRow("credits") << QStringLiteral("imgCopyright") << QStringLiteral("TfrmSplash");
    }
    void launcherPicturesOpenTheirWindows() {
        QFETCH(QString, picture);
        QFETCH(QString, window);
        TfrmAvvio launcher(m_fake->services);
        launcher.show();
        QVERIFY(QTest::qWaitForWindowExposed(&launcher));
        QString opened;
        QVERIFY(whileModal(
            [&] { QTest::mouseClick(control<QLabel>(&launcher, picture), Qt::LeftButton); },
            [&](QWidget* w) {
                opened = w->objectName();
                QCOMPARE(w->parentWidget(), &launcher);
                if (opened == QStringLiteral("TfrmGuida")) {
                    QCOMPARE(control<QLabel>(w, QStringLiteral("lblTitolo"))->text(),
                             QStringLiteral("Uno sguardo a Tarvola 3.0"));
                    const QString text =
                        control<QPlainTextEdit>(w, QStringLiteral("txtGuida"))->toPlainText();
                    QCOMPARE(text.split(QStringLiteral("\n\n")).size(), 45);
                }
                QTest::mouseClick(control<QPushButton>(w, QStringLiteral("btnChiudi")),
                                  Qt::LeftButton);
                QVERIFY(!w->isVisible());
            }));
        QCOMPARE(opened, window);
        QVERIFY(launcher.isVisible());
    }
};

QTEST_MAIN(TestGuidaFinestre)
#include "tst_guida_finestre.moc"
