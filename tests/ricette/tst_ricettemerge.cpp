// A red form saved in place after another station saved the same card: the summaries stored
// beside the boxes (the date among them) follow the merged boxes, and never make a conflict
// of their own.

#include "ricettefixture.h"

using namespace tarvola;
using namespace tarvola::testing;

namespace {

constexpr int dateBoxes = 778; // Data01 ... Data06, two bytes each
constexpr int dateSummary = 1005;

HandCard withDate(const QByteArray& ddmmyy) {
    HandCard card;
    card.named("BIANCHI");
    for (int i = 0; i < 6; ++i)
        card.put(dateBoxes + 2 * i, ddmmyy.mid(i, 1), 1);
    card.put(dateSummary, ddmmyy.left(2) + '/' + ddmmyy.mid(2, 2) + '/' + ddmmyy.mid(4), 8);
    return card;
}

} // namespace

class TestRicetteMerge : public QObject {
    Q_OBJECT
private slots:
    void summariesFollowTheMergedBoxes() {
        RicetteFixture f;
        f.store(withDate("200124").bytes);
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(f.position(), QStringLiteral("1"));
        // The other station changes the day, this one the year and a drug line.
        f.store(withDate("150124").bytes);
        f.setText(QStringLiteral("txtData05"), QStringLiteral("2"));
        f.setText(QStringLiteral("txtData06"), QStringLiteral("5"));
        f.setText(QStringLiteral("txtPresc02"), QStringLiteral("PARACETAMOLO"));
        f.fake.messages.clear();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QVERIFY(!f.fake.messages.shown.first().question);
        QVERIFY(
            f.fake.messages.last().startsWith(QStringLiteral("La scheda era stata modificata")));
        const QByteArray card = f.stored();
        QCOMPARE(card.mid(dateSummary, 9), storedField("15/01/25", 8));
        QCOMPARE(card.mid(dateBoxes, 2), storedField("1", 1));
        QCOMPARE(card.mid(dateBoxes + 10, 2), storedField("5", 1));
        QCOMPARE(card.mid(227 + 51, 51), storedField("PARACETAMOLO", 50));
        QCOMPARE(f.text(QStringLiteral("txtData01")), QStringLiteral("1"));
        QCOMPARE(f.label(QStringLiteral("lblData"))->text(), QStringLiteral("15/01/25"));
    }

    void boxesChangedOnBothSidesAreNamedByTheirGroup() {
        RicetteFixture f;
        f.store(withDate("200124").bytes);
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdPrimo"));
        f.store(withDate("210124").put(227 + 51, "ALTRO FARMACO", 50).bytes);
        f.setText(QStringLiteral("txtData02"), QStringLiteral("2"));
        f.setText(QStringLiteral("txtData01"), QStringLiteral("1"));
        f.setText(QStringLiteral("txtPresc02"), QStringLiteral("PARACETAMOLO"));
        f.fake.messages.clear();
        f.fake.messages.answers = {Answer::No};
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{QStringLiteral(
                     "Attenzione: un'altra postazione ha modificato questa scheda dopo che è "
                     "stata aperta, anche nei campi: PRESCRIZIONE 2, DATA.\r\n\r\n"
                     "Sovrascriverli con i valori di questa postazione?")});
        QCOMPARE(f.stored(), withDate("210124").put(227 + 51, "ALTRO FARMACO", 50).bytes);
    }
};

QTEST_MAIN(TestRicetteMerge)
#include "tst_ricettemerge.moc"
