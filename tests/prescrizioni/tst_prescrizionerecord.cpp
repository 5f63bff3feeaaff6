// The prescription record, the names of the yearly archives, the numbering rule, the start
// value's rounding, the date check and the list line.

#include "archive/record.h"
#include "archive/recordscan.h"
#include "prescrizioni/prescrizionerecord.h"
#include "prescrizionifixture.h"

using namespace tarvola;
using namespace tarvola::testing;

class TestPrescrizioneRecord : public QObject {
    Q_OBJECT
private slots:
    void layoutHasTheStoredFieldsAtTheirOffsets() {
        const RecordLayout& layout = prescrizione::layout();
        QCOMPARE(layout.size(), recordSize);
        QCOMPARE(layout.count(), qsizetype(48));
        QCOMPARE(layout.count(), storedFields().size());
        for (qsizetype i = 0; i < layout.count(); ++i) {
            const StoredField& s = storedFields()[i];
            QCOMPARE(layout.at(i).name, s.field);
            QCOMPARE(layout.at(i).offset, s.offset);
            QCOMPARE(layout.at(i).capacity, s.capacity);
        }
    }

    void recordBytesRoundTrip() {
        Prescription p;
        p.put("StudioMedico", "Studio Bianchi").put("Priorita", "Urgente \xe0");
        p.put("Quant07", "2").put("Desc03", "referto");
        const Record record = Record::fromBytes(prescrizione::layout(), p.bytes);
        QCOMPARE(record.value(QStringLiteral("StudioMedico")), QStringLiteral("Studio Bianchi"));
        QCOMPARE(record.value(QStringLiteral("Priorita")), QStringLiteral("Urgente à"));
        QCOMPARE(record.value(QStringLiteral("Quant07")), QStringLiteral("2"));
        QCOMPARE(record.value(QStringLiteral("Desc03")), QStringLiteral("referto"));
        QCOMPARE(record.toBytes(), p.bytes);
    }

    void onlyFourDigitsNameAYear_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name"); // empty: no archive
        QTest::newRow("2024") << "2024"
                              << "2024.med";
        QTest::newRow("0999") << "0999"
                              << "0999.med";
        QTest::newRow("two digits") << "24"
                                    << "";
        QTest::newRow("five digits") << "20245"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("letter inside") << "20a4"
                                       << "";
        QTest::newRow("parent folder") << "../a"
                                       << "";
        QTest::newRow("slash") << "/tmp"
                               << "";
        QTest::newRow("blank before") << " 202"
                                      << "";
        QTest::newRow("blank after") << "2024 "
                                     << "";
        QTest::newRow("wide digits") << QString::fromUtf8("２０２４") << "";
        QTest::newRow("arabic digits") << QString::fromUtf8("٢٠٢٤") << "";
    }
    void onlyFourDigitsNameAYear() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        const std::optional<QString> got = prescrizione::archiveNameOfYear(typed);
        QCOMPARE(got.value_or(QString()), name);
        QCOMPARE(got.has_value(), !name.isEmpty());
    }

    void numberOfANewPrescription_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QString>("number"); // empty: the start value cannot be read
        QTest::newRow("first of a year") << "1"
                                         << "No" << qint64(0) << "1";
        QTest::newRow("sixth") << "1"
                               << "No" << qint64(5) << "6";
        QTest::newRow("start 120, 5 stored") << "120"
                                             << "" << qint64(5) << "125";
        QTest::newRow("start 100, 10 stored") << "100"
                                              << "No" << qint64(10) << "110";
        QTest::newRow("new year, start 100") << "100"
                                             << "No" << qint64(0) << "100";
        QTest::newRow("empty start counts as 1") << ""
                                                 << "" << qint64(2) << "3";
        QTest::newRow("blank start counts as 1") << "  "
                                                 << "" << qint64(0) << "1";
        QTest::newRow("year flag") << "1"
                                   << "Sì" << qint64(5) << "6/2026";
        QTest::newRow("year flag trimmed") << "7"
                                           << " Sì " << qint64(0) << "7/2026";
        QTest::newRow("other flag") << "1"
                                    << "Si" << qint64(5) << "6";
        QTest::newRow("start trimmed") << " 12 "
                                       << "" << qint64(0) << "12";
        QTest::newRow("letters") << "abc"
                                 << "" << qint64(3) << "";
        QTest::newRow("decimal") << "1,5"
                                 << "" << qint64(3) << "";
        QTest::newRow("negative") << "-4"
                                  << "" << qint64(3) << "";
        QTest::newRow("too long") << "99999999999999999999"
                                  << "" << qint64(0) << "";
    }
    void numberOfANewPrescription() {
        QFETCH(QString, start);
        QFETCH(QString, flag);
        QFETCH(qint64, stored);
        QFETCH(QString, number);
        const auto got = prescrizione::nextNumber(start, flag, stored, QDate(2026, 3, 14));
        QCOMPARE(got.value_or(QString()), number);
    }

    void startValueOnLeavingItsEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("blanks") << "   "
                                << "1";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("plain") << "120"
                               << "120";
        QTest::newRow("half up") << "2,5"
                                 << "3";
        QTest::newRow("below half") << "2.4"
                                    << "2";
        QTest::newRow("letters") << "12a"
                                 << "1";
        QTest::newRow("zero") << "0"
                              << "0";
    }
    void startValueOnLeavingItsEdit() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(prescrizione::normalizedStart(typed), kept);
    }

    void realDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("real");
        QTest::newRow("29/02/2024 leap") << "29/02/2024" << true;
        QTest::newRow("31/02/2024") << "31/02/2024" << false;
        QTest::newRow("29/02/2023") << "29/02/2023" << false;
        QTest::newRow("31/12/2026") << "31/12/2026" << true;
        QTest::newRow("day and month in one digit") << "1/3/2026" << true;
        QTest::newRow("month 13") << "01/13/2026" << false;
        QTest::newRow("dashes") << "01-03-2026" << false;
        QTest::newRow("letters") << "oggi" << false;
        QTest::newRow("trimmed") << " 01/03/2026 " << true;
    }
    void realDates() {
        QFETCH(QString, text);
        QFETCH(bool, real);
        QCOMPARE(prescrizione::isRealDate(text), real);
    }

    void listLineHasItsPaddedColumns() {
        const Prescription p = Prescription::listed("10", "01/02/2024", "Visita cardiologica",
                                                    "ROSSI MARIO", "RSSMRA80A01H501U", " 333 ");
        const RecordView view(prescrizione::layout(), p.bytes);
        const QString expected =
            QStringLiteral("Presc. n. 10          ") + QStringLiteral("  Data: 01/02/2024") +
            QStringLiteral("  Visita cardiologica           ") +
            QStringLiteral("  Paz. ROSSI MARIO                   ") +
            QStringLiteral("  C.F. RSSMRA80A01H501U") + QStringLiteral("  Tel. 333");
        QCOMPARE(listLine(view, prescrizione::listColumns()), expected);
    }
};

QTEST_MAIN(TestPrescrizioneRecord)
#include "tst_prescrizionerecord.moc"
