// The red prescription editor's buttons reach the windows that search, list, export, print
// and attach, and what those windows write comes back into the editor and the archive.

#include "archive/archivefile.h"
#include "archive/searchwindow.h"
#include "ricette/ricettarecord.h"
#include "ricettefixture.h"
#include "support/reportfakes.h"

#include <QListView>
#include <QPushButton>
#include <QTableView>

using namespace tarvola;
using namespace tarvola::testing;

class TestRicetteWiring : public QObject {
    Q_OBJECT
private slots:
    void searchReopensTheCardInTheEditor() {
        RicetteFixture f;
        f.store(HandCard().named("ROSSI MARIO").bytes + HandCard().named("VERDI ANNA").bytes);
        QVERIFY(f.open());
        const QString opened =
            openedBy([&] { f.click(QStringLiteral("cmdTrova")); },
                     [](QWidget* w) {
                         typeText(control<QLineEdit>(w, QStringLiteral("txtAssistito")),
                                  QStringLiteral("verdi"));
                         control<QPushButton>(w, QStringLiteral("btnCerca"))->click();
                         doubleClickLine(w, QStringLiteral("VERDI ANNA"));
                     });
        QCOMPARE(opened, QStringLiteral("TfrmTrovaRicette"));
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), QStringLiteral("VERDI ANNA"));
        QCOMPARE(f.text(QStringLiteral("txtPresc01")), QStringLiteral("FARMACO VERDI ANNA"));
        QCOMPARE(f.position(), QStringLiteral("2"));
    }

    void openListForgetsACardOnceCompleted() {
        RicetteFixture f;
        f.store(HandCard().named("ROSSI MARIO").bytes + HandCard().named("VERDI ANNA").bytes);
        QVERIFY(f.open());
        QStringList listed;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdIncompleti")); },
                          [&](QWidget* w) {
                              listed = qobject_cast<SearchWindow*>(w)->lines();
                              doubleClickLine(w, QStringLiteral("ROSSI MARIO"));
                          }),
                 QStringLiteral("TfrmSelezionate"));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(f.position(), QStringLiteral("1"));

        control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"))->setChecked(true);
        f.click(QStringLiteral("cmdSalva"));
        openedBy([&] { f.click(QStringLiteral("cmdIncompleti")); },
                 [&](QWidget* w) { listed = qobject_cast<SearchWindow*>(w)->lines(); });
        QCOMPARE(listed.size(), 1);
        QVERIFY(listed.front().startsWith(QStringLiteral("VERDI ANNA")));
    }

    void exportShowsTheArchive() {
        RicetteFixture f;
        f.store(HandCard().named("ROSSI MARIO").bytes);
        QVERIFY(f.open());
        int rows = 0;
        QCOMPARE(
            openedBy(
                [&] { f.click(QStringLiteral("cmdEsporta")); },
                [&](QWidget* w) {
                    rows =
                        control<QTableView>(w, QStringLiteral("grdRecords"))->model()->rowCount();
                }),
            QStringLiteral("TfrmExpRicette"));
        QCOMPARE(rows, 1);
    }

    void printOpensThePrintWindow() {
        RicetteFixture f;
        QVERIFY(f.open());
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdStampa")); }),
                 QStringLiteral("TfrmStampaRicetta"));
    }

    void attachmentDescriptionReachesTheArchiveOnlyWithSave() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI MARIO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdFile")); },
                          [](QWidget* w) {
                              control<QLineEdit>(w, QStringLiteral("txtDesc01"))
                                  ->setText(QStringLiteral("Esito radiografia"));
                              control<QPushButton>(w, QStringLiteral("btnApplica"))->click();
                          }),
                 QStringLiteral("TfrmAllegaCartella"));
        QCOMPARE(f.label(QStringLiteral("lblDesc01"))->text(), QStringLiteral("Esito radiografia"));
        const auto storedDescription = [&] {
            ArchiveFile archive(f.archive(), ricetta::layout());
            return archive.read(1).value(QStringLiteral("Desc01"));
        };
        QCOMPARE(storedDescription(), QString());
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(storedDescription(), QStringLiteral("Esito radiografia"));
    }
};

QTEST_MAIN(TestRicetteWiring)
#include "tst_ricettewiring.moc"
