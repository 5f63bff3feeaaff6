#include "archive/searchlogic.h"
#include "support/memoryarchive.h"

#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const RecordLayout& layout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(u"Nome"_qs, 30).field(u"Citta"_qs, 30).field(u"Medico"_qs, 30);
        return r;
    }();
    return l;
}

// The fields as a stored record gives them back.
QByteArray stored(const QStringList& texts) {
    MemoryArchive archive(layout());
    archive.add(texts);
    return archive.records.front();
}

} // namespace

class TestSearchLogic : public QObject {
    Q_OBJECT
private slots:
    void paddedColumnsAreCutOrFilled() {
        QCOMPARE(paddedColumn(QStringLiteral("  Rossi "), 8), QStringLiteral("Rossi   "));
        QCOMPARE(paddedColumn(QStringLiteral("Bartolomeo Rossi"), 10),
                 QStringLiteral("Bartolomeo"));
        QCOMPARE(paddedColumn(QString(), 3), QStringLiteral("   "));
    }

    void lineJoinsColumnsAndLeavesTheLastUnpadded() {
        const QList<LineColumn> columns = {{0, QString(), 6},
                                           {1, QStringLiteral("  C.F. "), 4},
                                           {2, QStringLiteral("  Medico: "), 0}};
        const QByteArray bytes = stored(
            {QStringLiteral("Bianchi Anna"), QStringLiteral("AB"), QStringLiteral(" Dr Verdi  ")});
        const QString line = listLine(RecordView(layout(), bytes), columns);
        QCOMPARE(line, QStringLiteral("Bianch  C.F. AB    Medico: Dr Verdi"));
    }

    void lineColumnsFromStoredBytes_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cut leaves a blank inside")
            << QStringList{u"ROSSI MARIO"_qs, u"X"_qs, u"Dr"_qs}
            << u"ROSSI   C.F. X      Medico: Dr"_qs;
        QTest::newRow("empty fields are all blanks but the last")
            << QStringList{QString(), QString(), QString()} << u"        C.F.        Medico: "_qs;
        QTest::newRow("code page characters")
            << QStringList{u"\u20ac 5 è"_qs, u"d\u2019A"_qs, u"N\u00ba 3"_qs}
            << u"\u20ac 5 è   C.F. d\u2019A    Medico: N\u00ba 3"_qs;
        QTest::newRow("control characters inside stay")
            << QStringList{u"A\tB"_qs, u"C"_qs, u"D\u0001E"_qs}
            << u"A\tB     C.F. C      Medico: D\u0001E"_qs;
    }
    void lineColumnsFromStoredBytes() {
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        const QList<LineColumn> columns = {{0, QString(), 6},
                                           {1, QStringLiteral("  C.F. "), 5},
                                           {2, QStringLiteral("  Medico: "), 0}};
        const QByteArray bytes = stored(fields);
        QCOMPARE(listLine(RecordView(layout(), bytes), columns), expected);
    }

    // A column of two fields: both trimmed, one blank between them only when both are
    // there, then padded and cut as one text; as the last column, unpadded.
    void joinedColumns_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both parts")
            << QStringList{u" ROSSI "_qs, u"MARIO"_qs, u"Pisa"_qs} << u"ROSSI MARIO|Pisa MARIO"_qs;
        QTest::newRow("no first part")
            << QStringList{u"  "_qs, u"MARIO"_qs, u"Pisa"_qs} << u"MARIO      |Pisa MARIO"_qs;
        QTest::newRow("no second part")
            << QStringList{u"ROSSI"_qs, QString(), QString()} << u"ROSSI      |"_qs;
        QTest::newRow("cut in the second part")
            << QStringList{u"DE ROSSI"_qs, u"MARIA LUISA"_qs, u"Pisa"_qs}
            << u"DE ROSSI MA|Pisa MARIA LUISA"_qs;
        QTest::newRow("cut at the blank")
            << QStringList{u"BARTOLOMEI A"_qs, u"MARIO"_qs, QString()} << u"BARTOLOMEI |MARIO"_qs;
        QTest::newRow("code page characters")
            << QStringList{u"D’AMICO"_qs, u"NICOLÒ"_qs, u"€"_qs} << u"D’AMICO NIC|€ NICOLÒ"_qs;
    }
    void joinedColumns() {
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        const QList<LineColumn> columns = {{0, QString(), 11, 1}, {2, u"|"_qs, 0, 1}};
        const QByteArray bytes = stored(fields);
        QCOMPARE(listLine(RecordView(layout(), bytes), columns), expected);
    }

    void filters_data() {
        QTest::addColumn<QStringList>("typed"); // filter texts for fields 0 and 1
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("listed");
        const QStringList rossi = {QStringLiteral("ROSSI MARIO"), QStringLiteral("Via Rossini 3")};
        QTest::newRow("partial, any case") << QStringList{u"ross"_qs, u""_qs} << rossi << true;
        QTest::newRow("inside another field") << QStringList{u""_qs, u"ross"_qs} << rossi << true;
        QTest::newRow("both must match") << QStringList{u"mario"_qs, u"verdi"_qs} << rossi << false;
        QTest::newRow("both match") << QStringList{u"mario"_qs, u"rossini"_qs} << rossi << true;
        QTest::newRow("blanks are not in use") << QStringList{u"   "_qs, u""_qs} << rossi << true;
        QTest::newRow("trailing blank is kept")
            << QStringList{u"rossi "_qs, u""_qs} << rossi << true;
        QTest::newRow("trailing blank after a field's end")
            << QStringList{u"rossi "_qs, u""_qs} << QStringList{u"MARIO ROSSI"_qs, u""_qs} << false;
        QTest::newRow("accents match exactly")
            << QStringList{u"è"_qs, u""_qs} << QStringList{u"È VERO"_qs, u""_qs} << false;
        QTest::newRow("accent found as typed")
            << QStringList{u"è"_qs, u""_qs} << QStringList{u"PERCHè"_qs, u""_qs} << true;
    }
    void filters() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, fields);
        QFETCH(bool, listed);
        const QList<Filter> inUse = filtersInUse({{0, typed[0]}, {1, typed[1]}});
        const QByteArray bytes = stored(fields);
        QCOMPARE(matchesAll(RecordView(layout(), bytes), inUse), listed);
    }

    void sortIgnoresTheCaseOfPlainLettersOnly() {
        QStringList list;
        for (const char* s : {"beta", "ALFAB", "Alfa", "_x", "Zeta", "Èmilia", "alfa"})
            insertSorted(list, QString::fromUtf8(s));
        // '_' (0x5F) sorts after the capitals; È after everything plain.
        QCOMPARE(list, (QStringList{u"Alfa"_qs, u"alfa"_qs, u"ALFAB"_qs, u"beta"_qs, u"Zeta"_qs,
                                    u"_x"_qs, u"Èmilia"_qs}));
    }

    void wholeListSortsAsInsertedOneByOne_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case of plain letters, accents, prefixes")
            << QStringList{u"beta"_qs,   u"ALFAB"_qs, u"Alfa"_qs, u"_x"_qs,    u"Zeta"_qs,
                           u"Èmilia"_qs, u"alfa"_qs,  u"ALF"_qs,  u"ALFA B"_qs}
            << QStringList{u"ALF"_qs,  u"Alfa"_qs, u"alfa"_qs, u"ALFA B"_qs, u"ALFAB"_qs,
                           u"beta"_qs, u"Zeta"_qs, u"_x"_qs,   u"Èmilia"_qs};
        // Characters above 0xFF order by their code too: ÿ (0xFF) < Œ (0x152) < € (0x20AC).
        QTest::newRow("characters above 0xFF")
            << QStringList{u"\u20ac 5"_qs, u"\u0152UVRE"_qs, u"\u00ffA"_qs, u"z"_qs, u"Z\u2019"_qs}
            << QStringList{u"z"_qs, u"Z\u2019"_qs, u"\u00ffA"_qs, u"\u0152UVRE"_qs, u"\u20ac 5"_qs};
        QTest::newRow("equal lines keep their order")
            << QStringList{u"rossi"_qs, u"ROSSI"_qs, u"Bianchi"_qs, u"Rossi"_qs}
            << QStringList{u"Bianchi"_qs, u"rossi"_qs, u"ROSSI"_qs, u"Rossi"_qs};
    }
    void wholeListSortsAsInsertedOneByOne() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        sortLines(lines);
        QCOMPARE(lines, expected);
    }

    void wholeListSortAgreesWithTheOrderOnManyLines() {
        // Many lines sharing long beginnings, as a real archive gives, in both key widths,
        // short and past the 16 key bytes an order first looks at.
        for (const QString& alphabet : {u"aAbB è"_qs, u"aAbB è\u20ac"_qs})
            for (const QString& beginning : {QString(), u"ROSSI MARIO  Tel. 06"_qs}) {
                QStringList lines;
                quint32 seed = 12345;
                for (int i = 0; i < 3000; ++i) {
                    QString line = seed % 3 == 0 ? QString() : beginning;
                    const int length = int(seed % 9);
                    for (int k = 0; k < length; ++k) {
                        seed = seed * 1103515245u + 12345u;
                        line += alphabet[(seed >> 16) % alphabet.size()];
                    }
                    lines << line;
                }
                QStringList expected = lines;
                std::stable_sort(expected.begin(), expected.end(), listLess);
                sortLines(lines);
                QCOMPARE(lines, expected);
            }
    }

    // Parts sorted apart and merged give the order of the whole list sorted at once, with
    // lines equal in that order (rossi, ROSSI) kept in file order across parts; a part of
    // characters above 0xFF beside parts without them.
    void partsMergeAsTheWholeListSorts_data() {
        QTest::addColumn<int>("parts");
        QTest::newRow("no part") << 0;
        QTest::newRow("one part") << 1;
        QTest::newRow("two parts") << 2;
        QTest::newRow("five parts") << 5;
    }
    void partsMergeAsTheWholeListSorts() {
        QFETCH(int, parts);
        QStringList lines;
        quint32 seed = 777;
        const QString alphabet = u"rRoOsS "_qs;
        for (int i = 0; i < (parts == 0 ? 0 : 2000); ++i) {
            QString line;
            for (int k = 0, length = 1 + int(seed % 6); k < length; ++k) {
                seed = seed * 1103515245u + 12345u;
                line += alphabet[(seed >> 16) % alphabet.size()];
            }
            lines << (i == 1500 ? line + u"\u20ac"_qs : line);
        }
        std::vector<QStringList> split(static_cast<size_t>(parts));
        for (int p = 0; p < parts; ++p)
            split[size_t(p)] = lines.mid(lines.size() * p / parts,
                                         lines.size() * (p + 1) / parts - lines.size() * p / parts);
        QStringList expected = lines;
        sortLines(expected);
        QCOMPARE(sortedLines(std::move(split)), expected);
    }

    void findWrapsAroundAndRemembers() {
        const QStringList items = {u"ALFA"_qs, u"ALFAB"_qs, u"BETA"_qs};
        int at = findInList(items, -1, u"alfa"_qs, QString());
        QCOMPARE(at, 0);
        at = findInList(items, at, u"alfa"_qs, u"alfa"_qs);
        QCOMPARE(at, 1);
        at = findInList(items, at, u"alfa"_qs, u"alfa"_qs);
        QCOMPARE(at, 0);
        // A new text starts again from the first item.
        QCOMPARE(findInList(items, 1, u"a"_qs, u"alfa"_qs), 0);
        // Nothing found, or nothing typed: the selection stays.
        QCOMPARE(findInList(items, 2, u"gamma"_qs, QString()), 2);
        QCOMPARE(findInList(items, 1, QString(), QString()), 1);
        // The only match is the selected item: the same text comes back to it.
        QCOMPARE(findInList(items, 2, u"beta"_qs, u"beta"_qs), 2);
    }
};

QTEST_GUILESS_MAIN(TestSearchLogic)
#include "tst_searchlogic.moc"
