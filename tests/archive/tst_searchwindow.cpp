#include "archive/searchwindow.h"
#include "support/fakes.h"
#include "support/memoryarchive.h"
#include "support/widgets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

struct Recalled {
    QString tag;
    int position;
    QString name;
};

const RecordLayout& sampleLayout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(u"Nome"_qs, 30).field(u"Citta"_qs, 30).field(u"Flag"_qs, 2);
        return r;
    }();
    return l;
}

// A small archive in memory: name, town, flag. Read whole in file order, or (parted) in
// three parts on threads of their own with the chosen records read again, as a large
// archive is read.
class Window : public SearchWindow {
public:
    Window(Services& s, Kind kind, QList<QStringList> records, bool parted = false)
        : SearchWindow(s, kind)
        , records(std::move(records)) {
        SearchTable t;
        if (kind == Kind::Search) {
            t.filters = {{u"txtNome"_qs, u"Nome:"_qs, 0}, {u"txtCitta"_qs, u"Città:"_qs, 1}};
        } else {
            t.listRule = [](const RecordView& r) { return r.field(2) == u"No"_qs; };
        }
        t.line = {{0, QString(), 12}, {1, u"  Città: "_qs, 0}};
        t.reportTitle = u"Riepilogo prove"_qs;
        t.read = [this](const RecordVisitor& visit) {
            MemoryArchive archive(sampleLayout());
            for (const QStringList& r : this->records)
                archive.add(r);
            archive.broken = broken;
            return archive.reader()(visit);
        };
        if (parted) {
            t.partedRead = [this](int parts, const PartVisitor& visit) {
                MemoryArchive archive(sampleLayout());
                for (const QStringList& r : this->records)
                    archive.add(r);
                archive.broken = broken;
                return archive.partedReader(3)(parts, visit);
            };
            t.readAt = [this](const QList<qint64>& positions, const RecordVisitor& visit) {
                MemoryArchive archive(sampleLayout());
                for (const QStringList& r : this->records)
                    archive.add(r);
                readAgain << positions;
                return archive.positionReader()(positions, visit);
            };
        }
        t.recall = [this](const QString& tag, qint64 position, const RecordView& record) {
            if (tag != u"prove"_qs)
                return false;
            recalled.append({tag, int(position), record.field(0)});
            return true;
        };
        setTable(std::move(t));
    }
    QList<QStringList> records;
    QList<Recalled> recalled;
    QList<qint64> readAgain; // the positions a parted double click read again
    bool broken = false;
};

const QList<QStringList> sample = {
    {u"ROSSI MARIO"_qs, u"Pisa"_qs, u"No"_qs},
    {u"Bianchi Anna"_qs, u"Via Rossini, Lucca"_qs, u"Sì"_qs},
    {u"Verdi Carlo"_qs, u"Pisa"_qs, u"No"_qs},
    {u"ROSSI MARIO"_qs, u"Pisa"_qs, u"Sì"_qs}, // same line as the first
};

// The tests that read the archive run on both readers.
void readers() {
    QTest::addColumn<bool>("parted");
    QTest::newRow("in file order") << false;
    QTest::newRow("in parts") << true;
}

} // namespace

class TestSearchWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { m_fakes = std::make_unique<FakeServices>(m_dir.path()); }

    void emptyFiltersListEveryRecordSorted_data() { readers(); }
    void emptyFiltersListEveryRecordSorted() {
        QFETCH(bool, parted);
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample, parted);
        QVERIFY(showActive(&w));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&w, u"txtNome"_qs));
        QCOMPARE(control<QLabel>(&w, u"lblCampo02"_qs)->text(), u"Città:"_qs);
        QVERIFY(control<QWidget>(&w, u"panAvvio"_qs)->isVisible());
        QVERIFY(!control<QWidget>(&w, u"panContainer"_qs)->isVisible());
        typeText(control<QLineEdit>(&w, u"txtCitta"_qs), u"   "_qs); // blanks: not in use
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        QCOMPARE(control<QLabel>(&w, u"lblConta"_qs)->text(), u"0"_qs);
        QCOMPARE(w.lines(),
                 (QStringList{u"Bianchi Anna  Città: Via Rossini, Lucca"_qs,
                              u"ROSSI MARIO   Città: Pisa"_qs, u"ROSSI MARIO   Città: Pisa"_qs,
                              u"Verdi Carlo   Città: Pisa"_qs}));
        QCOMPARE(control<QLabel>(&w, u"lblTrovate"_qs)->text(),
                 u"Il presente riepilogo contiene 4 schede."_qs);
        QVERIFY(!control<QWidget>(&w, u"panAvvio"_qs)->isVisible());
        QVERIFY(control<QWidget>(&w, u"panContainer"_qs)->isVisible());
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&w, u"txtTrova"_qs));
        QCOMPARE(control<QListView>(&w, u"lstRecords"_qs)->font().family(), u"Courier New"_qs);
    }

    void filtersNarrowAndEnterCycles_data() { readers(); }
    void filtersNarrowAndEnterCycles() {
        QFETCH(bool, parted);
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample, parted);
        QVERIFY(showActive(&w));
        auto* name = control<QLineEdit>(&w, u"txtNome"_qs);
        auto* town = control<QLineEdit>(&w, u"txtCitta"_qs);
        typeText(name, u"ross"_qs);
        pressEnter(name);
        QCOMPARE(QApplication::focusWidget(), town);
        QVERIFY(control<QWidget>(&w, u"effCampo02"_qs)->isVisible());
        QVERIFY(!control<QWidget>(&w, u"effCampo01"_qs)->isVisible());
        typeText(town, u"pisa"_qs);
        pressEnter(town);
        QCOMPARE(QApplication::focusWidget(), name);
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        QCOMPARE(control<QLabel>(&w, u"lblConta"_qs)->text(), u"2"_qs);
        QCOMPARE(w.lines().size(), 2);
        QVERIFY(m_fakes->messages.shown.isEmpty());
    }

    void unreadableArchiveStaysOnTheFilters_data() { readers(); }
    void unreadableArchiveStaysOnTheFilters() {
        QFETCH(bool, parted);
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample, parted);
        w.broken = true;
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        QCOMPARE(
            m_fakes->messages.texts(),
            QStringList{u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                        "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                        "installazione del programma."_qs});
        QCOMPARE(m_fakes->messages.shown[0].kind, MessageKind::Plain);
        QVERIFY(control<QWidget>(&w, u"panAvvio"_qs)->isVisible());
        QVERIFY(!control<QLabel>(&w, u"lblAttendere"_qs)->isVisible());
    }

    void findInAnEmptyListIsNotApplicable() {
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample);
        QVERIFY(showActive(&w));
        typeText(control<QLineEdit>(&w, u"txtNome"_qs), u"nessuno"_qs);
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        QCOMPARE(control<QLabel>(&w, u"lblTrovate"_qs)->text(),
                 u"Il presente riepilogo contiene 0 schede."_qs);
        control<QPushButton>(&w, u"btnTrova"_qs)->click();
        QCOMPARE(m_fakes->messages.texts(),
                 QStringList{u"Ricerca non applicabile: la lista non contiene nessuna voce."_qs});
    }

    void findMovesThroughTheList() {
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample);
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        auto* find = control<QLineEdit>(&w, u"txtTrova"_qs);
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        typeText(find, u"pisa"_qs);
        pressEnter(find); // moves to Trova without pressing it
        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(&w, u"btnTrova"_qs));
        QCOMPARE(list->currentIndex().row(), 0);
        control<QPushButton>(&w, u"btnTrova"_qs)->click();
        QCOMPARE(list->currentIndex().row(), 1);
        control<QPushButton>(&w, u"btnTrova"_qs)->click();
        QCOMPARE(list->currentIndex().row(), 2);
        control<QPushButton>(&w, u"btnTrova"_qs)->click();
        QCOMPARE(list->currentIndex().row(), 3);
        control<QPushButton>(&w, u"btnTrova"_qs)->click();
        QCOMPARE(list->currentIndex().row(), 1);
    }

    void doubleClickWritesEveryEqualRecordInFileOrder_data() { readers(); }
    void doubleClickWritesEveryEqualRecordInFileOrder() {
        QFETCH(bool, parted);
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample, parted);
        w.setTag(u"prove"_qs);
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        emit list->doubleClicked(list->model()->index(1, 0)); // ROSSI MARIO
        QCOMPARE(w.recalled.size(), 2);
        QCOMPARE(w.recalled[0].position, 1);
        QCOMPARE(w.recalled[1].position, 4); // the later one stays in the editor
        if (parted)                          // only the line's records are read again
            QCOMPARE(w.readAgain, (QList<qint64>{1, 4}));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void unknownTagWritesNothing() {
        Window w(m_fakes->services, SearchWindow::Kind::Search, sample);
        w.setTag(u"altro"_qs);
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        emit list->doubleClicked(list->model()->index(0, 0));
        QVERIFY(w.recalled.isEmpty());
        QVERIFY(!w.isVisible());
    }

    void listWindowFillsByItsRuleAtEachShowing_data() { readers(); }
    void listWindowFillsByItsRuleAtEachShowing() {
        QFETCH(bool, parted);
        Window w(m_fakes->services, SearchWindow::Kind::List, sample, parted);
        QVERIFY(w.lines().isEmpty()); // nothing read before it is shown
        QVERIFY(showActive(&w));
        QCOMPARE(w.lines(),
                 (QStringList{u"ROSSI MARIO   Città: Pisa"_qs, u"Verdi Carlo   Città: Pisa"_qs}));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&w, u"txtTrova"_qs));
        QVERIFY(!control<QLabel>(&w, u"lblTrovate"_qs)->isVisible());
        w.reject();
        w.records[2][2] = u"Sì"_qs;
        QVERIFY(showActive(&w));
        QCOMPARE(w.lines(), QStringList{u"ROSSI MARIO   Città: Pisa"_qs});
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<FakeServices> m_fakes;
};

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
