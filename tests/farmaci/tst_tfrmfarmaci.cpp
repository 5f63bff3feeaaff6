// The drug editor: its form, the keyboard, the price field, clearing, loading, saving and
// duplicating cards of Farmaci.pro, the status line and the windows its buttons open.

#include "archive/appwindow.h"
#include "farmacifixture.h"
#include "help/helptopics.h"
#include "help/tfrmguida.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableView>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString missingName =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del farmaco.");
const QString inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString duplicated =
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                   "Al termine premere Salva per inserire la scheda in archivio.");
const QString duplicateRefused =
    QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                   "questa è stata inserita in archivio.");

const QStringList attachmentLabels{QStringLiteral("lblFile01"), QStringLiteral("lblFile02"),
                                   QStringLiteral("lblFile03"), QStringLiteral("lblDesc01"),
                                   QStringLiteral("lblDesc02"), QStringLiteral("lblDesc03")};

QString editName(const QString& field) {
    return QStringLiteral("txt") + field;
}

// A text for each field that tells the fields apart, as long as the field allows.
QString sample(const QString& field, int capacity) {
    return (field.toUpper() + QStringLiteral(" di prova àè")).left(capacity);
}

// The caption shown for an edit: the label whose buddy it is.
QString captionOf(QWidget* window, QWidget* edit) {
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == edit)
            return label->text();
    }
    return QString();
}

} // namespace

class TestTfrmFarmaci : public QObject {
    Q_OBJECT
private slots:
    void formHasItsEditsCaptionsAndLengths_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("length");
        const char* captions[] = {"Nome farmaco:",       "Produttore:",
                                  "Principio attivo:",   "Composizione:",
                                  "Categoria:",          "Tipo ricetta:",
                                  "Codice Minsan:",      "Classe:",
                                  "Nota AIFA:",          "ATC:",
                                  "Forma farmaceutica:", "Regime S.S.N.",
                                  "Durata trattamento:", "Periodo validità:",
                                  "Dosaggio bambini:",   "Dosaggio adulti:",
                                  "Dosaggio anziani:",   "Conservazione:",
                                  "Confezione:",         "Prezzo: €",
                                  "Indicazioni:",        "Controindicazioni:",
                                  "Interazioni:",        "Avvertenze speciali:",
                                  "Annotazioni:"};
        for (int i = 0; i < 25; ++i)
            QTest::newRow(storedFields[i].field)
                << QString::fromLatin1(storedFields[i].field) << QString::fromUtf8(captions[i])
                << storedFields[i].capacity;
    }
    void formHasItsEditsCaptionsAndLengths() {
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(int, length);
        FarmaciFixture f;
        QLineEdit* edit = f.edit(editName(field));
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), length);
        QCOMPARE(captionOf(&f.window, edit), caption);
        QFrame* frame = control<QFrame>(&f.window, QStringLiteral("eff") + field);
        QVERIFY(frame && frame->isHidden());
    }

    void windowHasItsControls() {
        FarmaciFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Tarvola 3.0 - Archivio Farmaci"));
        QVERIFY(qobject_cast<AppWindow*>(&f.window));
        for (const char* name : {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdStampa",
                                 "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "cmdEsporta",
                                 "cmdDisponibili", "cmdGuida", "cmdEsci", "cmdFile"})
            QVERIFY2(control<QAbstractButton>(&f.window, QString::fromLatin1(name)), name);
        QCOMPARE(f.toOrder()->text(), QStringLiteral("Da ordinare"));
        for (const QString& name : attachmentLabels)
            QVERIFY2(f.label(name)->isHidden(), qPrintable(name));
        QCOMPARE(f.label(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
    }

    void enterGoesThroughTheEditsInRecordOrder() {
        FarmaciFixture f;
        QVERIFY(f.open());
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));
        QStringList visited;
        for (int i = 0; i < 25; ++i) {
            visited << f.focused();
            // The edit in focus shows its frame, and only it.
            const QString frame = QStringLiteral("eff") + f.focused().mid(3);
            QVERIFY2(control<QFrame>(&f.window, frame)->isVisible(), qPrintable(frame));
            for (const QString& other : editedFields()) {
                if (QStringLiteral("eff") + other != frame)
                    QVERIFY(control<QFrame>(&f.window, QStringLiteral("eff") + other)->isHidden());
            }
            pressEnter(QApplication::focusWidget());
        }
        QStringList expected;
        for (const QString& field : editedFields())
            expected << editName(field);
        QCOMPARE(visited, expected);
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));
    }

    void showingClearsTheForm() {
        FarmaciFixture f;
        for (const QString& field : editedFields())
            f.setText(editName(field), QStringLiteral("x"));
        f.toOrder()->setChecked(true);
        for (const QString& name : attachmentLabels + QStringList{QStringLiteral("lblPosizione")})
            f.label(name)->setText(QStringLiteral("3"));
        QVERIFY(f.open());
        for (const QString& field : editedFields())
            QCOMPARE(f.text(editName(field)),
                     field == QStringLiteral("Prezzo") ? QStringLiteral("0,00") : QString());
        QVERIFY(!f.toOrder()->isChecked());
        for (const QString& name : attachmentLabels + QStringList{QStringLiteral("lblPosizione")})
            QCOMPARE(f.label(name)->text(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));
    }

    void newCardClearsTheFormToo() {
        FarmaciFixture f;
        f.store({DrugCard()
                     .put("Farmaco", "OKI")
                     .put("Prezzo", "4,50")
                     .ticked()
                     .put("File01", "a.pdf")});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        f.edit(QStringLiteral("txtAtc"))->setFocus();
        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), QString());
        QCOMPARE(f.text(QStringLiteral("txtPrezzo")), QStringLiteral("0,00"));
        QVERIFY(!f.toOrder()->isChecked());
        QCOMPARE(f.label(QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void savedCardIsTheStoredLayout() {
        FarmaciFixture f;
        QVERIFY(f.open());
        DrugCard expected;
        for (const StoredField& s : storedFields) {
            const QString field = QString::fromLatin1(s.field);
            if (field == QStringLiteral("DaOrdinare"))
                continue;
            const QString text = sample(field, s.capacity);
            if (field.startsWith(QStringLiteral("File")) ||
                field.startsWith(QStringLiteral("Desc")))
                f.label(QStringLiteral("lbl") + field)->setText(QStringLiteral("  ") + text);
            else
                f.setText(editName(field), QStringLiteral(" ") + text + QStringLiteral(" "));
            expected.put(s.field, text.toLatin1()); // the samples are Latin-1 = Windows-1252
        }
        f.setText(QStringLiteral("txtPrezzo"), QStringLiteral("12,50"));
        expected.put("Prezzo", "12,50");
        f.toOrder()->setChecked(true);
        expected.ticked();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{inserted});
        QCOMPARE(f.position(), QStringLiteral("1"));
        const QByteArray stored = f.stored();
        QCOMPARE(stored.size(), cardSize);
        // Field by field first, so a difference names its field.
        for (const StoredField& s : storedFields) {
            const int length = static_cast<unsigned char>(stored[s.offset]);
            QCOMPARE(stored.mid(s.offset, 1 + length), expected.bytes.mid(s.offset, 1 + length));
        }
        QCOMPARE(stored, expected.bytes);
    }

    void handWrittenCardLoadsIntoItsControls() {
        FarmaciFixture f;
        DrugCard card;
        for (const StoredField& s : storedFields) {
            if (QLatin1String(s.field) != QLatin1String("DaOrdinare"))
                card.put(s.field, sample(QString::fromLatin1(s.field), s.capacity).toLatin1());
        }
        card.ticked();
        f.store({DrugCard().put("Farmaco", "PRIMA"), card});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        for (const StoredField& s : storedFields) {
            const QString field = QString::fromLatin1(s.field);
            const QString expected = sample(field, s.capacity);
            if (field == QStringLiteral("DaOrdinare"))
                QVERIFY(f.toOrder()->isChecked());
            else if (field.startsWith(QStringLiteral("File")) ||
                     field.startsWith(QStringLiteral("Desc")))
                QCOMPARE(f.label(QStringLiteral("lbl") + field)->text(), expected);
            else
                QCOMPARE(f.text(editName(field)), expected);
        }
    }

    void flagSetsTheTickOnlyWhenItReadsYesOrNo_data() {
        QTest::addColumn<QByteArray>("flag");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("Sì ticks") << QByteArray("S\xec") << false << true;
        QTest::newRow("No unticks") << QByteArray("No") << true << false;
        QTest::newRow("other text leaves it ticked") << QByteArray("si") << true << true;
        QTest::newRow("other text leaves it unticked") << QByteArray("") << false << false;
    }
    void flagSetsTheTickOnlyWhenItReadsYesOrNo() {
        QFETCH(QByteArray, flag);
        QFETCH(bool, before);
        QFETCH(bool, after);
        FarmaciFixture f;
        f.store({DrugCard().put("Farmaco", "OKI").put("DaOrdinare", flag)});
        QVERIFY(f.open());
        f.toOrder()->setChecked(before);
        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.toOrder()->isChecked(), after);
    }

    void saveNeedsTheName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks only") << QStringLiteral("    ");
    }
    void saveNeedsTheName() {
        QFETCH(QString, name);
        FarmaciFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtProduttore"), QStringLiteral("BAYER"));
        f.setText(QStringLiteral("txtFarmaco"), name);
        f.edit(QStringLiteral("txtProduttore"))->setFocus();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{missingName});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Warning);
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));
        QCOMPARE(f.stored(), QByteArray());
        QCOMPARE(f.position(), QString());
    }

    void nameOfFiftyCharactersIsStoredWhole() {
        FarmaciFixture f;
        QVERIFY(f.open());
        const QString fifty = QStringLiteral("ACIDO ACETILSALICILICO E ACIDO ASCORBICO 400+240MG");
        QCOMPARE(fifty.size(), 50);
        typeText(f.edit(QStringLiteral("txtFarmaco")), fifty + QStringLiteral("X"));
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), fifty);
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.stored().mid(0, 51), QByteArray(1, 50) + fifty.toLatin1());
    }

    void newCardsAreAppendedAndStoredCardsRewritten() {
        FarmaciFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("PRIMO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        f.click(QStringLiteral("cmdNuovo"));
        f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("SECONDO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.fake.messages.texts(), (QStringList{inserted, inserted}));

        // A card loaded from position 7 is rewritten there.
        QList<DrugCard> cards;
        for (int i = 1; i <= 9; ++i)
            cards << DrugCard().put("Farmaco", "CARD " + QByteArray::number(i));
        f.store(cards);
        f.label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("6"));
        f.click(QStringLiteral("cmdAvanti"));
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), QStringLiteral("CARD 7"));
        f.setText(QStringLiteral("txtConfezione"), QStringLiteral("20 COMPRESSE"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.last(), changed);
        QCOMPARE(f.position(), QStringLiteral("7"));
        QCOMPARE(f.stored().size(), 9 * cardSize);
        QCOMPARE(f.storedCard(7), DrugCard()
                                      .put("Farmaco", "CARD 7")
                                      .put("Confezione", "20 COMPRESSE")
                                      .put("Prezzo", "0,00")
                                      .bytes);
        QCOMPARE(f.storedCard(6), cards[5].bytes);
        QCOMPARE(f.storedCard(8), cards[7].bytes);
    }

    void duplicateDropsTickAndAttachments() {
        FarmaciFixture f;
        const DrugCard original = DrugCard()
                                      .put("Farmaco", "OKI 80 MG")
                                      .put("Confezione", "12 BUSTINE")
                                      .put("Prezzo", "6,20")
                                      .ticked()
                                      .put("File01", "oki.pdf")
                                      .put("Desc01", "Foglietto");
        f.store({original});
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        f.edit(QStringLiteral("txtPrezzo"))->setFocus();
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicated});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Information);
        QCOMPARE(f.position(), QString());
        QVERIFY(!f.toOrder()->isChecked());
        for (const QString& name : attachmentLabels)
            QCOMPARE(f.label(name)->text(), QString());
        QCOMPARE(f.text(QStringLiteral("txtConfezione")), QStringLiteral("12 BUSTINE"));
        QCOMPARE(f.focused(), QStringLiteral("txtFarmaco"));

        f.setText(QStringLiteral("txtConfezione"), QStringLiteral("30 BUSTINE"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(f.storedCard(1), original.bytes);
        QCOMPARE(f.storedCard(2), DrugCard()
                                      .put("Farmaco", "OKI 80 MG")
                                      .put("Confezione", "30 BUSTINE")
                                      .put("Prezzo", "6,20")
                                      .bytes);
    }

    void duplicateNeedsAStoredCard() {
        FarmaciFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("OKI"));
        f.toOrder()->setChecked(true);
        f.click(QStringLiteral("cmdDuplica"));
        QCOMPARE(f.fake.messages.texts(), QStringList{duplicateRefused});
        QCOMPARE(f.fake.messages.shown.front().kind, MessageKind::Warning);
        QVERIFY(f.toOrder()->isChecked());
        QCOMPARE(f.text(QStringLiteral("txtFarmaco")), QStringLiteral("OKI"));
    }

    void priceTakesDigitsAndTheCommaOnly() {
        FarmaciFixture f;
        QVERIFY(f.open());
        QLineEdit* price = f.edit(QStringLiteral("txtPrezzo"));
        price->setFocus();
        price->clear();
        typeText(price, QStringLiteral("a1b2.,5 x€-"));
        QCOMPARE(price->text(), QStringLiteral("12,5"));
        QTest::keyClick(price, Qt::Key_Left);
        QTest::keyClick(price, Qt::Key_Backspace);
        QCOMPARE(price->text(), QStringLiteral("125"));
        QTest::keyClick(price, Qt::Key_Delete);
        QCOMPARE(price->text(), QStringLiteral("12"));
        QTest::keyClick(price, Qt::Key_Right);
        QTest::keyClick(price, Qt::Key_Home);
        typeText(price, QStringLiteral("3"));
        QCOMPARE(price->text(), QStringLiteral("312"));
    }

    void leavingThePriceWritesItAsStored_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << "5"
                               << "5,00";
        QTest::newRow("one decimal") << "7,5"
                                     << "7,50";
        QTest::newRow("many decimals") << "3,14159"
                                       << "3,1416";
        QTest::newRow("lone comma") << ","
                                    << "0,00";
        QTest::newRow("empty") << ""
                               << "0,00";
    }
    void leavingThePriceWritesItAsStored() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        FarmaciFixture f;
        QVERIFY(f.open());
        QLineEdit* price = f.edit(QStringLiteral("txtPrezzo"));
        price->setFocus();
        price->clear();
        typeText(price, typed);
        pressEnter(price);
        QCOMPARE(f.focused(), QStringLiteral("txtIndicazioni"));
        QCOMPARE(price->text(), shown);
    }

    void pastedLettersBecomeZero() {
        FarmaciFixture f;
        QVERIFY(f.open());
        QLineEdit* price = f.edit(QStringLiteral("txtPrezzo"));
        price->setFocus();
        price->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("dieci euro"));
        price->paste();
        QCOMPARE(price->text(), QStringLiteral("dieci euro"));
        f.edit(QStringLiteral("txtFarmaco"))->setFocus();
        QCOMPARE(price->text(), QStringLiteral("0,00"));
    }

    void savingStoresThePriceAsItWouldBeLeft() {
        // The buttons take no focus: a price typed just before saving is still in its edit.
        FarmaciFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("OKI"));
        QLineEdit* price = f.edit(QStringLiteral("txtPrezzo"));
        price->setFocus();
        price->clear();
        typeText(price, QStringLiteral("7,5"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.storedCard(1), DrugCard().put("Farmaco", "OKI").put("Prezzo", "7,50").bytes);
        QCOMPARE(price->text(), QStringLiteral("7,50"));
    }

    void statusLineHints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("key"); // named at the end of the tooltip
        QTest::newRow("new") << "cmdNuovo"
                             << "Predispone la schermata per l'inserimento di una nuova scheda."
                             << QStringLiteral("Ctrl+N");
        QTest::newRow("duplicate") << "cmdDuplica"
                                   << "Prepara la schermata per la registrazione di una nuova "
                                      "scheda duplicando i dati correnti."
                                   << QStringLiteral("Ctrl+D");
        QTest::newRow("save") << "cmdSalva"
                              << "Salva la scheda corrente in archivio."
                              << QStringLiteral("Ctrl+S");
        QTest::newRow("find") << "cmdTrova"
                              << "Trova una scheda in archivio." << QStringLiteral("Ctrl+F");
        QTest::newRow("print") << "cmdStampa"
                               << "Stampa la scheda corrente." << QStringLiteral("Ctrl+P");
        QTest::newRow("first") << "cmdPrimo"
                               << "Visualizza la prima scheda in archivio."
                               << QStringLiteral("Alt+Home");
        QTest::newRow("previous") << "cmdIndietro"
                                  << "Visualizza la scheda precedente in archivio."
                                  << QStringLiteral("Alt+PgUp");
        QTest::newRow("next") << "cmdAvanti"
                              << "Visualizza la scheda successiva in archivio."
                              << QStringLiteral("Alt+PgDn");
        QTest::newRow("last") << "cmdUltimo"
                              << "Visualizza l'ultima scheda in archivio."
                              << QStringLiteral("Alt+End");
        QTest::newRow("export") << "cmdEsporta"
                                << "Esporta le schede in archivio in un file di Microsoft Excel."
                                << QStringLiteral("Ctrl+E");
        QTest::newRow("to order") << "cmdDisponibili"
                                  << "Visualizza il riepilogo dei farmaci da ordinare."
                                  << QString();
        QTest::newRow("help") << "cmdGuida"
                              << "Visualizza la pagina della guida sensibile al contesto."
                              << QStringLiteral("F1");
        QTest::newRow("exit") << "cmdEsci"
                              << "Esci da questa schermata di lavoro." << QString();
        QTest::newRow("attach") << "cmdFile"
                                << "Allega file alla scheda corrente." << QString();
        QTest::newRow("tick") << "chkDaOrdinare"
                              << "Spunta questa casella per indicare che il farmaco va ordinato."
                              << QString();
    }
    void statusLineHints() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QString, key);
        FarmaciFixture f;
        QVERIFY(f.open());
        auto* line = f.label(QStringLiteral("panInfo"));
        auto* target = control<QWidget>(&f.window, name);
        for (auto* area : f.window.findChildren<QScrollArea*>())
            area->ensureWidgetVisible(target);
        QTest::mouseMove(target);
        QTRY_COMPARE(line->text(), hint);
        QCOMPARE(target->toolTip(), key.isEmpty() ? hint : hint + QStringLiteral(" (%1)").arg(key));
        // The form's background empties the line.
        for (auto* area : f.window.findChildren<QScrollArea*>())
            area->ensureVisible(0, 0);
        QTest::mouseMove(control<QWidget>(&f.window, QStringLiteral("panScheda")), QPoint(4, 4));
        QTRY_COMPARE(line->text(), QString());
    }

    void helpShowsTheDrugTopic() {
        FarmaciFixture f;
        QVERIFY(f.open());
        QString title;
        QString text;
        QCOMPARE(
            openedBy([&] { f.click(QStringLiteral("cmdGuida")); },
                     [&](QWidget* w) {
                         QVERIFY(qobject_cast<TfrmGuida*>(w));
                         for (auto* l : w->findChildren<QLabel*>())
                             title += l->text() + u'\n';
                         text =
                             control<QPlainTextEdit>(w, QStringLiteral("txtGuida"))->toPlainText();
                     }),
            QStringLiteral("TfrmGuida"));
        QVERIFY2(title.contains(QStringLiteral("App Archivio Farmaci")), qPrintable(title));
        const QStringList paragraphs = help::paragraphs(help::TopicId::Farmaci);
        QCOMPARE(paragraphs.size(), 7);
        QVERIFY(text.startsWith(paragraphs.front()));
        QVERIFY(text.endsWith(paragraphs.back()));
    }

    void attachmentsOpenWithTheCardsFiles() {
        FarmaciFixture f;
        QVERIFY(f.open());
        f.label(QStringLiteral("lblFile02"))->setText(QStringLiteral(" foto.jpg "));
        f.label(QStringLiteral("lblDesc02"))->setText(QStringLiteral("Confezione"));
        QString tag;
        QString file;
        QCOMPARE(openedBy([&] { f.click(QStringLiteral("cmdFile")); },
                          [&](QWidget* w) {
                              tag = control<QLabel>(w, QStringLiteral("lblMemory"))->text();
                              file = control<QLineEdit>(w, QStringLiteral("txtFile02"))->text();
                              control<QLineEdit>(w, QStringLiteral("txtDesc02"))
                                  ->setText(QStringLiteral("Scatola"));
                              control<QPushButton>(w, QStringLiteral("btnApplica"))->click();
                          }),
                 QStringLiteral("TfrmAllegaCartella"));
        QCOMPARE(tag, QStringLiteral("farmaci"));
        QCOMPARE(file, QStringLiteral("foto.jpg"));
        QCOMPARE(f.label(QStringLiteral("lblDesc02"))->text(), QStringLiteral("Scatola"));
    }

    void buttonsOpenTheirWindows_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("search") << "cmdTrova"
                                << "TfrmTrovaFarmaci";
        QTest::newRow("to order") << "cmdDisponibili"
                                  << "TfrmDaOrdinare";
        QTest::newRow("export") << "cmdEsporta"
                                << "TfrmExpFarmaci";
        QTest::newRow("print") << "cmdStampa"
                               << "TfrmStampaFarmaco";
    }
    void buttonsOpenTheirWindows() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        FarmaciFixture f;
        QVERIFY(f.open());
        QString tag;
        QCOMPARE(openedBy([&] { f.click(button); },
                          [&](QWidget* w) {
                              if (auto* memory = w->findChild<QLabel*>(QStringLiteral("lblMemory")))
                                  tag = memory->text();
                          }),
                 window);
        if (button == QStringLiteral("cmdTrova"))
            QCOMPARE(tag, QStringLiteral("farmaci"));
        // The satellite is gone once closed.
        QCOMPARE(f.window.findChildren<QDialog*>().size(), 0);
    }

    void exitGoesBackToTheLauncher() {
        FarmaciFixture f;
        QVERIFY(f.open());
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.click(QStringLiteral("cmdEsci"));
        QCOMPARE(closed.size(), 1);
        QVERIFY(!f.window.isVisible());
    }
};

QTEST_MAIN(TestTfrmFarmaci)
#include "tst_tfrmfarmaci.moc"
