#include "archive/cardmerge.h"
#include "archive/record.h"
#include "archive/recordlayout.h"

#include <QTest>

using namespace tarvola;

namespace {

// Three fields of capacity 10, as in a card of 33 bytes.
const RecordLayout& layout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(QStringLiteral("A"), 10)
            .field(QStringLiteral("B"), 10)
            .field(QStringLiteral("C"), 10);
        return r;
    }();
    return l;
}

QStringList t(const char* a, const char* b, const char* c) {
    return {QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
}

Record record(const QStringList& texts) {
    Record r(layout());
    for (qsizetype i = 0; i < texts.size(); ++i)
        r.setAt(i, texts.at(i));
    return r;
}

// One field's 11 bytes, written by hand: a length byte, the text, then filler (what a
// station that does not clear the tail leaves there).
QByteArray field(const QByteArray& text, char filler = '\0', int length = -1) {
    QByteArray bytes(1, static_cast<char>(length < 0 ? text.size() : length));
    bytes += text;
    bytes += QByteArray(11 - bytes.size(), filler);
    return bytes;
}

QByteArray card(const QByteArray& a, const QByteArray& b, const QByteArray& c) {
    return field(a) + field(b) + field(c);
}

using Outcome = CardMerge::Outcome;

} // namespace

Q_DECLARE_METATYPE(CardMerge::Outcome)

class TestCardMerge : public QObject {
    Q_OBJECT
private slots:
    void merge_data() {
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("here");
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<QList<qsizetype>>("conflicts");
        const QStringList loaded = t("uno", "due", "tre");
        const auto row = [&loaded](const char* name, const QStringList& from = {}) -> QTestData& {
            return QTest::newRow(name) << (from.isEmpty() ? loaded : from);
        };
        const QByteArray same = card("uno", "due", "tre");

        row("nothing changed anywhere")
            << loaded << same << Outcome::Unchanged << loaded << QList<qsizetype>{};
        row("changed only here") << t("uno", "DUE", "tre") << same << Outcome::Unchanged
                                 << t("uno", "DUE", "tre") << QList<qsizetype>{};
        row("changed only there") << loaded << card("uno", "altro", "tre") << Outcome::Merged
                                  << t("uno", "altro", "tre") << QList<qsizetype>{};
        row("both, in different fields")
            << t("UNO", "due", "tre") << card("uno", "due", "altro") << Outcome::Merged
            << t("UNO", "due", "altro") << QList<qsizetype>{};
        row("both, one field, the same text")
            << t("uno", "nuovo", "tre") << card("uno", "nuovo", "tre") << Outcome::Merged
            << t("uno", "nuovo", "tre") << QList<qsizetype>{};
        row("both, one field, the same text once stored")
            << t("uno", "  nuovo ", "tre") << card("uno", "nuovo", "tre") << Outcome::Merged
            << t("uno", "nuovo", "tre") << QList<qsizetype>{};
        row("both, one field, different texts")
            << t("uno", "mio", "tre") << card("uno", "suo", "tre") << Outcome::Conflict
            << t("uno", "mio", "tre") << QList<qsizetype>{1};
        row("a conflict beside a change there only")
            << t("mio", "due", "tre") << card("suo", "due", "altro") << Outcome::Conflict
            << t("mio", "due", "altro") << QList<qsizetype>{0};
        row("emptied there, changed here")
            << t("uno", "due", "mio") << card("uno", "due", "") << Outcome::Conflict
            << t("uno", "due", "mio") << QList<qsizetype>{2};
        row("junk after a length changed on disk")
            << t("uno", "DUE", "tre")
            << field("uno", 'x') + field("due", '\xff') + field("tre", ' ') << Outcome::Unchanged
            << t("uno", "DUE", "tre") << QList<qsizetype>{};
        row("a text cut to its capacity here is no change", t("uno", "due", "tre oltre"))
            << t("uno", "due", "tre oltre la capienza") << card("uno", "altro", "tre oltre ")
            << Outcome::Merged << t("uno", "altro", "tre oltre") << QList<qsizetype>{};
        const QByteArray damaged = field("uno") + field("due") + field("tre\xe0zzzzzz", '\0', 200);
        row("damaged length byte, field left alone here")
            << loaded << damaged << Outcome::Merged << t("uno", "due", "tre\u00e0zzzzzz")
            << QList<qsizetype>{};
        row("damaged length byte, field changed here")
            << t("uno", "due", "mio") << damaged << Outcome::Conflict << t("uno", "due", "mio")
            << QList<qsizetype>{2};
    }
    void merge() {
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, here);
        QFETCH(QByteArray, disk);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, merged);
        QFETCH(QList<qsizetype>, conflicts);
        const CardMerge result = mergeCard(record(loaded), record(here), disk);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.conflicts, conflicts);
        if (outcome == Outcome::Unchanged)
            return;
        const Record written = Record::fromBytes(layout(), result.merged.toBytes());
        for (qsizetype i = 0; i < merged.size(); ++i)
            QCOMPARE(written.at(i), merged.at(i));
    }

    void questionNamesEachFieldOnce() {
        QCOMPARE(
            conflictQuestion({QStringLiteral("DATA"), QStringLiteral("Prestazione 12 - Importo"),
                              QStringLiteral("DATA")}),
            QStringLiteral("Attenzione: un'altra postazione ha modificato questa scheda dopo "
                           "che è stata aperta, anche nei campi: DATA, Prestazione 12 - "
                           "Importo.\r\n\r\nSovrascriverli con i valori di questa "
                           "postazione?"));
    }
};

QTEST_APPLESS_MAIN(TestCardMerge)
#include "tst_cardmerge.moc"
