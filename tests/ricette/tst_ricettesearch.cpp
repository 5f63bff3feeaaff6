#include "archive/archivefile.h"
#include "archive/textfield.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmselezionate.h"
#include "ricette/tfrmtrovaricette.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

struct Card {
    QString assistito{}, codFisc{}, asl{}, presc01{}, data{}, medico01{};
    QString completata = textfield::no;
    QString prov{}, tipo1{}, tipo2{};
};

Record record(const Card& c) {
    Record r(ricetta::layout());
    r.setValue(u"Assistito"_qs, c.assistito);
    r.setValue(u"CodFisc"_qs, c.codFisc);
    r.setValue(u"Asl"_qs, c.asl);
    r.setValue(u"Prov"_qs, c.prov);
    r.setValue(u"Presc01"_qs, c.presc01);
    r.setValue(u"Data"_qs, c.data);
    r.setValue(u"Medico01"_qs, c.medico01);
    r.setValue(u"Completata"_qs, c.completata);
    r.setValue(u"TipoRic01"_qs, c.tipo1);
    r.setValue(u"TipoRic02"_qs, c.tipo2);
    return r;
}

struct Recalled {
    qint64 position;
    QString assistito;
};

} // namespace

class TestRicetteSearch : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        ArchiveFile archive(m_dir->filePath(u"Archivio_Ricette.pro"_qs), ricetta::layout());
        for (const Card& c : cards())
            archive.append(record(c));
    }

    void lineHasTheFixedColumns() {
        TfrmTrovaRicette w(m_fakes->services);
        QVERIFY(showActive(&w));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&w, u"txtAssistito"_qs));
        typeText(control<QLineEdit>(&w, u"txtAssistito"_qs), u"bartolomeo"_qs);
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        const QString expected =
            u"BARTOLOMEO DE LUCA SANTAMARIA   C.F. DLCBTL60A01H501X  ASL: 101  Farmaco: "
            "AUGMENTIN 875 MG COMPRESSE RIV  Data: 12/03/24  Medico: DR. ROSSI - ASL RM1"_qs;
        QCOMPARE(w.lines(), QStringList{expected});
        QCOMPARE(expected.indexOf(u"  C.F. "_qs), 30);
        QCOMPARE(expected.indexOf(u"  Medico: "_qs), 120);
    }

    void dateFilterMatchesInsideTheTwoDigitYear_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("found");
        QTest::newRow("month and year") << u"03/24"_qs << 4;
        QTest::newRow("four-digit year") << u"2024"_qs << 0;
        QTest::newRow("day") << u"05/"_qs << 2;
    }
    void dateFilterMatchesInsideTheTwoDigitYear() {
        QFETCH(QString, typed);
        QFETCH(int, found);
        TfrmTrovaRicette w(m_fakes->services);
        QVERIFY(showActive(&w));
        typeText(control<QLineEdit>(&w, u"txtData"_qs), typed);
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        QCOMPARE(w.lines().size(), found);
    }

    void doubleClickReopensTheLaterOfEqualLines() {
        TfrmTrovaRicette w(m_fakes->services);
        w.setTag(u"ricette"_qs);
        QList<Recalled> recalled;
        w.setRecallTarget([&](const Record& r, qint64 position) {
            recalled.append({position, r.value(u"Assistito"_qs)});
        });
        QVERIFY(showActive(&w));
        typeText(control<QLineEdit>(&w, u"txtAssistito"_qs), u"verdi"_qs);
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        QCOMPARE(list->model()->rowCount(), 2);
        emit list->doubleClicked(list->model()->index(0, 0));
        QCOMPARE(recalled.size(), 2);
        QCOMPARE(recalled.last().position, 4);
        QVERIFY(!w.isVisible());
    }

    void otherTagsDoNotReopen() {
        TfrmTrovaRicette w(m_fakes->services);
        w.setTag(u"pazienti"_qs);
        int calls = 0;
        w.setRecallTarget([&](const Record&, qint64) { ++calls; });
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnCerca"_qs)->click();
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        emit list->doubleClicked(list->model()->index(0, 0));
        QCOMPARE(calls, 0);
    }

    void openListShowsOnlyWhatIsNotCompleted() {
        TfrmSelezionate w(m_fakes->services);
        QList<Recalled> recalled;
        w.setRecallTarget([&](const Record& r, qint64 position) {
            recalled.append({position, r.value(u"Assistito"_qs)});
        });
        QVERIFY(showActive(&w));
        // Completed cards, and a flag that does not read exactly "No", are not listed.
        QCOMPARE(w.lines().size(), 2);
        for (const QString& line : w.lines())
            QVERIFY2(!line.startsWith(u"BIANCHI"_qs), qPrintable(line));
        // A double click compares with every card, completed ones included.
        auto* list = control<QListView>(&w, u"lstRecords"_qs);
        const int verdi = int(w.lines().indexOf(w.lines().filter(u"VERDI"_qs).first()));
        emit list->doubleClicked(list->model()->index(verdi, 0));
        QCOMPARE(recalled.size(), 2);
        QCOMPARE(recalled.last().position, 4);
    }

    void exportJoinsTheCombinedColumns() {
        TfrmExpRicette w(m_fakes->services);
        w.show();
        const QList<QStringList> rows = w.rows();
        QCOMPARE(rows.size(), 5);
        // Assistito, Indirizzo, CodFisc, Prov+Asl, Presc01..09, Conf, TipoRic, Data, Medico01
        QCOMPARE(rows[0].size(), 17);
        QCOMPARE(rows[0][3], u"RM 101"_qs);
        QCOMPARE(rows[0][14], u"NR"_qs);
        QCOMPARE(rows[0][15], u"12/03/24"_qs);
        QCOMPARE(rows[1][3], u"010"_qs); // no province: only the ASL code
        auto* model = control<QTableView>(&w, u"grdRecords"_qs)->model();
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"Sigla prov. e codice ASL"_qs);
        QCOMPARE(model->headerData(4, Qt::Horizontal, Qt::UserRole).toString(), u"colAsl"_qs);
    }

private:
    static QList<Card> cards() {
        Card bartolomeo{u"Bartolomeo De Luca Santamaria Jr"_qs,
                        u"DLCBTL60A01H501X"_qs,
                        u"101"_qs,
                        u"AUGMENTIN 875 MG COMPRESSE RIVESTITE"_qs,
                        u"12/03/24"_qs,
                        u"Dr. Rossi - ASL RM1"_qs};
        bartolomeo.assistito = bartolomeo.assistito.toUpper();
        bartolomeo.presc01 = bartolomeo.presc01.toUpper();
        bartolomeo.medico01 = u"DR. ROSSI - ASL RM1"_qs;
        bartolomeo.prov = u"RM"_qs;
        bartolomeo.tipo1 = u"N"_qs;
        bartolomeo.tipo2 = u"R"_qs;
        Card verdi{u"VERDI LUCA"_qs,  u""_qs,         u"010"_qs,
                   u"TACHIPIRINA"_qs, u"05/03/24"_qs, u"DR. BIANCHI"_qs};
        Card bianchi{u"BIANCHI ANNA"_qs, u""_qs,        u"010"_qs, u"OKI"_qs, u"20/03/24"_qs,
                     u"DR. BIANCHI"_qs,  textfield::yes};
        Card verdiAgain = verdi;
        verdiAgain.completata = textfield::yes;
        Card odd{u"NERI PAOLO"_qs, u""_qs,      u"010"_qs, u"OKI"_qs,
                 u"20/04/23"_qs,   u"DR. B"_qs, u"no"_qs};
        return {bartolomeo, verdi, bianchi, verdiAgain, odd};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
};

QTEST_MAIN(TestRicetteSearch)
#include "tst_ricettesearch.moc"
