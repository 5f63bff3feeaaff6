// The drug card on disk, its list line, the tags of the drug imports and the price rule:
// the parts of the drug app that need no window.

#include "archive/record.h"
#include "archive/recordscan.h"
#include "archive/searchlogic.h"
#include "farmaci/farmacorecord.h"
#include "farmaci/prezzo.h"
#include "farmacifixture.h"

#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;
using Editor = farmaco::LineImport::Editor;

class TestFarmacoRecord : public QObject {
    Q_OBJECT
private slots:
    void layoutIsTheStoredOne_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        for (const StoredField& f : storedFields)
            QTest::newRow(f.field) << QString::fromLatin1(f.field) << f.offset << f.capacity;
    }
    void layoutIsTheStoredOne() {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = farmaco::layout();
        const qsizetype index = layout.indexOf(field);
        QVERIFY2(index >= 0, qPrintable(field));
        QCOMPARE(layout.at(index).offset, offset);
        QCOMPARE(layout.at(index).capacity, capacity);
    }

    void layoutHasNothingElse() {
        QCOMPARE(farmaco::layout().size(), 3949);
        QCOMPARE(farmaco::layout().count(), qsizetype(std::size(storedFields)));
        // Fields in file order, packed.
        for (qsizetype i = 0; i < farmaco::layout().count(); ++i)
            QCOMPARE(farmaco::layout().at(i).name, QString::fromLatin1(storedFields[i].field));
    }

    void formShowsTheEditedFieldsInRecordOrder() {
        QStringList fields;
        for (const farmaco::FormField& f : farmaco::formFields())
            fields << f.field;
        QCOMPARE(fields, editedFields());
        QCOMPARE(farmaco::formFields().at(19).caption, QStringLiteral("Prezzo: €"));
        QCOMPARE(farmaco::formFields().at(13).caption, QStringLiteral("Periodo validità:"));
        QCOMPARE(farmaco::formFields().at(11).caption, QStringLiteral("Regime S.S.N."));
    }

    void recordBytesAreTheStoredOnes() {
        Record card(farmaco::layout());
        card.setValue(QStringLiteral("Farmaco"), QStringLiteral("  Tachipirina 500 mg "));
        card.setValue(QStringLiteral("Periodo"), QStringLiteral("24 mesi a 25 °C, più"));
        card.setValue(QStringLiteral("Prezzo"), QStringLiteral("5,90"));
        card.setValue(QStringLiteral("DaOrdinare"), QStringLiteral("Sì"));
        card.setValue(QStringLiteral("Desc03"), QStringLiteral("Foglietto"));
        const QByteArray expected = DrugCard()
                                        .put("Farmaco", "Tachipirina 500 mg")
                                        .put("Periodo", "24 mesi a 25 \xb0"
                                                        "C, pi\xf9")
                                        .put("Prezzo", "5,90")
                                        .ticked()
                                        .put("Desc03", "Foglietto")
                                        .bytes;
        // Every other field is empty: its length byte is 0 and "No" is the only other flag.
        Record unticked(farmaco::layout());
        unticked.setValue(QStringLiteral("DaOrdinare"), QStringLiteral("No"));
        QCOMPARE(card.toBytes(), expected);
        QCOMPARE(unticked.toBytes(), DrugCard().bytes);
        QCOMPARE(expected.mid(2440, 3), QByteArray("\x02S\xec"));
    }

    void listLineHasItsColumns() {
        DrugCard card;
        card.put("Farmaco", "AUGMENTIN 875 MG + 125 MG COMPRESSE RIVESTITE")
            .put("Forma", "COMPRESSE RIVESTITE CON FILM DA 875 MG")
            .put("NotaAifa", "NOTA 55")
            .put("Atc", "J01CR02")
            .put("CodMin", "026089019 X")
            .put("Prezzo", "10,85");
        const QString line =
            listLine(RecordView(farmaco::layout(), card.bytes), farmaco::listColumns());
        const QString expected = QStringLiteral("AUGMENTIN 875 MG + 125 MG COMPRESSE"
                                                "  Forma: COMPRESSE RIVESTITE CON FILM D"
                                                "  AIFA: NOTA 55   "
                                                "  ATC: J01CR02   "
                                                "  Minsan: 026089019 "
                                                "  Prezzo: € 10,85");
        QCOMPARE(line, expected);
        QCOMPARE(line.indexOf(QStringLiteral("  Forma: ")), 35);
        QCOMPARE(line.indexOf(QStringLiteral("  AIFA: ")), 35 + 9 + 30);
    }

    void listLinePriceIsAsStored() {
        const QString line =
            listLine(RecordView(farmaco::layout(), DrugCard::listed("OKI", {}, "7").bytes),
                     farmaco::listColumns());
        QVERIFY2(line.endsWith(QStringLiteral("  Prezzo: € 7")), qPrintable(line));
        QCOMPARE(line.size(), 35 + 9 + 30 + 8 + 10 + 7 + 10 + 10 + 10 + 12 + 1);
    }

    void importTags_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("editor"); // 0 prescription, 1 red prescription
        QTest::addColumn<int>("line");
        QTest::newRow("red line 1") << "presc_01" << true << 1 << 1;
        QTest::newRow("red line 3") << "presc_03" << true << 1 << 3;
        QTest::newRow("red line 9") << "presc_09" << true << 1 << 9;
        QTest::newRow("prescription line 1") << "presc01" << true << 0 << 1;
        QTest::newRow("prescription line 7") << "presc07" << true << 0 << 7;
        QTest::newRow("blanks around") << " presc_02 " << true << 1 << 2;
        QTest::newRow("prescription has no line 8") << "presc08" << false << 0 << 0;
        QTest::newRow("red has no line 10") << "presc_10" << false << 0 << 0;
        QTest::newRow("no line 0") << "presc_00" << false << 0 << 0;
        QTest::newRow("one digit") << "presc_3" << false << 0 << 0;
        QTest::newRow("three digits") << "presc_003" << false << 0 << 0;
        QTest::newRow("capitals") << "PRESC01" << false << 0 << 0;
        QTest::newRow("drug editor") << "farmaci" << false << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0;
    }
    void importTags() {
        QFETCH(QString, tag);
        QFETCH(bool, known);
        QFETCH(int, editor);
        QFETCH(int, line);
        const auto found = farmaco::lineImportOf(tag);
        QCOMPARE(found.has_value(), known);
        if (known)
            QCOMPARE(*found, (farmaco::LineImport{
                                 editor ? Editor::RicettaRossa : Editor::Prescrizione, line}));
    }

    void priceRule_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("whole euros") << "5"
                                     << "5,00";
        QTest::newRow("one decimal") << "7,5"
                                     << "7,50";
        QTest::newRow("two decimals") << "12,50"
                                      << "12,50";
        QTest::newRow("rounded to four decimals") << "3,14159"
                                                  << "3,1416";
        QTest::newRow("four decimals kept") << "1,2345"
                                            << "1,2345";
        QTest::newRow("half rounds up") << "0,00005"
                                        << "0,0001";
        QTest::newRow("below half rounds down") << "0,00004"
                                                << "0,00";
        QTest::newRow("carry into the units") << "2,99999"
                                              << "3,00";
        QTest::newRow("trailing zeros dropped first") << "4,1000"
                                                      << "4,10";
        QTest::newRow("leading zeros") << "007"
                                       << "7,00";
        QTest::newRow("zero") << "0"
                              << "0,00";
        QTest::newRow("comma first") << ",5"
                                     << "0,50";
        QTest::newRow("comma last") << "5,"
                                    << "5,00";
        QTest::newRow("blanks around") << "  7,5 "
                                       << "7,50";
        QTest::newRow("hundreds") << "100"
                                  << "100,00";
        QTest::newRow("lone comma") << ","
                                    << "0,00";
        QTest::newRow("empty") << ""
                               << "0,00";
        QTest::newRow("blanks only") << "   "
                                     << "0,00";
        QTest::newRow("letters") << "dieci euro"
                                 << "0,00";
        QTest::newRow("digits and letters") << "12a"
                                            << "0,00";
        QTest::newRow("two commas") << "1,2,3"
                                    << "0,00";
        QTest::newRow("dot as separator") << "12.50"
                                          << "0,00";
        QTest::newRow("sign") << "-5"
                              << "0,00";
        QTest::newRow("blank inside") << "1 000"
                                      << "0,00";
    }
    void priceRule() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(farmaco::normalizedPrice(typed), kept);
        // What the rule keeps, it keeps again.
        QCOMPARE(farmaco::normalizedPrice(kept), kept);
    }

    void priceCharacters() {
        for (QChar c : QStringLiteral("0123456789,"))
            QVERIFY2(farmaco::isPriceCharacter(c), qPrintable(QString(c)));
        for (QChar c : QStringLiteral(".-+ aZ€e"))
            QVERIFY2(!farmaco::isPriceCharacter(c), qPrintable(QString(c)));
    }
};

QTEST_MAIN(TestFarmacoRecord)
#include "tst_farmacorecord.moc"
