// The red prescription editor and its archive: navigation, saving, duplicating, loading,
// and what the program does when the archive cannot be used.

#include "ricettefixture.h"

#include <QDir>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString emptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString accessDenied = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
    "possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString refusal =
    QStringLiteral("Attenzione: la duplicazione di una ricetta può avvenire soltanto dopo che "
                   "questa è stata inserita in archivio.");
const QString confirmation = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla ricetta corrente.\n\r\n\rAl termine "
    "premere Salva per inserire la scheda in archivio.");

constexpr int size = 2550;

// n cards named PAZIENTE 1 ... PAZIENTE n.
QByteArray cards(int n) {
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += HandCard().named("PAZIENTE " + QByteArray::number(i)).bytes;
    return bytes;
}

QByteArray slice(const QByteArray& bytes, int offset, int length) {
    return bytes.mid(offset, length).toHex(' ');
}

QByteArray hex(const QByteArray& bytes) {
    return bytes.toHex(' ');
}

} // namespace

Q_DECLARE_METATYPE(tarvola::MessageKind)

class TestRicetteArchivio : public QObject {
    Q_OBJECT
private slots:
    void navigation_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("patient");
        QTest::addColumn<QString>("message");
        // The form holds "TYPED" and the position `shown` before the button is pressed.
        const QString typed = QStringLiteral("TYPED");
        QTest::newRow("first, empty archive") << 0 << ""
                                              << "cmdPrimo"
                                              << "" << typed << emptyArchive;
        QTest::newRow("last, empty archive") << 0 << ""
                                             << "cmdUltimo"
                                             << "" << typed << emptyArchive;
        QTest::newRow("next, empty archive, forgets the position") << 0 << "3"
                                                                   << "cmdAvanti"
                                                                   << "" << typed << emptyArchive;
        QTest::newRow("previous, empty archive") << 0 << ""
                                                 << "cmdIndietro"
                                                 << "" << typed << emptyArchive;
        QTest::newRow("previous on 1, empty archive") << 0 << "1"
                                                      << "cmdIndietro"
                                                      << "1" << typed << "";
        QTest::newRow("first") << 3 << "2"
                               << "cmdPrimo"
                               << "1"
                               << "PAZIENTE 1"
                               << "";
        QTest::newRow("last") << 3 << ""
                              << "cmdUltimo"
                              << "3"
                              << "PAZIENTE 3"
                              << "";
        QTest::newRow("next on a new form") << 3 << ""
                                            << "cmdAvanti"
                                            << "1"
                                            << "PAZIENTE 1"
                                            << "";
        QTest::newRow("previous on a new form") << 3 << ""
                                                << "cmdIndietro"
                                                << "1"
                                                << "PAZIENTE 1"
                                                << "";
        QTest::newRow("next") << 3 << "1"
                              << "cmdAvanti"
                              << "2"
                              << "PAZIENTE 2"
                              << "";
        QTest::newRow("next on the last") << 3 << "3"
                                          << "cmdAvanti"
                                          << "3" << typed << "";
        QTest::newRow("previous on the first") << 3 << "1"
                                               << "cmdIndietro"
                                               << "1" << typed << "";
        QTest::newRow("previous from 2") << 3 << "2"
                                         << "cmdIndietro"
                                         << "1"
                                         << "PAZIENTE 1"
                                         << "";
        QTest::newRow("previous from 3") << 3 << "3"
                                         << "cmdIndietro"
                                         << "2"
                                         << "PAZIENTE 2"
                                         << "";
    }
    void navigation() {
        QFETCH(int, records);
        QFETCH(QString, shown);
        QFETCH(QString, button);
        QFETCH(QString, position);
        QFETCH(QString, patient);
        QFETCH(QString, message);
        RicetteFixture f;
        if (records > 0)
            f.store(cards(records));
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtAssistito"), QStringLiteral("TYPED"));
        f.label(QStringLiteral("lblPosizione"))->setText(shown);

        f.click(button);

        QCOMPARE(f.position(), position);
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), patient);
        QCOMPARE(f.fake.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Information);
        // The first use creates the archive; nothing is ever written by moving around.
        QCOMPARE(f.stored(), cards(records));
        QVERIFY(QFileInfo::exists(f.archive()));
    }

    void savingNewCardsAppendsThem() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI MARIO"));
        // The card is in the file by the time the message says so.
        QByteArray storedAtMessage;
        f.fake.messages.onShown = [&](const RecordingMessages::Shown&) {
            storedAtMessage = f.stored();
        };
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(slice(storedAtMessage, 0, 12), hex("\x0b"
                                                    "ROSSI MARIO"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Information);

        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.position(), QString());
        f.fillRequired(QStringLiteral("VERDI ANNA"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), 2 * size);
        QCOMPARE(slice(stored, 0, 12), hex("\x0b"
                                           "ROSSI MARIO"));
        QCOMPARE(slice(stored, size, 11), hex("\x0a"
                                              "VERDI ANNA"));
    }

    void savingACardLoadedFromPosition7RewritesIt() {
        RicetteFixture f;
        f.store(cards(9));
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdUltimo"));
        f.click(QStringLiteral("cmdIndietro"));
        f.click(QStringLiteral("cmdIndietro"));
        QCOMPARE(f.position(), QStringLiteral("7"));
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), QStringLiteral("PAZIENTE 7"));

        f.setText(QStringLiteral("txtAssistito"), QStringLiteral("PAZIENTE SETTE"));
        f.click(QStringLiteral("cmdSalva"));

        QCOMPARE(f.position(), QStringLiteral("7"));
        QCOMPARE(f.fake.messages.texts(), QStringList{changed});
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), 9 * size);
        QCOMPARE(slice(stored, 6 * size, 15), hex("\x0e"
                                                  "PAZIENTE SETTE"));
        QCOMPARE(stored.left(6 * size), cards(9).left(6 * size));
        QCOMPARE(stored.mid(7 * size), cards(9).mid(7 * size));
    }

    void savedCardMatchesTheLayoutByteForByte() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtAssistito"), QStringLiteral("  Rossi Mario  "));
        f.setText(QStringLiteral("txtIndirizzo"), QStringLiteral("Via Città 1"));
        f.setText(QStringLiteral("txtCodFisc"), QStringLiteral("rssmra80a01h501u"));
        f.setText(QStringLiteral("txtPresc01"), QStringLiteral("AMOXICILLINA"));
        f.setText(QStringLiteral("txtPresc09"), QStringLiteral("RX TORACE \u03b1"));
        f.setText(QStringLiteral("txtProv01"), QStringLiteral("m"));
        f.setText(QStringLiteral("txtAsl02"), QStringLiteral("2"));
        f.setText(QStringLiteral("txtMedico04"), QStringLiteral("DOTT. BIANCHI"));
        f.edit(QStringLiteral("txtData01"))->setFocus();
        f.type(QStringLiteral("070324"));
        f.click(QStringLiteral("btnNonEsente_NO"));
        f.label(QStringLiteral("lblFile02"))->setText(QStringLiteral("referto.pdf"));
        f.click(QStringLiteral("cmdSalva"));

        const QByteArray s = f.stored();
        QCOMPARE(s.size(), size);
        QCOMPARE(slice(s, 0, 12), hex("\x0b"
                                      "Rossi Mario"));
        QCOMPARE(slice(s, 51, 12), hex("\x0b"
                                       "Via Citt\xe0 1"));
        QCOMPARE(slice(s, 172, 17), hex("\x10"
                                        "RSSMRA80A01H501U"));
        QCOMPARE(slice(s, 201, 4), hex(QByteArray("\x01"
                                                  "M"
                                                  "\x00",
                                                  3) +
                                       QByteArray(1, '\0')));
        QCOMPARE(slice(s, 205, 6), hex(QByteArray("\x00\x00\x01"
                                                  "2"
                                                  "\x00\x00",
                                                  6)));
        QCOMPARE(slice(s, 227, 13), hex("\x0c"
                                        "AMOXICILLINA"));
        QCOMPARE(slice(s, 635, 12), hex("\x0b"
                                        "RX TORACE ?"));
        QCOMPARE(slice(s, 778, 12), hex(QByteArray("\x01"
                                                   "0"
                                                   "\x01"
                                                   "7"
                                                   "\x01"
                                                   "0"
                                                   "\x01"
                                                   "3"
                                                   "\x01"
                                                   "2"
                                                   "\x01"
                                                   "4")));
        QCOMPARE(slice(s, 943, 14), hex("\x0d"
                                        "DOTT. BIANCHI"));
        QCOMPARE(slice(s, 994, 2), hex("\x01"
                                       "2")); // Asl
        QCOMPARE(slice(s, 998, 2), hex("\x01"
                                       "M"));                  // Prov
        QCOMPARE(slice(s, 1001, 1), hex(QByteArray(1, '\0'))); // Conf
        QCOMPARE(slice(s, 1005, 9), hex("\x08"
                                        "07/03/24"));
        QCOMPARE(slice(s, 1014, 3), QByteArray("02 53 ec"));
        for (int offset = 1017; offset <= 1041; offset += 3)
            QCOMPARE(slice(s, offset, 3), hex("\x02"
                                              "No"));
        QCOMPARE(slice(s, 1044, 1), hex(QByteArray(1, '\0')));
        QCOMPARE(slice(s, 1295, 12), hex("\x0b"
                                         "referto.pdf"));
        // The summaries are recomputed into their hidden labels too.
        QCOMPARE(f.label(QStringLiteral("lblData"))->text(), QStringLiteral("07/03/24"));
        QCOMPARE(f.label(QStringLiteral("lblProv"))->text(), QStringLiteral("M"));
    }

    void storedCardLoadsIntoItsControls() {
        RicetteFixture f;
        HandCard first;
        first.named("BIANCHI LUCA")
            .put(51, "Piazza Duomo 3", 120)
            .put(172, "BNCLCU70B02F205X", 16)
            .put(189, "E", 1)
            .raw(201, "\x02m") // length byte 2 in a box of one: read as one
            .put(203, "I", 1)
            .put(225, "9", 1)
            .put(278, "IBUPROFENE", 50)
            .put(635, "VISITA CARDIOLOGICA", 120)
            .put(766, "7", 1)
            .put(772, "3", 1)
            .put(776, "R", 1)
            .put(778, "1", 1)
            .put(780, "", 1)
            .put(788, "5", 1)
            .put(790, "DOTT. ROSSI", 50)
            .put(943, "TEL. 06 1234", 50)
            .put(994, "120", 3)
            .put(998, "MI", 2)
            .put(1001, "003", 3)
            .put(1005, "12/05/25", 8)
            .put(1014, "S\xec", 2) // NonEsente ticked
            .put(1020, "", 2)      // Sugg: anything but "No" ticks
            .put(1035, "si", 2)    // D ticked
            .put(1041, "S\xec", 2) // Completata
            .put(1044, "referto.pdf", 250)
            .put(2299, "Esame del sangue", 250);
        HandCard second;
        second.named("NERI PIA").put(1041, "??", 2); // Completata neither "Sì" nor "No"
        f.store(first.bytes + second.bytes);
        QVERIFY(f.open());

        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        const QList<std::pair<const char*, QString>> expected{
            {"txtAssistito", QStringLiteral("BIANCHI LUCA")},
            {"txtIndirizzo", QStringLiteral("Piazza Duomo 3")},
            {"txtCodFisc", QStringLiteral("BNCLCU70B02F205X")},
            {"txtEse01", QStringLiteral("E")},
            {"txtProv01", QStringLiteral("M")}, // boxes show capitals
            {"txtProv02", QStringLiteral("I")},
            {"txtNum08", QStringLiteral("9")},
            {"txtPresc01", QStringLiteral("FARMACO BIANCHI LUCA")},
            {"txtPresc02", QStringLiteral("IBUPROFENE")},
            {"txtPresc09", QStringLiteral("VISITA CARDIOLOGICA")},
            {"txtCuf06", QStringLiteral("7")},
            {"txtConf03", QStringLiteral("3")},
            {"txtTipoRic02", QStringLiteral("R")},
            {"txtData01", QStringLiteral("1")},
            {"txtData02", QString()},
            {"txtData06", QStringLiteral("5")},
            {"txtMedico01", QStringLiteral("DOTT. ROSSI")},
            {"txtMedico04", QStringLiteral("TEL. 06 1234")},
        };
        for (const auto& [name, text] : expected)
            QCOMPARE(f.text(QString::fromLatin1(name)), text);
        QCOMPARE(f.label(QStringLiteral("lblAsl"))->text(), QStringLiteral("120"));
        QCOMPARE(f.label(QStringLiteral("lblProv"))->text(), QStringLiteral("MI"));
        QCOMPARE(f.label(QStringLiteral("lblConf"))->text(), QStringLiteral("003"));
        QCOMPARE(f.label(QStringLiteral("lblData"))->text(), QStringLiteral("12/05/25"));
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QStringLiteral("referto.pdf"));
        QCOMPARE(f.label(QStringLiteral("lblDesc03"))->text(), QStringLiteral("Esame del sangue"));
        const QList<std::pair<const char*, bool>> toggles{
            {"NonEsente", true}, {"Reddito", false}, {"Sugg", true},
            {"Ricov", false},    {"Altro", false},   {"U", false},
            {"B", false},        {"D", true},        {"P", false}};
        for (const auto& [stem, ticked] : toggles)
            QCOMPARE(f.ticked(QString::fromLatin1(stem)), ticked);
        auto* done = control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"));
        QVERIFY(done->isChecked());

        f.click(QStringLiteral("cmdAvanti"));
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), QStringLiteral("NERI PIA"));
        QVERIFY2(done->isChecked(), "a value other than Sì or No leaves the box as it was");
        QVERIFY(!f.ticked(QStringLiteral("NonEsente")));
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QString());
    }

    void requiredFields_data() {
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        const QString patient = QStringLiteral(
            "Attenzione: per salvare la ricetta è necessario indicare il nome dell'assistito.");
        const QString drug = QStringLiteral("Attenzione: per salvare la ricetta è necessario "
                                            "indicare il nome del farmaco prescritto.");
        const QString date = QStringLiteral("Attenzione: per salvare la ricetta è necessario "
                                            "indicare la data della prescrizione.");
        QTest::newRow("patient") << "txtAssistito" << patient << "txtAssistito";
        QTest::newRow("drug") << "txtPresc01" << drug << "txtPresc01";
        QTest::newRow("fourth date box") << "txtData04" << date << "txtData01";
        QTest::newRow("last date box") << "txtData06" << date << "txtData01";
    }
    void requiredFields() {
        QFETCH(QString, emptied);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        RicetteFixture f;
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI"));
        // Blanks count as empty; and the patient check comes before the others.
        f.setText(emptied, QStringLiteral("   "));
        f.edit(QStringLiteral("txtMedico02"))->setFocus();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{warning});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Warning);
        QCOMPARE(f.focused(), focus);
        QCOMPARE(f.position(), QString());
        QVERIFY(!QFileInfo::exists(f.archive()));
    }

    void requiredChecksComeInOrder() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtData03"), QString());
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{QStringLiteral("Attenzione: per salvare la ricetta è necessario "
                                            "indicare il nome dell'assistito.")});
    }

    void duplicateWithoutPositionIsRefused() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI"));
        f.label(QStringLiteral("lblFile01"))->setText(QStringLiteral("a.pdf"));
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{refusal});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Warning);
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QStringLiteral("a.pdf"));
        QVERIFY(!QFileInfo::exists(f.archive()));
    }

    void duplicateMakesATodayCopyThatSavesAsANewCard() {
        RicetteFixture f;
        HandCard old;
        old.named("BIANCHI LUCA")
            .put(778, "0", 1)
            .put(780, "1", 1)
            .put(782, "0", 1)
            .put(784, "2", 1)
            .put(786, "2", 1)
            .put(788, "3", 1)
            .put(1005, "01/02/23", 8)
            .put(1017, "S\xec", 2) // Reddito
            .put(1041, "S\xec", 2) // Completata
            .put(1044, "referto.pdf", 250)
            .put(1797, "Referto", 250);
        f.store(cards(1) + old.bytes);
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdUltimo"));
        f.edit(QStringLiteral("txtPresc01"))->setFocus();

        f.click(QStringLiteral("cmdDuplica"));

        QCOMPARE(f.fake.messages.texts(), QStringList{confirmation});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Information);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtAssistito"));
        // The clock of the doubles says 14 March 2026.
        QString date;
        for (int i = 1; i <= 6; ++i)
            date += f.text(QStringLiteral("txtData0%1").arg(i));
        QCOMPARE(date, QStringLiteral("140326"));
        QVERIFY(!control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"))->isChecked());
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(f.label(QStringLiteral("lblDesc01"))->text(), QString());
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), QStringLiteral("BIANCHI LUCA"));
        QCOMPARE(f.text(QStringLiteral("txtPresc01")), QStringLiteral("FARMACO BIANCHI LUCA"));
        QVERIFY(f.ticked(QStringLiteral("Reddito")));

        f.fake.messages.clear();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.position(), QStringLiteral("3"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.left(2 * size), cards(1) + old.bytes);
        QCOMPARE(slice(stored, 2 * size + 1005, 9), hex("\x08"
                                                        "14/03/26"));
        QCOMPARE(slice(stored, 2 * size + 1017, 3), QByteArray("02 53 ec"));
        QCOMPARE(slice(stored, 2 * size + 1041, 3), hex("\x02"
                                                        "No"));
    }

    void unusableArchive_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<MessageKind>("kind");
        QTest::newRow("first") << "cmdPrimo" << MessageKind::Error;
        QTest::newRow("previous") << "cmdIndietro" << MessageKind::Error;
        QTest::newRow("next") << "cmdAvanti" << MessageKind::Error;
        QTest::newRow("last") << "cmdUltimo" << MessageKind::Error;
        QTest::newRow("save") << "cmdSalva" << MessageKind::Error;
        QTest::newRow("duplicate") << "cmdDuplica" << MessageKind::Warning;
    }
    void unusableArchive() {
        QFETCH(QString, button);
        QFETCH(MessageKind, kind);
        // Root is not stopped by permissions: a folder where the archive should be makes
        // every opening fail, for anyone.
        RicetteFixture f;
        QVERIFY(QDir().mkdir(f.archive()));
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI"));
        f.label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2"));

        f.click(button);

        QCOMPARE(f.fake.messages.texts(), QStringList{accessDenied});
        QCOMPARE(f.fake.messages.shown.front().kind, kind);
        QCOMPARE(f.text(QStringLiteral("txtAssistito")), QStringLiteral("ROSSI"));
        QVERIFY(QFileInfo(f.archive()).isDir());
        QCOMPARE(QDir(f.archive()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void missingProgramFolderCreatesNothing() {
        RicetteFixture f;
        const QString gone = f.dir.filePath(QStringLiteral("spostata"));
        FakeServices elsewhere(gone);
        TfrmRicette window(elsewhere.services);
        window.show();
        control<QLineEdit>(&window, QStringLiteral("txtAssistito"))->setText(QStringLiteral("X"));
        control<QLineEdit>(&window, QStringLiteral("txtPresc01"))->setText(QStringLiteral("Y"));
        QTest::mouseClick(control<QWidget>(&window, QStringLiteral("cmdSalva")), Qt::LeftButton);
        QCOMPARE(elsewhere.messages.texts(), QStringList{accessDenied});
        QCOMPARE(control<QLabel>(&window, QStringLiteral("lblPosizione"))->text(), QString());
        QVERIFY(!QFileInfo::exists(gone));
    }

    void positionThatIsNoNumber_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("save") << "cmdSalva";
        QTest::newRow("next") << "cmdAvanti";
        QTest::newRow("previous") << "cmdIndietro";
    }
    void positionThatIsNoNumber() {
        QFETCH(QString, button);
        RicetteFixture f;
        f.store(cards(3));
        QVERIFY(f.open());
        f.fillRequired(QStringLiteral("ROSSI"));
        f.label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("2a"));
        f.click(button);
        QCOMPARE(f.fake.messages.texts(), QStringList{accessDenied});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Error);
        QCOMPARE(f.position(), QStringLiteral("2a"));
        QCOMPARE(f.stored(), cards(3));
    }

    void cutOffArchiveStillWorks() {
        RicetteFixture f;
        f.store(cards(2) + QByteArray(700, 'Z'));
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        f.click(QStringLiteral("cmdNuovo"));
        f.fillRequired(QStringLiteral("ROSSI"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("3"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), 3 * size);
        QCOMPARE(stored.left(2 * size), cards(2));
        QCOMPARE(slice(stored, 2 * size, 6), hex("\x05"
                                                 "ROSSI"));
    }
};

QTEST_MAIN(TestRicetteArchivio)
#include "tst_ricettearchivio.moc"
