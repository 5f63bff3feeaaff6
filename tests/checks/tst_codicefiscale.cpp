// The codice fiscale computed from a person's data and the table of birthplaces. The
// expected codes come from outside this code: the published examples of the rules (Mario
// Rossi of Milan, 12 March 1945, and his omocodic variants; Matteo Moretti of Milan,
// 9 April 1925) and codes worked out by hand from the rules, with the check character
// counted by hand from the odd and even tables.

#include "checks/codicefiscale.h"
#include "checks/places.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

using namespace tarvola::checks;
using namespace Qt::StringLiterals;

class TestCodiceFiscale : public QObject {
    Q_OBJECT
private slots:
    void computesTheCodeOfKnownPeople_data() {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("province"); // "EE" for a state
        QTest::addColumn<QString>("code");
        const auto row = [](const char* tag, const char* surname, const char* name, QDate birth,
                            const char* sex, const char* place, const char* province,
                            const char* code) {
            QTest::newRow(tag) << QString::fromUtf8(surname) << QString::fromUtf8(name) << birth
                               << QString::fromLatin1(sex) << QString::fromUtf8(place)
                               << QString::fromLatin1(province) << QString::fromLatin1(code);
        };
        row("published: Mario Rossi", "Rossi", "Mario", QDate(1945, 3, 12), "M", "Milano", "MI",
            "RSSMRA45C12F205C");
        row("published: Matteo Moretti", "Moretti", "Matteo", QDate(1925, 4, 9), "M", "Milano",
            "MI", "MRTMTT25D09F205Z");
        row("surname of two letters", "Fo", "Dario", QDate(1926, 3, 24), "M", "Roma", "RM",
            "FOXDRA26C24H501G");
        row("names of vowels and one consonant", "Ai", "Ugo", QDate(1990, 1, 1), "M", "Torino",
            "TO", "AIXGUO90A01L219A");
        row("apostrophe, woman", "D'Angelo", "Anna", QDate(1980, 2, 5), "F", "Roma", "RM",
            "DNGNNA80B45H501U");
        row("blanks, name of six consonants, 29 February", "De Luca Bianchi", "Gianfranco",
            QDate(1988, 2, 29), "M", "Milano", "MI", "DLCGFR88B29F205C");
        row("accents, woman on 29 February", "Cantù", "Alessandra", QDate(1988, 2, 29), "F",
            "Torino", "TO", "CNTLSN88B69L219E");
        row("town since merged, before", "Abetoni", "Nicolò", QDate(1980, 7, 15), "M", "Abetone",
            "PT", "BTNNCL80L15A012I");
        row("town since merged, after", "Abetoni", "Giulia", QDate(2018, 10, 31), "F",
            "Abetone Cutigliano", "PT", "BTNGLI18R71M376R");
        row("abroad, by the short name", "Wang", "Li", QDate(1975, 12, 1), "M", "Cina", "EE",
            "WNGLIX75T01Z210P");
    }
    void computesTheCodeOfKnownPeople() {
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QDate, birth);
        QFETCH(QString, sex);
        QFETCH(QString, place);
        QFETCH(QString, province);
        QFETCH(QString, code);
        const PlaceTable& table = PlaceTable::builtIn();
        const PlaceLookup where =
            province == u"EE"_s ? table.state(place) : table.town(place, province, birth);
        QCOMPARE(where.kind, PlaceLookup::Kind::Found);
        QCOMPARE(where.code, code.mid(11, 4));
        QCOMPARE(computeCodiceFiscale(surname, name, birth, sex[0], where.code), code);
    }

    void namePartsFollowTheRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::newRow("more than three consonants") << u"Alessandro"_s << u"LSS"_s << u"LSN"_s;
        QTest::newRow("exactly three") << u"Marco"_s << u"MRC"_s << u"MRC"_s;
        QTest::newRow("one letter") << u"O"_s << u"OXX"_s << u"OXX"_s;
        QTest::newRow("vowels only") << u"Aia"_s << u"AIA"_s << u"AIA"_s;
        QTest::newRow("accents and apostrophe") << u"Dell'Olio Ré"_s << u"DLL"_s << u"DLL"_s;
    }
    void namePartsFollowTheRules() {
        QFETCH(QString, text);
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QCOMPARE(surnameCode(text), surname);
        QCOMPARE(nameCode(text), name);
    }

    void omocodicVariantsBelongToTheSamePerson_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("belongs");
        for (const char* variant : {"RSSMRA45C12F205C", "RSSMRA45C12F20RX", "RSSMRA45C12F2L5N",
                                    "RSSMRA45C12F2LRI", "RSSMRAQRCMNFNLRG", "rssmra45c12f20rx"})
            QTest::newRow(variant) << QString::fromLatin1(variant) << true;
        QTest::newRow("variant with a wrong check character") << u"RSSMRA45C12F20RA"_s << false;
        QTest::newRow("another birth day") << u"RSSMRA45C13F205D"_s << false;
        QTest::newRow("a letter outside L..V in a digit place") << u"RSSMRA45C12F20AX"_s << false;
    }
    void omocodicVariantsBelongToTheSamePerson() {
        QFETCH(QString, typed);
        QFETCH(bool, belongs);
        QCOMPARE(codiceFiscaleBelongs(typed, u"RSSMRA45C12F205C"_s), belongs);
    }

    void placesAreFoundAsPeopleTypeThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("province");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected"); // the code, or the provinces to choose from
        const int found = int(PlaceLookup::Kind::Found);
        const int needs = int(PlaceLookup::Kind::NeedsProvince);
        const int missing = int(PlaceLookup::Kind::NotFound);
        const QDate today(2026, 12, 11);
        QTest::newRow("Agliè") << u"Agliè"_s << u""_s << today << found << u"A074"_s;
        QTest::newRow("AGLIE'") << u"AGLIE'"_s << u""_s << today << found << u"A074"_s;
        QTest::newRow("aglie, blanks") << u"  aglie "_s << u""_s << today << found << u"A074"_s;
        QTest::newRow("repeated blanks")
            << u"abetone   cutigliano"_s << u""_s << today << found << u"M376"_s;
        QTest::newRow("two provinces, none given")
            << u"Castro"_s << u""_s << today << needs << u"BG, LE"_s;
        QTest::newRow("two provinces, one given")
            << u"Castro"_s << u"le"_s << today << found << u"M261"_s;
        QTest::newRow("province of today, born before it existed")
            << u"Monza"_s << u"MB"_s << QDate(1980, 1, 1) << found << u"F704"_s;
        QTest::newRow("a town not yet there")
            << u"Abetone Cutigliano"_s << u"PT"_s << QDate(1980, 1, 1) << missing << u""_s;
        QTest::newRow("a town no longer there")
            << u"Abetone"_s << u"PT"_s << QDate(2018, 1, 1) << missing << u""_s;
        QTest::newRow("a name in the second language")
            << u"Bozen"_s << u""_s << today << found << u"A952"_s;
        QTest::newRow("unknown") << u"Paperopoli"_s << u""_s << today << missing << u""_s;
    }
    void placesAreFoundAsPeopleTypeThem() {
        QFETCH(QString, name);
        QFETCH(QString, province);
        QFETCH(QDate, day);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        const PlaceLookup where = PlaceTable::builtIn().town(name, province, day);
        QCOMPARE(int(where.kind), kind);
        if (where.kind == PlaceLookup::Kind::NeedsProvince)
            QCOMPARE(where.provinces.join(u", "_s), expected);
        else
            QCOMPARE(where.code, expected);
    }

    void statesByTheirTableNameTheNamePeopleUseOrAsTheyWere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("table name") << u"Repubblica Popolare Cinese"_s << u"Z210"_s;
        QTest::newRow("Cina") << u"cina"_s << u"Z210"_s;
        QTest::newRow("Russia") << u"Russia"_s << u"Z154"_s;
        QTest::newRow("Corea del Sud") << u"Corea del Sud"_s << u"Z213"_s;
        QTest::newRow("Stati Uniti") << u"Stati Uniti"_s << u"Z404"_s;
        QTest::newRow("apostrophe in the table") << u"Costa d’Avorio"_s << u"Z313"_s;
        QTest::newRow("ceased: Yugoslavia") << u"Jugoslavia"_s << u"Z118"_s;
        QTest::newRow("unknown") << u"Atlantide"_s << u""_s;
    }
    void statesByTheirTableNameTheNamePeopleUseOrAsTheyWere() {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(PlaceTable::builtIn().state(name).code, code);
    }

    // Every town of today has a code of its own shape, and is found again by its name and
    // province, one after another, fast (the time goes to the log, never into a verdict).
    void everyTownOfTodayIsFoundByItsNameAndProvince() {
        const PlaceTable& table = PlaceTable::builtIn();
        static const QRegularExpression shape(u"^[A-Z]\\d{3}$"_s);
        const QDate today(2026, 1, 19); // the day the registry's table was taken
        QList<const Town*> active;
        for (const Town& t : table.towns()) {
            if (t.to.isNull())
                active.append(&t);
        }
        QVERIFY2(active.size() > 7800, qPrintable(QString::number(active.size())));
        QVERIFY(table.stateCount() > 200);
        QElapsedTimer timer;
        timer.start();
        int wrong = 0;
        for (const Town* t : active) {
            if (!shape.match(t->code).hasMatch())
                ++wrong;
            const PlaceLookup where = table.town(t->name, t->province, today);
            if (where.kind != PlaceLookup::Kind::Found || where.code != t->code) {
                ++wrong;
                qWarning("%s (%s): %s", qPrintable(t->name), qPrintable(t->province),
                         qPrintable(where.code));
            }
        }
        qInfo("%lld towns of today looked up in %lld ms", qint64(active.size()),
              qint64(timer.elapsed()));
        QCOMPARE(wrong, 0);
    }
};

QTEST_GUILESS_MAIN(TestCodiceFiscale)
#include "tst_codicefiscale.moc"
