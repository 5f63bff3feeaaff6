#include "platform/cp1252.h"

#include <QTest>

using namespace tarvola;

class TestCp1252 : public QObject {
    Q_OBJECT
private slots:
    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Rossi Mario") << QByteArray("Rossi Mario");
        QTest::newRow("accents") << QStringLiteral("Sì è") << QByteArray("S\xEC \xE8");
        QTest::newRow("euro and quotes")
            << QStringLiteral("€ “x” …") << QByteArray("\x80 \x93x\x94 \x85");
        QTest::newRow("missing letter") << QStringLiteral("Łódź")
                                        << QByteArray("?\xF3"
                                                      "d?");
        QTest::newRow("emoji is one character") << QStringLiteral("a😀b") << QByteArray("a?b");
    }
    void encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1252(text), bytes);
    }

    void everyByteSurvivesADecodeAndEncode() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        QCOMPARE(toCp1252(fromCp1252(all)), all);
        QCOMPARE(fromCp1252(QByteArray("\x80")), QStringLiteral("€"));
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
