#include "archive/record.h"
#include "archive/recordlayout.h"
#include "archive/textfield.h"

#include <QTest>

using namespace tarvola;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

} // namespace

class TestTextField : public QObject {
    Q_OBJECT
private slots:
    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("fits") << QStringLiteral("ABC") << 5 << bytes({3, 'A', 'B', 'C', 0, 0});
        QTest::newRow("empty") << QString() << 3 << bytes({0, 0, 0, 0});
        QTest::newRow("blanks around")
            << QStringLiteral("  ab  ") << 4 << bytes({2, 'a', 'b', 0, 0});
        QTest::newRow("control characters around")
            << QStringLiteral("\t\r\nx\r\n") << 2 << bytes({1, 'x', 0});
        QTest::newRow("cut to capacity")
            << QStringLiteral("ABCDEFG") << 4 << bytes({4, 'A', 'B', 'C', 'D'});
        QTest::newRow("no blank left by the cut")
            << QStringLiteral("AB CD") << 3 << bytes({2, 'A', 'B', 0});
        QTest::newRow("flag yes") << QStringLiteral("S\u00ec") << 2 << bytes({2, 'S', 0xEC});
        QTest::newRow("flag no") << QStringLiteral("No") << 2 << bytes({2, 'N', 'o'});
        QTest::newRow("euro sign")
            << QStringLiteral("\u20ac 5") << 4 << bytes({3, 0x80, ' ', '5', 0});
        QTest::newRow("greek letter") << QStringLiteral("\u03b1x") << 3 << bytes({2, '?', 'x', 0});
        QTest::newRow("one box") << QStringLiteral("M") << 1 << bytes({1, 'M'});
        QTest::newRow("one box, two letters") << QStringLiteral("RM") << 1 << bytes({1, 'R'});
    }
    void encode() {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, expected);
        QCOMPARE(textfield::encode(text, capacity).toHex(' '), expected.toHex(' '));
    }

    void longTextKeepsItsFirstCharacters() {
        const QString sixty = QString(30, QLatin1Char('a')) + QString(30, QLatin1Char('b'));
        const QByteArray field = textfield::encode(sixty, 50);
        QCOMPARE(field.size(), 51);
        QCOMPARE(int(static_cast<unsigned char>(field[0])), 50);
        QCOMPARE(textfield::decode(field, 50), sixty.left(50));
    }

    void decode_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << bytes({3, 'A', 'B', 'C', 'x', 'y'}) << 5 << QStringLiteral("ABC");
        QTest::newRow("bytes after the length ignored")
            << bytes({1, 'A', 'Z', 'Z'}) << 3 << QStringLiteral("A");
        QTest::newRow("trimmed on reading")
            << bytes({5, ' ', 'A', 'B', ' ', '\t'}) << 5 << QStringLiteral("AB");
        QTest::newRow("windows-1252") << bytes({2, 'S', 0xEC}) << 2 << QStringLiteral("S\u00ec");
        QTest::newRow("length beyond capacity")
            << bytes({200, 'A', 'B', 'C', 'D'}) << 3 << QStringLiteral("ABC");
        QTest::newRow("zero length") << bytes({0, 'A', 'B'}) << 2 << QString();
    }
    void decode() {
        QFETCH(QByteArray, stored);
        QFETCH(int, capacity);
        QFETCH(QString, expected);
        QCOMPARE(textfield::decode(stored, capacity), expected);
    }

    void layoutOffsetsFollowTheTable() {
        RecordLayout layout;
        layout.field(QStringLiteral("Nome"), 10).run(QStringLiteral("Box"), 3, 1).attachments();
        // 11 + 3 * 2 = 17, then six fields of 251 bytes.
        QCOMPARE(layout.size(), 17 + 6 * 251);
        QCOMPARE(layout.at(layout.indexOf(QStringLiteral("Box01"))).offset, 11);
        QCOMPARE(layout.at(layout.indexOf(QStringLiteral("Box03"))).offset, 15);
        QCOMPARE(layout.at(layout.indexOf(QStringLiteral("File01"))).offset, 17);
        QCOMPARE(layout.at(layout.indexOf(QStringLiteral("Desc01"))).offset, 17 + 3 * 251);
        QCOMPARE(layout.indexOf(QStringLiteral("Box04")), qsizetype(-1));
    }

    void recordRoundTrip() {
        RecordLayout layout;
        layout.field(QStringLiteral("Nome"), 10).run(QStringLiteral("Box"), 2, 1);
        const QByteArray stored =
            bytes({4, 'R', 'o', 's', 's', '?', '?', '?', '?', '?', '?', 1, 'X', 0, '!'});
        const Record record = Record::fromBytes(layout, stored);
        QCOMPARE(record.value(QStringLiteral("Nome")), QStringLiteral("Ross"));
        QCOMPARE(record.value(QStringLiteral("Box01")), QStringLiteral("X"));
        QCOMPARE(record.value(QStringLiteral("Box02")), QString());

        Record changed = record;
        changed.setValue(QStringLiteral("Box02"), QStringLiteral(" y "));
        QCOMPARE(changed.toBytes().toHex(' '),
                 bytes({4, 'R', 'o', 's', 's', 0, 0, 0, 0, 0, 0, 1, 'X', 1, 'y'}).toHex(' '));
    }
};

QTEST_GUILESS_MAIN(TestTextField)
#include "tst_textfield.moc"
