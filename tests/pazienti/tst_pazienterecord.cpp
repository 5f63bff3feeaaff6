// The patient card on disk, the province codes and the rows of the printed card: the
// parts of the patient app that need no window.

#include "archive/record.h"
#include "pazienti/pazienterecord.h"
#include "pazientifixture.h"

#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

class TestPazienteRecord : public QObject {
    Q_OBJECT
private slots:
    void everyFieldLiesWhereTheFormatPutsIt_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        for (const StoredField& f : allStoredFields())
            QTest::newRow(f.field) << QString::fromLatin1(f.field) << f.offset << f.capacity;
    }
    void everyFieldLiesWhereTheFormatPutsIt() {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = paziente::layout();
        const qsizetype index = layout.indexOf(field);
        QVERIFY2(index >= 0, qPrintable(field));
        QCOMPARE(layout.at(index).offset, offset);
        QCOMPARE(layout.at(index).capacity, capacity);
    }

    void recordHasNothingElse() {
        QCOMPARE(paziente::layout().size(), cardSize);
        QCOMPARE(paziente::layout().count(), qsizetype(538));
        QCOMPARE(allStoredFields().size(), qsizetype(538));
        // The examples every reader of the format checks first.
        const std::pair<const char*, int> examples[] = {{"Terapia02", 2150},
                                                        {"DataPrest17", 6827},
                                                        {"ImpPrest96", 33614},
                                                        {"Dente32", 41408},
                                                        {"Desc03", 45769}};
        for (const auto& [name, offset] : examples)
            QCOMPARE(
                paziente::layout().at(paziente::layout().indexOf(QString::fromLatin1(name))).offset,
                offset);
        const FieldDef& last = paziente::layout().fields().last();
        QCOMPARE(last.offset + last.bytes(), cardSize);
    }

    void blocksStartWhereTheFormatSays_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("offset");
        QTest::newRow("personal") << "Cognome" << 0;
        QTest::newRow("therapies") << "InizioTerap01" << 1503;
        QTest::newRow("services") << "DataPrest01" << 6651;
        QTest::newRow("analyses") << "Dente01" << 33627;
        QTest::newRow("anamnesis") << "Peso" << 41659;
        QTest::newRow("attachments") << "File01" << 44514;
    }
    void blocksStartWhereTheFormatSays() {
        QFETCH(QString, first);
        QFETCH(int, offset);
        const RecordLayout& layout = paziente::layout();
        const qsizetype index = layout.indexOf(first);
        QCOMPARE(layout.at(index).offset, offset);
        // The field before a block ends exactly where the block begins.
        if (index > 0)
            QCOMPARE(layout.at(index - 1).offset + layout.at(index - 1).bytes(), offset);
    }

    void aCardWithOnlyASurnameIsValid() {
        Record card(paziente::layout());
        card.setValue(QStringLiteral("Cognome"), QStringLiteral("  Rossì "));
        QCOMPARE(card.toBytes(), PatientCard().put(QStringLiteral("Cognome"), "Ross\xec").bytes);
        const QString fifty(50, u'W');
        card.setValue(QStringLiteral("Cognome"), fifty + QStringLiteral("XYZ"));
        QCOMPARE(card.toBytes().left(51), QByteArray(1, char(50)) + QByteArray(50, 'W'));
    }

    void rowsAreStoredColumnByColumn() {
        Record card(paziente::layout());
        card.setValue(QStringLiteral("DataPrest01"), QStringLiteral("01/02/2026"));
        card.setValue(QStringLiteral("OraPrest01"), QStringLiteral("09:30"));
        card.setValue(QStringLiteral("ImpPrest96"), QStringLiteral("12.50"));
        card.setValue(QStringLiteral("Costo18"), QStringLiteral("0,00"));
        const QByteArray expected = PatientCard()
                                        .put(QStringLiteral("DataPrest01"), "01/02/2026")
                                        .put(QStringLiteral("OraPrest01"), "09:30")
                                        .put(QStringLiteral("ImpPrest96"), "12.50")
                                        .put(QStringLiteral("Costo18"), "0,00")
                                        .bytes;
        QCOMPARE(card.toBytes(), expected);
        // The date of row 1 is followed by the date of row 2, not by the time of row 1.
        QCOMPARE(expected.mid(6651 + 11, 1), QByteArray(1, '\0'));
        QCOMPARE(expected.mid(7707, 6), QByteArray("\x05"
                                                   "09:30"));
    }

    void provinceCodes() {
        const QStringList& codes = paziente::provinceCodes();
        QCOMPARE(codes.size(), 112);
        QCOMPARE(codes.first(), QStringLiteral("AG"));
        QCOMPARE(codes.last(), QStringLiteral("VV"));
        QCOMPARE(codes.indexOf(QStringLiteral("MI")), 56);
        QCOMPARE(codes.mid(30, 4), (QStringList{QStringLiteral("CZ"), QStringLiteral("EE"),
                                                QStringLiteral("EN"), QStringLiteral("FC")}));
        for (const QString& code : codes)
            QVERIFY2(code.size() == 2 && code == code.toUpper(), qPrintable(code));
    }

    void printedRowsAreTheCardsOwn() {
        const QList<paziente::PrintRow>& rows = paziente::printRows();
        QCOMPARE(rows.size(), 24);
        QCOMPARE(rows[0].caption, QStringLiteral("Cognome paziente:"));
        QCOMPARE(rows[17].caption, QStringLiteral("Modalità di pagamento:"));
        QCOMPARE(rows[23].caption, QStringLiteral("Raccomandazioni mediche:"));
        QCOMPARE(rows[23].parts.first().second, QStringLiteral("Raccomandazioni"));
        QCOMPARE(rows[2].parts.size(), qsizetype(2));
        QCOMPARE(rows[2].parts[1].first, QStringLiteral("  -  Sesso: "));
        QCOMPARE(rows[8].parts[1],
                 (std::pair{QStringLiteral("  -  Prov. "), QStringLiteral("ProvRes")}));
        // Neither the card data nor the data controller are printed.
        for (const paziente::PrintRow& row : rows) {
            for (const auto& part : row.parts) {
                QVERIFY(paziente::layout().contains(part.second));
                QVERIFY(part.second != QStringLiteral("Carta") &&
                        part.second != QStringLiteral("ScadeCarta") &&
                        part.second != QStringLiteral("Privacy"));
            }
        }
    }
};

QTEST_MAIN(TestPazienteRecord)
#include "tst_pazienterecord.moc"
