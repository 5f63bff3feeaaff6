// The four check windows driven through their controls, and the routine behind the
// editors' codice fiscale buttons. Message texts are written out here as the user reads
// them; valid codes are built with the reference rules.
#include "checks/tfrmcarta.h"
#include "checks/tfrmcodfisc.h"
#include "checks/tfrmiban.h"
#include "checks/tfrmpartitaiva.h"
#include "checks/verifica.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include "referencecodes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using namespace tarvola;
using namespace tarvola::testing;
using namespace tarvola::testing::reference;

namespace {

const QString cfLength = QStringLiteral(
    "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString cfValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString cfWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString ivaLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString ivaValid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                        "E' stato rilasciato dall'Ufficio IVA del Comune di ");
const QString ivaWrong =
    QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è "
                   "quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                   "rilasciato.");
const QString cardEmpty = QStringLiteral("Attenzione: immettere il numero di carta di credito "
                                         "prima di premere il pulsante di controllo.");
const QString cardWrong =
    QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
                   "fornire informazioni relative al tipo di carta di credito.");
const QString ibanLength =
    QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
const QString ibanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
const QString ibanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");

QString cardValid(const QString& number, const QString& type) {
    return QStringLiteral("Il numero di carta di credito ") + number +
           QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ") + type + u'.';
}

const QString publishedIban = QStringLiteral("IT60X0542811101000000123456");

// A valid partita IVA issued by the given office.
QString partitaIva(const QString& office) {
    return withLuhnDigit(QStringLiteral("0123456") + office);
}

QString codiceFiscale(const QString& first15) {
    return first15 + referenceCheckChar(first15);
}

// One character changed so the code no longer fits its check character.
QString brokenCodiceFiscale(const QString& valid) {
    QString changed = valid;
    changed[15] = valid[15] == u'A' ? u'B' : u'A';
    return changed;
}

std::unique_ptr<CheckWindow> makeWindow(const QString& name, Services& services) {
    if (name == QLatin1String("TfrmCodFisc"))
        return std::make_unique<TfrmCodFisc>(services);
    if (name == QLatin1String("TfrmPartitaIva"))
        return std::make_unique<TfrmPartitaIva>(services);
    if (name == QLatin1String("TfrmCarta"))
        return std::make_unique<TfrmCarta>(services);
    return std::make_unique<TfrmIban>(services);
}

QString editOf(const QString& window) {
    if (window == QLatin1String("TfrmCodFisc"))
        return QStringLiteral("txtCodFisc");
    if (window == QLatin1String("TfrmPartitaIva"))
        return QStringLiteral("txtPartitaIva");
    if (window == QLatin1String("TfrmCarta"))
        return QStringLiteral("txtNumero");
    return QStringLiteral("txtIban");
}

// A window of the given class on screen, with its edit, over a fresh program folder.
struct Shown {
    explicit Shown(const QString& name)
        : fake(dir.path())
        , window(makeWindow(name, fake.services))
        , editName(editOf(name)) {}

    bool show() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
    QLineEdit* edit() { return control<QLineEdit>(window.get(), editName); }
    QPushButton* button(const char* name) {
        return control<QPushButton>(window.get(), QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    FakeServices fake;
    std::unique_ptr<CheckWindow> window;
    QString editName;
};

enum Entry { Typed, FromCaller };

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(tarvola::MessageKind)

class TestCheckWindows : public QObject {
    Q_OBJECT
private slots:
    void layout_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("codice fiscale")
            << QStringLiteral("TfrmCodFisc") << QStringLiteral(" Controllo codice fiscale")
            << QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo.");
        QTest::newRow("partita IVA")
            << QStringLiteral("TfrmPartitaIva") << QStringLiteral(" Controllo partita IVA")
            << QStringLiteral(
                   "Immettere il numero di partita IVA e premere il pulsante di controllo.");
        QTest::newRow("carta") << QStringLiteral("TfrmCarta")
                               << QStringLiteral(" Controllo carta di credito")
                               << QStringLiteral("Immettere il numero di carta di credito e "
                                                 "premere il pulsante di controllo.");
        QTest::newRow("IBAN") << QStringLiteral("TfrmIban") << QStringLiteral(" Controllo IBAN")
                              << QStringLiteral(
                                     "Immettere l'IBAN e premere il pulsante di controllo.");
    }
    // Caption, texts and names; the focus starts in the edit; "Chiudi" closes silently.
    void layout() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        Shown w(window);
        QCOMPARE(w.window->objectName(), window);
        QCOMPARE(w.window->windowTitle(), caption);
        QCOMPARE(control<QLabel>(w.window.get(), QStringLiteral("lblTitolo"))->text(), title);
        QCOMPARE(w.button("btnControlla")->text(), QStringLiteral("Controlla"));
        QCOMPARE(w.button("btnChiudi")->text(), QStringLiteral("Chiudi"));
        QVERIFY(w.show());
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        QCOMPARE(QApplication::focusWidget(), w.edit());
        QTest::mouseClick(w.button("btnChiudi"), Qt::LeftButton);
        QVERIFY(!w.window->isVisible());
        QVERIFY(w.fake.messages.shown.isEmpty());
    }

    void typing_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        const QString cf = QStringLiteral("TfrmCodFisc");
        const QString iva = QStringLiteral("TfrmPartitaIva");
        const QString card = QStringLiteral("TfrmCarta");
        const QString iban = QStringLiteral("TfrmIban");
        QTest::newRow("cf capitals, blanks dropped")
            << cf << QStringLiteral(" rssmra 85t10") << QStringLiteral("RSSMRA85T10");
        QTest::newRow("cf accented letters kept as typed")
            << cf << QStringLiteral("àb") << QStringLiteral("àB");
        QTest::newRow("cf at most 16")
            << cf << QStringLiteral("ABCDEFGHIJKLMNOPQRST") << QStringLiteral("ABCDEFGHIJKLMNOP");
        QTest::newRow("iva digits only")
            << iva << QStringLiteral("12a-3 4b5.6è") << QStringLiteral("123456");
        QTest::newRow("iva at most 11")
            << iva << QStringLiteral("123456789012345") << QStringLiteral("12345678901");
        QTest::newRow("card digits only")
            << card << QStringLiteral("4111 1111-1111 1111") << QStringLiteral("4111111111111111");
        QTest::newRow("card at most 30")
            << card << QString(QStringLiteral("1234567890")).repeated(4)
            << QString(QStringLiteral("1234567890")).repeated(3);
        QTest::newRow("iban capitals, blanks at the ends dropped")
            << iban << QStringLiteral(" it60 x054 ") << QStringLiteral("IT60X054");
        QTest::newRow("iban other characters kept")
            << iban << QStringLiteral("it-60/x") << QStringLiteral("IT-60/X");
        QTest::newRow("iban at most 27")
            << iban << publishedIban + QStringLiteral("789") << publishedIban;
    }
    void typing() {
        QFETCH(QString, window);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Shown w(window);
        QVERIFY(w.show());
        typeText(w.edit(), keys);
        QCOMPARE(w.edit()->text(), shown);
    }

    // A caller's value is taken as it is, longer than the typing limit or with letters in
    // a digits-only edit; typing can shorten it but not add beyond the limit.
    void callerValue_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cf 17 characters, more typed")
            << QStringLiteral("TfrmCodFisc") << QStringLiteral("RSSMRA85T10A562SX")
            << QStringLiteral("Y") << QStringLiteral("RSSMRA85T10A562SX");
        QTest::newRow("cf small letters shown in capitals")
            << QStringLiteral("TfrmCodFisc") << QStringLiteral("rssmra") << QString()
            << QStringLiteral("RSSMRA");
        QTest::newRow("iva letters kept, typed letters refused")
            << QStringLiteral("TfrmPartitaIva") << QStringLiteral("12AB") << QStringLiteral("c3")
            << QStringLiteral("12AB3");
        QTest::newRow("iva 12 digits")
            << QStringLiteral("TfrmPartitaIva") << QStringLiteral("123456789012")
            << QStringLiteral("3") << QStringLiteral("123456789012");
        QTest::newRow("card dashes kept")
            << QStringLiteral("TfrmCarta") << QStringLiteral(" 4111-1111 ") << QStringLiteral("-2")
            << QStringLiteral("4111-11112");
        QTest::newRow("iban 33 characters")
            << QStringLiteral("TfrmIban") << QStringLiteral("it60 x054 2811 1010 0000 0123 456")
            << QStringLiteral("7") << QStringLiteral("IT60 X054 2811 1010 0000 0123 456");
    }
    void callerValue() {
        QFETCH(QString, window);
        QFETCH(QString, value);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Shown w(window);
        w.window->setCode(value);
        QVERIFY(w.show());
        w.edit()->end(false);
        typeText(w.edit(), keys);
        QCOMPARE(w.edit()->text(), shown);
    }

    void shortenCallerValue() {
        Shown w(QStringLiteral("TfrmCodFisc"));
        w.window->setCode(QStringLiteral("RSSMRA85T10A562SX"));
        QVERIFY(w.show());
        w.edit()->end(false);
        QTest::keyClick(w.edit(), Qt::Key_Backspace);
        QCOMPARE(w.edit()->text(), QStringLiteral("RSSMRA85T10A562S"));
        QTest::keyClick(w.edit(), Qt::Key_Backspace);
        typeText(w.edit(), QStringLiteral("s"));
        QCOMPARE(w.edit()->text(), QStringLiteral("RSSMRA85T10A562S"));
    }

    // Enter in the edit only moves to "Controlla"; pressed there, it checks.
    void enterLeadsToControlla_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("codice fiscale")
            << QStringLiteral("TfrmCodFisc") << QStringLiteral("RSSMRA85T10A562S") << cfValid;
        QTest::newRow("partita IVA")
            << QStringLiteral("TfrmPartitaIva") << QStringLiteral("1234567890") << ivaLength;
        QTest::newRow("carta") << QStringLiteral("TfrmCarta") << QStringLiteral("4111111111111111")
                               << cardValid(QStringLiteral("4111111111111111"),
                                            QStringLiteral("Visa"));
        QTest::newRow("IBAN") << QStringLiteral("TfrmIban") << publishedIban << ibanValid;
    }
    void enterLeadsToControlla() {
        QFETCH(QString, window);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        Shown w(window);
        QVERIFY(w.show());
        typeText(w.edit(), keys);
        pressEnter(w.edit());
        QCOMPARE(QApplication::focusWidget(), w.button("btnControlla"));
        QVERIFY(w.fake.messages.shown.isEmpty());
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.edit()->text(), keys);
        pressEnter(w.button("btnControlla"));
        QCOMPARE(w.fake.messages.texts(), QStringList{message});
    }

    void verdict_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<bool>("staysOpen");
        const auto info = MessageKind::Information;
        const auto warning = MessageKind::Warning;
        const QString cfWindow = QStringLiteral("TfrmCodFisc");
        const QString ivaWindow = QStringLiteral("TfrmPartitaIva");
        const QString cardWindow = QStringLiteral("TfrmCarta");
        const QString ibanWindow = QStringLiteral("TfrmIban");

        const QString cf = codiceFiscale(QStringLiteral("BNCLRA72M41F205"));
        QTest::newRow("cf valid") << cfWindow << Typed << cf << QStringList{cfValid} << info
                                  << false;
        QTest::newRow("cf typed small")
            << cfWindow << Typed << cf.toLower() << QStringList{cfValid} << info << false;
        QTest::newRow("cf wrong check") << cfWindow << Typed << brokenCodiceFiscale(cf)
                                        << QStringList{cfWrong} << warning << false;
        QTest::newRow("cf digit last")
            << cfWindow << Typed << cf.left(15) + u'7' << QStringList{cfWrong} << warning << false;
        QTest::newRow("cf blank inside")
            << cfWindow << FromCaller << QStringLiteral("BNCLRA72 41F205") + cf.back()
            << QStringList{cfWrong} << warning << false;
        QTest::newRow("cf 15") << cfWindow << Typed << cf.left(15) << QStringList{cfLength}
                               << warning << true;
        QTest::newRow("cf 17 from caller")
            << cfWindow << FromCaller << cf + u'X' << QStringList{cfLength} << warning << true;
        QTest::newRow("cf empty") << cfWindow << Typed << QString() << QStringList{cfLength}
                                  << warning << true;

        for (const char* office : {"096", "101", "120"}) {
            const QString number = partitaIva(QLatin1String(office));
            const QString name =
                QString::fromUtf8(office == QByteArray("096") ? "Monza (Milano 2)" : "Bologna 2");
            QTest::newRow(qPrintable(QStringLiteral("iva office ") + QLatin1String(office)))
                << ivaWindow << Typed << number << QStringList{ivaValid + name + u'.'} << info
                << false;
        }
        QTest::newRow("iva unlisted office")
            << ivaWindow << Typed << partitaIva(QStringLiteral("555"))
            << QStringList{ivaValid + u'.'} << info << false;
        QTest::newRow("iva zeros") << ivaWindow << Typed << QStringLiteral("00000000000")
                                   << QStringList{ivaValid + u'.'} << info << false;
        const QString broken = [] {
            QString n = partitaIva(QStringLiteral("001"));
            n[3] = n[3] == u'9' ? u'0' : QChar(n[3].unicode() + 1);
            return n;
        }();
        QTest::newRow("iva one digit changed")
            << ivaWindow << Typed << broken << QStringList{ivaWrong} << warning << false;
        QTest::newRow("iva letter from caller")
            << ivaWindow << FromCaller << QStringLiteral("0000000000A") << QStringList{ivaWrong}
            << warning << false;
        QTest::newRow("iva ten digits") << ivaWindow << Typed << QStringLiteral("0000000000")
                                        << QStringList{ivaLength} << warning << true;
        QTest::newRow("iva 12 from caller")
            << ivaWindow << FromCaller << QStringLiteral("000000000000") << QStringList{ivaLength}
            << warning << true;

        QTest::newRow("card Visa")
            << cardWindow << Typed << QStringLiteral("4111111111111111")
            << QStringList{cardValid(QStringLiteral("4111111111111111"), QStringLiteral("Visa"))}
            << info << false;
        QTest::newRow("card Amex") << cardWindow << Typed << QStringLiteral("378282246310005")
                                   << QStringList{cardValid(QStringLiteral("378282246310005"),
                                                            QStringLiteral("American Express"))}
                                   << info << false;
        QTest::newRow("card dashes from caller")
            << cardWindow << FromCaller << QStringLiteral("  5555-5555-5555-4444 ")
            << QStringList{cardValid(QStringLiteral("5555-5555-5555-4444"),
                                     QStringLiteral("MasterCard"))}
            << info << false;
        QTest::newRow("card blanks from caller")
            << cardWindow << FromCaller << QStringLiteral("6011 1111 1111 1117")
            << QStringList{cardValid(QStringLiteral("6011 1111 1111 1117"),
                                     QStringLiteral("Discover"))}
            << info << false;
        const QString twenty = withLuhnDigit(QStringLiteral("4000123412341234123"));
        // Five digits more that would break the check if they took part in it.
        QString twentyFive = twenty + QStringLiteral("00001");
        if (referenceLuhn(twentyFive))
            twentyFive.back() = u'2';
        QTest::newRow("card 25 digits")
            << cardWindow << Typed << twentyFive
            << QStringList{cardValid(twentyFive, QStringLiteral("Visa"))} << info << false;
        QTest::newRow("card 32 passes")
            << cardWindow << Typed << withLuhnDigit(QStringLiteral("321234567890123"))
            << QStringList() << info << false;
        QTest::newRow("card begins 2")
            << cardWindow << Typed << withLuhnDigit(QStringLiteral("221234567890123"))
            << QStringList{cardWrong} << warning << false;
        QTest::newRow("card Luhn fails")
            << cardWindow << Typed << QStringLiteral("4111111111111112") << QStringList{cardWrong}
            << warning << false;
        QTest::newRow("card empty")
            << cardWindow << Typed << QString() << QStringList{cardEmpty} << warning << true;
        QTest::newRow("card only blanks from caller")
            << cardWindow << FromCaller << QStringLiteral("   ") << QStringList{cardEmpty}
            << warning << true;

        QTest::newRow("iban valid")
            << ibanWindow << Typed << publishedIban << QStringList{ibanValid} << info << false;
        QTest::newRow("iban typed small") << ibanWindow << Typed << publishedIban.toLower()
                                          << QStringList{ibanValid} << info << false;
        QTest::newRow("iban generated")
            << ibanWindow << Typed << italianIban(QStringLiteral("A0306909606100000063142"))
            << QStringList{ibanValid} << info << false;
        QTest::newRow("iban adjacent digits swapped")
            << ibanWindow << Typed << QStringLiteral("IT60X0542811101000000123465")
            << QStringList{ibanWrong} << warning << false;
        QTest::newRow("iban dash")
            << ibanWindow << Typed << QStringLiteral("IT60X0542-11101000000123456")
            << QStringList{ibanWrong} << warning << false;
        QTest::newRow("iban in groups from caller")
            << ibanWindow << FromCaller << QStringLiteral("IT60 X054 2811 1010 0000 0123 456")
            << QStringList{ibanLength} << warning << true;
        QTest::newRow("iban 26") << ibanWindow << Typed << publishedIban.left(26)
                                 << QStringList{ibanLength} << warning << true;
        QTest::newRow("iban 28 from caller") << ibanWindow << FromCaller << publishedIban + u'0'
                                             << QStringList{ibanLength} << warning << true;
    }
    // "Controlla": the exact message, and the window closes after a verdict but stays open,
    // focus in the edit, after a length warning.
    void verdict() {
        QFETCH(QString, window);
        QFETCH(Entry, entry);
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        QFETCH(MessageKind, kind);
        QFETCH(bool, staysOpen);
        Shown w(window);
        if (entry == FromCaller)
            w.window->setCode(text);
        QVERIFY(w.show());
        if (entry == Typed)
            typeText(w.edit(), text);
        QTest::mouseClick(w.button("btnControlla"), Qt::LeftButton);
        QCOMPARE(w.fake.messages.texts(), messages);
        if (!messages.isEmpty())
            QCOMPARE(w.fake.messages.shown.front().kind, kind);
        QCOMPARE(w.window->isVisible(), staysOpen);
        if (staysOpen)
            QCOMPARE(QApplication::focusWidget(), w.edit());
    }

    // The editors' codice fiscale button: which window opens, with what in its edit.
    void taxCodeButton_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QString() << QStringLiteral("TfrmCodFisc") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("TfrmCodFisc")
                                << QString();
        QTest::newRow("eleven digits")
            << QStringLiteral(" 12345678903 ") << QStringLiteral("TfrmPartitaIva")
            << QStringLiteral("12345678903");
        QTest::newRow("a few digits")
            << QStringLiteral("123") << QStringLiteral("TfrmPartitaIva") << QStringLiteral("123");
        QTest::newRow("code with letters")
            << QStringLiteral(" RSSMRA85T10A562S ") << QStringLiteral("TfrmCodFisc")
            << QStringLiteral("RSSMRA85T10A562S");
        QTest::newRow("small letters")
            << QStringLiteral("rssmra85t10a562s") << QStringLiteral("TfrmCodFisc")
            << QStringLiteral("RSSMRA85T10A562S");
        QTest::newRow("digits with a blank inside")
            << QStringLiteral("123 456") << QStringLiteral("TfrmCodFisc")
            << QStringLiteral("123 456");
        QTest::newRow("longer than the edit")
            << QStringLiteral("RSSMRA85T10A562SXYZ") << QStringLiteral("TfrmCodFisc")
            << QStringLiteral("RSSMRA85T10A562SXYZ");
    }
    void taxCodeButton() {
        QFETCH(QString, field);
        QFETCH(QString, window);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        FakeServices fake(dir.path());
        QWidget editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QString seenWindow;
        QString seenText;
        QWidget* seenParent = nullptr;
        bool focusInEdit = false;
        const bool opened = whileModal([&] { openTaxCodeCheck(fake.services, &editor, field); },
                                       [&](QWidget* modal) {
                                           seenWindow = modal->objectName();
                                           seenParent = modal->parentWidget();
                                           auto* edit =
                                               control<QLineEdit>(modal, editOf(seenWindow));
                                           seenText = edit->text();
                                           focusInEdit = modal->focusWidget() == edit;
                                       });
        QVERIFY(opened);
        QCOMPARE(seenWindow, window);
        QCOMPARE(seenText, shown);
        QCOMPARE(seenParent, &editor);
        QVERIFY(focusInEdit);
        QVERIFY(fake.messages.shown.isEmpty());
    }

    // Opened from the button, a verdict closes the window and the routine returns.
    void taxCodeButtonVerdict() {
        QTemporaryDir dir;
        FakeServices fake(dir.path());
        const bool opened = whileModal(
            [&] { openTaxCodeCheck(fake.services, nullptr, partitaIva(QStringLiteral("096"))); },
            [&](QWidget* modal) {
                QTest::mouseClick(control<QPushButton>(modal, QStringLiteral("btnControlla")),
                                  Qt::LeftButton);
            });
        QVERIFY(opened);
        QCOMPARE(fake.messages.texts(),
                 QStringList{ivaValid + QStringLiteral("Monza (Milano 2).")});
    }
};

QTEST_MAIN(TestCheckWindows)
#include "tst_checkwindows.moc"
