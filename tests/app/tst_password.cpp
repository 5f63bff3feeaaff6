#include "app/password.h"
#include "platform/inifile.h"

#include <QTest>

using namespace tarvola;

namespace {

// The scrambling written out step by step from its definition, to check the codec
// against: key 31847, multiplier 40213, addend 28606, arithmetic modulo 65536.
QString referenceEncode(const QString& plain) {
    quint32 key = 31847;
    QString out;
    for (QChar ch : plain) {
        const quint32 c = (ch.unicode() % 256) ^ (key / 256);
        out += QString::number(c, 16).toUpper().rightJustified(2, u'0');
        key = ((c + key) * 40213 + 28606) % 65536;
    }
    return out;
}

} // namespace

class TestPasswordCodec : public QObject {
    Q_OBJECT
private slots:
    void encodeMatchesTheScrambling_data() {
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << QString();
        QTest::newRow("one letter") << QStringLiteral("A");
        QTest::newRow("first access") << QStringLiteral("CHIAVEINIZIALE");
        QTest::newRow("blanks and digits") << QStringLiteral(" 12 AB 34 ");
        QTest::newRow("latin-1 letters") << QStringLiteral("PERCHÉ È COSÌ");
        QTest::newRow("all byte values") << [] {
            QString s;
            for (int i = 1; i < 256; ++i)
                s += QChar(i);
            return s;
        }();
    }
    void encodeMatchesTheScrambling() {
        QFETCH(QString, plain);
        const QString hex = password::encode(plain);
        QCOMPARE(hex, referenceEncode(plain));
        QCOMPARE(hex.size(), 2 * plain.size());
        QCOMPARE(hex, hex.toUpper());
        QCOMPARE(password::decode(hex), std::optional<QString>(plain));
        QCOMPARE(password::decode(hex.toLower()), std::optional<QString>(plain));
    }

    void firstAccessPasswordAsShipped() {
        QCOMPARE(password::encode(QStringLiteral("CHIAVEINIZIALE")),
                 QStringLiteral("3F3F07AACDD87836DB243B6AF8BE"));
    }

    void shippedStoreHoldsTheFirstAccessPassword() {
        const IniFile store(QStringLiteral(TARVOLA_SOURCE_DIR "/resources/unins000.dll"));
        const auto plain =
            password::decode(store.read(QStringLiteral("Accesso"), QStringLiteral("Valore")));
        QCOMPARE(plain, std::optional<QString>(QStringLiteral("CHIAVEINIZIALE")));
    }

    void decodeIgnoresALastUnpairedDigit() {
        const QString hex = password::encode(QStringLiteral("ABC"));
        QCOMPARE(password::decode(hex + u'7'), std::optional<QString>(QStringLiteral("ABC")));
        QCOMPARE(password::decode(QStringLiteral("F")), std::optional<QString>(QString()));
    }

    void decodeRefusesWhatIsNotHexadecimal_data() {
        QTest::addColumn<QString>("hex");
        QTest::newRow("letter past F") << QStringLiteral("3G");
        QTest::newRow("blank inside") << QStringLiteral("3F 3");
        QTest::newRow("sign") << QStringLiteral("-1");
        QTest::newRow("bad second pair") << QStringLiteral("3F3Z");
    }
    void decodeRefusesWhatIsNotHexadecimal() {
        QFETCH(QString, hex);
        QVERIFY(!password::decode(hex).has_value());
    }

    void normalisedFormTouchesOnlyAToZ() {
        QCOMPARE(password::normalized(QStringLiteral("  ChiaveIniziale \t")),
                 QStringLiteral("CHIAVEINIZIALE"));
        QCOMPARE(password::normalized(QStringLiteral("perché")), QStringLiteral("PERCHé"));
    }

    void onlyCodesBelow256AreStorable() {
        QVERIFY(password::storable(QStringLiteral("PERCHÉ123")));
        QVERIFY(!password::storable(QStringLiteral("EURO€")));
    }
};

QTEST_GUILESS_MAIN(TestPasswordCodec)
#include "tst_password.moc"
