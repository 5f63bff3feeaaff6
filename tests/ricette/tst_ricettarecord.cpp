#include "archive/record.h"
#include "ricette/ricettarecord.h"

#include <QTest>

using namespace tarvola;

namespace {

// Comma-separated texts, empty ones included.
QStringList list(const char* texts) {
    return QString::fromLatin1(texts).split(QLatin1Char(','));
}

} // namespace

class TestRicettaRecord : public QObject {
    Q_OBJECT
private slots:
    void size() { QCOMPARE(ricetta::layout().size(), 2550); }

    void fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        const QList<std::tuple<const char*, int, int>> rows{
            {"Assistito", 0, 50},    {"Indirizzo", 51, 120}, {"CodFisc", 172, 16},
            {"Ese01", 189, 1},       {"Ese06", 199, 1},      {"Prov01", 201, 1},
            {"Prov02", 203, 1},      {"Asl01", 205, 1},      {"Asl03", 209, 1},
            {"Num01", 211, 1},       {"Num08", 225, 1},      {"Presc01", 227, 50},
            {"Presc02", 278, 50},    {"Presc08", 584, 50},   {"Presc09", 635, 120},
            {"Cuf01", 756, 1},       {"Cuf06", 766, 1},      {"Conf01", 768, 1},
            {"Conf03", 772, 1},      {"TipoRic01", 774, 1},  {"TipoRic02", 776, 1},
            {"Data01", 778, 1},      {"Data06", 788, 1},     {"Medico01", 790, 50},
            {"Medico02", 841, 50},   {"Medico04", 943, 50},  {"Asl", 994, 3},
            {"Prov", 998, 2},        {"Conf", 1001, 3},      {"Data", 1005, 8},
            {"NonEsente", 1014, 2},  {"Reddito", 1017, 2},   {"Sugg", 1020, 2},
            {"Ricov", 1023, 2},      {"Altro", 1026, 2},     {"U", 1029, 2},
            {"B", 1032, 2},          {"D", 1035, 2},         {"P", 1038, 2},
            {"Completata", 1041, 2}, {"File01", 1044, 250},  {"File02", 1295, 250},
            {"File03", 1546, 250},   {"Desc01", 1797, 250},  {"Desc02", 2048, 250},
            {"Desc03", 2299, 250},
        };
        for (const auto& [field, offset, capacity] : rows)
            QTest::newRow(field) << QString::fromLatin1(field) << offset << capacity;
    }
    void fields() {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const qsizetype index = ricetta::layout().indexOf(field);
        QVERIFY2(index >= 0, qPrintable(field));
        QCOMPARE(ricetta::layout().at(index).offset, offset);
        QCOMPARE(ricetta::layout().at(index).capacity, capacity);
    }

    void summaries_data() {
        QTest::addColumn<QStringList>("prov");
        QTest::addColumn<QStringList>("asl");
        QTest::addColumn<QStringList>("conf");
        QTest::addColumn<QStringList>("data");
        QTest::addColumn<QStringList>("expected"); // Prov, Asl, Conf, Data
        QTest::newRow("all boxes filled") << list("R,M") << list("1,0,1") << list("0,0,2")
                                          << list("0,7,0,3,2,4") << list("RM,101,002,07/03/24");
        QTest::newRow("empty boxes close up")
            << list("M,") << list(",2, ") << list(",,") << list("7,,3,,2,4") << list("M,2,,7/3/24");
    }
    void summaries() {
        QFETCH(QStringList, prov);
        QFETCH(QStringList, asl);
        QFETCH(QStringList, conf);
        QFETCH(QStringList, data);
        QFETCH(QStringList, expected);
        Record record(ricetta::layout());
        const auto fill = [&record](const QString& stem, const QStringList& boxes) {
            for (int i = 0; i < boxes.size(); ++i)
                record.setValue(runName(stem, i + 1), boxes[i]);
        };
        fill(QStringLiteral("Prov"), prov);
        fill(QStringLiteral("Asl"), asl);
        fill(QStringLiteral("Conf"), conf);
        fill(QStringLiteral("Data"), data);
        record.setValue(QStringLiteral("Prov"), QStringLiteral("stale"));
        ricetta::computeSummaries(record);
        QCOMPARE(record.value(QStringLiteral("Prov")), expected[0]);
        QCOMPARE(record.value(QStringLiteral("Asl")), expected[1]);
        QCOMPARE(record.value(QStringLiteral("Conf")), expected[2]);
        QCOMPARE(record.value(QStringLiteral("Data")), expected[3]);
    }
};

QTEST_GUILESS_MAIN(TestRicettaRecord)
#include "tst_ricettarecord.moc"
