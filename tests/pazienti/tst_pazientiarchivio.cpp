// The patient editor and Pazienti.pro: a saved card byte for byte, a hand-written card in
// the controls, navigation, saving, duplicating and clearing, with what each operation
// does to the section and the services page on screen.

#include "pazienti/pazienterecord.h"
#include "pazientifixture.h"

#include <QDir>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString emptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString missingSurname = QStringLiteral(
    "Attenzione: per salvare la scheda è necessario indicare il cognome del paziente.");
const QString duplicated =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
const QString duplicateRefused =
    QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                   "questa è stata inserita in archivio.");
const QString accessDenied = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
    "possedere i privilegi di scrittura nella cartella di installazione del programma.");

bool isAttachment(const QString& field) {
    return field.startsWith(QStringLiteral("File")) || field.startsWith(QStringLiteral("Desc"));
}

// A text that tells the fields apart, as long as the field allows.
QByteArray sample(const QString& field, int capacity) {
    return (field.toUpper().toLatin1() + " prova \xe0\xe8").left(capacity);
}

// The fields a test puts values in: every single field, the first and the last row of
// every run, and the two rows the format's examples name.
QList<StoredField> sampledFields() {
    QList<StoredField> out(std::begin(singleFields), std::end(singleFields));
    for (const StoredRun& run : storedRuns) {
        for (int row : {1, 2, 17, run.rows}) {
            if (row > run.rows)
                continue;
            const StoredField f = storedField(rowName(run.stem, row));
            const bool taken = std::any_of(out.begin(), out.end(), [&f](const StoredField& o) {
                return o.offset == f.offset;
            });
            if (!taken)
                out << f;
        }
    }
    return out;
}

} // namespace

class TestPazientiArchivio : public QObject {
    Q_OBJECT
private slots:
    void savedCardMatchesTheFormatByteForByte() {
        PazientiFixture f;
        QVERIFY(f.open());
        PatientCard expected;
        for (const QString& money : paziente::moneyFields())
            expected.put(money, "0,00");
        for (const StoredField& s : sampledFields()) {
            const QString field = QString::fromLatin1(s.field);
            QByteArray text = sample(field, s.capacity);
            if (field == QStringLiteral("Carta") || field == QStringLiteral("Iva"))
                text = QByteArray("4539578763621486").left(s.capacity);
            if (isAttachment(field))
                f.label(QStringLiteral("lbl") + field)
                    ->setText(QStringLiteral("  ") + QString::fromLatin1(text));
            else if (text.size() + 2 <= s.capacity) // the blanks around are not stored
                f.show(field,
                       QStringLiteral(" ") + QString::fromLatin1(text) + QStringLiteral(" "));
            else
                f.show(field, QString::fromLatin1(text));
            expected.put(field, text);
        }
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.position(), QStringLiteral("1"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), cardSize);
        for (const StoredField& s : allStoredFields()) {
            const QString field = QString::fromLatin1(s.field);
            QVERIFY2(PatientCard::at(stored, field) == PatientCard::at(expected.bytes, field),
                     qPrintable(field + QStringLiteral(": ") +
                                QString::fromLatin1(PatientCard::at(stored, field))));
        }
        // The length bytes and texts are all that count; what follows a text is not.
        for (const StoredField& s : allStoredFields()) {
            const int length = static_cast<unsigned char>(stored[s.offset]);
            QCOMPARE(stored.mid(s.offset, 1 + length), expected.bytes.mid(s.offset, 1 + length));
        }
        QCOMPARE(stored.mid(2150, 1 + 18), QByteArray("\x12TERAPIA02 prova \xe0\xe8"));
        QCOMPARE(stored.mid(6827, 1 + 10), QByteArray("\x0a"
                                                      "DATAPREST1"));
        QCOMPARE(stored.mid(33614, 1 + 12), QByteArray("\x0cIMPPREST96 p"));
        QCOMPARE(stored.mid(41408, 8), QByteArray("\x10"
                                                  "DENTE32"));
        QCOMPARE(stored.mid(45769, 7), QByteArray("\x0f"
                                                  "DESC03"));
    }

    void handWrittenCardLoadsIntoItsControls() {
        PazientiFixture f;
        PatientCard card;
        card.put(QStringLiteral("Cognome"), "Bianchi")
            .put(QStringLiteral("Nome"), "Lucia")
            .put(QStringLiteral("ProvNasc"), "MI")
            .put(QStringLiteral("ProvRes"), "ZZ")
            .put(QStringLiteral("Privacy"), "Dott. Neri")
            .put(QStringLiteral("InizioTerap01"), "01/01/2025")
            .put(QStringLiteral("Costo18"), "150,00")
            .put(QStringLiteral("DataPrest17"), "02/02/2026")
            .put(QStringLiteral("TipoPrest96"), "Controllo \x96 esito buono")
            .put(QStringLiteral("ImpPrest01"), "12.50")
            .put(QStringLiteral("Dente32"), "Glicemia 90")
            .put(QStringLiteral("Raccomandazioni"), "  Riposo ")
            .put(QStringLiteral("File02"), "lastra.png")
            .put(QStringLiteral("Desc03"), "Referto");
        f.store({PatientCard(), card});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdDentale"));
        f.click(QStringLiteral("cmdPrestazioni"));
        f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.shown(QStringLiteral("Cognome")), QStringLiteral("Bianchi"));
        QCOMPARE(f.shown(QStringLiteral("ProvNasc")), QStringLiteral("MI"));
        QCOMPARE(f.shown(QStringLiteral("ProvRes")), QStringLiteral("ZZ"));
        QCOMPARE(f.picker(QStringLiteral("txtProvNasc"))->currentIndex(), -1);
        QCOMPARE(f.shown(QStringLiteral("Privacy")), QStringLiteral("Dott. Neri"));
        QCOMPARE(f.shown(QStringLiteral("InizioTerap01")), QStringLiteral("01/01/2025"));
        QCOMPARE(f.shown(QStringLiteral("Costo18")), QStringLiteral("150,00"));
        QCOMPARE(f.shown(QStringLiteral("Costo01")), QString());
        QCOMPARE(f.shown(QStringLiteral("DataPrest17")), QStringLiteral("02/02/2026"));
        QCOMPARE(f.shown(QStringLiteral("TipoPrest96")), QStringLiteral("Controllo – esito buono"));
        QCOMPARE(f.shown(QStringLiteral("ImpPrest01")), QStringLiteral("12.50"));
        QCOMPARE(f.shown(QStringLiteral("Dente32")), QStringLiteral("Glicemia 90"));
        QCOMPARE(f.shown(QStringLiteral("Raccomandazioni")), QStringLiteral("Riposo"));
        QCOMPARE(f.label(QStringLiteral("lblFile02"))->text(), QStringLiteral("lastra.png"));
        QCOMPARE(f.label(QStringLiteral("lblDesc03"))->text(), QStringLiteral("Referto"));
        // Loading leaves the section and the services page as they were.
        QCOMPARE(f.window.section(), 4);
        QCOMPARE(f.window.servicesPage(), 3);
        QVERIFY(f.edit(QStringLiteral("txtDataPrest33"))->isVisible());
        QVERIFY(f.fake.messages.shown.isEmpty());
        // The 17th service is the first row of the second page.
        f.click(QStringLiteral("btnIndietroPrest"));
        QVERIFY(f.edit(QStringLiteral("txtDataPrest17"))->isVisible());
        QVERIFY(!f.edit(QStringLiteral("txtDataPrest16"))->isVisible());
    }

    void navigation_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("informs");
        QTest::newRow("next, empty archive, empties the position") << 0 << "3"
                                                                   << "cmdAvanti"
                                                                   << "" << true;
        QTest::newRow("first, empty archive") << 0 << "3"
                                              << "cmdPrimo"
                                              << "3" << true;
        QTest::newRow("last, empty archive") << 0 << "3"
                                             << "cmdUltimo"
                                             << "3" << true;
        QTest::newRow("previous, empty archive") << 0 << ""
                                                 << "cmdIndietro"
                                                 << "" << true;
        QTest::newRow("previous on card 1, empty archive") << 0 << "1"
                                                           << "cmdIndietro"
                                                           << "1" << false;
        QTest::newRow("next from a new card") << 3 << ""
                                              << "cmdAvanti"
                                              << "1" << false;
        QTest::newRow("previous from a new card") << 3 << ""
                                                  << "cmdIndietro"
                                                  << "1" << false;
        QTest::newRow("previous on card 1") << 3 << "1"
                                            << "cmdIndietro"
                                            << "1" << false;
        QTest::newRow("previous on card 2") << 3 << "2"
                                            << "cmdIndietro"
                                            << "1" << false;
        QTest::newRow("previous on card 3") << 3 << "3"
                                            << "cmdIndietro"
                                            << "2" << false;
        QTest::newRow("next on card 2") << 3 << "2"
                                        << "cmdAvanti"
                                        << "3" << false;
        QTest::newRow("next on the last card") << 3 << "3"
                                               << "cmdAvanti"
                                               << "3" << false;
        QTest::newRow("first") << 3 << "2"
                               << "cmdPrimo"
                               << "1" << false;
        QTest::newRow("last") << 3 << ""
                              << "cmdUltimo"
                              << "3" << false;
    }
    void navigation() {
        QFETCH(int, cards);
        QFETCH(QString, before);
        QFETCH(QString, button);
        QFETCH(QString, after);
        QFETCH(bool, informs);
        PazientiFixture f;
        QVERIFY(f.open());
        if (cards > 0)
            f.storeNumbered(cards);
        f.label(QStringLiteral("lblPosizione"))->setText(before);
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("SHOWN"));
        f.click(button);
        QCOMPARE(f.position(), after);
        QCOMPARE(f.fake.messages.texts(), informs ? QStringList{emptyArchive} : QStringList());
        if (informs)
            QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Information);
        const bool loaded = cards > 0 && after != before;
        QCOMPARE(f.text(QStringLiteral("txtCognome")),
                 loaded ? QStringLiteral("CARD ") + after : QStringLiteral("SHOWN"));
        // The first operation creates the missing archive, empty.
        QVERIFY(QFile::exists(f.archive()));
    }

    void savingAppendsThenRewritesInPlace() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("PRIMO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        f.click(QStringLiteral("cmdNuovo"));
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("SECONDO"));
        f.click(QStringLiteral("cmdTerapie"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.window.section(), 5); // a save leaves the section on screen
        f.click(QStringLiteral("cmdPrimo"));
        f.setText(QStringLiteral("txtNome"), QStringLiteral("MARIO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), (QStringList{inserted, inserted, changed}));
        QCOMPARE(f.position(), QStringLiteral("1"));
        QCOMPARE(f.stored().size(), 2 * cardSize);
        QCOMPARE(PatientCard::at(f.storedCard(1), QStringLiteral("Nome")), QByteArray("MARIO"));
        QCOMPARE(PatientCard::at(f.storedCard(2), QStringLiteral("Cognome")),
                 QByteArray("SECONDO"));
    }

    void saveWithoutSurnameIsRefused() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("   "));
        f.setText(QStringLiteral("txtNome"), QStringLiteral("MARIO"));
        f.click(QStringLiteral("cmdPrestazioni"));
        f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QStringLiteral("btnAvantiPrest"));
        QCOMPARE(f.window.servicesPage(), 3);
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{missingSurname});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Warning);
        QCOMPARE(f.window.section(), 1);
        QCOMPARE(f.window.servicesPage(), 1);
        QCOMPARE(f.label(QStringLiteral("lblPagPrest"))->text(), QStringLiteral("pag. 1 / 6"));
        QVERIFY(f.edit(QStringLiteral("txtDataPrest01"))->isVisibleTo(&f.window) ||
                f.window.section() == 1);
        QCOMPARE(f.focused(), QStringLiteral("txtCognome"));
        QCOMPARE(f.stored(), QByteArray());
        QCOMPARE(f.position(), QString());
    }

    void duplicateKeepsTheClinicalDataAndEmptiesTheServices() {
        PazientiFixture f;
        PatientCard card;
        card.put(QStringLiteral("Cognome"), "ROSSI")
            .put(QStringLiteral("Peso"), "70 kg")
            .put(QStringLiteral("Dente05"), "Colesterolo 180")
            .put(QStringLiteral("Terapia18"), "Ferro")
            .put(QStringLiteral("Costo02"), "30,00")
            .put(QStringLiteral("DataPrest01"), "01/03/2026")
            .put(QStringLiteral("OraPrest50"), "10:00")
            .put(QStringLiteral("TipoPrest96"), "Visita")
            .put(QStringLiteral("ImpPrest96"), "80,00")
            .put(QStringLiteral("File01"), "eco.pdf")
            .put(QStringLiteral("Desc01"), "Ecografia");
        f.store({card});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        f.click(QStringLiteral("cmdPrestazioni"));
        for (int i = 0; i < 3; ++i)
            f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QStringLiteral("cmdDentale"));
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicated});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Information);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.window.section(), 1);
        QCOMPARE(f.window.servicesPage(), 4); // the services page stays
        QCOMPARE(f.focused(), QStringLiteral("txtCognome"));
        for (const QString& field : paziente::serviceFields())
            QCOMPARE(f.shown(field), field.startsWith(QStringLiteral("ImpPrest"))
                                         ? QStringLiteral("0,00")
                                         : QString());
        for (const char* label : {"lblFile01", "lblDesc01"})
            QCOMPARE(f.label(QString::fromLatin1(label))->text(), QString());
        QCOMPARE(f.shown(QStringLiteral("Cognome")), QStringLiteral("ROSSI"));
        QCOMPARE(f.shown(QStringLiteral("Peso")), QStringLiteral("70 kg"));
        QCOMPARE(f.shown(QStringLiteral("Dente05")), QStringLiteral("Colesterolo 180"));
        QCOMPARE(f.shown(QStringLiteral("Terapia18")), QStringLiteral("Ferro"));
        QCOMPARE(f.shown(QStringLiteral("Costo02")), QStringLiteral("30,00"));
        QCOMPARE(f.shown(QStringLiteral("Costo01")), QString()); // as the card held it

        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.storedCard(1), card.bytes.left(cardSize));
        const QByteArray copy = f.storedCard(2);
        QCOMPARE(PatientCard::at(copy, QStringLiteral("Dente05")), QByteArray("Colesterolo 180"));
        QCOMPARE(PatientCard::at(copy, QStringLiteral("TipoPrest96")), QByteArray());
        QCOMPARE(PatientCard::at(copy, QStringLiteral("ImpPrest96")), QByteArray("0,00"));
        QCOMPARE(PatientCard::at(copy, QStringLiteral("File01")), QByteArray());
    }

    void duplicateOfANewCardIsRefused() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("ROSSI"));
        f.setText(QStringLiteral("txtTipoPrest01"), QStringLiteral("Visita"));
        f.click(QStringLiteral("cmdAnamnesi"));
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicateRefused});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Warning);
        QCOMPARE(f.text(QStringLiteral("txtTipoPrest01")), QStringLiteral("Visita"));
        QCOMPARE(f.window.section(), 2);
        QVERIFY(!QFile::exists(f.archive()));
    }

    void duplicateOnAnUnwritableArchiveIsAnError() {
        PazientiFixture f;
        f.store({PatientCard()
                     .put(QStringLiteral("Cognome"), "ROSSI")
                     .put(QStringLiteral("TipoPrest01"), "Visita")
                     .put(QStringLiteral("File01"), "eco.pdf")});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        f.click(QStringLiteral("cmdTerapie"));
        // A folder where the archive should be: it cannot be opened.
        QVERIFY(QFile::remove(f.archive()));
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Pazienti.pro")));
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{accessDenied});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Error);
        // The attachments and the position went before the archive was opened; the
        // services were still to go.
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(f.text(QStringLiteral("txtTipoPrest01")), QStringLiteral("Visita"));
        QCOMPARE(f.window.section(), 5);
    }

    void saveOnAnUnwritableArchiveIsAnError() {
        PazientiFixture f;
        QVERIFY(f.open());
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Pazienti.pro")));
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("ROSSI"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{accessDenied});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Error);
        QCOMPARE(f.position(), QString());
    }

    void clearingEmptiesTheCardButTheDataController() {
        PazientiFixture f;
        PatientCard card;
        for (const StoredField& s : allStoredFields())
            card.put(QString::fromLatin1(s.field), "7");
        f.store({card});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        f.picker(QStringLiteral("txtProvRes"))->setCurrentIndex(3);
        f.click(QStringLiteral("cmdPrestazioni"));
        f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QStringLiteral("cmdLastre"));
        f.click(QStringLiteral("cmdNuovo"));
        for (const StoredField& s : allStoredFields()) {
            const QString field = QString::fromLatin1(s.field);
            QString expected;
            if (field == QStringLiteral("Privacy"))
                expected = QStringLiteral("7");
            else if (paziente::moneyFields().contains(field))
                expected = QStringLiteral("0,00");
            if (isAttachment(field))
                QCOMPARE(f.label(QStringLiteral("lbl") + field)->text(), expected);
            else
                QVERIFY2(f.shown(field) == expected, qPrintable(field));
        }
        QCOMPARE(f.picker(QStringLiteral("txtProvRes"))->currentIndex(), -1);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.window.section(), 1);
        QCOMPARE(f.window.servicesPage(), 1);
        QCOMPARE(f.label(QStringLiteral("lblTitoloSez02"))->text(),
                 QStringLiteral("ANAMNESI MEDICA"));
        QCOMPARE(f.focused(), QStringLiteral("txtCognome"));
        QVERIFY(f.fake.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestPazientiArchivio)
#include "tst_pazientiarchivio.moc"
