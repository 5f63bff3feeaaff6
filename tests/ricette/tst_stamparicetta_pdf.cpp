#include "platform/fonts.h"
#include "report/printeroutput.h"
#include "report/reportpages.h"
#include "report/reportrenderer.h"
#include "ricette/tfrmstamparicetta.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QFile>
#include <QFontDatabase>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr double pointsToMm = 25.4 / 72.0;
constexpr double tolerance = 0.3; // mm

struct PdfWord {
    QString text;
    QRectF box; // mm from the page's top-left corner
    bool used = false;
};

struct PdfPage {
    QSizeF size; // mm
    std::vector<PdfWord> words;
};

QString unescaped(QString text) {
    text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s);
    text.replace(u"&apos;"_s, u"'"_s).replace(u"&#39;"_s, u"'"_s);
    return text.replace(u"&amp;"_s, u"&"_s);
}

// The words of a PDF file with their boxes, as poppler's pdftotext reads them back.
std::vector<PdfPage> readBack(const QString& pdf, const QString& html) {
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-bbox"_s, pdf, html});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QFile file(html);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression pageTag(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QString::fromLatin1(
        R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
    std::vector<PdfPage> pages;
    for (const QString& part : text.split(u"</page>"_s)) {
        const auto page = pageTag.match(part);
        if (!page.hasMatch())
            continue;
        PdfPage out;
        out.size = QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()) * pointsToMm;
        for (auto it = wordTag.globalMatch(part); it.hasNext();) {
            const auto w = it.next();
            const QPointF topLeft(w.captured(1).toDouble(), w.captured(2).toDouble());
            const QPointF bottomRight(w.captured(3).toDouble(), w.captured(4).toDouble());
            out.words.push_back(
                {unescaped(w.captured(5)), QRectF(topLeft * pointsToMm, bottomRight * pointsToMm)});
        }
        pages.push_back(out);
    }
    return pages;
}

// Whether the PDF embeds Liberation Sans, the font the red form is laid out with, as
// poppler's pdffonts lists it (a subset: "ABCDEF+LiberationSans", embedded "yes").
bool embedsLiberationSans(const QString& pdf) {
    QProcess tool;
    tool.start(u"pdffonts"_s, {pdf});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return false;
    static const QRegularExpression embedded(
        QString::fromLatin1(R"re((^|\+)LiberationSans(-Regular)?\s.*\byes\b)re"),
        QRegularExpression::MultilineOption);
    return embedded.match(QString::fromUtf8(tool.readAllStandardOutput())).hasMatch();
}

// Where the laid-out text should read back: the line's top, and its left edge or its centre.
QPointF expectedAnchor(const report::TextOp& op) {
    return QPointF(op.align == report::HAlign::Center ? op.line.center().x() : op.line.left(),
                   op.line.top());
}

QPointF readAnchor(const report::TextOp& op, const PdfWord& word) {
    return QPointF(op.align == report::HAlign::Center ? word.box.center().x() : word.box.left(),
                   word.box.top());
}

} // namespace

class TestStampaRicettaPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QFAIL("pdftotext (poppler-utils) is missing: run scripts/setup");
        // Run with an empty fontconfig configuration, the PC knows no font at all: the
        // run proves nothing unless that holds.
        if (qEnvironmentVariableIsSet("TARVOLA_NO_SYSTEM_FONTS")) {
            // Qt names the generic families whatever fontconfig holds.
            QStringList known = QFontDatabase::families();
            known.removeIf([](const QString& family) {
                return family == u"Sans Serif"_s || family == u"Serif"_s ||
                       family == u"Monospace"_s;
            });
            QVERIFY2(known.isEmpty(), qPrintable(u"fontconfig still knows "_s + known.join(u", ")));
        }
        // As the program does at start: the folder's own fonts.
        const QStringList loaded = fonts::loadBundled(QStringLiteral(TARVOLA_PROGRAM_DIR));
        QVERIFY2(loaded.contains(u"Liberation Sans"_s),
                 "the program folder has no fonts/: install fonts-liberation and rebuild");
    }

    void textReadsBackWhereItWasLaidOut_data() {
        QTest::addColumn<QString>("topPresses");
        QTest::addColumn<QString>("leftPresses");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("throughPrinter"); // the print path, or the PDF writer
        QTest::newRow("portrait, margins 0 and 0") << u""_s << u""_s << false << true;
        QTest::newRow("landscape, top 3, left 2") << u"+++"_s << u"++"_s << true << true;
        QTest::newRow("PDF writer, top 3, left 2") << u"+++"_s << u"++"_s << false << false;
    }
    void textReadsBackWhereItWasLaidOut() {
        QFETCH(QString, topPresses);
        QFETCH(QString, leftPresses);
        QFETCH(bool, landscape);
        QFETCH(bool, throughPrinter);
        QTemporaryDir dir;
        FakeReportServices fake(dir.path());
        FakeRicettaEditor editor;
        // One word a control, so each laid-out text is one word of the PDF.
        const QStringList names = FakeRicettaEditor::editNames();
        const QString boxes = u"ABCDEFGHJKLMNPQRSTUVWXYZ0123456789"_s;
        int next = 0;
        for (const QString& name : names) {
            if (name == u"txtCodFisc"_s)
                editor.setText(name, u"RSSMRA80A01H501U"_s);
            else if (name.startsWith(u"txtPresc"_s) || name.startsWith(u"txtMedico"_s) ||
                     name == u"txtAssistito"_s || name == u"txtIndirizzo"_s)
                editor.setText(name, name.mid(3).toUpper() + u"-Àgj"_s);
            else
                editor.setText(name, QString(boxes[next++ % boxes.size()]));
        }
        for (const char* toggle : {"NonEsente", "Ricov", "B", "P"})
            editor.setTicked(QString::fromLatin1(toggle), true);

        TfrmStampaRicetta window(fake.services, &editor);
        window.show();
        auto click = [&window](const QString& name) {
            QTest::mouseClick(control<QPushButton>(&window, name), Qt::LeftButton);
        };
        for (QChar c : topPresses)
            click(c == u'+' ? u"btnTopPlus"_s : u"btnTopMinus"_s);
        for (QChar c : leftPresses)
            click(c == u'+' ? u"btnLeftPlus"_s : u"btnLeftMinus"_s);
        if (landscape)
            control<QRadioButton>(&window, u"optOrizzontale"_s)->click();
        click(u"btnStampa"_s);
        QCOMPARE(fake.reports.printed.size(), std::size_t(1));
        const report::PreparedReport& laidOut = fake.reports.printed[0];
        QCOMPARE(laidOut.pages.size(), std::size_t(1));

        const QString pdf = dir.filePath(u"ricetta.pdf"_s);
        if (throughPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            report::setUpPrinter(printer, laidOut);
            printer.setOutputFileName(pdf);
            QCOMPARE(report::printOn(printer, laidOut).status, PrintOutcome::Printed);
        } else {
            QVERIFY(report::writePdf(laidOut, pdf));
        }
        QVERIFY2(embedsLiberationSans(pdf), "the PDF does not embed Liberation Sans");
        std::vector<PdfPage> pages = readBack(pdf, dir.filePath(u"ricetta.html"_s));
        QCOMPARE(pages.size(), std::size_t(1));
        PdfPage& page = pages[0];
        const QSizeF paper = landscape ? QSizeF(297, 210) : QSizeF(210, 297);
        QVERIFY(qAbs(page.size.width() - paper.width()) < 0.1);
        QVERIFY(qAbs(page.size.height() - paper.height()) < 0.1);

        const std::vector<report::TextOp> texts = laidOut.pages[0].texts();
        QCOMPARE(texts.size(), std::size_t(names.size() - 1 + 16 + 4));
        for (const report::TextOp& op : texts) {
            PdfWord* best = nullptr;
            double bestDistance = 1e9;
            for (PdfWord& word : page.words) {
                if (word.used || word.text != op.text)
                    continue;
                const QPointF d = readAnchor(op, word) - expectedAnchor(op);
                const double distance = std::hypot(d.x(), d.y());
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = &word;
                }
            }
            QVERIFY2(best, qPrintable(u"%1 \"%2\" not in the PDF"_s.arg(op.object, op.text)));
            best->used = true;
            const QPointF d = readAnchor(op, *best) - expectedAnchor(op);
            QVERIFY2(qAbs(d.x()) <= tolerance && qAbs(d.y()) <= tolerance,
                     qPrintable(u"%1 read back %2 mm, %3 mm off"_s.arg(op.object)
                                    .arg(d.x(), 0, 'f', 3)
                                    .arg(d.y(), 0, 'f', 3)));
        }
        for (const PdfWord& word : page.words)
            QVERIFY2(word.used, qPrintable(u"stray word in the PDF: "_s + word.text));
    }
};

QTEST_MAIN(TestStampaRicettaPdf)
#include "tst_stamparicetta_pdf.moc"
