#include "report/reportpages.h"
#include "report/summarylist.h"
#include "support/reportfakes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::report;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr double px = 25.4 / 96;
constexpr double linePitch = 12.822 * px; // mm
const double printableTop = 10;
const double printableBottom = 200; // landscape A4, 10 mm margins
const QString title = u"Riepilogo pazienti in archivio"_s;
const QString footer = u"Stampa eseguita in data 14/03/2026"_s; // the fake clock's day

// List lines as a list window builds them: fixed-width columns padded with blanks.
QStringList listLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"%1  ROSSI MARIO %2   RSSMRA80A01H501U  "_s.arg(i, 5).arg(i, -20);
    return lines;
}

} // namespace

class TestSummaryList : public QObject {
    Q_OBJECT
private slots:
    void layout_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("minimumPages");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("one line") << 1 << 1;
        QTest::newRow("a page's worth") << 50 << 1;
        for (int n : {52, 53, 54, 55, 56})
            QTest::newRow(qPrintable(u"%1 lines, near the first page's end"_s.arg(n))) << n << 1;
        QTest::newRow("120 lines") << 120 << 2;
        QTest::newRow("400 lines") << 400 << 7;
    }
    void layout() {
        QFETCH(int, count);
        QFETCH(int, minimumPages);
        const QStringList lines = listLines(count);
        const PreparedReport report = prepareSummaryList(title, lines, QDate(2026, 3, 14));
        QCOMPARE(report.name, u"Riepilogo dati"_s);
        QVERIFY(int(report.pages.size()) >= minimumPages);

        // Every line once, in order, as given.
        QCOMPARE(linesOf(report, u"txtRiepilogo"_s), lines);

        double footerTop = -1;
        std::size_t footerPage = 0;
        for (std::size_t p = 0; p < report.pages.size(); ++p) {
            const PreparedPage& page = report.pages[p];
            QCOMPARE(page.paper, QSizeF(297, 210));
            QCOMPARE(page.orientation, Orientation::Landscape);
            // The title on the first page only, at the top of the printable area.
            const auto heading = page.textsOf(u"txtTitolo"_s);
            QCOMPARE(heading.size(), std::size_t(p == 0 ? 1 : 0));
            if (p == 0) {
                QCOMPARE(heading[0].text, title);
                QVERIFY(qAbs(heading[0].clip.top() - (printableTop + 1)) < 1e-3);
            }
            // Lines one pitch apart, inside the printable area, each whole on its page.
            const auto rows = page.textsOf(u"txtRiepilogo"_s);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                QVERIFY(rows[i].line.top() >= printableTop - 1e-6);
                QVERIFY(rows[i].line.bottom() <= printableBottom + 1e-6);
                // The descent box of a block's last line may overrun the block by the
                // block's top gap; no letter reaches that far down.
                QVERIFY(rows[i].line.bottom() <= rows[i].clip.bottom() + px + 1e-6);
                QVERIFY(qAbs(rows[i].line.left() - (10 + 3 + 2 * px)) < 1e-3);
                if (i > 0)
                    QVERIFY(qAbs(rows[i].line.top() - rows[i - 1].line.top() - linePitch) < 1e-6);
            }
            if (p > 0 && !rows.empty()) // a continued list starts at the top, without a title
                QVERIFY(qAbs(rows.front().line.top() - printableTop) < 1e-6);
            if (p + 1 < report.pages.size() &&
                !report.pages[p + 1].textsOf(u"txtRiepilogo"_s).empty()) {
                // The list goes on to the next page only when its next line would not fit.
                QVERIFY(!rows.empty());
                QVERIFY(rows.back().line.bottom() + linePitch > printableBottom);
            }
            for (const TextOp& t : page.textsOf(u"txtPagina"_s)) {
                QCOMPARE(t.text, footer);
                QCOMPARE(footerTop, -1.0); // once only
                footerTop = t.clip.top();
                footerPage = p;
            }
        }
        // The footer after the last line, on the last page, inside the printable area.
        QCOMPARE(footerPage, report.pages.size() - 1);
        QVERIFY(footerTop + 5 <= printableBottom + 1e-6);
        const auto lastRows = report.pages.back().textsOf(u"txtRiepilogo"_s);
        if (count == 0) {
            // Title band 8 mm, an empty list block of 10 pixels, the footer 2 mm into its band.
            QVERIFY2(qAbs(footerTop - (printableTop + 8 + 10 * px + 2)) < 2e-3,
                     qPrintable(QString::number(footerTop, 'f', 5)));
        } else if (!lastRows.empty()) {
            const double blockEnd = lastRows.back().line.top() - px + linePitch;
            QVERIFY(qAbs(footerTop - (blockEnd + 10 * px + 2)) < 1e-3);
        } else {
            QVERIFY(qAbs(footerTop - (printableTop + 2)) < 1e-3); // moved to a new page
        }
    }

    void linesPrintLiterally() {
        const QStringList lines{u"[DATE]"_s, u"   a [b] c   "_s, u"]x["_s, QString(),
                                u"&amp; <b>"_s};
        const PreparedReport report = prepareSummaryList(title, lines, QDate(2026, 3, 14));
        QStringList printed = linesOf(report, u"txtRiepilogo"_s);
        // An empty line takes its place in the block but draws nothing.
        QCOMPARE(printed, (QStringList{u"[DATE]"_s, u"   a [b] c   "_s, u"]x["_s, u"&amp; <b>"_s}));
        const auto rows = report.pages[0].textsOf(u"txtRiepilogo"_s);
        QVERIFY(qAbs(rows[3].line.top() - rows[2].line.top() - 2 * linePitch) < 1e-6);
    }

    void printingTwiceGivesTheSamePages() {
        QTemporaryDir dir;
        FakeReportServices fake(dir.path());
        const QStringList longList = listLines(120);
        printSummaryList(fake.services, nullptr, title, longList);
        printSummaryList(fake.services, nullptr, u"Riepilogo farmaci"_s, listLines(3));
        printSummaryList(fake.services, nullptr, title, longList);
        QCOMPARE(fake.reports.printed.size(), std::size_t(3));
        QVERIFY(fake.reports.printed[0].pages.size() > 1);
        QVERIFY(fake.reports.printed[0] == fake.reports.printed[2]);
        QCOMPARE(fake.reports.printed[1].pages.size(), std::size_t(1));
        QVERIFY(fake.messages.shown.isEmpty());
    }

    void outcomes_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("told");
        QTest::newRow("printed") << int(PrintOutcome::Printed) << false;
        QTest::newRow("cancelled") << int(PrintOutcome::Cancelled) << false;
        QTest::newRow("failed") << int(PrintOutcome::Failed) << true;
    }
    void outcomes() {
        QFETCH(int, answer);
        QFETCH(bool, told);
        QTemporaryDir dir;
        FakeReportServices fake(dir.path());
        fake.reports.answer = PrintOutcome::Status(answer);
        const PrintOutcome outcome = printSummaryList(fake.services, nullptr, title, listLines(2));
        QCOMPARE(int(outcome.status), answer);
        QCOMPARE(fake.messages.shown.size(), told ? 1 : 0);
        if (told) {
            QCOMPARE(fake.messages.shown[0].kind, MessageKind::Error);
            QCOMPARE(fake.messages.shown[0].text, u"stampante guasta"_s);
        }
    }

    void withoutOutputNothingIsPrintedSilently() {
        QTemporaryDir dir;
        FakeServices fake(dir.path());
        const PrintOutcome outcome = printSummaryList(fake.services, nullptr, title, listLines(2));
        QCOMPARE(outcome.status, PrintOutcome::Failed);
        QCOMPARE(fake.messages.shown.size(), 1);
    }
};

QTEST_MAIN(TestSummaryList)
#include "tst_summarylist.moc"
