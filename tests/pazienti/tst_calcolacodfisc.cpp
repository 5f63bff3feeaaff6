// The codice fiscale computed on the patient card: written into an empty code, confirmed
// for the same code or an omocodic variant, offered in place of a different one, and the
// warnings for what cannot be computed. The towns offered while a birthplace is typed.

#include "pazientifixture.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

// Mario Rossi of Milan, 12 March 1945: the published example, RSSMRA45C12F205C.
void fillMarioRossi(PazientiFixture& f) {
    f.show(u"Cognome"_s, u"Rossi"_s);
    f.show(u"Nome"_s, u"Mario"_s);
    f.show(u"Sesso"_s, u"M"_s);
    f.show(u"DataNasc"_s, u"12/03/1945"_s);
    f.show(u"ComuneNasc"_s, u"Milano"_s);
    f.show(u"ProvNasc"_s, u"MI"_s);
}

} // namespace

class TestCalcolaCodFisc : public QObject {
    Q_OBJECT
private slots:
    void buttonSitsBesideTheCodeWithItsHint() {
        PazientiFixture f;
        QVERIFY(f.open());
        auto* button = control<QToolButton>(&f.window, u"btnCalcolaCodFisc"_s);
        QCOMPARE(button->toolTip(), u"Calcola il codice fiscale dai dati anagrafici."_s);
        QVERIFY(!button->accessibleName().isEmpty());
        QVERIFY(button->isVisible());
    }

    void emptyCodeIsFilledIn() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillMarioRossi(f);
        f.click(u"btnCalcolaCodFisc"_s);
        QCOMPARE(f.shown(u"CodFisc"_s), u"RSSMRA45C12F205C"_s);
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void typedCodeIsCheckedAgainstTheCard_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("asked");
        const QString same = u"RSSMRA45C12F205C"_s;
        QTest::newRow("the same") << same << QList<Answer>{} << same << false;
        QTest::newRow("omocodic variant")
            << u"RSSMRAQRCMNFNLRG"_s << QList<Answer>{} << u"RSSMRAQRCMNFNLRG"_s << false;
        QTest::newRow("another person's, kept")
            << u"RSSMRA45C13F205D"_s << QList<Answer>{Answer::No} << u"RSSMRA45C13F205D"_s << true;
        QTest::newRow("another person's, replaced")
            << u"RSSMRA45C13F205D"_s << QList<Answer>{Answer::Yes} << same << true;
    }
    void typedCodeIsCheckedAgainstTheCard() {
        QFETCH(QString, typed);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, after);
        QFETCH(bool, asked);
        PazientiFixture f;
        QVERIFY(f.open());
        fillMarioRossi(f);
        f.show(u"CodFisc"_s, typed);
        f.fake.messages.answers = answers;
        f.click(u"btnCalcolaCodFisc"_s);
        QCOMPARE(f.shown(u"CodFisc"_s), after);
        QCOMPARE(f.fake.messages.shown.size(), 1);
        const auto& message = f.fake.messages.shown[0];
        QCOMPARE(message.question, asked);
        if (asked) {
            QVERIFY2(message.text.contains(typed) && message.text.contains(u"RSSMRA45C12F205C"_s),
                     qPrintable(message.text));
        } else {
            QCOMPARE(message.kind, MessageKind::Information);
            QCOMPARE(message.text, u"Il codice fiscale corrisponde ai dati anagrafici."_s);
        }
    }

    void whatCannotBeComputedIsWarnedAbout_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("focus");
        QTest::newRow("town in two provinces, none chosen")
            << u"ComuneNasc"_s << u"Corvara"_s << u"\"Corvara\" esiste in più province (BZ, PE)"_s
            << u"txtProvNasc"_s;
        QTest::newRow("unknown town")
            << u"ComuneNasc"_s << u"Paperopoli"_s << u"\"Paperopoli\" non è stato trovato"_s
            << u"txtComuneNasc"_s;
        QTest::newRow("missing birth date")
            << u"DataNasc"_s << u""_s << u"compila o correggi: Data di nascita"_s
            << u"txtDataNasc"_s;
        QTest::newRow("birth date in the future")
            << u"DataNasc"_s << u"01/01/2030"_s << u"compila o correggi: Data di nascita"_s
            << u"txtDataNasc"_s;
        QTest::newRow("sex neither M nor F")
            << u"Sesso"_s << u"X"_s << u"compila o correggi: Sesso"_s << u"txtSesso"_s;
    }
    void whatCannotBeComputedIsWarnedAbout() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, says);
        QFETCH(QString, focus);
        PazientiFixture f;
        QVERIFY(f.open());
        fillMarioRossi(f);
        if (field == u"ComuneNasc"_s)
            f.show(u"ProvNasc"_s, {});
        f.show(field, value);
        f.click(u"btnCalcolaCodFisc"_s);
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Warning);
        QVERIFY2(f.fake.messages.shown[0].text.contains(says),
                 qPrintable(f.fake.messages.shown[0].text));
        QCOMPARE(f.shown(u"CodFisc"_s), QString());
        QTRY_COMPARE_WITH_TIMEOUT(f.focused(), focus, 5000);
    }

    void aTownIsOfferedAndWrittenOnlyWhenPicked() {
        PazientiFixture f;
        QVERIFY(f.open());
        QLineEdit* edit = f.edit(u"txtComuneNasc"_s);
        edit->setFocus();
        typeText(edit, u"aglie"_s);
        auto* completer = edit->findChild<QCompleter*>();
        QVERIFY(completer);
        QAbstractItemView* popup = completer->popup();
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 5000);
        const QStringList offered = [&] {
            QStringList lines;
            for (int r = 0; r < popup->model()->rowCount(); ++r)
                lines << popup->model()->index(r, 0).data().toString();
            return lines;
        }();
        QCOMPARE(offered, (QStringList{u"AGLIÈ (AO)"_s, u"AGLIÈ (TO)"_s, u"AGLIENTU (OT)"_s,
                                       u"AGLIENTU (SS)"_s}));
        // Nothing is written while the list is only looked at.
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QCOMPARE(edit->text().toUpper(), u"AGLIE"_s);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(f.shown(u"ComuneNasc"_s), u"AGLIÈ"_s);
        QCOMPARE(f.shown(u"ProvNasc"_s), u"TO"_s);
    }

    void aPickedTownKeepsAProvinceAlreadyChosen() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.show(u"ProvRes"_s, u"RM"_s);
        QLineEdit* edit = f.edit(u"txtComuneRes"_s);
        edit->setFocus();
        typeText(edit, u"abetone cut"_s);
        QAbstractItemView* popup = edit->findChild<QCompleter*>()->popup();
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), 5000);
        QCOMPARE(popup->model()->rowCount(), 1);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(f.shown(u"ComuneRes"_s), u"ABETONE CUTIGLIANO"_s);
        QCOMPARE(f.shown(u"ProvRes"_s), u"RM"_s);
    }
};

QTEST_MAIN(TestCalcolaCodFisc)
#include "tst_calcolacodfisc.moc"
