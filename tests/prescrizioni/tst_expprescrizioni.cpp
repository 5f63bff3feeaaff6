// The prescription export: the columns of the open year's archive in the grid, the sheet
// it writes under one file name for every year, and that sheet opened by LibreOffice Calc.

#include "prescrizioni/tfrmexpprescrizioni.h"
#include "prescrizionifixture.h"
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
    {"colNumFatt", "Prescrizione n.", 200},
    {"colData", "Data emissione", 180},
    {"colLuogo", "Luogo", 250},
    {"colMedico", "Cognome e nome Medico", 250},
    {"colCodFiscMed", "Codice fiscale Medico", 250},
    {"colTipologia", "Tipologia prescrizione", 300},
    {"colPriorita", "Priorità", 250},
    {"colQuesito", "Quesito diagnostico", 300},
    {"colPaziente", "Cognome e nome Paziente", 250},
    {"colSesso", "Sesso", 100},
    {"colDataNasc", "Data di nascita", 180},
    {"colCodFisc", "Codice fiscale", 200},
    {"colRecapito", "Recapito preferenziale", 250},
    {"colTessera", "Tessera sanitaria n.", 250},
    {"colAsl", "ASL di provenienza", 250},
    {"colIndirizzo", "Indirizzo di residenza", 300},
    {"colEsenzione", "Esenzione", 250},
    {"colPresc01", "Prescrizione 1", 300},
    {"colPresc02", "Prescrizione 2", 300},
    {"colPresc03", "Prescrizione 3", 300},
    {"colPresc04", "Prescrizione 4", 300},
    {"colPresc05", "Prescrizione 5", 300},
    {"colPresc06", "Prescrizione 6", 300},
    {"colPresc07", "Prescrizione 7", 300},
};

QByteArray cp1252(const char* utf8) {
    return QString::fromUtf8(utf8).toLatin1(); // the texts here are all in Latin-1
}

// A prescription with every exported field, and a header, quantities and notes that stay out.
Prescription full() {
    Prescription p = Prescription::listed("12/2026", "01/03/2026", "Visita & ECG", "ROSSI MARIO",
                                          "RSSMRA80A01H501U", "333 1234567");
    p.put("StudioMedico", "Studio Bianchi").put("IntRigo02", "Via Roma 1");
    p.put("Luogo", "Milano").put("Medico", "Dott. Bianchi").put("CodFiscMed", "BNCLGU60A01F205X");
    p.put("Priorita", cp1252("Priorità B")).put("Quesito", "Dolore <toracico>");
    p.put("Sesso", "M").put("DataNasc", "01/01/1980").put("Tessera", "80380001");
    p.put("Asl", "ASL Lodi").put("Indirizzo", cp1252("Via Verdi 2, Città")).put("Esenzione", "E01");
    p.put("Presc01", "ASPIRINA").put("Presc07", "ECG").put("Quant01", "2").put("Nota01", "dopo");
    p.put("File01", "referto.pdf").put("Desc01", "referto");
    return p;
}

// The cells of full() as the grid shows them.
QStringList fullCells() {
    const char* texts[] = {"12/2026",
                           "01/03/2026",
                           "Milano",
                           "Dott. Bianchi",
                           "BNCLGU60A01F205X",
                           "Visita & ECG",
                           "Priorità B",
                           "Dolore <toracico>",
                           "ROSSI MARIO",
                           "M",
                           "01/01/1980",
                           "RSSMRA80A01H501U",
                           "333 1234567",
                           "80380001",
                           "ASL Lodi",
                           "Via Verdi 2, Città",
                           "E01",
                           "ASPIRINA"};
    QStringList cells;
    for (const char* t : texts)
        cells << QString::fromUtf8(t);
    cells << QString() << QString() << QString() << QString() << QString() << QStringLiteral("ECG");
    return cells;
}

struct Export {
    explicit Export(PrescrizioniFixture& f, const QString& year = QStringLiteral("2024"))
        : window(f.fake.services, &f.window) {
        window.setArchive(f.archive(year));
        window.show();
    }
    void run() {
        QTest::mouseClick(control<QToolButton>(&window, QStringLiteral("cmdEsporta")),
                          Qt::LeftButton);
    }
    TfrmExpPrescrizioni window;
};

} // namespace

class TestExpPrescrizioni : public QObject {
    Q_OBJECT
private slots:
    void gridHasThePrescriptionColumns() {
        PrescrizioniFixture f;
        Export x(f);
        QCOMPARE(x.window.windowTitle(),
                 QStringLiteral(" Esporta archivio prescrizioni in Microsoft Excel"));
        auto* model = control<QTableView>(&x.window, QStringLiteral("grdRecords"))->model();
        QCOMPARE(model->columnCount(), int(std::size(columns)) + 1);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        for (int i = 0; i < int(std::size(columns)); ++i) {
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal).toString(),
                     QString::fromUtf8(columns[i].header));
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal, Qt::UserRole).toString(),
                     QString::fromLatin1(columns[i].name));
        }
        QCOMPARE(x.window.rowCount(), 10);   // an empty archive: the designed rows
        QVERIFY(QFile::exists(f.archive())); // created empty by the loading
    }

    void gridShowsTheOpenYearOnly() {
        PrescrizioniFixture f;
        f.store({full(), Prescription::listed("13/2026")});
        f.store({Prescription::listed("1/2023")}, QStringLiteral("2023"));
        Export x(f);
        const QList<QStringList> rows = x.window.rows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], fullCells());
        QCOMPARE(rows[1][0], QStringLiteral("13/2026"));
        Export other(f, QStringLiteral("2023"));
        QCOMPARE(other.window.rows().size(), 1);
        QCOMPARE(other.window.rows()[0][0], QStringLiteral("1/2023"));
    }

    void sheetHoldsEveryColumnInOrder() {
        PrescrizioniFixture f;
        f.store({full()});
        Export x(f);
        f.fake.messages.answers = {Answer::Yes, Answer::Yes};
        x.run();
        const QString path = f.dir.filePath(QStringLiteral("Archivio_Prescrizioni.xls"));
        QCOMPARE(f.fake.shell.targets, QStringList{u'"' + path + u'"'});
        const QByteArray sheet = readFile(path);
        QVERIFY(sheet.contains("<x:Name>Archivio Prescrizioni</x:Name>"));
        QByteArray header = "<tr>";
        for (const Column& c : columns)
            header += "<td style=\"text-align: left; font-weight: bold;\" width=" +
                      QByteArray::number(c.width) + ">" + cp1252(c.header) + "</td>";
        header += "</tr>";
        QVERIFY2(sheet.contains(header), sheet.constData());
        QByteArray row = "<tr>";
        for (const QString& cell : fullCells()) {
            QString escaped = cell;
            escaped.replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;"));
            escaped.replace(u'>', QStringLiteral("&gt;"));
            row += "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + escaped.toLatin1() +
                   "</td>";
        }
        row += "</tr>";
        QVERIFY2(sheet.contains(row), sheet.constData());
        QVERIFY(!sheet.contains("Studio Bianchi"));
        QVERIFY(!sheet.contains("referto"));
        QVERIFY(!sheet.contains("dopo"));

        // Another year replaces the same file.
        f.store({Prescription::listed("1/2023")}, QStringLiteral("2023"));
        Export other(f, QStringLiteral("2023"));
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        other.run();
        const QByteArray replaced = readFile(path);
        QVERIFY(replaced.contains("1/2023"));
        QVERIFY(!replaced.contains("12/2026"));
    }

    void libreOfficeReadsTheCellsAsTheGridShowsThem() {
        PrescrizioniFixture f;
        f.store({full(), Prescription::listed("13/2026")});
        Export x(f);
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        x.run();
        const QString sheet = f.dir.filePath(QStringLiteral("Archivio_Prescrizioni.xls"));
        QVERIFY(QFile::exists(sheet));
        const CalcSheet calc = readWithCalc(sheet);
        if (calc.missing)
            QSKIP("LibreOffice (soffice) is not installed: scripts/setup installs it");
        QVERIFY2(calc.error.isEmpty(), qPrintable(calc.error));
        const QList<QStringList>& rows = calc.rows;
        QCOMPARE(rows.size(), 3);
        QStringList headers;
        for (const Column& c : columns)
            headers << QString::fromUtf8(c.header);
        QCOMPARE(rows[0], headers);
        QCOMPARE(rows[1], fullCells());
        QCOMPARE(rows[2], x.window.rows()[1]);
    }
};

QTEST_MAIN(TestExpPrescrizioni)
#include "tst_expprescrizioni.moc"
