#include "archive/spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;

namespace {

const QByteArray expectedHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Archivio Farmaci</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
    "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
    "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>";

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSpreadsheet : public QObject {
    Q_OBJECT
private slots:
    void wholeFileIsOneLineOfMarkup() {
        const QList<SheetColumn> columns = {{QStringLiteral("Nome farmaco"), 250},
                                            {QStringLiteral("Periodo validità"), 250},
                                            {QStringLiteral("Importo"), 120, true}};
        const QList<QStringList> rows = {
            {QStringLiteral("  Tachipirina & C. "), QStringLiteral("6 mesi"),
             QStringLiteral("5,00")},
            {QStringLiteral("dose <b>2</b> anni"), QStringLiteral("Sì"), QString()}};
        const QByteArray bytes =
            spreadsheetBytes(QStringLiteral("Archivio Farmaci"), columns, rows);
        QCOMPARE(
            bytes,
            expectedHead +
                "<tr><td style=\"text-align: left; font-weight: bold;\" width=250>Nome "
                "farmaco</td><td style=\"text-align: left; font-weight: bold;\" "
                "width=250>Periodo validit\xE0</td><td style=\"text-align: left; "
                "font-weight: bold;\" width=120>Importo</td></tr>"
                "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">Tachipirina &amp; C.</td>"
                "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">6 mesi</td>"
                "<td style=\"text-align: right;\" sdnum=\"1040;0;@\">5,00</td></tr>"
                "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">dose &lt;b&gt;2&lt;/b&gt; "
                "anni</td>"
                "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">S\xEC</td>"
                "<td style=\"text-align: right;\" sdnum=\"1040;0;@\"></td></tr>"
                "</table></body></html>");
        QVERIFY(!bytes.contains('\n') && !bytes.contains('\r'));
    }

    // Every data cell, in either alignment and empty or not, tells LibreOffice it is text,
    // once; a header cell does not.
    void everyDataCellIsMarkedAsText_data() {
        QTest::addColumn<bool>("alignRight");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("left") << false << QStringLiteral("00184")
                              << QByteArray("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">"
                                            "00184</td>");
        QTest::newRow("right") << true << QStringLiteral("1.250,00")
                               << QByteArray("<td style=\"text-align: right;\" "
                                             "sdnum=\"1040;0;@\">1.250,00</td>");
        QTest::newRow("empty") << false << QString()
                               << QByteArray("<td style=\"text-align: left;\" "
                                             "sdnum=\"1040;0;@\"></td>");
    }
    void everyDataCellIsMarkedAsText() {
        QFETCH(bool, alignRight);
        QFETCH(QString, text);
        QFETCH(QByteArray, cell);
        const QList<SheetColumn> columns = {{QStringLiteral("A"), 100, alignRight},
                                            {QStringLiteral("B"), 100, alignRight}};
        const QList<QStringList> rows = {{text, text}, {text, text}, {text, text}};
        const QByteArray bytes = spreadsheetBytes(QStringLiteral("Foglio"), columns, rows);
        QCOMPARE(bytes.count(cell), 6);
        QCOMPARE(bytes.count("sdnum="), 6);
        const qsizetype headerEnd = bytes.indexOf("</tr>");
        QVERIFY(headerEnd > 0);
        QVERIFY(!bytes.left(headerEnd).contains("sdnum"));
    }

    void charactersTheCodePageLacksBecomeOneQuestionMarkEach() {
        const QByteArray bytes =
            spreadsheetBytes(QStringLiteral("S"), {{QStringLiteral("A"), 10}},
                             {{QStringLiteral("\u20ac 5 \u03b1\U0001F600x\u00e8 \u2019")}});
        QVERIFY2(bytes.contains(
                     "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">\x80 5 ??x\xE8 \x92</td>"),
                 bytes.constData());
    }

    // Cells already in Windows-1252 go into the sheet as they are: trimmed, with entities,
    // every byte kept (the undefined 0x81 too); a short row ends in empty cells.
    void encodedCellsAreWrittenAsTheyAre() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Archivio_Farmaci.xls"));
        const QList<QList<QByteArray>> rows = {{QByteArray("  Tachipirina & C. "),
                                                QByteArray("\x80 5,00 \x81\xE8"),
                                                QByteArray("<b>")},
                                               {QByteArray("OKI\t")}};
        qsizetype next = 0;
        QVERIFY(writeEncodedSpreadsheet(path, QStringLiteral("Archivio Farmaci"),
                                        {{QStringLiteral("Nome farmaco"), 250},
                                         {QStringLiteral("Prezzo"), 120, true},
                                         {QStringLiteral("Note"), 100}},
                                        [&](QList<QByteArrayView>& row) {
                                            if (next >= rows.size())
                                                return false;
                                            for (const QByteArray& cell : rows[next])
                                                row << cell;
                                            ++next;
                                            return true;
                                        }));
        QCOMPARE(
            readAll(path),
            expectedHead +
                "<tr><td style=\"text-align: left; font-weight: bold;\" width=250>Nome "
                "farmaco</td><td style=\"text-align: left; font-weight: bold;\" "
                "width=120>Prezzo</td><td style=\"text-align: left; font-weight: bold;\" "
                "width=100>Note</td></tr>"
                "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">Tachipirina &amp; C.</td>"
                "<td style=\"text-align: right;\" sdnum=\"1040;0;@\">\x80 5,00 \x81\xE8</td>"
                "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">&lt;b&gt;</td></tr>"
                "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">OKI</td>"
                "<td style=\"text-align: right;\" sdnum=\"1040;0;@\"></td>"
                "<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td></tr>"
                "</table></body></html>");
    }

    void largeSheetIsWrittenWholeAndInOrder() {
        // Far more rows than one write at a time takes, with entities at every row.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Archivio_Farmaci.xls"));
        const int rows = 20000;
        int next = 0;
        QVERIFY(writeSpreadsheet(path, QStringLiteral("Archivio Farmaci"),
                                 {{QStringLiteral("A"), 10}}, [&](QStringList& row) {
                                     row = {QStringLiteral("riga %1 & <%2>").arg(next).arg(next)};
                                     return next++ < rows;
                                 }));
        QByteArray expected = expectedHead + "<tr><td style=\"text-align: left; font-weight: "
                                             "bold;\" width=10>A</td></tr>";
        for (int i = 0; i < rows; ++i) {
            expected += "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">riga " +
                        QByteArray::number(i) + " &amp; &lt;" + QByteArray::number(i) +
                        "&gt;</td></tr>";
        }
        expected += "</table></body></html>";
        QCOMPARE(readAll(path), expected);
    }

    void writesAndReplacesTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Archivio_Farmaci.xls"));
        const QList<SheetColumn> columns = {{QStringLiteral("A"), 10}};
        int left = 3;
        QVERIFY(writeSpreadsheet(path, QStringLiteral("S"), columns, [&](QStringList& row) {
            row = {QStringLiteral("x")};
            return left-- > 0;
        }));
        const QByteArray first = readAll(path);
        QCOMPARE(first.count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">x</td>"), 3);

        // An export that cannot be written is reported and leaves nothing behind.
        QVERIFY(!writeSpreadsheet(dir.filePath(QStringLiteral("missing/x.xls")),
                                  QStringLiteral("S"), columns,
                                  [](QStringList&) { return false; }));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));

        // A second export replaces the first whole.
        QVERIFY(writeSpreadsheet(path, QStringLiteral("S"), columns,
                                 [](QStringList&) { return false; }));
        QCOMPARE(readAll(path).count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">x</td>"),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
