// The drug export: its grid columns, the joined Minsan code and class, and the sheet it writes.

#include "farmaci/tfrmexpfarmaci.h"
#include "farmacifixture.h"
#include "support/calc.h"

#include <QTableView>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

struct Column {
    const char* name;
    const char* header;
    int width;
};

// The sheet's columns in order, as the spreadsheet users know them.
constexpr Column columns[] = {
    {"colFarmaco", "Nome farmaco", 250},
    {"colProduttore", "Produttore", 250},
    {"colPrincipio", "Principio attivo", 250},
    {"colComposizione", "Composizione", 250},
    {"colCategoria", "Categoria", 250},
    {"colTipoRic", "Tipo ricetta", 250},
    {"colCodMin", "Codice Minsan", 250},
    {"colNotaAifa", "Nota AIFA", 200},
    {"colAtc", "ATC", 200},
    {"colForma", "Forma farmaceutica", 250},
    {"colRegime", "Regime S.S.N.", 250},
    {"colDurata", "Durata trattamento", 250},
    {"colPeriodo", "Periodo validità", 250},
    {"colDosaggioBam", "Dosaggio bambini", 250},
    {"colDosaggioAdu", "Dosaggio adulti", 250},
    {"colDosaggioAnz", "Dosaggio anziani", 250},
    {"colConservazione", "Conservazione", 250},
    {"colConfezione", "Confezione", 250},
    {"colPrezzo", "Prezzo in euro", 200},
    {"colIndicazioni", "Indicazioni", 300},
    {"colControindicazioni", "Controindicazioni", 300},
    {"colInterazioni", "Interazioni", 300},
    {"colAvvertenze", "Avvertenze speciali", 300},
    {"colAnnotazioni", "Annotazioni", 300},
    {"colDaOrdinare", "Da ordinare", 120},
};
constexpr int codMinColumn = 6;

QByteArray cp1252(const char* utf8) {
    return QString::fromUtf8(utf8).toLatin1(); // the texts here are all in Latin-1
}

} // namespace

class TestExpFarmaci : public QObject {
    Q_OBJECT
private slots:
    void gridHasTheDrugColumns() {
        FarmaciFixture f;
        TfrmExpFarmaci w(f.fake.services);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Esporta archivio farmaci in Microsoft Excel"));
        w.show();
        auto* model = control<QTableView>(&w, QStringLiteral("grdRecords"))->model();
        QCOMPARE(model->columnCount(), int(std::size(columns)) + 1);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        for (int i = 0; i < int(std::size(columns)); ++i) {
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal).toString(),
                     QString::fromUtf8(columns[i].header));
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal, Qt::UserRole).toString(),
                     QString::fromLatin1(columns[i].name));
        }
        // An empty archive shows the ten designed rows.
        QCOMPARE(w.rowCount(), 10);
    }

    void minsanCellJoinsCodeAndClass_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("classe");
        QTest::addColumn<QString>("cell");
        QTest::newRow("both") << QByteArray("012745093") << QByteArray("A")
                              << QStringLiteral("012745093 - Classe: A");
        QTest::newRow("neither") << QByteArray() << QByteArray() << QStringLiteral("- Classe:");
        QTest::newRow("code only")
            << QByteArray("012745093") << QByteArray() << QStringLiteral("012745093 - Classe:");
        QTest::newRow("class only")
            << QByteArray() << QByteArray("C") << QStringLiteral("- Classe: C");
    }
    void minsanCellJoinsCodeAndClass() {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, classe);
        QFETCH(QString, cell);
        FarmaciFixture f;
        f.store({DrugCard::listed("OKI").put("CodMin", code).put("Classe", classe)});
        TfrmExpFarmaci w(f.fake.services);
        w.show();
        QCOMPARE(w.rows().size(), 1);
        QCOMPARE(w.rows()[0][codMinColumn], cell);
    }

    void sheetHoldsEveryColumnInOrder() {
        FarmaciFixture f;
        f.store({DrugCard::listed("TACHIPIRINA & C.", "COMPRESSE", "5,90")
                     .put("CodMin", "012745093")
                     .put("Classe", "A")
                     .put("Periodo", cp1252("24 mesi, più"))
                     .ticked(),
                 DrugCard::listed("OKI")});
        TfrmExpFarmaci w(f.fake.services);
        w.show();
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        QTest::mouseClick(control<QToolButton>(&w, QStringLiteral("cmdEsporta")), Qt::LeftButton);
        QVERIFY(f.fake.shell.targets.isEmpty());
        QFile file(f.dir.filePath(QStringLiteral("Archivio_Farmaci.xls")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray sheet = file.readAll();
        QVERIFY(sheet.contains("<x:Name>Archivio Farmaci</x:Name>"));

        QByteArray header = "<tr>";
        for (const Column& c : columns)
            header += "<td style=\"text-align: left; font-weight: bold;\" width=" +
                      QByteArray::number(c.width) + ">" + cp1252(c.header) + "</td>";
        header += "</tr>";
        QVERIFY2(sheet.contains(header), sheet.constData());

        const auto cell = [](const QByteArray& text) {
            return "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + text + "</td>";
        };
        const QByteArray first = "<tr>" + cell("TACHIPIRINA &amp; C.") + cell({}).repeated(5) +
                                 cell("012745093 - Classe: A") + cell({}).repeated(2) +
                                 cell("COMPRESSE") + cell({}).repeated(2) +
                                 cell(cp1252("24 mesi, più")) + cell({}).repeated(5) +
                                 cell("5,90") + cell({}).repeated(5) + cell("S\xec") + "</tr>";
        QVERIFY2(sheet.contains(first), sheet.constData());
        const QByteArray second = "<tr>" + cell("OKI") + cell({}).repeated(5) + cell("- Classe:") +
                                  cell({}).repeated(11) + cell("0,00") + cell({}).repeated(5) +
                                  cell("No") + "</tr>";
        QVERIFY2(sheet.contains(second), sheet.constData());
    }

    // Calc takes a cell of digits as a number unless the cell says it is text: an AIFA note
    // "01" would become 1, and a price with a thousands point another number.
    void libreOfficeReadsTheCellsAsTheGridShowsThem() {
        FarmaciFixture f;
        f.store({DrugCard::listed("TACHIPIRINA", "COMPRESSE", "12,50")
                     .put("CodMin", "012345678")
                     .put("Classe", "A")
                     .put("NotaAifa", "01")
                     .put("Confezione", "0020"),
                 DrugCard::listed("OKI", {}, "1.250").put("CodMin", "012345678")});
        TfrmExpFarmaci w(f.fake.services);
        w.show();
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        QTest::mouseClick(control<QToolButton>(&w, QStringLiteral("cmdEsporta")), Qt::LeftButton);
        const CalcSheet calc = readWithCalc(f.dir.filePath(QStringLiteral("Archivio_Farmaci.xls")));
        if (calc.missing)
            QSKIP("LibreOffice (soffice) is not installed: scripts/setup installs it");
        QVERIFY2(calc.error.isEmpty(), qPrintable(calc.error));
        QCOMPARE(calc.rows.size(), 3);
        QCOMPARE(calc.rows[1][codMinColumn], QStringLiteral("012345678 - Classe: A"));
        QCOMPARE(calc.rows[2][codMinColumn], QStringLiteral("012345678 - Classe:"));
        QCOMPARE(calc.rows[1][codMinColumn + 1], QStringLiteral("01"));
        QCOMPARE(calc.rows[1], w.rows()[0]);
        QCOMPARE(calc.rows[2], w.rows()[1]);
    }
};

QTEST_MAIN(TestExpFarmaci)
#include "tst_expfarmaci.moc"
