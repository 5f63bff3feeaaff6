// What the patient editor's buttons open and hand over: the code checks, the e-mail, the
// privacy form, the clinical folder, help, attachments, search, export and the clinical
// prints, and the data controller kept in Velmora.ini.

#include "app/helptopics.h"
#include "app/tfrmguida.h"
#include "archive/appwindow.h"
#include "archive/settings.h"
#include "pazientifixture.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString folderWarning =
    QStringLiteral("Attenzione: l'abbinamento di una cartella ad un paziente può avvenire soltanto "
                   "dopo che la scheda è stata inserita in archivio.");

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

class TestPazientiWiring : public QObject {
    Q_OBJECT
private slots:
    void checkButtonsOpenTheirWindowWithTheValue_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("received");
        QTest::newRow("codice fiscale") << "btnCodFisc"
                                        << "CodFisc"
                                        << "rssmra80a01h501u"
                                        << "TfrmCodFisc"
                                        << "txtCodFisc"
                                        << "RSSMRA80A01H501U";
        QTest::newRow("codice fiscale of digits goes to the partita IVA") << "btnCodFisc"
                                                                          << "CodFisc"
                                                                          << "01234567890"
                                                                          << "TfrmPartitaIva"
                                                                          << "txtPartitaIva"
                                                                          << "01234567890";
        QTest::newRow("codice fiscale empty") << "btnCodFisc"
                                              << "CodFisc"
                                              << "  "
                                              << "TfrmCodFisc"
                                              << "txtCodFisc"
                                              << "";
        QTest::newRow("partita IVA") << "btnIva"
                                     << "Iva"
                                     << "01234567890"
                                     << "TfrmPartitaIva"
                                     << "txtPartitaIva"
                                     << "01234567890";
        // A loaded card may hold what could not be typed: the check judges it as it is.
        QTest::newRow("partita IVA unfiltered") << "btnIva"
                                                << "Iva"
                                                << "IT012345678"
                                                << "TfrmPartitaIva"
                                                << "txtPartitaIva"
                                                << "IT012345678";
        QTest::newRow("IBAN") << "btnIvaMan"
                              << "Iban"
                              << "it60x0542811101000000123456"
                              << "TfrmIban"
                              << "txtIban"
                              << "IT60X0542811101000000123456";
        QTest::newRow("card") << "btnCarta"
                              << "Carta"
                              << "4539 5787 6362 1486"
                              << "TfrmCarta"
                              << "txtNumero"
                              << "4539 5787 6362 1486";
    }
    void checkButtonsOpenTheirWindowWithTheValue() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, window);
        QFETCH(QString, edit);
        QFETCH(QString, received);
        PazientiFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txt") + field, value);
        QString got;
        QCOMPARE(openedBy([&] { f.click(button); },
                          [&](QWidget* w) { got = control<QLineEdit>(w, edit)->text(); }),
                 window);
        QCOMPARE(got, received);
    }

    void emailStartsAMessage_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("target");
        QTest::newRow("address") << " mario@posta.it "
                                 << "\"mailto:mario@posta.it\"";
        QTest::newRow("empty") << ""
                               << "\"mailto:\"";
    }
    void emailStartsAMessage() {
        QFETCH(QString, address);
        QFETCH(QString, target);
        PazientiFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtEmail"), address);
        f.click(QStringLiteral("btnEmail"));
        QCOMPARE(f.fake.shell.targets, QStringList{target});
    }

    void privacyFormGetsThePatientsData() {
        PazientiFixture f;
        QVERIFY(f.open());
        const std::pair<const char*, const char*> card[] = {
            {"Cognome", " ROSSI "},      {"Nome", "MARIO"},
            {"ComuneNasc", "Roma"},      {"DataNasc", "01/01/1980"},
            {"ComuneRes", "Milano"},     {"Cap", "20100"},
            {"Indirizzo", "Via Roma 1"}, {"CodFisc", "RSSMRA80A01H501U"},
            {"Recapito", "333 1234567"}, {"Privacy", " Dott. Bianchi "}};
        for (const auto& [field, text] : card)
            f.show(QString::fromLatin1(field), QString::fromUtf8(text));
        f.show(QStringLiteral("ProvNasc"), QStringLiteral("RM"));
        f.show(QStringLiteral("ProvRes"), QStringLiteral("MI"));
        QHash<QString, QString> got;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("btnPrivacy")); },
                          [&](QWidget* w) {
                              for (auto* e : w->findChildren<QLineEdit*>()) {
                                  if (!e->objectName().isEmpty())
                                      got.insert(e->objectName(), e->text());
                              }
                              for (auto* c : w->findChildren<QComboBox*>())
                                  got.insert(c->objectName(), c->currentText());
                          }),
                 QStringLiteral("TfrmPrivacy"));
        const QHash<QString, QString> expected{
            {QStringLiteral("txtPaziente"), QStringLiteral("ROSSI MARIO")},
            {QStringLiteral("txtComuneNasc"), QStringLiteral("Roma")},
            {QStringLiteral("txtProvNasc"), QStringLiteral("RM")},
            {QStringLiteral("txtDataNasc"), QStringLiteral("01/01/1980")},
            {QStringLiteral("txtComuneRes"), QStringLiteral("Milano")},
            {QStringLiteral("txtProvRes"), QStringLiteral("MI")},
            {QStringLiteral("txtCapRes"), QStringLiteral("20100")},
            {QStringLiteral("txtIndirizzo"), QStringLiteral("Via Roma 1")},
            {QStringLiteral("txtCodFisc"), QStringLiteral("RSSMRA80A01H501U")},
            {QStringLiteral("txtRecapito"), QStringLiteral("333 1234567")},
            {QStringLiteral("txtPrivacy"), QStringLiteral("Dott. Bianchi")},
            {QStringLiteral("txtData"), QStringLiteral("14/03/2026")},
        };
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(got.value(it.key(), QStringLiteral("(missing)")), it.value());
    }

    void clinicalFolderOfAStoredCard() {
        PazientiFixture f;
        f.storeNumbered(3);
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdUltimo"));
        f.click(QStringLiteral("cmdLastre"));
        f.click(QStringLiteral("btnCartella"));
        const QString folder = QDir(f.dir.path()).filePath(QStringLiteral("Paziente_3"));
        QVERIFY(QFileInfo(folder).isDir());
        QFile inside(QDir(folder).filePath(QStringLiteral("lastra.png")));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.close();
        // The picture is the same button; a second opening keeps what the folder holds.
        QTest::mouseClick(control<QWidget>(&f.window, QStringLiteral("icoCartella")),
                          Qt::LeftButton);
        QCOMPARE(f.fake.shell.targets, (QStringList{quoted(folder), quoted(folder)}));
        QVERIFY(inside.exists());
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void clinicalFolderWithParentsMissing() {
        QTemporaryDir base;
        const QString program = QDir(base.path()).filePath(QStringLiteral("a/b"));
        FakeReportServices fake(program);
        TfrmPazienti window(fake.services);
        QVERIFY(showActive(&window));
        QVERIFY(QDir().mkpath(program));
        FormAccess form(&window);
        form.setText(QStringLiteral("txtCognome"), QStringLiteral("ROSSI"));
        form.click(QStringLiteral("cmdSalva"));
        QVERIFY(QDir(program).removeRecursively());
        form.click(QStringLiteral("cmdLastre"));
        form.click(QStringLiteral("btnCartella"));
        QVERIFY(QFileInfo(QDir(program).filePath(QStringLiteral("Paziente_1"))).isDir());
    }

    void aNewCardHasNoFolderUntilSaved() {
        PazientiFixture f;
        f.storeNumbered(4);
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdLastre"));
        f.click(QStringLiteral("btnCartella"));
        QCOMPARE(f.fake.messages.texts(), QStringList{folderWarning});
        QCOMPARE(f.fake.messages.shown.first().kind, MessageKind::Warning);
        QVERIFY(f.fake.shell.targets.isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
        f.fake.messages.clear();
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("NUOVO"));
        f.click(QStringLiteral("cmdSalva"));
        f.click(QStringLiteral("cmdLastre"));
        f.click(QStringLiteral("btnCartella"));
        const QString folder = QDir(f.dir.path()).filePath(QStringLiteral("Paziente_5"));
        QCOMPARE(f.fake.shell.targets, QStringList{quoted(folder)});
        QVERIFY(QFileInfo(folder).isDir());
    }

    void helpShowsThePatientTopic() {
        PazientiFixture f;
        QVERIFY(f.open());
        QString title;
        QString text;
        QCOMPARE(
            openedBy([&] { f.click(QStringLiteral("cmdGuida")); },
                     [&](QWidget* w) {
                         title = control<QLabel>(w, QStringLiteral("lblTitolo"))->text();
                         text =
                             control<QPlainTextEdit>(w, QStringLiteral("txtGuida"))->toPlainText();
                     }),
            QStringLiteral("TfrmGuida"));
        QVERIFY2(title.contains(QStringLiteral("App Archivio Pazienti")), qPrintable(title));
        const QStringList paragraphs = help::paragraphs(help::TopicId::Pazienti);
        QCOMPARE(paragraphs.size(), 13);
        QVERIFY(text.startsWith(paragraphs.front()));
        QVERIFY(text.endsWith(paragraphs.back()));
    }

    void attachmentsOpenWithTheCardsFiles() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.label(QStringLiteral("lblFile03"))->setText(QStringLiteral(" rx.png "));
        QString tag;
        QString file;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdFile")); },
                          [&](QWidget* w) {
                              tag = control<QLabel>(w, QStringLiteral("lblMemory"))->text();
                              file = control<QLineEdit>(w, QStringLiteral("txtFile03"))->text();
                              control<QLineEdit>(w, QStringLiteral("txtDesc03"))
                                  ->setText(QStringLiteral("Panoramica"));
                              control<QPushButton>(w, QStringLiteral("btnApplica"))->click();
                          }),
                 QStringLiteral("TfrmAllegaCartella"));
        QCOMPARE(tag, QStringLiteral("pazienti"));
        QCOMPARE(file, QStringLiteral("rx.png"));
        QCOMPARE(f.label(QStringLiteral("lblDesc03"))->text(), QStringLiteral("Panoramica"));
    }

    void buttonsOpenTheirWindows_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("search") << ""
                                << "cmdTrova"
                                << "TfrmTrovaPazienti";
        QTest::newRow("export") << ""
                                << "cmdEsporta"
                                << "TfrmExpPazienti";
        QTest::newRow("analyses preview") << "cmdDentale"
                                          << "btnAnteprimaDentale"
                                          << "TfrmAnteprimaDentale";
        QTest::newRow("analyses print") << "cmdDentale"
                                        << "btnStampaDentale"
                                        << "TfrmStampaDentale";
        QTest::newRow("services export") << "cmdPrestazioni"
                                         << "btnEsportaPrest"
                                         << "TfrmExpPrestazioni";
        QTest::newRow("therapies print") << "cmdTerapie"
                                         << "btnStampaTerapie"
                                         << "TfrmStampaTerapia";
    }
    void buttonsOpenTheirWindows() {
        QFETCH(QString, section);
        QFETCH(QString, button);
        QFETCH(QString, window);
        PazientiFixture f;
        QVERIFY(f.open());
        if (!section.isEmpty())
            f.click(section);
        QString tag;
        QCOMPARE(openedBy([&] { f.click(button); },
                          [&](QWidget* w) {
                              if (auto* memory = w->findChild<QLabel*>(QStringLiteral("lblMemory")))
                                  tag = memory->text();
                          }),
                 window);
        if (button == QStringLiteral("cmdTrova"))
            QCOMPARE(tag, QStringLiteral("pazienti"));
        // The satellite is gone once closed.
        QCOMPARE(f.window.findChildren<QDialog*>().size(), qsizetype(0));
    }

    void dataControllerIsKeptInTheSettings() {
        PazientiFixture f;
        QVERIFY(
            settings::write(f.dir.path(), settings::privacyTitolare, QStringLiteral("Dott. Neri")));
        QVERIFY(f.open());
        QCOMPARE(f.text(QStringLiteral("txtPrivacy")), QStringLiteral("Dott. Neri"));
        f.store({PatientCard()
                     .put(QStringLiteral("Cognome"), "ROSSI")
                     .put(QStringLiteral("Privacy"), "Dott. Verdi")});
        f.click(QStringLiteral("cmdPrimo"));
        f.click(QStringLiteral("cmdNuovo"));
        // The one typed or loaded on any card is the next new card's.
        QCOMPARE(f.text(QStringLiteral("txtPrivacy")), QStringLiteral("Dott. Verdi"));
        f.setText(QStringLiteral("txtPrivacy"), QStringLiteral("  Dott. Gialli "));
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.click(QStringLiteral("cmdEsci"));
        QCOMPARE(closed.size(), 1);
        QVERIFY(f.window.isHidden());
        QCOMPARE(settings::read(f.dir.path(), settings::privacyTitolare),
                 QStringLiteral("Dott. Gialli"));
        // Shown again: read again, and the form is empty.
        QVERIFY(
            settings::write(f.dir.path(), settings::privacyTitolare, QStringLiteral("Dott. Rosa")));
        f.setText(QStringLiteral("txtCognome"), QStringLiteral("X"));
        QVERIFY(f.open());
        QCOMPARE(f.text(QStringLiteral("txtPrivacy")), QStringLiteral("Dott. Rosa"));
        QCOMPARE(f.text(QStringLiteral("txtCognome")), QString());
    }

    void unwritableSettingsWarnOnClosing() {
        PazientiFixture f;
        QVERIFY(f.open());
        QVERIFY(QDir().mkdir(f.dir.filePath(QStringLiteral("Velmora.ini"))));
        f.click(QStringLiteral("cmdEsci"));
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{settings::writeFailedMessage(settings::privacyTitolare)});
    }
};

QTEST_MAIN(TestPazientiWiring)
#include "tst_pazientiwiring.moc"
