// The drug search and the to-order list: their filters and lines, the recall into the drug
// editor, the import of a drug name into one line of the red prescription editor, and the
// printed lists.

#include "archive/archivefile.h"
#include "archive/searchwindow.h"
#include "farmaci/tfrmdaordinare.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "farmacifixture.h"
#include "report/summarylist.h"
#include "ricette/ricettefixture.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>

using namespace tarvola;
using namespace tarvola::testing;
using Editor = farmaco::LineImport::Editor;
using namespace Qt::StringLiterals;

namespace {

const QStringList filterEdits{QStringLiteral("txtFarmaco"),   QStringLiteral("txtProduttore"),
                              QStringLiteral("txtPrincipio"), QStringLiteral("txtComposizione"),
                              QStringLiteral("txtCategoria"), QStringLiteral("txtCodMin"),
                              QStringLiteral("txtNotaAifa"),  QStringLiteral("txtAtc"),
                              QStringLiteral("txtForma"),     QStringLiteral("txtAnnotazioni")};

// A small archive: name, maker, form; some ticked to order.
QList<DrugCard> archive() {
    return {
        DrugCard::listed("ASPIRINA 500 MG", "COMPRESSE").put("Produttore", "BAYER").ticked(),
        DrugCard::listed("ASPIRINA C", "COMPRESSE EFFERVESCENTI").put("Produttore", "Bayer Lab"),
        DrugCard::listed("Aspirinetta", "COMPRESSE").put("Produttore", "LABORATORI BAYER").ticked(),
        DrugCard::listed("TACHIPIRINA 500 MG", "COMPRESSE", "5,90").put("Produttore", "ANGELINI"),
        DrugCard::listed("OKI 80 MG", "BUSTINE", "6,20").put("Produttore", "DOMPE").ticked(),
    };
}

void search(QWidget* window, const QList<std::pair<QString, QString>>& typed) {
    for (const auto& [edit, text] : typed)
        typeText(control<QLineEdit>(window, edit), text);
    control<QPushButton>(window, QStringLiteral("btnCerca"))->click();
}

QStringList lines(QWidget* window) {
    return qobject_cast<SearchWindow*>(window)->lines();
}

} // namespace

class TestFarmaciSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setListPrinter(
            [](Services& services, QWidget* parent, const QString& title,
               const QStringList& lines) { printSummaryList(services, parent, title, lines); });
    }

    void searchHasTenFiltersInOrder() {
        FarmaciFixture f;
        TfrmTrovaFarmaci w(f.fake.services);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Trova farmaci in archivio"));
        const QStringList captions{u"Nome farmaco:"_s, u"Produttore:"_s, u"Principio attivo:"_s,
                                   u"Composizione:"_s, u"Categoria:"_s,  u"Codice Minsan:"_s,
                                   u"Nota AIFA:"_s,    u"ATC:"_s,        u"Forma farmaceutica:"_s,
                                   u"Annotazioni:"_s};
        for (int i = 0; i < 10; ++i) {
            const QString n = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            QCOMPARE(control<QLabel>(&w, QStringLiteral("lblCampo") + n)->text(), captions[i]);
        }
        QVERIFY(showActive(&w));
        QStringList visited;
        for (int i = 0; i < 11; ++i) {
            QWidget* focus = QApplication::focusWidget();
            visited << focus->objectName();
            const QString frame =
                QStringLiteral("effCampo%1").arg(i % 10 + 1, 2, 10, QLatin1Char('0'));
            QVERIFY2(control<QFrame>(&w, frame)->isVisible(), qPrintable(frame));
            pressEnter(focus);
        }
        QCOMPARE(visited, filterEdits + QStringList{filterEdits.front()});
    }

    void filtersTogetherNarrowTheList() {
        FarmaciFixture f;
        f.store(archive());
        TfrmTrovaFarmaci w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {{QStringLiteral("txtFarmaco"), QStringLiteral("asp")},
                    {QStringLiteral("txtProduttore"), QStringLiteral("lab")}});
        QCOMPARE(lines(&w).size(), 2);
        QVERIFY(lines(&w)[0].startsWith(QStringLiteral("ASPIRINA C ")));
        QVERIFY(lines(&w)[1].startsWith(QStringLiteral("Aspirinetta ")));
        QCOMPARE(control<QLabel>(&w, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 2 schede."));
    }

    void listLinesShowTheColumns() {
        FarmaciFixture f;
        f.store({DrugCard::listed("TACHIPIRINA", "COMPRESSE", "5,90")
                     .put("NotaAifa", "66")
                     .put("Atc", "N02BE01")
                     .put("CodMin", "012745093")});
        TfrmTrovaFarmaci w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(lines(&w), QStringList{QStringLiteral("TACHIPIRINA                        "
                                                       "  Forma: COMPRESSE                     "
                                                       "  AIFA: 66        "
                                                       "  ATC: N02BE01   "
                                                       "  Minsan: 012745093 "
                                                       "  Prezzo: € 5,90")});
    }

    void emptyArchiveListsNothing() {
        FarmaciFixture f;
        TfrmTrovaFarmaci w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(lines(&w), QStringList());
        QCOMPARE(control<QLabel>(&w, QStringLiteral("lblTrovate"))->text(),
                 QStringLiteral("Il presente riepilogo contiene 0 schede."));
        QVERIFY(QFile::exists(f.archive()));
    }

    void unreadableArchiveKeepsTheFilters() {
        FarmaciFixture f;
        QVERIFY(QDir().mkdir(f.archive()));
        TfrmTrovaFarmaci w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(f.fake.messages.texts(), QStringList{archiveAccessMessage()});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Plain);
        QVERIFY(control<QWidget>(&w, QStringLiteral("panAvvio"))->isVisible());
    }

    void searchRecallsTheLaterOfEqualLinesIntoTheEditor() {
        FarmaciFixture f;
        // The names differ only after the 35th character: the lines are the same.
        const QByteArray stem = "AMOXICILLINA E ACIDO CLAVULANICO 87";
        QCOMPARE(stem.size(), 35);
        f.store({DrugCard::listed("OKI"),
                 DrugCard::listed(stem + "5 MG").put("Confezione", "12 COMPRESSE"),
                 DrugCard::listed(stem + "5/125 MG").put("Confezione", "24 COMPRESSE").ticked(),
                 DrugCard::listed("ZITROMAX")});
        QVERIFY(f.open());
        QStringList listed;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdTrova")); },
                          [&](QWidget* w) {
                              search(w, {{QStringLiteral("txtFarmaco"), QStringLiteral("amox")}});
                              listed = lines(w);
                              doubleClickLine(w, QString::fromLatin1(stem));
                              QVERIFY(!w->isVisible());
                          }),
                 QStringLiteral("TfrmTrovaFarmaci"));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0], listed[1]);
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), QString::fromLatin1(stem + "5/125 MG"));
        QCOMPARE(f.text(QStringLiteral("txtConfezione")), QStringLiteral("24 COMPRESSE"));
        QVERIFY(f.toOrder()->isChecked());
        QCOMPARE(f.position(), QStringLiteral("3"));
    }

    void toOrderListsExactlyTheTickedCards() {
        FarmaciFixture f;
        f.store(archive());
        TfrmDaOrdinare w(f.fake.services);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Riepilogo farmaci da ordinare"));
        QVERIFY(showActive(&w));
        QStringList names;
        for (const QString& line : lines(&w))
            names << line.left(35).trimmed();
        // In list order: capitals and small letters sort alike.
        QCOMPARE(names, (QStringList{QStringLiteral("ASPIRINA 500 MG"),
                                     QStringLiteral("Aspirinetta"), QStringLiteral("OKI 80 MG")}));
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(&w, QStringLiteral("txtTrova")));
        QVERIFY(!control<QWidget>(&w, QStringLiteral("lblTrovate"))->isVisible());
    }

    void toOrderListOfAnArchiveWithoutTicksIsEmpty() {
        FarmaciFixture f;
        f.store({DrugCard::listed("OKI"), DrugCard::listed("TACHIPIRINA").put("DaOrdinare", "si")});
        TfrmDaOrdinare w(f.fake.services);
        QVERIFY(showActive(&w));
        QCOMPARE(lines(&w), QStringList());
    }

    void toOrderDoubleClickRecallsTheCard() {
        FarmaciFixture f;
        f.store(archive());
        QVERIFY(f.open());
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdDisponibili")); },
                          [&](QWidget* w) { doubleClickLine(w, QStringLiteral("OKI 80 MG")); }),
                 QStringLiteral("TfrmDaOrdinare"));
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), QStringLiteral("OKI 80 MG"));
        QCOMPARE(f.text(QStringLiteral("txtProduttore")), QStringLiteral("DOMPE"));
        QCOMPARE(f.text(QStringLiteral("txtPrezzo")), QStringLiteral("6,20"));
        QCOMPARE(f.position(), QStringLiteral("5"));
    }

    void redPrescriptionLineImportsTheDrugName() {
        FarmaciFixture drugs;
        drugs.store(archive());
        RicetteFixture r;
        // The red prescription editor reads the drug archive of its own program folder.
        QVERIFY(QFile::copy(drugs.archive(), r.dir.filePath(QStringLiteral("Farmaci.pro"))));
        QVERIFY(r.open());
        r.setText(QStringLiteral("txtAssistito"), QStringLiteral("ROSSI MARIO"));
        for (int n = 1; n <= 9; ++n)
            r.setText(runName(QStringLiteral("txtPresc"), n), QStringLiteral("RIGO %1").arg(n));
        QString tag;
        QCOMPARE(openedBy([&] { r.click(QStringLiteral("impPresc03")); },
                          [&](QWidget* w) {
                              tag = qobject_cast<SearchWindow*>(w)->tag();
                              search(w, {{QStringLiteral("txtFarmaco"), QStringLiteral("tachi")}});
                              doubleClickLine(w, QStringLiteral("TACHIPIRINA"));
                          }),
                 QStringLiteral("TfrmTrovaFarmaci"));
        QCOMPARE(tag, QStringLiteral("presc_03"));
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(r.text(runName(QStringLiteral("txtPresc"), n)),
                     n == 3 ? QStringLiteral("TACHIPIRINA 500 MG")
                            : QStringLiteral("RIGO %1").arg(n));
        QCOMPARE(r.text(QStringLiteral("txtAssistito")), QStringLiteral("ROSSI MARIO"));
        QVERIFY(r.fake.messages.shown.isEmpty());
    }

    void everyRedLineButtonNamesItsLine() {
        RicetteFixture r;
        QVERIFY(r.open());
        for (int n = 1; n <= 9; ++n) {
            QString tag;
            openedBy([&] { r.click(runName(QStringLiteral("impPresc"), n)); },
                     [&](QWidget* w) { tag = qobject_cast<SearchWindow*>(w)->tag(); });
            QCOMPARE(tag, runName(QStringLiteral("presc_"), n));
        }
    }

    void tagChoosesTheEditorAndTheLine_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("written"); // "editor:line:name"
        QTest::newRow("red prescription line") << "presc_07" << QStringList{u"red:7:OKI 80 MG"_s};
        QTest::newRow("prescription line") << "presc05" << QStringList{u"presc:5:OKI 80 MG"_s};
        QTest::newRow("no such line") << "presc08" << QStringList{};
        QTest::newRow("unknown tag") << "pazienti" << QStringList{};
        QTest::newRow("drug editor tag without its target") << "farmaci" << QStringList{};
    }
    void tagChoosesTheEditorAndTheLine() {
        QFETCH(QString, tag);
        QFETCH(QStringList, written);
        FarmaciFixture f;
        f.store(archive());
        TfrmTrovaFarmaci w(f.fake.services);
        QStringList seen;
        w.setTag(tag);
        w.setImportTarget(Editor::RicettaRossa, [&](int line, const QString& name) {
            seen << QStringLiteral("red:%1:%2").arg(line).arg(name);
        });
        w.setImportTarget(Editor::Prescrizione, [&](int line, const QString& name) {
            seen << QStringLiteral("presc:%1:%2").arg(line).arg(name);
        });
        QVERIFY(showActive(&w));
        search(&w, {{QStringLiteral("txtFarmaco"), QStringLiteral("oki")}});
        doubleClickLine(&w, QStringLiteral("OKI"));
        QCOMPARE(seen, written);
        QVERIFY(!w.isVisible());
    }

    void printedListsCarryTheirTitles() {
        FarmaciFixture f;
        f.store(archive());
        {
            TfrmTrovaFarmaci w(f.fake.services);
            QVERIFY(showActive(&w));
            search(&w, {});
            control<QPushButton>(&w, QStringLiteral("btnStampa"))->click();
        }
        {
            TfrmDaOrdinare w(f.fake.services);
            QVERIFY(showActive(&w));
            control<QPushButton>(&w, QStringLiteral("btnStampa"))->click();
        }
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(2));
        QCOMPARE(linesOf(f.fake.reports.printed[0], QStringLiteral("txtTitolo")),
                 QStringList{QStringLiteral("Riepilogo farmaci")});
        QCOMPARE(linesOf(f.fake.reports.printed[1], QStringLiteral("txtTitolo")),
                 QStringList{QStringLiteral("Riepilogo farmaci da ordinare")});
        QCOMPARE(linesOf(f.fake.reports.printed[0], QStringLiteral("txtRiepilogo")).size(), 5);
        QCOMPARE(linesOf(f.fake.reports.printed[1], QStringLiteral("txtRiepilogo")).size(), 3);
    }
};

QTEST_MAIN(TestFarmaciSearch)
#include "tst_farmacisearch.moc"
