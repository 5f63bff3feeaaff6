// The prescription search: its filters over the open year's archive only, the sorted list
// line, the double click that reopens a prescription with its own header, and the printed
// list.

#include "archive/searchwindow.h"
#include "prescrizioni/tfrmtrovaprescrizioni.h"
#include "prescrizionifixture.h"
#include "report/summarylist.h"

#include <QPushButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString accessMessage =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");

QStringList lines(QWidget* window) {
    return qobject_cast<SearchWindow*>(window)->lines();
}

// Opens the editor's search, types the filters, searches, and runs then on the window.
QStringList searchFromEditor(PrescrizioniFixture& f,
                             const QList<std::pair<QString, QString>>& typed,
                             const std::function<void(QWidget*)>& then = {}) {
    QStringList found;
    openedBy([&] { f.click(QStringLiteral("cmdTrova")); },
             [&](QWidget* w) {
                 for (const auto& [edit, text] : typed)
                     typeText(control<QLineEdit>(w, edit), text);
                 control<QPushButton>(w, QStringLiteral("btnCerca"))->click();
                 found = lines(w);
                 if (then)
                     then(w);
             });
    return found;
}

QString numberOf(const QString& line) {
    return line.mid(10, 12).trimmed();
}

} // namespace

class TestTrovaPrescrizioni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setListPrinter(
            [](Services& services, QWidget* parent, const QString& title,
               const QStringList& lines) { printSummaryList(services, parent, title, lines); });
    }

    void windowHasItsFiltersInEnterOrder() {
        QTemporaryDir dir;
        FakeServices fake(dir.path());
        TfrmTrovaPrescrizioni window(fake.services);
        QCOMPARE(window.windowTitle(), QStringLiteral(" Trova prescrizioni in archivio"));
        const std::pair<const char*, const char*> filters[] = {
            {"txtNumFatt", "Prescrizione n."},
            {"txtTipologia", "Tipologia prescrizione:"},
            {"txtData", "Data emissione:"},
            {"txtQuesito", "Quesito diagnostico:"},
            {"txtPaziente", "Paziente:"},
            {"txtCodFisc", "Codice fiscale paziente:"},
            {"txtTessera", "Tessera sanitaria n."},
            {"txtAsl", "ASL di provenienza:"},
            {"txtMedico", "Medico:"},
            {"txtCodFiscMed", "Codice fiscale medico:"},
        };
        for (int i = 0; i < 10; ++i)
            QCOMPARE(control<QLabel>(&window,
                                     QStringLiteral("lblCampo%1").arg(i + 1, 2, 10, QChar(u'0')))
                         ->text(),
                     QString::fromUtf8(filters[i].second));
        QVERIFY(showActive(&window));
        QStringList visited;
        for (int i = 0; i <= 10; ++i) {
            visited << QApplication::focusWidget()->objectName();
            pressEnter(QApplication::focusWidget());
        }
        QStringList expected;
        for (const auto& f : filters)
            expected << QString::fromLatin1(f.first);
        expected << expected.front(); // from the last back to the first
        QCOMPARE(visited, expected);
    }

    void everyPrescriptionOfTheYearIsListedByItsLine() {
        PrescrizioniFixture f;
        f.store({Prescription::listed("9"), Prescription::listed("10"),
                 Prescription::listed("1/2024"), Prescription::listed("2")});
        f.store({Prescription::listed("99")}, QStringLiteral("2023"));
        QVERIFY(f.open());
        const QStringList found = searchFromEditor(f, {});
        QStringList numbers;
        for (const QString& line : found)
            numbers << numberOf(line);
        // Sorted as text: 10 before 9; the other year's archive is never read.
        QCOMPARE(numbers, (QStringList{QStringLiteral("1/2024"), QStringLiteral("10"),
                                       QStringLiteral("2"), QStringLiteral("9")}));
        QCOMPARE(found[0],
                 QStringLiteral("Presc. n. 1/2024        Data: 01/02/2024  Visita                "
                                "          Paz. ROSSI MARIO                     C.F. "
                                "RSSMRA80A01H501U  Tel. 333 1234567"));
    }

    void filtersNarrowTheList_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("year in the date") << "txtData"
                                          << "2024" << QString::fromLatin1("1 3").split(u' ');
        QTest::newRow("codice fiscale in lower case")
            << "txtCodFisc"
            << "vrdnna" << QString::fromLatin1("2").split(u' ');
        QTest::newRow("question") << "txtQuesito"
                                  << "torac" << QString::fromLatin1("3").split(u' ');
        QTest::newRow("doctor") << "txtMedico"
                                << "neri" << QString::fromLatin1("2 3").split(u' ');
        QTest::newRow("doctor's code") << "txtCodFiscMed"
                                       << "nrelgu" << QString::fromLatin1("2 3").split(u' ');
        QTest::newRow("card") << "txtTessera"
                              << "8038" << QString::fromLatin1("1").split(u' ');
        QTest::newRow("ASL") << "txtAsl"
                             << "lodi" << QString::fromLatin1("3").split(u' ');
        QTest::newRow("kind") << "txtTipologia"
                              << "ecg" << QString::fromLatin1("2").split(u' ');
        QTest::newRow("number") << "txtNumFatt"
                                << "3" << QString::fromLatin1("3").split(u' ');
        QTest::newRow("patient") << "txtPaziente"
                                 << "rossi" << QString::fromLatin1("1 3").split(u' ');
        QTest::newRow("nothing") << "txtPaziente"
                                 << "bianchi" << QStringList();
    }
    void filtersNarrowTheList() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        PrescrizioniFixture f;
        f.store({Prescription::listed("1", "05/01/2024").put("Tessera", "80380001"),
                 Prescription::listed("2", "07/12/2023", "ECG", "VERDI ANNA", "VRDNNA70A41F205Z")
                     .put("Medico", "Dott. Neri")
                     .put("CodFiscMed", "NRELGU60A01G388K"),
                 Prescription::listed("3", "09/02/2024")
                     .put("Quesito", "Dolore toracico")
                     .put("Asl", "ASL Lodi")
                     .put("Medico", "Dott. NERI")
                     .put("CodFiscMed", "NRELGU60A01G388K")});
        QVERIFY(f.open());
        QStringList found;
        for (const QString& line : searchFromEditor(f, {{edit, text}}))
            found << numberOf(line);
        QCOMPARE(found, numbers);
    }

    void doubleClickReopensTheLaterOfTwoEqualLinesWithItsHeader() {
        PrescrizioniFixture f;
        f.writeIni(QStringLiteral("[Intestazione Studio]\r\nDenominazione=Studio Nuovo\r\n"));
        f.store(
            {Prescription::listed("5").put("StudioMedico", "Studio Primo").put("Presc01", "PRIMA"),
             Prescription::listed("6"),
             Prescription::listed("5")
                 .put("StudioMedico", "Studio Vecchio")
                 .put("Medico", "Dott. Neri")
                 .put("Presc01", "SECONDA")
                 .put("File02", "esito.pdf")});
        QVERIFY(f.open());
        QCOMPARE(f.text(QStringLiteral("txtStudioMedico")), QStringLiteral("Studio Nuovo"));
        const QStringList found = searchFromEditor(
            f, {}, [](QWidget* w) { doubleClickLine(w, QStringLiteral("Presc. n. 5 ")); });
        QCOMPARE(found.size(), 3);
        QCOMPARE(found[0], found[1]); // the same line twice
        QCOMPARE(f.position(), QStringLiteral("3"));
        QCOMPARE(f.text(QStringLiteral("txtPresc01")), QStringLiteral("SECONDA"));
        QCOMPARE(f.text(QStringLiteral("txtStudioMedico")), QStringLiteral("Studio Vecchio"));
        QCOMPARE(f.text(QStringLiteral("txtMedico")), QStringLiteral("Dott. Neri"));
        QCOMPARE(f.label(QStringLiteral("lblFile02"))->text(), QStringLiteral("esito.pdf"));
    }

    void otherTagsReopenNothing() {
        PrescrizioniFixture f;
        f.store({Prescription::listed("5")});
        QVERIFY(f.open());
        TfrmTrovaPrescrizioni window(f.fake.services, &f.window);
        window.setTag(QStringLiteral("ricette"));
        window.setArchive(f.archive());
        bool reopened = false;
        window.setRecallTarget([&](const Record&, qint64) { reopened = true; });
        window.show();
        control<QPushButton>(&window, QStringLiteral("btnCerca"))->click();
        doubleClickLine(&window, QStringLiteral("Presc. n. 5"));
        QVERIFY(!reopened);
        QVERIFY(!window.isVisible());
    }

    void missingArchiveIsCreatedEmpty() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        QCOMPARE(searchFromEditor(f, {}), QStringList());
        QVERIFY(QFile::exists(f.archive()));
        QCOMPARE(f.stored().size(), 0);
    }

    void unreadableArchiveShowsTheAccessMessage() {
        PrescrizioniFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("2024.med")));
        QVERIFY(f.open());
        bool filtersShown = false;
        searchFromEditor(f, {}, [&](QWidget* w) {
            filtersShown = control<QWidget>(w, QStringLiteral("panAvvio"))->isVisible();
        });
        QCOMPARE(f.fake.messages.texts(), QStringList{accessMessage});
        QVERIFY(filtersShown);
    }

    void listPrintsUnderItsTitle() {
        PrescrizioniFixture f;
        f.store({Prescription::listed("1"), Prescription::listed("2")});
        QVERIFY(f.open());
        searchFromEditor(f, {}, [](QWidget* w) {
            control<QPushButton>(w, QStringLiteral("btnStampa"))->click();
        });
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        QCOMPARE(linesOf(f.fake.reports.printed[0], QStringLiteral("txtTitolo")),
                 QStringList{QStringLiteral("Riepilogo prescrizioni")});
        const QStringList printed =
            linesOf(f.fake.reports.printed[0], QStringLiteral("txtRiepilogo"));
        QCOMPARE(printed.size(), 2);
        QVERIFY(printed[0].startsWith(QStringLiteral("Presc. n. 1 ")));
    }
};

QTEST_MAIN(TestTrovaPrescrizioni)
#include "tst_trovaprescrizioni.moc"
