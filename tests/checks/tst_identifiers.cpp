// The check arithmetic against the published rules. Every expectation comes from the
// reference rules of referencecodes.h or from published example numbers.
#include "checks/identifiers.h"

#include "referencecodes.h"

#include <QSet>
#include <QTest>

using namespace tarvola;
using namespace tarvola::checks;

using namespace tarvola::testing::reference;

class TestIdentifiers : public QObject {
    Q_OBJECT
private slots:
    void codiceFiscale_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("published example") << QStringLiteral("RSSMRA85T10A562S");
        QTest::newRow("published example 2") << QStringLiteral("MRTMTT25D09F205Z");
        QTest::newRow("omocodia digits as letters")
            << QStringLiteral("RSSMRALRTLMALVQ") +
                   referenceCheckChar(QStringLiteral("RSSMRALRTLMALVQ"));
        QRandomGenerator random(20260314);
        for (int i = 0; i < 12; ++i) {
            const QString first15 = randomText(random, alphabet, 15);
            QTest::newRow(qPrintable(QStringLiteral("generated ") + first15))
                << first15 + referenceCheckChar(first15);
        }
    }
    // A correct code is valid; one changed character makes it wrong unless the new
    // character has the same value in its position.
    void codiceFiscale() {
        QFETCH(QString, code);
        QVERIFY2(isValidCodiceFiscale(code), qPrintable(code));
        QCOMPARE(codiceFiscaleCheckChar(code), std::optional<QChar>(code[15]));
        for (int at = 0; at < 16; ++at) {
            for (const QChar c : alphabet) {
                if (c == code[at])
                    continue;
                QString changed = code;
                changed[at] = c;
                const bool expected = referenceCheckChar(changed.left(15)) == changed[15];
                QVERIFY2(isValidCodiceFiscale(changed) == expected, qPrintable(changed));
                if (at == 15)
                    QVERIFY2(!expected, qPrintable(changed));
            }
        }
    }

    void codiceFiscaleOddCharacters_data() {
        QTest::addColumn<QString>("first15");
        QTest::addColumn<bool>("valid");
        // The seven marks between "9" and "A" are in the tables and count 0.
        for (const QChar mark : QStringLiteral(":;<=>?@"))
            QTest::newRow(qPrintable(QStringLiteral("mark ") + mark))
                << QStringLiteral("RSSMRA85T1") + mark + QStringLiteral("A562") << true;
        // Anything else outside "0".."Z" makes the code wrong whatever its last character.
        QTest::newRow("blank inside") << QStringLiteral("RSSMRA 5T10A562") << false;
        QTest::newRow("slash below 0") << QStringLiteral("RSSMRA/5T10A562") << false;
        QTest::newRow("bracket above Z") << QStringLiteral("RSSMRA[5T10A562") << false;
        QTest::newRow("small letter") << QStringLiteral("rSSMRA85T10A562") << false;
        QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ85T10A562") << false;
    }
    void codiceFiscaleOddCharacters() {
        QFETCH(QString, first15);
        QFETCH(bool, valid);
        if (valid) {
            const QString code = first15 + referenceCheckChar(first15);
            QVERIFY(isValidCodiceFiscale(code));
        } else {
            QCOMPARE(codiceFiscaleCheckChar(first15), std::nullopt);
            for (const QChar last : alphabet)
                QVERIFY(!isValidCodiceFiscale(first15 + last));
        }
    }

    void codiceFiscaleLength() {
        QVERIFY(!isValidCodiceFiscale(QStringLiteral("RSSMRA85T10A562")));
        QVERIFY(!isValidCodiceFiscale(QStringLiteral("RSSMRA85T10A562SS")));
        QVERIFY(!isValidCodiceFiscale(QString()));
    }

    void partitaIva_data() {
        QTest::addColumn<QString>("number");
        QTest::newRow("all zeros") << QStringLiteral("00000000000");
        QTest::newRow("counting digits") << QStringLiteral("12345678903");
        QRandomGenerator random(7);
        const QString digits = QStringLiteral("0123456789");
        for (const char* office : {"001", "040", "096", "101", "102", "120", "121", "555"}) {
            const QString body = randomText(random, digits, 7) + QLatin1String(office);
            QTest::newRow(office) << withLuhnDigit(body);
        }
    }
    // Valid numbers pass; changing any one digit, or putting a letter anywhere, fails.
    void partitaIva() {
        QFETCH(QString, number);
        QVERIFY2(isValidPartitaIva(number), qPrintable(number));
        QCOMPARE(partitaIvaCheckDigit(QStringView(number).first(10)), number[10].digitValue());
        for (int at = 0; at < 11; ++at) {
            for (const QChar c : QStringLiteral("0123456789A")) {
                if (c == number[at])
                    continue;
                QString changed = number;
                changed[at] = c;
                QVERIFY2(!isValidPartitaIva(changed), qPrintable(changed));
            }
        }
        QVERIFY(!isValidPartitaIva(number.left(10)));
        QVERIFY(!isValidPartitaIva(number + u'0'));
    }

    void ivaOfficeTable() {
        const QList<IvaOffice>& table = ivaOffices();
        QCOMPARE(table.size(), 104);
        QStringList expectedCodes;
        for (int i = 1; i <= 102; ++i)
            expectedCodes << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        expectedCodes << QStringLiteral("120") << QStringLiteral("121");
        QStringList codes;
        for (const IvaOffice& office : table) {
            codes << office.code;
            QVERIFY2(!office.name.isEmpty(), qPrintable(office.code));
        }
        QCOMPARE(codes, expectedCodes);
    }

    void ivaOfficeName_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << QStringLiteral("001") << QStringLiteral("Torino");
        QTest::newRow("accented") << QStringLiteral("040") << QStringLiteral("Forlì");
        QTest::newRow("Monza") << QStringLiteral("096") << QStringLiteral("Monza (Milano 2)");
        QTest::newRow("Chiavari") << QStringLiteral("099") << QStringLiteral("Chiavari (Genova 2)");
        QTest::newRow("101") << QStringLiteral("101") << QStringLiteral("Bologna 2");
        QTest::newRow("102") << QStringLiteral("102") << QStringLiteral("Napoli 2");
        QTest::newRow("120 as 101") << QStringLiteral("120") << QStringLiteral("Bologna 2");
        QTest::newRow("121 as 102") << QStringLiteral("121") << QStringLiteral("Napoli 2");
        QTest::newRow("000") << QStringLiteral("000") << QString();
        QTest::newRow("103") << QStringLiteral("103") << QString();
        QTest::newRow("119") << QStringLiteral("119") << QString();
        QTest::newRow("122") << QStringLiteral("122") << QString();
        QTest::newRow("999") << QStringLiteral("999") << QString();
    }
    void ivaOfficeName() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(checks::ivaOfficeName(code), name);
    }

    void card_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("type");
        const int named = int(CardVerdict::Kind::Named);
        const int unnamed = int(CardVerdict::Kind::Unnamed);
        const int wrong = int(CardVerdict::Kind::Wrong);
        const QString diners = QStringLiteral("Diner's Club / Carte Blanche");
        // Published test numbers of the card networks.
        QTest::newRow("Visa") << QStringLiteral("4111111111111111") << named
                              << QStringLiteral("Visa");
        QTest::newRow("MasterCard")
            << QStringLiteral("5555555555554444") << named << QStringLiteral("MasterCard");
        QTest::newRow("American Express")
            << QStringLiteral("378282246310005") << named << QStringLiteral("American Express");
        QTest::newRow("Discover") << QStringLiteral("6011111111111117") << named
                                  << QStringLiteral("Discover");
        QTest::newRow("Diners 30") << QStringLiteral("30569309025904") << named << diners;
        QTest::newRow("JCB 35") << QStringLiteral("3530111333300000") << named
                                << QStringLiteral("JCB");
        // Every group of the 3s, with a check digit computed here.
        const struct {
            const char* prefix;
            const char* type;
        } threes[] = {{"30", "Diner's Club / Carte Blanche"},
                      {"36", "Diner's Club / Carte Blanche"},
                      {"38", "Diner's Club / Carte Blanche"},
                      {"34", "American Express"},
                      {"37", "American Express"},
                      {"31", "JCB"},
                      {"33", "JCB"},
                      {"35", "JCB"}};
        for (const auto& t : threes)
            QTest::newRow(t.prefix)
                << withLuhnDigit(QLatin1String(t.prefix) + QStringLiteral("1234567890123")) << named
                << QString::fromLatin1(t.type);
        QTest::newRow("32 passes, no type")
            << withLuhnDigit(QStringLiteral("321234567890123")) << unnamed << QString();
        QTest::newRow("39 passes, no type")
            << withLuhnDigit(QStringLiteral("391234567890123")) << unnamed << QString();
        for (const char* lead : {"0", "1", "2", "7", "8", "9"})
            QTest::newRow(qPrintable(QStringLiteral("passes, begins ") + QLatin1String(lead)))
                << withLuhnDigit(QLatin1String(lead) + QStringLiteral("12345678901234")) << wrong
                << QString();
        QTest::newRow("Visa one digit off")
            << QStringLiteral("4111111111111112") << wrong << QString();
        QTest::newRow("blanks between groups")
            << QStringLiteral("4111 1111 1111 1111") << named << QStringLiteral("Visa");
        QTest::newRow("dashes between groups")
            << QStringLiteral("5555-5555-5555-4444") << named << QStringLiteral("MasterCard");
        QTest::newRow("no digits") << QStringLiteral("abc-def") << wrong << QString();
        QTest::newRow("empty") << QString() << wrong << QString();
    }
    void card() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, type);
        const CardVerdict verdict = judgeCard(text);
        QCOMPARE(int(verdict.kind), kind);
        QCOMPARE(verdict.type, type);
    }

    // Any single changed digit of a Visa number that passes makes it wrong.
    void cardSingleDigitChanges() {
        const QString visa = withLuhnDigit(QStringLiteral("453201511283036"));
        QCOMPARE(judgeCard(visa).type, QStringLiteral("Visa"));
        for (int at = 0; at < visa.size(); ++at) {
            for (const QChar d : QStringLiteral("0123456789")) {
                if (d == visa[at])
                    continue;
                QString changed = visa;
                changed[at] = d;
                QVERIFY2(!referenceLuhn(changed), qPrintable(changed));
                QVERIFY2(!cardLeadingDigit(changed), qPrintable(changed));
            }
        }
    }

    // Only the first 20 characters count, and the last digit among them is the check digit.
    void cardFirstTwentyCharacters() {
        // A 20-digit Visa number whose first 19 digits do not pass on their own, and
        // five digits more that would break the check if they were read.
        QString twenty;
        for (int n = 0; twenty.isEmpty() || referenceLuhn(twenty.left(19)); ++n)
            twenty =
                withLuhnDigit(QStringLiteral("40001234123412%1").arg(n, 5, 10, QLatin1Char('0')));
        QString twentyFive = twenty + QStringLiteral("12345");
        if (referenceLuhn(twentyFive))
            twentyFive.back() = u'6';
        QVERIFY(!referenceLuhn(twentyFive));

        QCOMPARE(judgeCard(twentyFive).type, QStringLiteral("Visa"));
        // A blank among the first 20 characters leaves the last digit outside them: the
        // 19th digit becomes the check digit, and it does not fit.
        const QString spaced = twenty.left(16) + u' ' + twenty.mid(16);
        QCOMPARE(int(judgeCard(spaced).kind), int(CardVerdict::Kind::Wrong));
        // Blanks between groups of four keep 16 digits within 20 characters.
        const QString grouped = QStringLiteral("4111 1111 1111 1111");
        QCOMPARE(judgeCard(grouped).type, QStringLiteral("Visa"));
    }

    void iban_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        const QString published = QStringLiteral("IT60X0542811101000000123456");
        QTest::newRow("published") << published << true;
        QTest::newRow("small letters") << published.toLower() << true;
        QTest::newRow("in groups") << QStringLiteral("IT60 X054 2811 1010 0000 0123 456") << true;
        QTest::newRow("with IBAN prefix") << QStringLiteral("IBAN ") + published << true;
        QTest::newRow("adjacent digits swapped")
            << QStringLiteral("IT60X0542811101000000123546") << false;
        QTest::newRow("check digits swapped")
            << QStringLiteral("IT06X0542811101000000123456") << false;
        QTest::newRow("letter changed") << QStringLiteral("IT60Y0542811101000000123456") << false;
        QTest::newRow("empty") << QString() << false;
        QRandomGenerator random(42);
        const QString digits = QStringLiteral("0123456789");
        for (int i = 0; i < 8; ++i) {
            const QString bban =
                randomText(random, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 1) +
                randomText(random, digits, 10) + randomText(random, alphabet, 12);
            QTest::newRow(qPrintable(QStringLiteral("generated ") + bban))
                << italianIban(bban) << true;
        }
    }
    void iban() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(ibanRemainder(text) == 1, valid);
    }

    // The chunked remainder equals the remainder of the whole number, whatever its value.
    void ibanRemainderValue() {
        QRandomGenerator random(97);
        for (int i = 0; i < 300; ++i) {
            const QString text = randomText(random, alphabet, 5 + random.bounded(40));
            QCOMPARE(ibanRemainder(text), referenceMod97(text));
        }
    }

    // Characters other than letters, digits and blanks never pass, even a sign that a
    // lenient number reading would take: the text is turned so that "-" or "+" starts the
    // second chunk, in front of digits that would otherwise give remainder 1.
    void ibanForeignCharacters_data() {
        QTest::addColumn<QString>("text");
        const QString published = QStringLiteral("IT60X0542811101000000123456");
        QTest::newRow("dash") << QStringLiteral("IT60X0542811101000000-23456");
        QTest::newRow("plus") << QStringLiteral("IT60X054+811101000000123456");
        QTest::newRow("minus at a chunk start") << QStringLiteral("IT60X0542-11101000000123456");
        QTest::newRow("dot") << QStringLiteral("IT60X0542811101000000.23456");
        QTest::newRow("accented") << QStringLiteral("IT60È0542811101000000123456");
    }
    void ibanForeignCharacters() {
        QFETCH(QString, text);
        QCOMPARE(ibanRemainder(text), 0);
    }
};

QTEST_GUILESS_MAIN(TestIdentifiers)
#include "tst_identifiers.moc"
