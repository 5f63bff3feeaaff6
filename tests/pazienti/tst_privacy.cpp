// The privacy consent form: the practice block kept in Velmora.ini, the patient block the
// editor fills, the Enter cycle and typing rules, and Modulo_Privacy.rtf segment by segment,
// its values escaped, and opened by LibreOffice with every name intact.

#include "archive/settings.h"
#include "pazienti/privacyform.h"
#include "pazienti/tfrmprivacy.h"
#include "pazientifixture.h"
#include "platform/inifile.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

// The document as the consent form is laid down: each piece with the names of the values
// between "@"; a summarised paragraph is checked by its opening control words and its end.
struct Expected {
    const char* text;
    bool summarised;
    char ending;
};
const Expected expected[] = {
    {R"seg({\rtf1\ansi\ansicpg1252\deff0\deflang1040{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f1\fnil Verdana;}})seg",
     false, 0},
    {R"seg({\colortbl ;\red0\green0\blue0;})seg", false, 0},
    {R"seg(\viewkind4\uc1\pard\qc\b\f0\fs40 Consenso al trattamento dei dati personali e sensibili)seg",
     false, 0},
    {R"seg(\par \b0\fs28 (Informativa ai sensi del Regolamento UE 2016/679))seg", false, 0},
    {R"seg(\par ______________________________________________________)seg", false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qj\fs24 Ai sensi del Regolamento UE 2016/679 (Regolamento Generale sulla Protezione dei Dati - General Data Protection Regulation - GDPR), il presente Studio Medico \b @txtStudioDent@\b0 , con sede a \b @txtCittaDent@\b0  (\b @txtProvDent@\b0 ), CAP: \b @txtCapDent@\b0 , in \b @txtIndirizzoDent@\b0 , codice fiscale: \b @txtCodFiscDent@\b0 , partita IVA: \b @txtIvaDent@\b0 , recapiti telefonici: \b @txtTelDent@\b0 , informa che i dati anagrafici e sanitari qualificati come personali dalla legge (ivi compresi dati personali inerenti allo stato di salute, alla vita sessuale e all'origine razziale ed etnica), ad esso forniti dal Paziente Sig. \b @txtPaziente@\b0 , nato a \b @txtComuneNasc@\b0  (\b @txtProvNasc@\b0 ) il \b @txtDataNasc@\b0 , residente a \b @txtComuneRes@\b0  (\b @txtProvRes@\b0 ), CAP: \b @txtCapRes@\b0  in \b @txtIndirizzo@\b0 , codice fiscale: \b @txtCodFisc@\b0 , recapito telefonico: \b @txtRecapito@\b0 , saranno trattati come di seguito descritto:)seg",
     false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b 1. Finalit\'e0 e modalit\'e0 del trattamento cui sono destinati i dati.)seg",
     false, 0},
    {R"seg(\par \b0 )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b 2. Natura obbligatoria o facoltativa del conferimento e conseguenze al rifiuto del consenso.)seg",
     false, 0},
    {R"seg(\par \b0 )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b 3. Soggetti che possono venire a conoscenza dei dati.)seg", false, 0},
    {R"seg(\par \b0 )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b 4. Diritti degli interessati.)seg", false, 0},
    {R"seg(\par \b0 )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b 5. Titolare del trattamento dati.)seg", false, 0},
    {R"seg(\par \b0 Titolare del trattamento dei dati, nonché Responsabile del trattamento e Responsabile protezione dati (RPD) o Data Protection Officer (DPO) è lo Studio Medico, rappresentato dal Dott. \b @txtPrivacy@\b0 , domiciliato per la carica nella sede dello stesso Studio.)seg",
     false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qc\b Consenso dell'interessato)seg", false, 0},
    {R"seg(\par \pard\qj\b0 )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qc\b Diritto di accesso ai dati personali ed altri diritti)seg", false, 0},
    {R"seg(\par \pard\qj 1.\b0  )seg", true, '.'},
    {R"seg(\par \b 2.\b0  )seg", true, '.'},
    {R"seg(\par \b 3.\b0  )seg", true, '.'},
    {R"seg(\par \b 4.\b0  )seg", true, '.'},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qc\b DICHIARAZIONE DEL PAZIENTE)seg", false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qj\b0 Io sottoscritto \b @txtPaziente@\b0 , nato a \b @txtComuneNasc@\b0  (\b @txtProvNasc@\b0 ) il \b @txtDataNasc@\b0 , residente a \b @txtComuneRes@\b0  (\b @txtProvRes@\b0 ), CAP: \b @txtCapRes@\b0  in \b @txtIndirizzo@\b0 , codice fiscale: \b @txtCodFisc@\b0 , esprimo il mio libero consenso al trattamento dei dati personali e particolari. A tal fine dichiaro di essere stato informato su:)seg",
     false, 0},
    {R"seg(\par \b 1)\b0  )seg", true, ';'},
    {R"seg(\par \b 2)\b0  )seg", true, ';'},
    {R"seg(\par \b 3)\b0  )seg", true, ';'},
    {R"seg(\par \b 4)\b0  )seg", true, ';'},
    {R"seg(\par \b 5)\b0  )seg", true, '.'},
    {R"seg(\par Con la presente, esprimo il mio consenso al trattamento dei dati personali e sensibili al Dottor \b @txtPrivacy@\b0  esclusivamente per le attivit\'e0 di prevenzione, diagnosi, cura e riabilitazione svolte a tutela della mia salute.)seg",
     false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \b @txtLuogo@\b0 , \b @txtData@\b0 .)seg", false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par \pard\qr\b Firma del Paziente per accettazione)seg", false, 0},
    {R"seg(\par)seg", false, 0},
    {R"seg(\par _______________________________)seg", false, 0},
    {R"seg(\par \b0)seg", false, 0},
    {R"seg(\par \pard\cf1\b\f1)seg", false, 0},
    {R"seg(\par })seg", false, 0},
};

const QStringList cycle{u"txtStudioDent"_s,    u"txtTelDent"_s,   u"txtIvaDent"_s,
                        u"txtCodFiscDent"_s,   u"txtCittaDent"_s, u"txtProvDent"_s,
                        u"txtIndirizzoDent"_s, u"txtCapDent"_s,   u"txtPaziente"_s,
                        u"txtComuneNasc"_s,    u"txtProvNasc"_s,  u"txtDataNasc"_s,
                        u"txtCodFisc"_s,       u"txtComuneRes"_s, u"txtProvRes"_s,
                        u"txtIndirizzo"_s,     u"txtCapRes"_s,    u"txtRecapito"_s,
                        u"txtPrivacy"_s,       u"txtData"_s,      u"txtLuogo"_s};

// A patient and practice with accented names.
privacy::Values sample() {
    return {{u"txtStudioDent"_s, u"Studio Medico Dott.ssa Nicolò"_s},
            {u"txtTelDent"_s, u"075 123456"_s},
            {u"txtIvaDent"_s, u"01234567890"_s},
            {u"txtCodFiscDent"_s, u"NCLLCU70A01G478X"_s},
            {u"txtCittaDent"_s, u"Città di Castello"_s},
            {u"txtProvDent"_s, u"PG"_s},
            {u"txtIndirizzoDent"_s, u"Via dell'Università 3"_s},
            {u"txtCapDent"_s, u"06012"_s},
            {u"txtPaziente"_s, u"D'Agostino Adèle"_s},
            {u"txtComuneNasc"_s, u"Forlì"_s},
            {u"txtProvNasc"_s, u"FC"_s},
            {u"txtDataNasc"_s, u"02/03/1971"_s},
            {u"txtCodFisc"_s, u"DGSDLA71C42D704Z"_s},
            {u"txtComuneRes"_s, u"Cefalù"_s},
            {u"txtProvRes"_s, u"PA"_s},
            {u"txtIndirizzo"_s, u"Piazza Duomo 1"_s},
            {u"txtCapRes"_s, u"90015"_s},
            {u"txtRecapito"_s, u"333 7654321"_s},
            {u"txtPrivacy"_s, u"Gianluca Nicolò"_s},
            {u"txtData"_s, u"14/03/2026"_s},
            {u"txtLuogo"_s, u"Perugia"_s}};
}

// A piece with its values put in, as Windows-1252 bytes: every character of these texts is
// in the code page's Latin-1 part, so each is the byte of its code.
QByteArray filled(const char* text, const privacy::Values& values) {
    const QStringList parts = QString::fromUtf8(text).split(u'@');
    QString out;
    for (qsizetype i = 0; i < parts.size(); ++i)
        out += i % 2 ? values.value(parts[i]).trimmed() : parts[i];
    return out.toLatin1();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct PrivacyFixture {
    QTemporaryDir dir;
    FakeServices fake{dir.path()};
    QString document() const { return dir.filePath(u"Modulo_Privacy.rtf"_s); }
    QString ini() const { return dir.filePath(u"Velmora.ini"_s); }
};

void fill(TfrmPrivacy& w, const privacy::Values& values) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (auto* combo = w.findChild<QComboBox*>(it.key()))
            combo->setEditText(it.value());
        else
            control<QLineEdit>(&w, it.key())->setText(it.value());
    }
}

void click(QWidget* w, const QString& name) {
    control<QPushButton>(w, name)->click();
}

using Answers = QList<Answer>;

} // namespace

Q_DECLARE_METATYPE(Answers)

class TestPrivacy : public QObject {
    Q_OBJECT
private slots:
    void segmentsAreWrittenByteForByte() {
        const privacy::Values values = sample();
        const QList<QByteArray> segments = privacy::segments(values);
        QCOMPARE(segments.size(), 50);
        for (int i = 0; i < 50; ++i) {
            const Expected& e = expected[i];
            const QByteArray got = segments[i];
            const QByteArray want = filled(e.text, values);
            if (!e.summarised) {
                QVERIFY2(got == want,
                         qPrintable(u"segment %1: %2"_s.arg(i + 1).arg(QString::fromLatin1(got))));
                continue;
            }
            // Its control words, then one paragraph of prose ending as stated.
            QVERIFY2(got.startsWith(want), qPrintable(QString::number(i + 1)));
            QVERIFY2(got.size() > want.size() + 40, qPrintable(QString::number(i + 1)));
            QCOMPARE(got.back(), e.ending);
            const QByteArray prose = got.mid(want.size());
            QVERIFY(!prose.contains('\\') && !prose.contains('{') && !prose.contains('}'));
        }
        QCOMPARE(privacy::document(values), segments.join());
        // The patient's accented names are Windows-1252 bytes.
        QVERIFY(segments[6].contains("D'Agostino Ad\xe8le"));
        QVERIFY(segments[6].contains("Forl\xec"));
        QVERIFY(segments[21].contains("nonch\xe9"));
    }

    void emptyValuesLeaveTheirSlotsEmpty() {
        const QList<QByteArray> segments = privacy::segments({});
        QVERIFY(segments[6].contains(
            "Sig. \\b \\b0 , nato a \\b \\b0  (\\b \\b0 ) il \\b \\b0 , residente"));
        QCOMPARE(segments[42], QByteArray("\\par \\b \\b0 , \\b \\b0 ."));
    }

    void valuesCannotBreakTheDocument_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("braces") << u"Rossi {Mario}"_s << QByteArray("Rossi \\{Mario\\}");
        QTest::newRow("backslash") << u"C:\\Studio\\par"_s << QByteArray("C:\\\\Studio\\\\par");
        QTest::newRow("outside the code page") << u"Łukasz €"_s << QByteArray("?ukasz \x80");
        QTest::newRow("blanks trimmed") << u"  Rossi  "_s << QByteArray("Rossi");
    }
    void valuesCannotBreakTheDocument() {
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        const QList<QByteArray> segments = privacy::segments({{u"txtLuogo"_s, value}});
        QCOMPARE(segments[42], "\\par \\b " + written + "\\b0 , \\b \\b0 .");
        // The document's groups stay balanced.
        const QByteArray doc = privacy::document({{u"txtPaziente"_s, value}});
        int depth = 0;
        for (qsizetype i = 0; i < doc.size(); ++i) {
            if (doc[i] == '\\') {
                ++i;
                continue;
            }
            depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
            QVERIFY(depth >= 0);
        }
        QCOMPARE(depth, 0);
    }

    void enterCyclesThroughTheFieldsWithFrames() {
        PrivacyFixture f;
        TfrmPrivacy w(f.fake.services);
        QCOMPARE(w.windowTitle(), u" Esporta e stampa Modulo Privacy"_s);
        QVERIFY(showActive(&w));
        QStringList visited;
        for (int i = 0; i <= cycle.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            // A combo's line edit has the focus inside its combo.
            QWidget* field =
                qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
            visited << field->objectName();
            const QString frame = u"eff"_s + field->objectName().mid(3);
            QVERIFY2(control<QFrame>(&w, frame)->isVisible(), qPrintable(frame));
            pressEnter(focus);
        }
        QCOMPARE(visited, cycle + QStringList{cycle.front()});
    }

    void typingRules_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("practice VAT digits only") << u"txtIvaDent"_s << u"12a 3-4"_s << u"1234"_s;
        QTest::newRow("patient code capitals, no blanks")
            << u"txtCodFisc"_s << u" rss mra"_s << u"RSSMRA"_s;
        QTest::newRow("practice code capitals") << u"txtCodFiscDent"_s << u"ab1"_s << u"AB1"_s;
        QTest::newRow("province two capitals") << u"txtProvDent"_s << u"pgx"_s << u"PG"_s;
        QTest::newRow("birth province") << u"txtProvNasc"_s << u"fc"_s << u"FC"_s;
        QTest::newRow("residence province") << u"txtProvRes"_s << u"rm"_s << u"RM"_s;
    }
    void typingRules() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PrivacyFixture f;
        TfrmPrivacy w(f.fake.services);
        QVERIFY(showActive(&w));
        QWidget* target = control<QWidget>(&w, field);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            target = combo->lineEdit();
        target->setFocus();
        typeText(target, typed);
        QCOMPARE(w.value(field), shown);
    }

    void provinceListsOfferTheCodes() {
        PrivacyFixture f;
        TfrmPrivacy w(f.fake.services);
        for (const QString& name : {u"txtProvDent"_s, u"txtProvNasc"_s, u"txtProvRes"_s}) {
            auto* combo = control<QComboBox>(&w, name);
            QCOMPARE(combo->count(), 112);
            QCOMPARE(combo->itemText(0), u"AG"_s);
            QCOMPARE(combo->itemText(111), u"VV"_s);
        }
    }

    void closeKeepsThePracticeForTheNextPatient() {
        PrivacyFixture f;
        {
            TfrmPrivacy w(f.fake.services);
            QVERIFY(showActive(&w));
            fill(w, sample());
            click(&w, u"btnChiudi"_s);
            QVERIFY(!w.isVisible());
        }
        IniFile ini(f.ini());
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Studio Medico"_s),
                 u"Studio Medico Dott.ssa Nicolò"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Recapiti Studio"_s), u"075 123456"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Partita Iva Studio"_s), u"01234567890"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Codice Fiscale Studio"_s), u"NCLLCU70A01G478X"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Comune Sede"_s), u"Città di Castello"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Provincia Sede"_s), u"PG"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Via Sede"_s), u"Via dell'Università 3"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Cap Sede"_s), u"06012"_s);
        QCOMPARE(ini.read(u"Modulo Privacy"_s, u"Luogo"_s), u"Perugia"_s);
        // Nothing of the patient is kept.
        QVERIFY(!readFile(f.ini()).contains("Agostino"));
        TfrmPrivacy again(f.fake.services);
        QVERIFY(showActive(&again));
        QCOMPARE(again.value(u"txtStudioDent"_s), u"Studio Medico Dott.ssa Nicolò"_s);
        QCOMPARE(again.value(u"txtProvDent"_s), u"PG"_s);
        QCOMPARE(again.value(u"txtLuogo"_s), u"Perugia"_s);
        QCOMPARE(again.value(u"txtPaziente"_s), QString());
    }

    void createWritesTheDocumentAndOpensIt() {
        PrivacyFixture f;
        TfrmPrivacy w(f.fake.services);
        QVERIFY(showActive(&w));
        fill(w, sample());
        click(&w, u"btnRTF"_s);
        QCOMPARE(
            f.fake.messages.texts(),
            (QStringList{u"Questa procedura esporterà il modulo per il consenso al trattamento "
                         "dei dati personali in un documento in formato RTF.\r\n\r\nSi "
                         "conferma la creazione del file?"_s,
                         u"Il file del modulo per il trattamento dei dati personali è stato "
                         "creato con successo.\r\n\r\nSi vuole aprire il documento?"_s}));
        QCOMPARE(readFile(f.document()), privacy::document(sample()));
        QCOMPARE(f.fake.shell.targets, QStringList{u'"' + f.document() + u'"'});
        QVERIFY(!w.isVisible());
        // Only "Chiudi" keeps the practice values.
        QVERIFY(!QFile::exists(f.ini()));
    }

    void answersKeepTheWindow_data() {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<bool>("written");
        QTest::newRow("no to creating") << Answers{Answer::No} << false;
        QTest::newRow("no to opening") << Answers{Answer::Yes, Answer::No} << true;
    }
    void answersKeepTheWindow() {
        QFETCH(Answers, answers);
        QFETCH(bool, written);
        PrivacyFixture f;
        TfrmPrivacy w(f.fake.services);
        QVERIFY(showActive(&w));
        fill(w, sample());
        f.fake.messages.answers = answers;
        click(&w, u"btnRTF"_s);
        QCOMPARE(QFile::exists(f.document()), written);
        QVERIFY(f.fake.shell.targets.isEmpty());
        QVERIFY(w.isVisible());
        QCOMPARE(w.value(u"txtPaziente"_s), u"D'Agostino Adèle"_s);
        // Pressed again, it writes again, replacing the earlier document whole.
        control<QLineEdit>(&w, u"txtPaziente"_s)->setText(u"Bo Li"_s);
        f.fake.messages.answers = {Answer::Yes, Answer::No};
        click(&w, u"btnRTF"_s);
        QVERIFY(readFile(f.document()).contains("\\b Bo Li\\b0"));
        QVERIFY(!readFile(f.document()).contains("Agostino"));
    }

    void aDocumentThatCannotBeWrittenIsReported() {
        PrivacyFixture f;
        // A folder where the document should be: it cannot be replaced.
        QVERIFY(QDir().mkdir(f.document()));
        TfrmPrivacy w(f.fake.services);
        QVERIFY(showActive(&w));
        click(&w, u"btnRTF"_s);
        QCOMPARE(f.fake.messages.last(),
                 u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che "
                 "il documento non sia già aperto."_s);
        QCOMPARE(f.fake.messages.shown.last().kind, MessageKind::Plain);
        QVERIFY(w.isVisible());
        QVERIFY(f.fake.shell.targets.isEmpty());
    }

    // From the patient editor: the patient block is filled from the card on screen.
    void editorFillsThePatientBlock() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.show(u"Cognome"_s, u"D'Agostino"_s);
        f.show(u"Nome"_s, u"Adèle"_s);
        f.show(u"ComuneNasc"_s, u"Forlì"_s);
        f.show(u"ProvNasc"_s, u"FC"_s);
        f.show(u"Cap"_s, u"90015"_s);
        f.show(u"CodFisc"_s, u"DGSDLA71C42D704Z"_s);
        QString patient, cap, province, date;
        QCOMPARE(openedBy([&] { f.click(u"btnPrivacy"_s); },
                          [&](QWidget* w) {
                              auto* form = qobject_cast<TfrmPrivacy*>(w);
                              QVERIFY(form);
                              patient = form->value(u"txtPaziente"_s);
                              cap = form->value(u"txtCapRes"_s);
                              province = form->value(u"txtProvNasc"_s);
                              date = form->value(u"txtData"_s);
                              click(w, u"btnRTF"_s);
                          }),
                 u"TfrmPrivacy"_s);
        QCOMPARE(patient, u"D'Agostino Adèle"_s);
        QCOMPARE(cap, u"90015"_s);
        QCOMPARE(province, u"FC"_s);
        QCOMPARE(date, u"14/03/2026"_s);
        const QByteArray doc = readFile(f.dir.filePath(u"Modulo_Privacy.rtf"_s));
        QVERIFY(
            doc.contains("Io sottoscritto \\b D'Agostino Ad\xe8le\\b0 , nato a \\b Forl\xec\\b0  "
                         "(\\b FC\\b0 )"));
    }

    // LibreOffice reads the document with every name intact.
    void libreOfficeReadsTheNames() {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("soffice is not installed");
        QTemporaryDir dir;
        const QString rtf = dir.filePath(u"Modulo_Privacy.rtf"_s);
        privacy::Values values = sample();
        values[u"txtIndirizzo"_s] = u"Via {Centrale} 2\\B"_s;
        {
            QFile f(rtf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(privacy::document(values));
        }
        QProcess lo;
        lo.setWorkingDirectory(dir.path());
        lo.start(soffice,
                 {u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s), u"--headless"_s,
                  u"--convert-to"_s, u"txt:Text (encoded):UTF8"_s, u"--outdir"_s, dir.path(), rtf});
        QVERIFY(lo.waitForFinished(240000));
        QFile txt(dir.filePath(u"Modulo_Privacy.txt"_s));
        if (!txt.open(QIODevice::ReadOnly)) {
            const QByteArray err = lo.readAllStandardError();
            if (err.contains("no export filter"))
                QSKIP("LibreOffice Writer is not installed");
            QFAIL(err.constData());
        }
        const QString text = QString::fromUtf8(txt.readAll());
        for (const QString& name :
             {u"Studio Medico Dott.ssa Nicolò"_s, u"Città di Castello"_s,
              u"Via dell'Università 3"_s, u"D'Agostino Adèle"_s, u"Forlì"_s, u"Cefalù"_s,
              u"Gianluca Nicolò"_s, u"Via {Centrale} 2\\B"_s, u"Consenso al trattamento"_s,
              u"nonché Responsabile del trattamento"_s, u"Finalità e modalità del trattamento"_s,
              u"Perugia, 14/03/2026."_s})
            QVERIFY2(text.contains(name), qPrintable(name));
    }
};

QTEST_MAIN(TestPrivacy)
#include "tst_privacy.moc"
