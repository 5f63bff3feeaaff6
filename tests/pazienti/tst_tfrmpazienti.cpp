// The patient editor's window: its controls, captions and lengths, the section selector
// and the section titles, the services pages, the Enter key in each section, the typing
// rules of the personal data and the status line hints.

#include "archive/appwindow.h"
#include "pazienti/pazienterecord.h"
#include "pazientifixture.h"

#include <QAbstractButton>
#include <QFrame>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const char* const selectors[] = {"cmdAnagrafe",    "cmdAnamnesi", "cmdDentale",
                                 "cmdPrestazioni", "cmdTerapie",  "cmdLastre"};
const char* const twins[] = {"tmpAnagrafe",    "tmpAnamnesi", "tmpDentale",
                             "tmpPrestazioni", "tmpTerapie",  "tmpLastre"};
const char* const titles[] = {"INFORMAZIONI ANAGRAFICHE", "ANAMNESI MEDICA", "ANALISI CLINICHE",
                              "PRESTAZIONI ESEGUITE",     "STORICO TERAPIE", "CARTELLA CLINICA"};
const char* const firstControls[] = {"txtCognome", "txtDente01"};

const QStringList personalOrder =
    QStringLiteral(
        "Cognome Nome CodFisc Sesso DataNasc ComuneNasc ProvNasc Iva Indirizzo Cap ComuneRes "
        "ProvRes "
        "TelCasa TelUff TelCel Fax Recapito Email Orari Iban Intestatario Professione Carta "
        "ScadeCarta Pagamento Medico Tessera Note Privacy")
        .split(u' ');
const QStringList anamnesisOrder =
    QStringLiteral(
        "Peso Altezza Gruppo Asl Disfunzioni Protesi Handicap Interventi Vaccinazioni Malattie "
        "Patologie Terapie Farmaci Allergie Raccomandazioni")
        .split(u' ');

QString captionOf(QWidget* window, QWidget* edit) {
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == edit)
            return label->text();
    }
    return QString();
}

} // namespace

class TestTfrmPazienti : public QObject {
    Q_OBJECT
private slots:
    void everyFieldHasItsControlAndLength() {
        PazientiFixture f;
        for (const StoredField& s : allStoredFields()) {
            const QString field = QString::fromLatin1(s.field);
            if (field.startsWith(QStringLiteral("File")) ||
                field.startsWith(QStringLiteral("Desc"))) {
                QVERIFY2(f.label(QStringLiteral("lbl") + field)->isHidden(), s.field);
                continue;
            }
            const QString name = QStringLiteral("txt") + field;
            const int length = field.startsWith(QStringLiteral("Prov"))
                                   ? f.picker(name)->lineEdit()->maxLength()
                                   : f.edit(name)->maxLength();
            QVERIFY2(length == s.capacity, s.field);
        }
    }

    void captionsAreTheCardsOwn_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::newRow("surname") << "txtCognome"
                                 << "Cognome:";
        QTest::newRow("province of birth") << "txtProvNasc"
                                           << "Prov.";
        QTest::newRow("hours") << "txtOrari"
                               << "Giorni e orari preferiti per appuntamenti:";
        QTest::newRow("payment") << "txtPagamento"
                                 << "Modalità di pagamento:";
        QTest::newRow("card") << "txtCarta"
                              << "Carta di credito n.";
        QTest::newRow("controller") << "txtPrivacy"
                                    << "Titolare trattamento dati:";
        QTest::newRow("blood") << "txtGruppo"
                               << "Gruppo sanguigno:";
        QTest::newRow("advice") << "txtRaccomandazioni"
                                << "Raccomandazioni mediche:";
        QTest::newRow("analysis 1") << "txtDente01"
                                    << "1.";
        QTest::newRow("analysis 32") << "txtDente32"
                                     << "32.";
    }
    void captionsAreTheCardsOwn() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        PazientiFixture f;
        QCOMPARE(captionOf(&f.window, testing::control<QWidget>(&f.window, control)), caption);
    }

    void windowHasItsFrame() {
        PazientiFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Tarvola 3.0 - Archivio Pazienti"));
        QVERIFY(qobject_cast<AppWindow*>(&f.window));
        QVERIFY(f.window.windowState() & Qt::WindowMaximized);
        for (const char* name : {"cmdNuovo",         "cmdDuplica",       "cmdSalva",
                                 "cmdTrova",         "cmdFile",          "cmdAnteprima",
                                 "cmdStampa",        "cmdPrimo",         "cmdIndietro",
                                 "cmdAvanti",        "cmdUltimo",        "cmdEsporta",
                                 "cmdGuida",         "cmdEsci",          "btnCodFisc",
                                 "btnIva",           "btnEmail",         "btnIvaMan",
                                 "btnCarta",         "btnPrivacy",       "btnAnteprimaDentale",
                                 "btnStampaDentale", "btnIndietroPrest", "btnAvantiPrest",
                                 "btnEsportaPrest",  "btnStampaTerapie", "btnCartella"})
            QVERIFY2(control<QAbstractButton>(&f.window, QString::fromLatin1(name)), name);
        QCOMPARE(control<QPushButton>(&f.window, QStringLiteral("btnPrivacy"))->text(),
                 QStringLiteral("Modulo Privacy"));
        QCOMPARE(control<QPushButton>(&f.window, QStringLiteral("btnIndietroPrest"))->text(),
                 QStringLiteral("<<  Indietro"));
        QCOMPARE(control<QPushButton>(&f.window, QStringLiteral("btnAvantiPrest"))->text(),
                 QStringLiteral("Avanti  >>"));
        QCOMPARE(control<QPushButton>(&f.window, QStringLiteral("btnCartella"))->text(),
                 QStringLiteral("Apri cartella"));
        QVERIFY(control<QLabel>(&f.window, QStringLiteral("icoCartella")));
        QCOMPARE(f.label(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        for (int p = 1; p <= 6; ++p)
            QVERIFY(control<QWidget>(&f.window, rowName("panPrestazioni", p)));
        QVERIFY(control<QWidget>(&f.window, QStringLiteral("panContenitore"))->maximumSize() ==
                QSize(995, 692));
    }

    void selectingASectionShowsItsPanelTwinAndFocus_data() {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("focus");
        const char* focus[] = {"txtCognome",     "txtPeso",          "txtDente01",
                               "txtDataPrest01", "txtInizioTerap01", "btnCartella"};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(selectors[i]) << i + 1 << QString::fromLatin1(focus[i]);
    }
    void selectingASectionShowsItsPanelTwinAndFocus() {
        QFETCH(int, section);
        QFETCH(QString, focus);
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrestazioni"));
        f.click(QStringLiteral("btnAvantiPrest"));
        f.click(QString::fromLatin1(selectors[section == 1 ? 1 : 0]));
        f.click(QString::fromLatin1(selectors[section - 1]));
        for (int i = 0; i < 6; ++i) {
            const bool chosen = i + 1 == section;
            QCOMPARE(control<QWidget>(&f.window, QString::fromLatin1(selectors[i]))->isVisible(),
                     !chosen);
            QCOMPARE(control<QWidget>(&f.window, QString::fromLatin1(twins[i]))->isVisible(),
                     chosen);
            QCOMPARE(control<QWidget>(&f.window, rowName("panSezione", i + 1))->isVisible(),
                     chosen);
        }
        QCOMPARE(f.focused(), focus);
        // Entering the services shows their first page; the other sections leave it.
        QCOMPARE(f.window.servicesPage(), section == 4 ? 1 : 2);
    }

    void titlesFollowSurnameAndName() {
        PazientiFixture f;
        QVERIFY(f.open());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f.label(rowName("lblTitoloSez", i + 1))->text(),
                     QString::fromLatin1(titles[i]));
        typeText(f.edit(QStringLiteral("txtCognome")), QStringLiteral("ROSSI "));
        typeText(f.edit(QStringLiteral("txtNome")), QStringLiteral("MARIO"));
        QCOMPARE(f.label(QStringLiteral("lblTitoloSez02"))->text(),
                 QStringLiteral("ANAMNESI MEDICA - ROSSI MARIO"));
        QCOMPARE(f.label(QStringLiteral("lblTitoloSez06"))->text(),
                 QStringLiteral("CARTELLA CLINICA - ROSSI MARIO"));
        f.store({PatientCard()
                     .put(QStringLiteral("Cognome"), "VERDI")
                     .put(QStringLiteral("Nome"), "ANNA")});
        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.label(QStringLiteral("lblTitoloSez04"))->text(),
                 QStringLiteral("PRESTAZIONI ESEGUITE - VERDI ANNA"));
        f.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(f.label(QStringLiteral("lblTitoloSez04"))->text(),
                 QStringLiteral("PRESTAZIONI ESEGUITE"));
    }

    void servicePages() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrestazioni"));
        QLabel* page = f.label(QStringLiteral("lblPagPrest"));
        QCOMPARE(page->text(), QStringLiteral("pag. 1 / 6"));
        f.click(QStringLiteral("btnIndietroPrest"));
        QCOMPARE(page->text(), QStringLiteral("pag. 1 / 6"));
        for (int p = 2; p <= 7; ++p) {
            f.click(QStringLiteral("btnAvantiPrest"));
            const int shown = std::min(p, 6);
            QCOMPARE(page->text(), QStringLiteral("pag. %1 / 6").arg(shown));
            for (int q = 1; q <= 6; ++q)
                QCOMPARE(control<QWidget>(&f.window, rowName("panPrestazioni", q))->isVisible(),
                         q == shown);
            QVERIFY(f.edit(QStringLiteral("txtDataPrest") +
                           QString::number(16 * (shown - 1) + 1).rightJustified(2, u'0'))
                        ->isVisible());
        }
        f.click(QStringLiteral("btnIndietroPrest"));
        QCOMPARE(page->text(), QStringLiteral("pag. 5 / 6"));
        QVERIFY(f.edit(QStringLiteral("txtImpPrest80"))->isVisible());
        // Leaving on page 4 and coming back shows page 1.
        f.click(QStringLiteral("btnIndietroPrest"));
        f.click(QStringLiteral("cmdTerapie"));
        f.click(QStringLiteral("cmdPrestazioni"));
        QCOMPARE(page->text(), QStringLiteral("pag. 1 / 6"));
    }

    void pageIsKnownFromItsLabel() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrestazioni"));
        f.label(QStringLiteral("lblPagPrest"))->setText(QStringLiteral(" pag. 3 / 6 "));
        f.click(QStringLiteral("btnAvantiPrest"));
        QCOMPARE(f.label(QStringLiteral("lblPagPrest"))->text(), QStringLiteral("pag. 4 / 6"));
    }

    void enterCyclesWithinEachSection_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<bool>("frames");
        QStringList personal, anamnesis, analyses;
        for (const QString& field : personalOrder)
            personal << QStringLiteral("txt") + field;
        for (const QString& field : anamnesisOrder)
            anamnesis << QStringLiteral("txt") + field;
        for (int i = 1; i <= 32; ++i)
            analyses << rowName("txtDente", i);
        QTest::newRow("personal") << "cmdAnagrafe" << personal << true;
        QTest::newRow("anamnesis") << "cmdAnamnesi" << anamnesis << true;
        QTest::newRow("analyses") << "cmdDentale" << analyses << false;
    }
    void enterCyclesWithinEachSection() {
        QFETCH(QString, selector);
        QFETCH(QStringList, order);
        QFETCH(bool, frames);
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(selector);
        QStringList visited;
        for (qsizetype i = 0; i < order.size(); ++i) {
            visited << f.focused();
            if (frames) {
                const QString frame = QStringLiteral("eff") + f.focused().mid(3);
                QVERIFY2(control<QFrame>(&f.window, frame)->isVisible(), qPrintable(frame));
            }
            pressEnter(QApplication::focusWidget());
        }
        QCOMPARE(visited, order);
        QCOMPARE(f.focused(), order.first());
        if (frames)
            QVERIFY(control<QFrame>(&f.window, QStringLiteral("eff") + order.last().mid(3))
                        ->isHidden());
    }

    void enterDoesNothingInTheRows_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("edit");
        QTest::newRow("service date") << "cmdPrestazioni"
                                      << "txtDataPrest01";
        QTest::newRow("service amount") << "cmdPrestazioni"
                                        << "txtImpPrest16";
        QTest::newRow("therapy") << "cmdTerapie"
                                 << "txtTerapia05";
        QTest::newRow("cost") << "cmdTerapie"
                              << "txtCosto18";
    }
    void enterDoesNothingInTheRows() {
        QFETCH(QString, selector);
        QFETCH(QString, edit);
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(selector);
        f.edit(edit)->setFocus();
        pressEnter(f.edit(edit));
        QCOMPARE(f.focused(), edit);
        QVERIFY(f.fake.messages.shown.isEmpty());
        QCOMPARE(f.position(), QString());
    }

    void tabFollowsTheRows() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrestazioni"));
        const QStringList expected{
            QStringLiteral("txtDataPrest01"), QStringLiteral("txtOraPrest01"),
            QStringLiteral("txtTipoPrest01"), QStringLiteral("txtImpPrest01"),
            QStringLiteral("txtDataPrest02")};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            visited << f.focused();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void typingRules_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("codice fiscale in capitals") << "txtCodFisc"
                                                    << " rssmra80a01h501u"
                                                    << "RSSMRA80A01H501U";
        QTest::newRow("sex") << "txtSesso"
                             << "f"
                             << "F";
        QTest::newRow("IBAN, accents kept") << "txtIban"
                                            << "it60 x05"
                                            << "IT60X05";
        QTest::newRow("e-mail trimmed") << "txtEmail"
                                        << " mario.rossi@posta.it "
                                        << "mario.rossi@posta.it";
        QTest::newRow("card digits only") << "txtCarta"
                                          << "4539-5787 abc"
                                          << "45395787";
        QTest::newRow("partita IVA digits only") << "txtIva"
                                                 << "IT0123 4567"
                                                 << "01234567";
        QTest::newRow("name as typed") << "txtNome"
                                       << "mario"
                                       << "mario";
        QTest::newRow("amount as typed") << "txtImpPrest01"
                                         << "12.50"
                                         << "0,0012.50";
    }
    void typingRules() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PazientiFixture f;
        QVERIFY(f.open());
        if (edit.startsWith(QStringLiteral("txtImp")))
            f.click(QStringLiteral("cmdPrestazioni"));
        QLineEdit* e = f.edit(edit);
        e->setFocus();
        e->end(false);
        typeText(e, typed);
        QCOMPARE(e->text(), shown);
    }

    void digitsOnlyEditsLetEditingKeysAndEnterThrough() {
        PazientiFixture f;
        QVERIFY(f.open());
        QLineEdit* card = f.edit(QStringLiteral("txtCarta"));
        card->setFocus();
        typeText(card, QStringLiteral("1234"));
        QTest::keyClick(card, Qt::Key_Left);
        QTest::keyClick(card, Qt::Key_Backspace);
        QCOMPARE(card->text(), QStringLiteral("124"));
        QTest::keyClick(card, Qt::Key_Right);
        QTest::keyClick(card, Qt::Key_Left);
        QTest::keyClick(card, Qt::Key_Delete);
        QCOMPARE(card->text(), QStringLiteral("12"));
        pressEnter(card);
        QCOMPARE(f.focused(), QStringLiteral("txtScadeCarta"));
    }

    void provincePickers() {
        PazientiFixture f;
        QVERIFY(f.open());
        for (const char* name : {"txtProvNasc", "txtProvRes"}) {
            QComboBox* picker = f.picker(QString::fromLatin1(name));
            QCOMPARE(picker->count(), 112);
            QCOMPARE(picker->itemText(0), QStringLiteral("AG"));
            QCOMPARE(picker->itemText(111), QStringLiteral("VV"));
            QCOMPARE(picker->currentIndex(), -1);
            QVERIFY(picker->isEditable());
        }
        QComboBox* birth = f.picker(QStringLiteral("txtProvNasc"));
        // An item chosen earlier does not come back over the text when the focus returns.
        birth->setCurrentIndex(birth->findText(QStringLiteral("MI")));
        birth->setEditText(QStringLiteral("TO"));
        f.edit(QStringLiteral("txtCognome"))->setFocus();
        birth->setFocus();
        QCOMPARE(birth->currentIndex(), -1);
        QCOMPARE(birth->currentText(), QStringLiteral("TO"));
        birth->clearEditText();
        typeText(birth->lineEdit(), QStringLiteral("ge"));
        QCOMPARE(birth->currentText(), QStringLiteral("GE"));
        typeText(birth->lineEdit(), QStringLiteral("x"));
        QCOMPARE(birth->currentText(), QStringLiteral("GE")); // at most two characters
        pressEnter(birth);
        QCOMPARE(f.focused(), QStringLiteral("txtIva"));
        QCOMPARE(birth->count(), 112); // Enter adds nothing to the list
        QCOMPARE(birth->currentText(), QStringLiteral("GE"));
    }

    void hints_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("new") << "cmdNuovo"
                             << "Prepara la schermata per l'inserimento di una nuova scheda.";
        QTest::newRow("duplicate") << "cmdDuplica"
                                   << "Prepara la schermata per l'inserimento di una nuova scheda "
                                      "duplicando i dati correnti.";
        QTest::newRow("save") << "cmdSalva"
                              << "Salva la scheda corrente in archivio.";
        QTest::newRow("find") << "cmdTrova"
                              << "Trova una scheda in archivio.";
        QTest::newRow("attach") << "cmdFile"
                                << "Allega file alla scheda corrente.";
        QTest::newRow("preview") << "cmdAnteprima"
                                 << "Visualizza l'anteprima di stampa della scheda corrente.";
        QTest::newRow("print") << "cmdStampa"
                               << "Stampa la scheda corrente.";
        QTest::newRow("first") << "cmdPrimo"
                               << "Visualizza la prima scheda in archivio.";
        QTest::newRow("previous") << "cmdIndietro"
                                  << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("next") << "cmdAvanti"
                              << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("last") << "cmdUltimo"
                              << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("export") << "cmdEsporta"
                                << "Esporta le schede in archivio in un file di Microsoft Excel.";
        QTest::newRow("help") << "cmdGuida"
                              << "Visualizza la pagina della guida sensibile al contesto.";
        QTest::newRow("exit") << "cmdEsci"
                              << "Esci da questa schermata di lavoro.";
        QTest::newRow("tax code") << "btnCodFisc"
                                  << "Controlla il codice fiscale.";
        QTest::newRow("VAT") << "btnIva"
                             << "Controlla il numero di partita IVA.";
        QTest::newRow("e-mail") << "btnEmail"
                                << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("IBAN") << "btnIvaMan"
                              << "Controlla l'IBAN.";
        QTest::newRow("card") << "btnCarta"
                              << "Controlla il numero di carta di credito.";
        QTest::newRow("privacy")
            << "btnPrivacy"
            << "Stampa il modulo per il consenso al trattamento dei dati personali e sensibili.";
        QTest::newRow("analyses preview")
            << "btnAnteprimaDentale"
            << "Visualizza l'anteprima di stampa delle analisi cliniche del paziente corrente.";
        QTest::newRow("analyses print") << "btnStampaDentale"
                                        << "Stampa le analisi cliniche del paziente corrente.";
        QTest::newRow("services export") << "btnEsportaPrest"
                                         << "Esporta in un foglio di Excel l'elenco delle "
                                            "prestazioni eseguite a favore del paziente.";
        QTest::newRow("therapies print")
            << "btnStampaTerapie"
            << "Stampa lo storico delle terapie del paziente corrente.";
        QTest::newRow("folder")
            << "btnCartella"
            << "Apri la cartella abbinata al paziente per aggiungere o rimuovere documenti.";
        QTest::newRow("folder picture") << "icoCartella"
                                        << "Apri cartella abbinata al paziente.";
    }
    void hints() {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        PazientiFixture f;
        QVERIFY(f.open());
        auto* widget = testing::control<QWidget>(&f.window, control);
        QCOMPARE(widget->toolTip(), hint);
        for (int i = 0; i < 5; ++i) {
            if (!widget->isVisible())
                f.click(QString::fromLatin1(selectors[i + 1]));
        }
        QVERIFY(widget->isVisible());
        QLabel* line = f.label(QStringLiteral("panInfo"));
        auto* area = f.window.findChild<QScrollArea*>();
        // The section just shown lays itself out before it can be scrolled to.
        QCoreApplication::sendPostedEvents();
        area->ensureWidgetVisible(widget);
        QTest::mouseMove(widget);
        QTRY_COMPARE(line->text(), hint);
        // The form's background empties the line.
        area->ensureVisible(0, 0);
        QTest::mouseMove(testing::control<QWidget>(&f.window, QStringLiteral("panContenitore")),
                         QPoint(4, 4));
        QTRY_COMPARE(line->text(), QString());
    }

    void decorativePicturesEmptyTheLine() {
        PazientiFixture f;
        QVERIFY(f.open());
        QLabel* line = f.label(QStringLiteral("panInfo"));
        auto* save = control<QWidget>(&f.window, QStringLiteral("cmdSalva"));
        const QString hint = QStringLiteral("Salva la scheda corrente in archivio.");
        QTest::mouseMove(save);
        QTRY_COMPARE(line->text(), hint);
        QTest::mouseMove(control<QWidget>(&f.window, QStringLiteral("tmpAnagrafe")));
        QTRY_COMPARE(line->text(), QString());
        f.click(QStringLiteral("cmdLastre"));
        QTest::mouseMove(save);
        QTRY_COMPARE(line->text(), hint);
        auto* step = control<QWidget>(&f.window, QStringLiteral("imgIstruzioni01"));
        f.window.findChild<QScrollArea*>()->ensureWidgetVisible(step);
        QTest::mouseMove(step);
        QTRY_COMPARE(line->text(), QString());
    }

    void selectorsHaveNoHint() {
        PazientiFixture f;
        for (const char* name : selectors)
            QCOMPARE(control<QWidget>(&f.window, QString::fromLatin1(name))->toolTip(), QString());
    }
};

QTEST_MAIN(TestTfrmPazienti)
#include "tst_tfrmpazienti.moc"
