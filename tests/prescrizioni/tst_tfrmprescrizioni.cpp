// The prescription editor: its form, the remembered header, clearing, numbering, the save
// checks and the stored bytes, duplicating, loading, the keyboard, and the windows its
// buttons open.

#include "archive/appwindow.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "prescrizionifixture.h"

#include <QFrame>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString accessMessage =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString dateWarning =
    QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                   "è necessario indicare una data valida nel formato gg/mm/anno.");
const QString numberWarning = QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                             "indicare il numero progressivo della prescrizione.");
const QString duplicated = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla prescrizione corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.");
const QString duplicateRefused =
    QStringLiteral("Attenzione: la duplicazione di una prescrizione può avvenire soltanto dopo "
                   "che questa è stata inserita in archivio.");

const QStringList headerFields{QStringLiteral("StudioMedico"), QStringLiteral("IntRigo02"),
                               QStringLiteral("IntRigo03"),    QStringLiteral("IntRigo04"),
                               QStringLiteral("Luogo"),        QStringLiteral("Medico"),
                               QStringLiteral("CodFiscMed")};
const QStringList iniKeys{QStringLiteral("Denominazione"), QStringLiteral("Rigo 2"),
                          QStringLiteral("Rigo 3"),        QStringLiteral("Rigo 4"),
                          QStringLiteral("Luogo"),         QStringLiteral("Medico"),
                          QStringLiteral("Codice")};

QStringList attachmentFields() {
    return {QStringLiteral("File01"), QStringLiteral("File02"), QStringLiteral("File03"),
            QStringLiteral("Desc01"), QStringLiteral("Desc02"), QStringLiteral("Desc03")};
}

// Every field but the attachments: the edits of the form.
QStringList editedFields() {
    QStringList names;
    for (const StoredField& s : storedFields()) {
        if (!attachmentFields().contains(s.field))
            names << s.field;
    }
    return names;
}

QStringList strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

QString editName(const QString& field) {
    return QStringLiteral("txt") + field;
}

// The caption shown for an edit: the label whose buddy it is.
QString captionOf(QWidget* window, QWidget* edit) {
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == edit)
            return label->text();
    }
    return QString();
}

// Fills what a save requires.
void fillRequired(PrescrizioniFixture& f, const QString& date = QStringLiteral("01/03/2026")) {
    f.setText(QStringLiteral("txtStudioMedico"), QStringLiteral("Studio Bianchi"));
    f.setText(QStringLiteral("txtNumFatt"), QStringLiteral("1"));
    f.setText(QStringLiteral("txtData"), date);
    f.setText(QStringLiteral("txtTipologia"), QStringLiteral("Visita"));
    f.setText(QStringLiteral("txtPaziente"), QStringLiteral("ROSSI MARIO"));
    f.setText(QStringLiteral("txtCodFisc"), QStringLiteral("RSSMRA80A01H501U"));
}

// A stored prescription with a header of its own.
Prescription oldHeader() {
    Prescription p = Prescription::listed("7/2023", "10/10/2023");
    p.put("StudioMedico", "Studio Vecchio").put("IntRigo02", "Via Antica 1");
    p.put("IntRigo03", "Tel. 0123").put("IntRigo04", "P. IVA 111");
    p.put("Luogo", "Pavia").put("Medico", "Dott. Neri").put("CodFiscMed", "NRELGU60A01G388K");
    p.put("Presc01", "ASPIRINA").put("Quant01", "2").put("Nota01", "dopo i pasti");
    p.put("File01", "referto.pdf");
    return p;
}

} // namespace

class TestTfrmPrescrizioni : public QObject {
    Q_OBJECT
private slots:
    void formHasItsEditsCaptionsAndLengths_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("length");
        const QStringList captions = strings({"Studio medico:",
                                              "Intestazione (rigo 2):",
                                              "Intestazione (rigo 3):",
                                              "Intestazione (rigo 4):",
                                              "Prescrizione n.",
                                              "Data emissione:",
                                              "Luogo:",
                                              "Cognome e nome Medico:",
                                              "Codice fiscale Medico:",
                                              "Tipologia prescrizione:",
                                              "Priorità:",
                                              "Quesito diagnostico:",
                                              "Cognome e nome paziente:",
                                              "Sesso:",
                                              "Data di nascita:",
                                              "Codice fiscale:",
                                              "Recapito preferenziale:",
                                              "Tessera sanitaria n.",
                                              "ASL di provenienza:",
                                              "Indirizzo di residenza:",
                                              "Esenzione:"});
        for (int i = 0; i < captions.size(); ++i) {
            const StoredField& s = storedFields()[i];
            QTest::newRow(qPrintable(s.field)) << s.field << captions[i] << s.capacity;
        }
        for (int i = 21; i < 42; ++i) {
            const StoredField& s = storedFields()[i];
            QTest::newRow(qPrintable(s.field)) << s.field << QString() << s.capacity;
        }
    }
    void formHasItsEditsCaptionsAndLengths() {
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(int, length);
        PrescrizioniFixture f;
        QLineEdit* edit = f.edit(editName(field));
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), length);
        if (!caption.isEmpty())
            QCOMPARE(captionOf(&f.window, edit), caption);
        QFrame* frame = control<QFrame>(&f.window, QStringLiteral("eff") + field);
        QVERIFY(frame && frame->isHidden());
    }

    void windowHasItsControls() {
        PrescrizioniFixture f;
        QVERIFY(qobject_cast<AppWindow*>(&f.window));
        QCOMPARE(f.window.windowTitle(),
                 QStringLiteral(" Tarvola 3.0 - Archivio prescrizioni anno 2024"));
        QStringList buttons =
            strings({"cmdNuovo",    "cmdDuplica", "cmdSalva",       "cmdTrova",  "cmdAnteprima",
                     "cmdStampa",   "cmdPrimo",   "cmdIndietro",    "cmdAvanti", "cmdUltimo",
                     "cmdEsporta",  "cmdFile",    "cmdNumerazione", "btnLogo",   "impData",
                     "impPaziente", "btnCodFisc", "btnCodFiscMed",  "cmdGuida",  "cmdEsci"});
        for (int i = 1; i <= 7; ++i)
            buttons << QStringLiteral("impFarmaci0%1").arg(i);
        for (const QString& name : buttons)
            QVERIFY2(control<QAbstractButton>(&f.window, name), qPrintable(name));
        QCOMPARE(control<QAbstractButton>(&f.window, QStringLiteral("impFarmaci03"))->text(),
                 QStringLiteral("<<"));
        QCOMPARE(control<QAbstractButton>(&f.window, QStringLiteral("btnLogo"))->text(),
                 QStringLiteral("Logo"));
        QCOMPARE(control<QAbstractButton>(&f.window, QStringLiteral("cmdNumerazione"))->text(),
                 QStringLiteral("N"));
        for (const QString& field : attachmentFields())
            QVERIFY(f.label(QStringLiteral("lbl") + field)->isHidden());
        for (const char* name : {"lblFile", "lblInizio", "lblSolare"})
            QVERIFY(f.label(QString::fromLatin1(name))->isHidden());
        QCOMPARE(f.label(QStringLiteral("lblFile"))->text(), f.archive());
        QCOMPARE(f.edit(QStringLiteral("txtNumFatt"))->alignment() & Qt::AlignHCenter,
                 Qt::AlignHCenter);
        QCOMPARE(f.label(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
    }

    void showingReadsTheHeaderAndClearsTheRest() {
        PrescrizioniFixture f;
        f.writeIni(QStringLiteral("[Intestazione Studio]\r\nDenominazione=Studio Bianchi\r\n"
                                  "Rigo 2=Via Roma 1\r\nRigo 3=Tel. 02 123\r\nRigo 4=\r\n"
                                  "Luogo=Milano\r\nMedico=Dott. Bianchi\r\n"
                                  "Codice=BNCLGU60A01F205X\r\n"));
        for (const QString& field : editedFields())
            f.setText(editName(field), QStringLiteral("x"));
        for (const QString& field : attachmentFields())
            f.label(QStringLiteral("lbl") + field)->setText(QStringLiteral("x"));
        f.label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("4"));
        QVERIFY(f.open());
        const QStringList header{QStringLiteral("Studio Bianchi"),  QStringLiteral("Via Roma 1"),
                                 QStringLiteral("Tel. 02 123"),     QString(),
                                 QStringLiteral("Milano"),          QStringLiteral("Dott. Bianchi"),
                                 QStringLiteral("BNCLGU60A01F205X")};
        for (const QString& field : editedFields()) {
            const qsizetype h = headerFields.indexOf(field);
            QCOMPARE(f.text(editName(field)), h >= 0 ? header[h] : QString());
        }
        for (const QString& field : attachmentFields())
            QCOMPARE(f.label(QStringLiteral("lbl") + field)->text(), QString());
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtTipologia"));
        QVERIFY(!QFile::exists(f.archive())); // showing opens no archive
    }

    void newPrescriptionGetsItsNumberAndDate_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("number");
        QTest::newRow("no settings, empty year") << "" << 0 << "1";
        QTest::newRow("no settings, 5 stored") << "" << 5 << "6";
        QTest::newRow("start 100, 10 stored") << "Inizio=100\r\n" << 10 << "110";
        QTest::newRow("start 100, new year") << "Inizio=100\r\n" << 0 << "100";
        QTest::newRow("year of today, not of the archive")
            << QString::fromUtf8("Inizio=1\r\nIndicazione Anno Solare=Sì\r\n") << 5 << "6/2026";
        QTest::newRow("year flag off") << "Inizio=3\r\nIndicazione Anno Solare=No\r\n" << 1 << "4";
    }
    void newPrescriptionGetsItsNumberAndDate() {
        QFETCH(QString, ini);
        QFETCH(int, stored);
        QFETCH(QString, number);
        // The archive of 2023 while the calendar says 2026.
        PrescrizioniFixture f(QStringLiteral("2023"));
        if (!ini.isEmpty())
            f.writeIni(QStringLiteral("[Numerazione Prescrizioni]\r\n") + ini);
        if (stored > 0)
            f.store(QList<Prescription>(stored, Prescription::listed("x")), QStringLiteral("2023"));
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtPaziente"), QStringLiteral("ROSSI"));
        f.setText(QStringLiteral("txtMedico"), QStringLiteral("Dott. Bianchi"));
        f.edit(QStringLiteral("txtQuesito"))->setFocus();
        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.fake.messages.texts(), QStringList());
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), number);
        QCOMPARE(f.text(QStringLiteral("txtData")), QStringLiteral("14/03/2026"));
        QCOMPARE(f.text(QStringLiteral("txtPaziente")), QString());
        QCOMPARE(f.text(QStringLiteral("txtMedico")), QStringLiteral("Dott. Bianchi"));
        QCOMPARE(f.focused(), QStringLiteral("txtTipologia"));
        // Counting created the year's empty archive, and only it.
        QVERIFY(QFile::exists(f.archive(QStringLiteral("2023"))));
        QVERIFY(!QFile::exists(f.archive(QStringLiteral("2026"))));
        QVERIFY(!QFile::exists(f.archive(QStringLiteral("2024"))));
    }

    void unreadableStartValueIsAnArchiveError() {
        PrescrizioniFixture f;
        f.writeIni(QStringLiteral("[Numerazione Prescrizioni]\r\nInizio=dieci\r\n"));
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtPaziente"), QStringLiteral("ROSSI"));
        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Error);
        QCOMPARE(f.fake.messages.last(), accessMessage);
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), QString());
        QCOMPARE(f.text(QStringLiteral("txtPaziente")), QStringLiteral("ROSSI"));
    }

    void unopenableArchiveIsAnArchiveError() {
        PrescrizioniFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("2024.med"))); // a folder in its place
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.fake.messages.texts(), QStringList{accessMessage});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Error);
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), QString());
    }

    void requiredFieldsAreCheckedInOrder_data() {
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("warning");
        QTest::newRow("practice") << "StudioMedico"
                                  << "Attenzione: per salvare la prescrizione è necessario "
                                     "indicare la denominazione dello Studio Medico.";
        QTest::newRow("number") << "NumFatt" << numberWarning;
        QTest::newRow("date") << "Data"
                              << "Attenzione: per salvare la scheda è necessario indicare la "
                                 "data di emissione della prescrizione.";
        QTest::newRow("kind") << "Tipologia"
                              << "Attenzione: per salvare la scheda è necessario indicare la "
                                 "tipologia di prescrizione.";
        QTest::newRow("patient") << "Paziente"
                                 << "Attenzione: per salvare la prescrizione è necessario "
                                    "indicare il nome del paziente.";
        QTest::newRow("codice fiscale") << "CodFisc"
                                        << "Attenzione: per salvare la prescrizione è necessario "
                                           "indicare il codice fiscale del paziente.";
    }
    void requiredFieldsAreCheckedInOrder() {
        QFETCH(QString, emptied);
        QFETCH(QString, warning);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        // Everything after the emptied field is missing too: the first one is reported, and
        // the date that does not exist comes last.
        fillRequired(f, QStringLiteral("31/02/2024"));
        const QStringList order =
            strings({"StudioMedico", "NumFatt", "Data", "Tipologia", "Paziente", "CodFisc"});
        for (qsizetype i = order.indexOf(emptied); i < order.size(); ++i)
            f.setText(editName(order[i]), emptied == order[i] ? QStringLiteral("   ") : QString());
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{warning});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Warning);
        QCOMPARE(f.focused(), editName(emptied));
        QVERIFY(f.stored().isEmpty());
        QCOMPARE(f.position(), QString());
    }

    void dateMustExist_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("saved");
        QTest::newRow("31/02/2024") << "31/02/2024" << false;
        QTest::newRow("29/02/2024") << "29/02/2024" << true;
        QTest::newRow("29/02/2023") << "29/02/2023" << false;
        QTest::newRow("text") << "domani" << false;
    }
    void dateMustExist() {
        QFETCH(QString, date);
        QFETCH(bool, saved);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        fillRequired(f, date);
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{saved ? inserted : dateWarning});
        QCOMPARE(f.stored().size(), saved ? recordSize : 0);
        if (!saved)
            QCOMPARE(f.focused(), QStringLiteral("txtData"));
    }

    void savedPrescriptionIsTheStoredLayout() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        Prescription expected;
        for (const StoredField& s : storedFields()) {
            QString text = (s.field.toUpper() + QStringLiteral(" di prova àè")).left(s.capacity);
            if (s.field == QStringLiteral("Data"))
                text = QStringLiteral("29/02/2024");
            // Upper-cased as typed: these three keep capitals only.
            if (s.field == QStringLiteral("Sesso") || s.field.startsWith(QStringLiteral("CodFisc")))
                text = text.toUpper();
            if (attachmentFields().contains(s.field))
                f.label(QStringLiteral("lbl") + s.field)->setText(QStringLiteral("  ") + text);
            else if (text.size() + 2 <= s.capacity)
                f.setText(editName(s.field), QStringLiteral(" ") + text + QStringLiteral(" "));
            else
                f.setText(editName(s.field), text);
            expected.put(qPrintable(s.field), text.toLatin1());
        }
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.position(), QStringLiteral("1"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), recordSize);
        for (const StoredField& s : storedFields())
            QCOMPARE(stored.mid(s.offset, s.capacity + 1).toHex(),
                     expected.bytes.mid(s.offset, s.capacity + 1).toHex());
        QCOMPARE(stored, expected.bytes);

        // Saving again rewrites it in place.
        f.setText(QStringLiteral("txtQuant07"), QStringLiteral("9"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.last(), changed);
        QCOMPARE(f.stored().size(), recordSize);
        QCOMPARE(f.storedRecord(1).mid(3951 + 66, 2), QByteArray("\x01"
                                                                 "9",
                                                                 2));
    }

    void prescriptionWithoutLinesIsSaved() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        fillRequired(f);
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.stored().size(), recordSize);
    }

    void loadingShowsTheStoredHeaderWhichIsRememberedOnClosing() {
        PrescrizioniFixture f;
        f.writeIni(QStringLiteral("[Intestazione Studio]\r\nDenominazione=Studio Nuovo\r\n"
                                  "Medico=Dott. Bianchi\r\n"));
        f.store({Prescription::listed("1"), oldHeader()});
        QVERIFY(f.open());
        QCOMPARE(f.text(QStringLiteral("txtStudioMedico")), QStringLiteral("Studio Nuovo"));
        f.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        const Prescription old = oldHeader();
        const QStringList oldTexts =
            strings({"Studio Vecchio", "Via Antica 1", "Tel. 0123", "P. IVA 111", "Pavia",
                     "Dott. Neri", "NRELGU60A01G388K"});
        for (int i = 0; i < headerFields.size(); ++i)
            QCOMPARE(f.text(editName(headerFields[i])), oldTexts[i]);
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), QStringLiteral("7/2023"));
        QCOMPARE(f.text(QStringLiteral("txtNota01")), QStringLiteral("dopo i pasti"));
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QStringLiteral("referto.pdf"));

        f.window.close();
        const QString ini = f.iniText();
        for (int i = 0; i < iniKeys.size(); ++i)
            QVERIFY2(ini.contains(iniKeys[i] + u'=' + oldTexts[i]), qPrintable(iniKeys[i]));

        // The next opening shows that header again, after a new start of the editor too.
        TfrmPrescrizioni again(f.fake.services);
        again.openYear(f.archive(), QStringLiteral("2024"));
        QVERIFY(showActive(&again));
        FormAccess next(&again);
        for (int i = 0; i < headerFields.size(); ++i)
            QCOMPARE(next.text(editName(headerFields[i])), oldTexts[i]);
        QCOMPARE(next.text(QStringLiteral("txtNumFatt")), QString());
    }

    void closingWritesTheHeaderTrimmed() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtStudioMedico"), QStringLiteral("  Studio Rosa  "));
        f.setText(QStringLiteral("txtLuogo"), QStringLiteral(" Lodi"));
        f.window.close();
        QVERIFY(f.iniText().contains(QStringLiteral("[Intestazione Studio]")));
        QVERIFY(f.iniText().contains(QStringLiteral("Denominazione=Studio Rosa\r\n")));
        QVERIFY(f.iniText().contains(QStringLiteral("Luogo=Lodi\r\n")));
    }

    void duplicateOpensNoArchiveAndLeavesNoNumber() {
        PrescrizioniFixture f;
        f.store({oldHeader()});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        // The archive is gone: a duplicate does not notice, since it does not open it.
        QVERIFY(QFile::remove(f.archive()));
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicated});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Information);
        QVERIFY(!QFile::exists(f.archive()));
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), QString());
        QCOMPARE(f.text(QStringLiteral("txtData")), QStringLiteral("14/03/2026"));
        QCOMPARE(f.text(QStringLiteral("txtPresc01")), QStringLiteral("ASPIRINA"));
        QCOMPARE(f.text(QStringLiteral("txtStudioMedico")), QStringLiteral("Studio Vecchio"));
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtNumFatt"));

        // Saving at once is refused for the missing number.
        f.fake.messages.clear();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{numberWarning});
        QVERIFY(!QFile::exists(f.archive()));
    }

    void duplicateOfANewPrescriptionIsRefused() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        fillRequired(f);
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicateRefused});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Warning);
        QCOMPARE(f.text(QStringLiteral("txtNumFatt")), QStringLiteral("1"));
    }

    void codesAndSexAreKeptInCapitals_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("patient") << "CodFisc"
                                 << " rssmra80a01h501u"
                                 << "RSSMRA80A01H501U";
        QTest::newRow("doctor") << "CodFiscMed"
                                << "bnclgu60a01f205x"
                                << "BNCLGU60A01F205X";
        QTest::newRow("sex") << "Sesso"
                             << "f"
                             << "F";
        QTest::newRow("accents untouched")
            << "CodFisc" << QString::fromUtf8("àb") << QString::fromUtf8("àB");
    }
    void codesAndSexAreKeptInCapitals() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        QLineEdit* edit = f.edit(editName(field));
        edit->setFocus();
        typeText(edit, typed);
        QCOMPARE(edit->text(), shown);
    }

    void enterGoesThroughTheFormAndTheLines() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        f.edit(QStringLiteral("txtStudioMedico"))->setFocus();
        QStringList expected = strings(
            {"txtStudioMedico", "txtIntRigo02", "txtIntRigo03", "txtIntRigo04",  "txtNumFatt",
             "txtData",         "txtLuogo",     "txtMedico",    "txtCodFiscMed", "txtTipologia",
             "txtPriorita",     "txtQuesito",   "txtPaziente",  "txtSesso",      "txtDataNasc",
             "txtCodFisc",      "txtRecapito",  "txtTessera",   "txtAsl",        "txtIndirizzo",
             "txtEsenzione"});
        for (int i = 1; i <= 7; ++i) {
            for (const char* stem : {"txtPresc0", "txtQuant0", "txtNota0"})
                expected << QString::fromLatin1(stem) + QString::number(i);
        }
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            visited << f.focused();
            // The edit in focus shows its frame.
            const QString frame = QStringLiteral("eff") + f.focused().mid(3);
            QVERIFY2(control<QFrame>(&f.window, frame)->isVisible(), qPrintable(frame));
            pressEnter(QApplication::focusWidget());
            QVERIFY2(control<QFrame>(&f.window, frame)->isHidden(), qPrintable(frame));
        }
        QCOMPARE(visited, expected);
        QCOMPARE(f.focused(), QStringLiteral("txtStudioMedico"));
    }

    void todayButtonPutsTheDate() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("impData"));
        QCOMPARE(f.text(QStringLiteral("txtData")), QStringLiteral("14/03/2026"));
    }

    void checkButtonsOpenTheRightCheck_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("window");
        QTest::newRow("patient code") << "btnCodFisc"
                                      << "CodFisc"
                                      << "RSSMRA80A01H501U"
                                      << "TfrmCodFisc";
        QTest::newRow("patient digits") << "btnCodFisc"
                                        << "CodFisc"
                                        << "12345678903"
                                        << "TfrmPartitaIva";
        QTest::newRow("doctor empty") << "btnCodFiscMed"
                                      << "CodFiscMed"
                                      << ""
                                      << "TfrmCodFisc";
        QTest::newRow("doctor digits") << "btnCodFiscMed"
                                       << "CodFiscMed"
                                       << "12345678903"
                                       << "TfrmPartitaIva";
    }
    void checkButtonsOpenTheRightCheck() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, window);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        f.setText(editName(field), text);
        QString shown;
        QCOMPARE(openedBy([&] { f.click(button); },
                          [&](QWidget* w) {
                              for (auto* e : w->findChildren<QLineEdit*>()) {
                                  if (!e->text().isEmpty())
                                      shown = e->text();
                              }
                          }),
                 window);
        QCOMPARE(shown, text);
    }

    void buttonsOpenTheirWindows_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("logo") << "btnLogo"
                              << "TfrmLogo";
        QTest::newRow("numbering") << "cmdNumerazione"
                                   << "TfrmNumerazione";
        QTest::newRow("search") << "cmdTrova"
                                << "TfrmTrovaPrescrizioni";
        QTest::newRow("print") << "cmdStampa"
                               << "TfrmStampaPresc";
        QTest::newRow("preview") << "cmdAnteprima"
                                 << "TfrmAnteprimaPresc";
        QTest::newRow("export") << "cmdEsporta"
                                << "TfrmExpPrescrizioni";
        QTest::newRow("attachments") << "cmdFile"
                                     << "TfrmAllegaCartella";
        QTest::newRow("help") << "cmdGuida"
                              << "TfrmGuida";
        QTest::newRow("patient") << "impPaziente"
                                 << "TfrmTrovaPazienti";
        QTest::newRow("drug") << "impFarmaci01"
                              << "TfrmTrovaFarmaci";
    }
    void buttonsOpenTheirWindows() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        QCOMPARE(openedBy([&] { f.click(button); }), window);
    }

    void satellitesGetTheirTags_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("tag");
        QTest::newRow("numbering") << "cmdNumerazione"
                                   << "prescrizioni";
        QTest::newRow("search") << "cmdTrova"
                                << "prescrizioni";
        QTest::newRow("attachments") << "cmdFile"
                                     << "prescrizioni";
        QTest::newRow("patient") << "impPaziente"
                                 << "prescrizioni";
        QTest::newRow("drug line 1") << "impFarmaci01"
                                     << "presc01";
        QTest::newRow("drug line 7") << "impFarmaci07"
                                     << "presc07";
    }
    void satellitesGetTheirTags() {
        QFETCH(QString, button);
        QFETCH(QString, tag);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        QString memory;
        QString caption;
        openedBy([&] { f.click(button); },
                 [&](QWidget* w) {
                     if (auto* l = w->findChild<QLabel*>(QStringLiteral("lblMemory")))
                         memory = l->text();
                     caption = w->windowTitle();
                 });
        QCOMPARE(memory, tag);
        if (button == QStringLiteral("cmdNumerazione"))
            QCOMPARE(caption, QStringLiteral(" Impostazione inizio numerazione prescrizioni"));
    }

    void statusLineHints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("key"); // named at the end of the tooltip
        const auto row = [](const char* name, const char* hint, const char* key = "") {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(hint)
                                << QString::fromLatin1(key);
        };
        row("cmdNuovo", "Prepara la schermata per l'emissione di una nuova prescrizione.",
            "Ctrl+N");
        row("cmdDuplica",
            "Prepara la schermata per l'emissione di una nuova prescrizione "
            "duplicando i dati correnti.",
            "Ctrl+D");
        row("cmdSalva", "Salva la prescrizione corrente in archivio.", "Ctrl+S");
        row("cmdTrova", "Trova una prescrizione in archivio.", "Ctrl+F");
        row("cmdAnteprima", "Visualizza l'anteprima di stampa della prescrizione corrente.");
        row("cmdStampa", "Stampa la prescrizione corrente.", "Ctrl+P");
        row("cmdPrimo", "Visualizza la prima prescrizione in archivio.", "Alt+Home");
        row("cmdIndietro", "Visualizza la prescrizione precedente in archivio.", "Alt+PgUp");
        row("cmdAvanti", "Visualizza la prescrizione successiva in archivio.", "Alt+PgDn");
        row("cmdUltimo", "Visualizza l'ultima prescrizione in archivio.", "Alt+End");
        row("cmdEsporta", "Esporta le prescrizioni in archivio in un file di Microsoft Excel.",
            "Ctrl+E");
        row("cmdFile", "Allega file alla prescrizione corrente.");
        row("cmdNumerazione", "Imposta il numero iniziale per la numerazione delle prescrizioni.");
        row("btnLogo", "Carica il logo dello Studio Medico.");
        row("impData", "Inserisci la data corrente.");
        row("impPaziente", "Importa i dati dall'archivio dei pazienti.");
        row("impFarmaci01", "Importa i dati dall'Archivio Farmaci.");
        row("impFarmaci07", "Importa i dati dall'Archivio Farmaci.");
        row("btnCodFisc", "Controlla il codice fiscale.");
        row("btnCodFiscMed", "Controlla il codice fiscale.");
        row("cmdGuida", "Visualizza la pagina della guida sensibile al contesto.", "F1");
        row("cmdEsci", "Esci da questa schermata di lavoro.");
    }
    void statusLineHints() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QString, key);
        PrescrizioniFixture f;
        QVERIFY(f.open());
        auto* line = f.label(QStringLiteral("panInfo"));
        auto* target = control<QWidget>(&f.window, name);
        for (auto* area : f.window.findChildren<QScrollArea*>())
            area->ensureWidgetVisible(target);
        // Two moves: the pointer may already rest where the control now is.
        QTest::mouseMove(target, QPoint(2, 2));
        QTest::mouseMove(target);
        QTRY_COMPARE(line->text(), hint);
        QCOMPARE(target->toolTip(), key.isEmpty() ? hint : hint + QStringLiteral(" (%1)").arg(key));
    }

    void helpShowsThePrescriptionTopic() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        QStringList texts;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdGuida")); },
                          [&](QWidget* w) {
                              for (auto* l : w->findChildren<QLabel*>())
                                  texts << l->text();
                          }),
                 QStringLiteral("TfrmGuida"));
        QVERIFY(texts.contains(QStringLiteral("App Emissione Prescrizioni")));
    }

    void attachmentsComeBackIntoTheLabels() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        f.label(QStringLiteral("lblDesc02"))->setText(QStringLiteral("  vecchia  "));
        QString shown;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdFile")); },
                          [&](QWidget* w) {
                              shown = control<QLineEdit>(w, QStringLiteral("txtDesc02"))->text();
                              control<QLineEdit>(w, QStringLiteral("txtDesc01"))
                                  ->setText(QStringLiteral("Referto"));
                              control<QPushButton>(w, QStringLiteral("btnApplica"))->click();
                          }),
                 QStringLiteral("TfrmAllegaCartella"));
        QCOMPARE(shown, QStringLiteral("vecchia"));
        QCOMPARE(f.label(QStringLiteral("lblDesc01"))->text(), QStringLiteral("Referto"));
        fillRequired(f);
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.storedRecord(1).mid(5138, 8), QByteArray("\x07Referto"));
    }

    void drugSearchWritesTheNameIntoItsLine() {
        PrescrizioniFixture f;
        QByteArray drug(3949, '\0');
        drug.replace(0, 6, QByteArray("\x05OKITA", 6));
        writeFile(f.dir.filePath(QStringLiteral("Farmaci.pro")), drug);
        QVERIFY(f.open());
        openedBy([&] { f.click(QStringLiteral("impFarmaci05")); },
                 [](QWidget* w) {
                     control<QPushButton>(w, QStringLiteral("btnCerca"))->click();
                     doubleClickLine(w, QStringLiteral("OKITA"));
                 });
        QCOMPARE(f.text(QStringLiteral("txtPresc05")), QStringLiteral("OKITA"));
        for (int i : {1, 2, 3, 4, 6, 7})
            QCOMPARE(f.text(QStringLiteral("txtPresc0%1").arg(i)), QString());
    }
};

QTEST_MAIN(TestTfrmPrescrizioni)
#include "tst_tfrmprescrizioni.moc"
