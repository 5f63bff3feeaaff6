// The patient archive export (25 columns, Pazienti.xls) and the services export of the card
// on screen (96 rows, Prestazioni.xls), each also read back by LibreOffice Calc.

#include "pazienti/tfrmexppazienti.h"
#include "pazienti/tfrmexpprestazioni.h"
#include "pazientifixture.h"
#include "support/calc.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

struct Column {
    const char* name;
    const char* header;
    int width;
};

constexpr Column columns[] = {
    {"colCognome", "Cognome Paziente", 250},
    {"colNome", "Nome Paziente", 250},
    {"colCodFisc", "Codice fiscale", 250},
    {"colSesso", "Sesso", 120},
    {"colDataNasc", "Data di nascita", 200},
    {"colComuneNasc", "Comune di nascita", 250},
    {"colIva", "Partita IVA", 250},
    {"colIndirizzo", "Via e numero civico", 300},
    {"colCap", "CAP", 120},
    {"colComuneRes", "Comune di residenza", 250},
    {"colTelCasa", "Tel. casa", 250},
    {"colTelUff", "Tel. ufficio", 250},
    {"colTelCel", "Tel. cellulare", 250},
    {"colFax", "Fax", 250},
    {"colRecapito", "Recapito preferenziale", 250},
    {"colEmail", "E-mail", 250},
    {"colOrari", "Giorni e orari preferiti", 300},
    {"colTessera", "Tessera sanitaria n.", 250},
    {"colPagamento", "Modalità di pagamento", 250},
    {"colNote", "Note", 300},
    {"colProtesi", "Protesi", 300},
    {"colHandicap", "Handicap psicomotori", 300},
    {"colMalattie", "Malattie infettive", 300},
    {"colAllergie", "Allergie accertate", 300},
    {"colRaccomandazioni", "Raccomandazioni mediche", 300},
};

QByteArray cp1252(const char* utf8) {
    return QString::fromUtf8(utf8).toLatin1(); // the texts here are all in Latin-1
}

QByteArray left(const QByteArray& text) {
    return "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + text + "</td>";
}
QByteArray right(const QByteArray& text) {
    return "<td style=\"text-align: right;\" sdnum=\"1040;0;@\">" + text + "</td>";
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every field a column shows holds its own name, so a column taking the wrong field shows.
PatientCard everyColumn(const QByteArray& surname) {
    PatientCard card;
    for (const char* field :
         {"Nome",      "CodFisc",  "DataNasc", "ComuneNasc",     "Iva",  "Indirizzo",
          "ComuneRes", "TelCasa",  "TelUff",   "TelCel",         "Fax",  "Recapito",
          "Email",     "Orari",    "Tessera",  "Pagamento",      "Note", "Protesi",
          "Handicap",  "Malattie", "Allergie", "Raccomandazioni"})
        card.put(QString::fromLatin1(field), QByteArray("v") + field);
    return card.put(u"Cognome"_s, surname)
        .put(u"Sesso"_s, "F")
        .put(u"Cap"_s, "06100")
        .put(u"ProvNasc"_s, "FC")
        .put(u"ProvRes"_s, "PG");
}

} // namespace

class TestExpPazienti : public QObject {
    Q_OBJECT
private slots:
    void gridHasThePatientColumns() {
        PazientiFixture f;
        TfrmExpPazienti w(f.fake.services);
        QCOMPARE(w.windowTitle(), u" Esporta archivio pazienti in Microsoft Excel"_s);
        w.show();
        auto* model = control<QTableView>(&w, u"grdRecords"_s)->model();
        QCOMPARE(model->columnCount(), int(std::size(columns)) + 1);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), u"N."_s);
        for (int i = 0; i < int(std::size(columns)); ++i) {
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal).toString(),
                     QString::fromUtf8(columns[i].header));
            QCOMPARE(model->headerData(i + 1, Qt::Horizontal, Qt::UserRole).toString(),
                     QString::fromLatin1(columns[i].name));
        }
        QCOMPARE(w.rowCount(), 10);
    }

    void threeCardsGiveThreeRows() {
        PazientiFixture f;
        f.store({everyColumn("ROSSI & FIGLI"), everyColumn("Bianch\xec").put(u"ProvRes"_s, ""),
                 everyColumn("VERDI")});
        TfrmExpPazienti w(f.fake.services);
        w.show();
        QCOMPARE(w.rowCount(), 3);
        // The town and its province in one column; the cell of an empty province is the
        // town alone, as every cell is written trimmed.
        QCOMPARE(w.rows()[0][9], u"vComuneRes PG"_s);
        QCOMPARE(w.rows()[1][9], u"vComuneRes"_s);
        f.fake.messages.answers = {Answer::Yes, Answer::Yes};
        QTest::mouseClick(control<QToolButton>(&w, u"cmdEsporta"_s), Qt::LeftButton);
        const QString path = f.dir.filePath(u"Pazienti.xls"_s);
        QCOMPARE(f.fake.shell.targets, QStringList{u'"' + path + u'"'});
        QVERIFY(w.isVisible());
        const QByteArray sheet = readFile(path);
        QVERIFY(sheet.contains("<x:Name>Riepilogo Pazienti</x:Name>"));
        QByteArray header = "<tr>";
        for (const Column& c : columns)
            header += "<td style=\"text-align: left; font-weight: bold;\" width=" +
                      QByteArray::number(c.width) + ">" + cp1252(c.header) + "</td>";
        header += "</tr>";
        QVERIFY2(sheet.contains(header), sheet.constData());
        const QByteArray first =
            "<tr>" + left("ROSSI &amp; FIGLI") + left("vNome") + left("vCodFisc") + left("F") +
            left("vDataNasc") + left("vComuneNasc FC") + left("vIva") + left("vIndirizzo") +
            left("06100") + left("vComuneRes PG") + left("vTelCasa") + left("vTelUff") +
            left("vTelCel") + left("vFax") + left("vRecapito") + left("vEmail") + left("vOrari") +
            left("vTessera") + left("vPagamento") + left("vNote") + left("vProtesi") +
            left("vHandicap") + left("vMalattie") + left("vAllergie") + left("vRaccomandazioni") +
            "</tr>";
        QVERIFY2(sheet.contains(first), sheet.constData());
        QVERIFY(sheet.contains("<tr>" + left("Bianch\xec") + left("vNome")));
        QCOMPARE(sheet.count("<tr>"), 4);

        const CalcSheet calc = readWithCalc(path);
        if (calc.missing)
            QSKIP("soffice is not installed");
        QVERIFY2(calc.error.isEmpty(), qPrintable(calc.error));
        QCOMPARE(calc.rows.size(), 4);
        QCOMPARE(calc.rows[0].mid(0, 4), (QStringList{u"Cognome Paziente"_s, u"Nome Paziente"_s,
                                                      u"Codice fiscale"_s, u"Sesso"_s}));
        const QStringList& cells = calc.rows[1];
        QCOMPARE(cells.size(), 25);
        QCOMPARE(cells.mid(0, 8),
                 (QStringList{u"ROSSI & FIGLI"_s, u"vNome"_s, u"vCodFisc"_s, u"F"_s, u"vDataNasc"_s,
                              u"vComuneNasc FC"_s, u"vIva"_s, u"vIndirizzo"_s}));
        QCOMPARE(cells[8], u"06100"_s);
        QCOMPARE(cells[9], u"vComuneRes PG"_s);
        QCOMPARE(calc.rows[2].mid(0, 2), (QStringList{u"Bianchì"_s, u"vNome"_s}));
        QCOMPARE(calc.rows[3].mid(23), (QStringList{u"vAllergie"_s, u"vRaccomandazioni"_s}));
    }

    // Calc takes a cell of digits as a number unless the cell says it is text: a postcode
    // would lose its leading zeros and a 20-digit card number its last digits.
    void libreOfficeKeepsCodesAndNumbersAsTyped() {
        PazientiFixture f;
        f.store({everyColumn("ROSSI")
                     .put(u"Cap"_s, "00184")
                     .put(u"TelCasa"_s, "0612345678")
                     .put(u"TelCel"_s, "3331234567")
                     .put(u"Tessera"_s, "80380000000123456789")
                     .put(u"Iva"_s, "00743110157")
                     .put(u"DataNasc"_s, "05/03/1960")});
        TfrmExpPazienti w(f.fake.services);
        w.show();
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        QTest::mouseClick(control<QToolButton>(&w, u"cmdEsporta"_s), Qt::LeftButton);
        const CalcSheet calc = readWithCalc(f.dir.filePath(u"Pazienti.xls"_s));
        if (calc.missing)
            QSKIP("soffice is not installed");
        QVERIFY2(calc.error.isEmpty(), qPrintable(calc.error));
        QVERIFY(calc.rows.size() >= 2);
        const QStringList& cells = calc.rows[1];
        QCOMPARE(cells.size(), 25);
        QCOMPARE(cells[4], u"05/03/1960"_s);
        QCOMPARE(cells[6], u"00743110157"_s);
        QCOMPARE(cells[8], u"00184"_s);
        QCOMPARE(cells[10], u"0612345678"_s);
        QCOMPARE(cells[12], u"3331234567"_s);
        QCOMPARE(cells[17], u"80380000000123456789"_s);
    }

    void emptyArchiveExportsTenEmptyRows() {
        PazientiFixture f;
        TfrmExpPazienti w(f.fake.services);
        w.show();
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        QTest::mouseClick(control<QToolButton>(&w, u"cmdEsporta"_s), Qt::LeftButton);
        const QByteArray sheet = readFile(f.dir.filePath(u"Pazienti.xls"_s));
        QCOMPARE(sheet.count("<tr>" + left({}).repeated(25) + "</tr>"), 10);
        QVERIFY(f.fake.shell.targets.isEmpty());
    }

    void helpNamesThePatients() {
        PazientiFixture f;
        TfrmExpPazienti w(f.fake.services);
        w.show();
        QString shown;
        QCOMPARE(
            openedBy(
                [&] { QTest::mouseClick(control<QToolButton>(&w, u"cmdGuida"_s), Qt::LeftButton); },
                [&](QWidget* help) {
                    for (QLabel* l : help->findChildren<QLabel*>())
                        shown += l->text() + u'|';
                    for (QPlainTextEdit* e : help->findChildren<QPlainTextEdit*>())
                        shown += e->toPlainText();
                }),
            u"TfrmGuida"_s);
        QVERIFY2(shown.contains(u"Esportazione archivio pazienti in Microsoft Excel|"_s),
                 qPrintable(shown));
        QVERIFY2(shown.contains(u"Il pulsante Esporta archivio consente di esportare i dati "
                                "anagrafici di tutti i pazienti in un foglio di lavoro"_s),
                 qPrintable(shown));
        QVERIFY(shown.contains(u"assegnandogli un nome qualsiasi."_s));
    }

    // From the editor's services section: the 96 rows on screen, saved or not.
    void servicesExportWritesTheRowsOnScreen() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.show(u"DataPrest01"_s, u"02/03/2026"_s);
        f.show(u"OraPrest01"_s, u"09:30"_s);
        f.show(u"TipoPrest01"_s, u"Visita & controllo <urgente>"_s);
        f.show(u"ImpPrest01"_s, u"80,00"_s);
        f.show(u"TipoPrest96"_s, u"Ecografia più referto"_s);
        f.fake.messages.answers = {Answer::Yes, Answer::Yes};
        QCOMPARE(openedBy([&] { f.click(u"btnEsportaPrest"_s); },
                          [&](QWidget* w) {
                              QCOMPARE(w->windowTitle(),
                                       u" Esporta e stampa dati in Microsoft Excel"_s);
                              control<QPushButton>(w, u"btnStampa"_s)->click();
                              // Opening the file closes the window.
                              QVERIFY(!w->isVisible());
                          }),
                 u"TfrmExpPrestazioni"_s);
        const QString path = f.dir.filePath(u"Prestazioni.xls"_s);
        QCOMPARE(f.fake.shell.targets, QStringList{u'"' + path + u'"'});
        const QByteArray sheet = readFile(path);
        QVERIFY(sheet.contains("<x:Name>Riepilogo Prestazioni</x:Name>"));
        QVERIFY(sheet.contains(
            "<tr><td style=\"text-align: left; font-weight: bold;\" width=150>Data</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=150>Ora</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=500>Prestazione eseguita "
            "ed esito</td><td style=\"text-align: left; font-weight: bold;\" width=200>Importo"
            "</td></tr>"));
        QVERIFY2(sheet.contains("<tr>" + left("02/03/2026") + left("09:30") +
                                left("Visita &amp; controllo &lt;urgente&gt;") + right("80,00") +
                                "</tr>"),
                 sheet.constData());
        QCOMPARE(sheet.count("<tr>"), 97);
        QVERIFY(sheet.contains(cp1252("Ecografia più referto")));
    }

    void servicesOfAnEmptyCardStillGive96Rows() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        TfrmExpPrestazioni w(f.fake.services, &f.window);
        QVERIFY(showActive(&w));
        control<QPushButton>(&w, u"btnStampa"_s)->click();
        // On No the window stays and nothing is opened.
        QVERIFY(w.isVisible());
        QVERIFY(f.fake.shell.targets.isEmpty());
        const QString path = f.dir.filePath(u"Prestazioni.xls"_s);
        const QByteArray sheet = readFile(path);
        // A new card's amounts show "0,00".
        QCOMPARE(sheet.count("<tr>" + left({}).repeated(3) + right("0,00") + "</tr>"), 96);

        const CalcSheet calc = readWithCalc(path);
        if (calc.missing)
            QSKIP("soffice is not installed");
        QVERIFY2(calc.error.isEmpty(), qPrintable(calc.error));
        QCOMPARE(calc.rows.size(), 97);
        QCOMPARE(calc.rows[0], (QStringList{u"Data"_s, u"Ora"_s, u"Prestazione eseguita ed esito"_s,
                                            u"Importo"_s}));
        // The right-aligned amount is text too, as typed.
        QCOMPARE(calc.rows[96], (QStringList{{}, {}, {}, u"0,00"_s}));
    }

    void answersAndFailures_data() {
        QTest::addColumn<bool>("services");
        QTest::newRow("patients") << false;
        QTest::newRow("services") << true;
    }
    void answersAndFailures() {
        QFETCH(bool, services);
        PazientiFixture f;
        QVERIFY(f.open());
        const QString path = f.dir.filePath(services ? u"Prestazioni.xls"_s : u"Pazienti.xls"_s);
        std::unique_ptr<QDialog> w;
        if (services)
            w = std::make_unique<TfrmExpPrestazioni>(f.fake.services, &f.window);
        else
            w = std::make_unique<TfrmExpPazienti>(f.fake.services);
        QVERIFY(showActive(w.get()));
        const auto press = [&] {
            if (services)
                control<QPushButton>(w.get(), u"btnStampa"_s)->click();
            else
                QTest::mouseClick(control<QToolButton>(w.get(), u"cmdEsporta"_s), Qt::LeftButton);
        };
        // No to the confirmation: nothing written.
        f.fake.messages.answers = {Answer::No};
        press();
        QVERIFY(!QFile::exists(path));
        // A folder where the file goes: it cannot be replaced.
        QVERIFY(QDir().mkdir(path));
        f.fake.messages.clear();
        f.fake.messages.answers = {Answer::Yes};
        press();
        QCOMPARE(f.fake.messages.last(),
                 u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che "
                 "il file di Excel non sia già aperto."_s);
        QCOMPARE(f.fake.messages.shown.last().kind, MessageKind::Plain);
        QVERIFY(w->isVisible());
        QVERIFY(f.fake.shell.targets.isEmpty());
    }
};

QTEST_MAIN(TestExpPazienti)
#include "tst_exppazienti.moc"
