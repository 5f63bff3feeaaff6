// The patient search: its filters and list line, the printed list, and the three imports
// of a chosen card: back into the patient editor, into the red prescription editor, and the
// eight values meant for the prescription editor (taken here by a small receiver).

#include "archive/archivefile.h"
#include "archive/recordscan.h"
#include "pazienti/pazienterecord.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "pazientifixture.h"
#include "prescrizioni/tfrmprescrizioni.h"
#include "report/summarylist.h"
#include "ricette/ricettefixture.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList filterEdits{
    u"txtCognome"_s,    u"txtNome"_s,      u"txtCodFisc"_s, u"txtIva"_s,   u"txtDataNasc"_s,
    u"txtComuneNasc"_s, u"txtComuneRes"_s, u"txtTessera"_s, u"txtOrari"_s, u"txtNote"_s};

PatientCard person(const QByteArray& surname, const QByteArray& name) {
    return PatientCard().put(u"Cognome"_s, surname).put(u"Nome"_s, name);
}

void search(QWidget* window, const QList<std::pair<QString, QString>>& typed) {
    for (const auto& [edit, text] : typed)
        typeText(control<QLineEdit>(window, edit), text);
    control<QPushButton>(window, u"btnCerca"_s)->click();
}

QStringList lines(QWidget* window) {
    return qobject_cast<SearchWindow*>(window)->lines();
}

QStringList surnames(QWidget* window) {
    QStringList out;
    for (const QString& line : lines(window))
        out << line.left(30).trimmed();
    return out;
}

// A card with every value the imports copy, its texts in Windows-1252.
PatientCard fullCard() {
    return person("ROSSI", "MARIO")
        .put(u"CodFisc"_s, "RSSMRA80A01H501U")
        .put(u"Sesso"_s, "M")
        .put(u"DataNasc"_s, "01/01/1980")
        .put(u"Recapito"_s, "06 1234567")
        .put(u"Tessera"_s, "80380000001234567890")
        .put(u"Asl"_s, "RM1")
        .put(u"Indirizzo"_s, "Via Nazionale 10")
        .put(u"Cap"_s, "00184")
        .put(u"ComuneRes"_s, "Citt\xe0 di Castello")
        .put(u"ProvRes"_s, "PG");
}

using Typed = QList<std::pair<QString, QString>>;

} // namespace

Q_DECLARE_METATYPE(tarvola::testing::PatientCard)
Q_DECLARE_METATYPE(Typed)

class TestPazientiSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        setListPrinter(
            [](Services& services, QWidget* parent, const QString& title,
               const QStringList& lines) { printSummaryList(services, parent, title, lines); });
    }

    void tenFiltersInEnterOrderWithFrames() {
        PazientiFixture f;
        TfrmTrovaPazienti w(f.fake.services);
        QCOMPARE(w.windowTitle(), u" Trova pazienti in archivio"_s);
        const QStringList captions{u"Cognome:"_s,
                                   u"Nome:"_s,
                                   u"Codice fiscale:"_s,
                                   u"Partita IVA:"_s,
                                   u"Data di nascita:"_s,
                                   u"Comune di nascita:"_s,
                                   u"Comune di residenza:"_s,
                                   u"Tessera sanitaria n."_s,
                                   u"Giorni e orari preferiti per appuntamenti:"_s,
                                   u"Note:"_s};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(control<QLabel>(&w, runName(u"lblCampo"_s, i + 1))->text(), captions[i]);
        QVERIFY(showActive(&w));
        QStringList visited;
        for (int i = 0; i < 11; ++i) {
            QWidget* focus = QApplication::focusWidget();
            visited << focus->objectName();
            const QString frame = runName(u"effCampo"_s, i % 10 + 1);
            QVERIFY2(control<QFrame>(&w, frame)->isVisible(), qPrintable(frame));
            pressEnter(focus);
        }
        QCOMPARE(visited, filterEdits + QStringList{filterEdits.front()});
    }

    // Each filter looks into its own field: a card with the text in that field only.
    void eachFilterLooksIntoItsField_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("field");
        for (const QString& edit : filterEdits)
            QTest::newRow(qPrintable(edit)) << edit << edit.mid(3);
    }
    void eachFilterLooksIntoItsField() {
        QFETCH(QString, edit);
        QFETCH(QString, field);
        PazientiFixture f;
        // The wanted card has "x7q" in the field; the other has it in every other field.
        PatientCard wanted = person("WANTED", "");
        PatientCard other = person("OTHER", "");
        for (const QString& e : filterEdits) {
            const QString fld = e.mid(3);
            if (fld == field)
                wanted.put(fld, fld == u"Cognome"_s ? "WANTED aX7Qz" : "aX7Qz");
            else if (fld != u"Cognome"_s)
                other.put(fld, "aX7Qz");
        }
        f.store({other, wanted});
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {{edit, u"x7q"_s}});
        QCOMPARE(lines(&w).size(), 1);
        QVERIFY2(lines(&w).front().startsWith(u"WANTED"_s), qPrintable(lines(&w).front()));
    }

    void filtersTogetherNarrowTheList_data() {
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("surname and name")
            << Typed{{u"txtCognome"_s, u"ross"_s}, {u"txtNome"_s, u"mar"_s}}
            << QStringList{u"ROSSI MARIO"_s, u"ROSSINI MARTA"_s};
        QTest::newRow("no filter lists every card sorted")
            << Typed{}
            << QStringList{u"bianchi anna"_s, u"ROSSI LUCA"_s, u"ROSSI MARIO"_s, u"ROSSINI MARTA"_s,
                           u"VERDI MARIO"_s};
        QTest::newRow("blanks only are no filter")
            << Typed{{u"txtCognome"_s, u"   "_s}, {u"txtNome"_s, u"mario"_s}}
            << QStringList{u"ROSSI MARIO"_s, u"VERDI MARIO"_s};
        QTest::newRow("a trailing blank does not match a stored surname")
            << Typed{{u"txtCognome"_s, u"rossi "_s}} << QStringList{};
        QTest::newRow("capitals typed match small letters")
            << Typed{{u"txtCognome"_s, u"BIANCHI"_s}} << QStringList{u"bianchi anna"_s};
    }
    void filtersTogetherNarrowTheList() {
        QFETCH(QStringList, listed);
        QFETCH(Typed, typed);
        PazientiFixture f;
        f.store({person("ROSSI", "MARIO"), person("ROSSINI", "MARTA"), person("ROSSI", "LUCA"),
                 person("VERDI", "MARIO"), person("bianchi", "anna")});
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, typed);
        QCOMPARE(surnames(&w), listed);
        QCOMPARE(control<QLabel>(&w, u"lblTrovate"_s)->text(),
                 u"Il presente riepilogo contiene %1 schede."_s.arg(listed.size()));
        QCOMPARE(control<QLabel>(&w, u"lblConta"_s)->text(),
                 QString::number(std::count_if(typed.begin(), typed.end(), [](const auto& t) {
                     return !t.second.trimmed().isEmpty();
                 })));
    }

    void listLineHasItsColumns_data() {
        QTest::addColumn<PatientCard>("card");
        QTest::addColumn<QString>("line");
        QTest::newRow("empty note: 83 characters")
            << person("ROSSI", "MARIO")
                   .put(u"Recapito"_s, "333 1234567")
                   .put(u"CodFisc"_s, "RSSMRA80A01H501U")
            << u"ROSSI MARIO                     Tel. 333 1234567      C.F. RSSMRA80A01H501U  Note: "_s;
        QTest::newRow("long values cut, note whole")
            << person("DELLA GHERARDESCA BONAVENTURA", "MARIA")
                   .put(u"Recapito"_s, "0577 123456 interno 4")
                   .put(u"Note"_s, "Allergico alla penicillina, controlli ogni sei mesi")
            << u"DELLA GHERARDESCA BONAVENTURA   Tel. 0577 123456 int  C.F.                   "
               "Note: Allergico alla penicillina, controlli ogni sei mesi"_s;
        QTest::newRow("accents and no surname")
            << PatientCard().put(u"Nome"_s, "Nicol\xf2").put(u"Note"_s, "perch\xe9 s\xec")
            << u"Nicolò                          Tel.                  C.F.                   "
               "Note: perché sì"_s;
    }
    void listLineHasItsColumns() {
        QFETCH(PatientCard, card);
        QFETCH(QString, line);
        PazientiFixture f;
        f.store({card});
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(lines(&w), QStringList{line});
        if (card.at(card.bytes, u"Note"_s).isEmpty())
            QCOMPARE(lines(&w).front().size(), 83);
    }

    void emptyArchiveListsNothing() {
        PazientiFixture f;
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(lines(&w), QStringList());
        QCOMPARE(control<QLabel>(&w, u"lblTrovate"_s)->text(),
                 u"Il presente riepilogo contiene 0 schede."_s);
        QVERIFY(QFile::exists(f.archive()));
        control<QPushButton>(&w, u"btnTrova"_s)->click();
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{u"Ricerca non applicabile: la lista non contiene nessuna voce."_s});
    }

    void unreadableArchiveKeepsTheFilters() {
        PazientiFixture f;
        QVERIFY(QDir().mkdir(f.archive()));
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        QCOMPARE(f.fake.messages.texts(), QStringList{archiveAccessMessage()});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Plain);
        QVERIFY(control<QWidget>(&w, u"panAvvio"_s)->isVisible());
        QVERIFY(!control<QWidget>(&w, u"panContainer"_s)->isVisible());
    }

    void printedListHasTitleAndLines() {
        PazientiFixture f;
        f.store({person("ROSSI", "MARIO"), person("BIANCHI", "ANNA")});
        TfrmTrovaPazienti w(f.fake.services);
        QVERIFY(showActive(&w));
        search(&w, {});
        control<QPushButton>(&w, u"btnStampa"_s)->click();
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        QCOMPARE(linesOf(f.fake.reports.printed[0], u"txtTitolo"_s),
                 QStringList{u"Riepilogo pazienti in archivio"_s});
        QCOMPARE(linesOf(f.fake.reports.printed[0], u"txtRiepilogo"_s), lines(&w));
        QVERIFY(w.isVisible());
    }

    // Through the patient editor's own button: the whole card, its position, nothing else.
    void patientEditorReloadsTheWholeCard() {
        PazientiFixture f;
        PatientCard card = fullCard()
                               .put(u"Note"_s, "nota")
                               .put(u"Allergie"_s, "POLLINE")
                               .put(u"TipoPrest96"_s, "Visita di controllo")
                               .put(u"Dente32"_s, "Glicemia 90")
                               .put(u"Desc03"_s, "referto");
        f.store({person("BIANCHI", "ANNA"), card, person("VERDI", "LUCA")});
        QVERIFY(f.open());
        const int section = f.window.section();
        QCOMPARE(openedBy([&] { f.click(u"cmdTrova"_s); },
                          [&](QWidget* w) {
                              QCOMPARE(qobject_cast<SearchWindow*>(w)->tag(), u"pazienti"_s);
                              search(w, {{u"txtCognome"_s, u"ross"_s}});
                              doubleClickLine(w, u"ROSSI MARIO"_s);
                              QVERIFY(!w->isVisible());
                          }),
                 u"TfrmTrovaPazienti"_s);
        QCOMPARE(f.position(), u"2"_s);
        QCOMPARE(f.shown(u"Cognome"_s), u"ROSSI"_s);
        QCOMPARE(f.shown(u"ComuneRes"_s), u"Città di Castello"_s);
        QCOMPARE(f.shown(u"ProvRes"_s), u"PG"_s);
        QCOMPARE(f.shown(u"Asl"_s), u"RM1"_s);
        QCOMPARE(f.shown(u"Allergie"_s), u"POLLINE"_s);
        QCOMPARE(f.shown(u"TipoPrest96"_s), u"Visita di controllo"_s);
        QCOMPARE(f.shown(u"Dente32"_s), u"Glicemia 90"_s);
        QCOMPARE(f.label(u"lblDesc03"_s)->text(), u"referto"_s);
        QCOMPARE(f.window.section(), section);
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void equalLinesLoadTheLaterCard() {
        PazientiFixture f;
        // Surname and name differ only after the 30th character: the lines are equal.
        const QByteArray surname = "SANTAMARIA DI CASTELFRANCO";
        f.store({person("ALFA", ""), person(surname, "GIOVANNI").put(u"Note"_s, ""),
                 person(surname, "GIOVANNA").put(u"Note"_s, "").put(u"Peso"_s, "61"),
                 person("ZETA", "")});
        QVERIFY(f.open());
        QStringList listed;
        openedBy([&] { f.click(u"cmdTrova"_s); },
                 [&](QWidget* w) {
                     search(w, {{u"txtCognome"_s, u"santa"_s}});
                     listed = lines(w);
                     doubleClickLine(w, QString::fromLatin1(surname));
                 });
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0], listed[1]);
        QCOMPARE(f.shown(u"Nome"_s), u"GIOVANNA"_s);
        QCOMPARE(f.shown(u"Peso"_s), u"61"_s);
        QCOMPARE(f.position(), u"3"_s);
    }

    void redPrescriptionGetsNameCodeAndAddress_data() {
        QTest::addColumn<PatientCard>("card");
        QTest::addColumn<QString>("assistito");
        QTest::addColumn<QString>("indirizzo");
        QTest::newRow("full") << fullCard() << u"ROSSI MARIO"_s
                              << u"Via Nazionale 10 00184 Città di Castello PG"_s;
        QTest::newRow("no address: three blanks")
            << person("ROSSI", "MARIO") << u"ROSSI MARIO"_s << u"   "_s;
        QTest::newRow("no postcode: two blanks") << fullCard().put(u"Cap"_s, "") << u"ROSSI MARIO"_s
                                                 << u"Via Nazionale 10  Città di Castello PG"_s;
        QTest::newRow("no first name keeps the blank")
            << fullCard().put(u"Nome"_s, "") << u"ROSSI "_s
            << u"Via Nazionale 10 00184 Città di Castello PG"_s;
    }
    void redPrescriptionGetsNameCodeAndAddress() {
        QFETCH(PatientCard, card);
        QFETCH(QString, assistito);
        QFETCH(QString, indirizzo);
        PazientiFixture patients;
        patients.store({person("BIANCHI", "ANNA"), card});
        RicetteFixture r;
        QVERIFY(QFile::copy(patients.archive(), r.dir.filePath(u"Pazienti.pro"_s)));
        QVERIFY(r.open());
        r.setText(u"txtPresc01"_s, u"TACHIPIRINA"_s);
        r.setText(u"txtCodFisc"_s, u"XXXXXX"_s);
        QString tag;
        QCOMPARE(openedBy([&] { r.click(u"impPaziente"_s); },
                          [&](QWidget* w) {
                              tag = qobject_cast<SearchWindow*>(w)->tag();
                              search(w, {{u"txtCognome"_s, u"ross"_s}});
                              doubleClickLine(w, u"ROSSI"_s);
                          }),
                 u"TfrmTrovaPazienti"_s);
        QCOMPARE(tag, u"ricette"_s);
        QCOMPARE(r.text(u"txtAssistito"_s), assistito);
        QCOMPARE(r.text(u"txtCodFisc"_s),
                 QString::fromLatin1(PatientCard::at(card.bytes, u"CodFisc"_s)));
        QCOMPARE(r.text(u"txtIndirizzo"_s), indirizzo);
        QCOMPARE(r.text(u"txtPresc01"_s), u"TACHIPIRINA"_s);
        // Nothing is saved by the import itself.
        QCOMPARE(QFileInfo(r.archive()).size(), 0);
        QVERIFY(r.fake.messages.shown.isEmpty());
    }

    // The prescription editor's receiver: the eight values by control name, in order.
    void prescriptionGetsEightValues() {
        PazientiFixture f;
        f.store({fullCard().put(u"ComuneRes"_s, "").put(u"Cognome"_s, "  ROSSI")});
        TfrmTrovaPazienti w(f.fake.services);
        w.setTag(u"prescrizioni"_s);
        QList<std::pair<QString, QString>> got;
        w.setImportTarget(paziente::ImportEditor::Prescrizione,
                          [&](const QString& c, const QString& v) {
                              got.append({c, v});
                          });
        QStringList red;
        w.setImportTarget(paziente::ImportEditor::RicettaRossa,
                          [&](const QString& c, const QString&) { red << c; });
        QVERIFY(showActive(&w));
        search(&w, {});
        doubleClickLine(&w, u"ROSSI MARIO"_s);
        const QList<std::pair<QString, QString>> expected{
            {u"txtPaziente"_s, u"ROSSI MARIO"_s},
            {u"txtCodFisc"_s, u"RSSMRA80A01H501U"_s},
            {u"txtSesso"_s, u"M"_s},
            {u"txtDataNasc"_s, u"01/01/1980"_s},
            {u"txtRecapito"_s, u"06 1234567"_s},
            {u"txtTessera"_s, u"80380000001234567890"_s},
            {u"txtAsl"_s, u"RM1"_s},
            {u"txtIndirizzo"_s, u"Via Nazionale 10 00184  PG"_s}};
        QCOMPARE(got, expected);
        QVERIFY(red.isEmpty());
        QVERIFY(!w.isVisible());
    }

    // Through the prescription editor's own button: the eight values land in its form, the
    // rest of the prescription stays, and nothing is saved.
    void prescriptionEditorImportsThePatient() {
        PazientiFixture f;
        f.store({person("BIANCHI", "ANNA"), fullCard()});
        TfrmPrescrizioni editor(f.fake.services);
        const QString year = f.dir.filePath(u"2024.med"_s);
        editor.openYear(year, u"2024"_s);
        QVERIFY(showActive(&editor));
        FormAccess form(&editor);
        form.setText(u"txtPresc01"_s, u"EMOCROMO"_s);
        form.setText(u"txtSesso"_s, u"F"_s);
        QString tag;
        QCOMPARE(openedBy([&] { form.click(u"impPaziente"_s); },
                          [&](QWidget* w) {
                              tag = qobject_cast<SearchWindow*>(w)->tag();
                              search(w, {{u"txtCognome"_s, u"ross"_s}});
                              doubleClickLine(w, u"ROSSI"_s);
                          }),
                 u"TfrmTrovaPazienti"_s);
        QCOMPARE(tag, u"prescrizioni"_s);
        QCOMPARE(form.text(u"txtPaziente"_s), u"ROSSI MARIO"_s);
        QCOMPARE(form.text(u"txtCodFisc"_s), u"RSSMRA80A01H501U"_s);
        QCOMPARE(form.text(u"txtSesso"_s), u"M"_s);
        QCOMPARE(form.text(u"txtDataNasc"_s), u"01/01/1980"_s);
        QCOMPARE(form.text(u"txtRecapito"_s), u"06 1234567"_s);
        QCOMPARE(form.text(u"txtTessera"_s), u"80380000001234567890"_s);
        QCOMPARE(form.text(u"txtAsl"_s), u"RM1"_s);
        QCOMPARE(form.text(u"txtIndirizzo"_s), u"Via Nazionale 10 00184 Città di Castello PG"_s);
        QCOMPARE(form.text(u"txtPresc01"_s), u"EMOCROMO"_s);
        QVERIFY(!QFileInfo::exists(year) || QFileInfo(year).size() == 0);
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void tagDecidesWhatIsWritten_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("prescription");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("reloaded");
        QTest::newRow("prescrizioni") << u"prescrizioni"_s << 8 << 0 << 0;
        QTest::newRow("ricette") << u"ricette"_s << 0 << 3 << 0;
        QTest::newRow("pazienti") << u"pazienti"_s << 0 << 0 << 1;
        QTest::newRow("unknown") << u"farmaci"_s << 0 << 0 << 0;
        QTest::newRow("none") << QString() << 0 << 0 << 0;
    }
    void tagDecidesWhatIsWritten() {
        QFETCH(QString, tag);
        QFETCH(int, prescription);
        QFETCH(int, red);
        QFETCH(int, reloaded);
        PazientiFixture f;
        f.store({fullCard()});
        TfrmTrovaPazienti w(f.fake.services);
        w.setTag(tag);
        int seen[3] = {0, 0, 0};
        w.setImportTarget(paziente::ImportEditor::Prescrizione,
                          [&](const QString&, const QString&) { ++seen[0]; });
        w.setImportTarget(paziente::ImportEditor::RicettaRossa,
                          [&](const QString&, const QString&) { ++seen[1]; });
        w.setRecallTarget([&](const Record& record, qint64 position) {
            QCOMPARE(position, 1);
            QCOMPARE(record.value(u"Asl"_s), u"RM1"_s);
            ++seen[2];
        });
        QVERIFY(showActive(&w));
        search(&w, {});
        doubleClickLine(&w, u"ROSSI"_s);
        QCOMPARE(seen[0], prescription);
        QCOMPARE(seen[1], red);
        QCOMPARE(seen[2], reloaded);
        QVERIFY(!w.isVisible());
    }

    // The search reads only the fields it needs: the others read as empty, and the whole
    // card is still there when one is chosen.
    void rangedReadsSeeOnlyTheirFields() {
        PazientiFixture f;
        f.store({fullCard().put(u"Allergie"_s, "POLLINE"), person("BIANCHI", "ANNA")});
        const RecordLayout& layout = paziente::layout();
        const QList<int> fields{int(layout.indexOf(u"Cognome"_s)), int(layout.indexOf(u"Asl"_s))};
        QCOMPARE(fieldRanges(layout, fields), (QList<ByteRange>{{0, 51}, {41722, 31}}));
        QStringList seen;
        QVERIFY(scanArchiveFields(
            f.archive(), layout, fields, [&](qint64 position, const RecordView& card) {
                seen << u"%1 %2 %3 [%4]"_s.arg(position).arg(
                    card.field(u"Cognome"_s), card.field(u"Asl"_s), card.field(u"Nome"_s));
                if (position == 1)
                    QCOMPARE(card.record().value(u"Allergie"_s), u"POLLINE"_s);
            }));
        QCOMPARE(seen, (QStringList{u"1 ROSSI RM1 []"_s, u"2 BIANCHI  []"_s}));
    }

    void rangedReadsStopAtATornTail() {
        PazientiFixture f;
        f.store({fullCard(), person("BIANCHI", "ANNA")});
        QFile file(f.archive());
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(1000, 'x'));
        file.close();
        int visited = 0;
        QVERIFY(scanArchiveFields(f.archive(), paziente::layout(), paziente::searchFields(),
                                  [&](qint64, const RecordView&) { ++visited; }));
        QCOMPARE(visited, 2);
    }
};

QTEST_MAIN(TestPazientiSearch)
#include "tst_pazientisearch.moc"
