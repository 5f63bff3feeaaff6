// The printed prescription through the printer into a real PDF: every text the layout puts
// on the page reads back where it was laid out, within 0.3 mm, and nothing else is there
// (an empty line prints nothing, not the template's "0").

#include "prescrizioni/tfrmstampapresc.h"
#include "prescrizionifixture.h"
#include "report/printeroutput.h"
#include "report/reportpages.h"

#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

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

QString unescaped(QString text) {
    text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s);
    text.replace(u"&apos;"_s, u"'"_s).replace(u"&#39;"_s, u"'"_s);
    return text.replace(u"&amp;"_s, u"&"_s);
}

// The words of the PDF's only page with their boxes, as poppler's pdftotext reads them back;
// the page's size in mm.
std::vector<PdfWord> readBack(const QString& pdf, const QString& html, QSizeF& size) {
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-bbox"_s, pdf, html});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    const QString text = QString::fromUtf8(readFile(html));
    static const QRegularExpression pageTag(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QString::fromLatin1(
        R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
    const auto page = pageTag.match(text);
    if (!page.hasMatch() || text.count(u"<page "_s) != 1)
        return {};
    size = QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()) * pointsToMm;
    std::vector<PdfWord> words;
    for (auto it = wordTag.globalMatch(text); it.hasNext();) {
        const auto w = it.next();
        const QPointF topLeft(w.captured(1).toDouble(), w.captured(2).toDouble());
        const QPointF bottomRight(w.captured(3).toDouble(), w.captured(4).toDouble());
        words.push_back(
            {unescaped(w.captured(5)), QRectF(topLeft * pointsToMm, bottomRight * pointsToMm)});
    }
    return words;
}

} // namespace

class TestStampaPrescPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QFAIL("pdftotext (poppler-utils) is missing: run scripts/setup");
    }

    void textReadsBackWhereItWasLaidOut() {
        PrescrizioniFixture f;
        QVERIFY(f.open());
        const std::pair<const char*, const char*> values[] = {
            {"txtStudioMedico", "Studio Bianchi"},
            {"txtIntRigo02", "Via Roma"},
            {"txtIntRigo03", "Telefono"},
            {"txtIntRigo04", "Partita"},
            {"txtNumFatt", "12/2026"},
            {"txtData", "01/03/2026"},
            {"txtLuogo", "Milano"},
            {"txtMedico", "Dott. Bianchi"},
            {"txtCodFiscMed", "BNCLGU60A01F205X"},
            {"txtTipologia", "Visita"},
            {"txtPriorita", "Urgente"},
            {"txtQuesito", "Dolore toracico"},
            {"txtPaziente", "ROSSI MARIO"},
            {"txtSesso", "M"},
            {"txtDataNasc", "01/01/1980"},
            {"txtCodFisc", "RSSMRA80A01H501U"},
            {"txtRecapito", "3331234567"},
            {"txtTessera", "80380001"},
            {"txtAsl", "Lodi"},
            {"txtIndirizzo", "Piazza Duomo"},
            {"txtEsenzione", "E01"},
            {"txtPresc01", "ECG con visita cardiologica e refertazione completa del tracciato "
                           "con confronto dei precedenti e valutazione dei fattori di rischio "
                           "cardiovascolare del paziente"},
            {"txtQuant01", "1"},
            {"txtNota01", "entro dieci giorni lavorativi"},
            {"txtPresc02", "ASPIRINA"},
            {"txtQuant02", "2"},
        };
        for (const auto& [name, value] : values)
            f.setText(QString::fromLatin1(name), QString::fromUtf8(value));

        TfrmStampaPresc window(f.fake.services, &f.window);
        window.show();
        QTest::mouseClick(control<QPushButton>(&window, u"btnStampa"_s), Qt::LeftButton);
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        const report::PreparedReport& laidOut = f.fake.reports.printed[0];
        QCOMPARE(laidOut.pages.size(), std::size_t(1));
        // The prescription wraps in its box: more than one line, all laid out.
        QVERIFY(laidOut.pages[0].textsOf(u"txtPresc01"_s).size() > 1);

        // What the print dialog's printer does with the pages, into a PDF file.
        const QString pdf = f.dir.filePath(u"prescrizione.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        report::setUpPrinter(printer, laidOut);
        printer.setOutputFileName(pdf);
        QCOMPARE(report::printOn(printer, laidOut).status, PrintOutcome::Printed);

        QSizeF size;
        std::vector<PdfWord> words = readBack(pdf, f.dir.filePath(u"prescrizione.html"_s), size);
        QVERIFY(!words.empty());
        QVERIFY(qAbs(size.width() - 210) < 0.1);
        QVERIFY(qAbs(size.height() - 297) < 0.1);

        // Where the template puts the patient block, the lines and the doctor boxes: the box
        // inside the 10 mm margins, the text 2 pixels in from its left and 1 down from its top.
        const double gapLeft = 2 * 25.4 / 96, gapTop = 25.4 / 96;
        const struct {
            const char* word;
            double left; // mm inside the margins; negative: after a label or centred
            double top;
        } anchors[] = {
            {"Cognome", 2, 53},        {"Codice", 118.5, 53},
            {"Sesso:", 2, 59},         {"Tessera", 2, 65.2},
            {"Esenzione:", 141, 71.2}, {"ECG", 2, 114},
            {"ASPIRINA", 2, 130},      {"entro", 140, 114},
            {"Dott.", -1, 238},        {"BNCLGU60A01F205X", -1, 238},
        };
        for (const auto& a : anchors) {
            const auto w = std::find_if(words.begin(), words.end(), [&](const PdfWord& p) {
                return p.text == QString::fromLatin1(a.word);
            });
            QVERIFY2(w != words.end(), a.word);
            QVERIFY2(
                qAbs(w->box.top() - (10 + a.top + gapTop)) <= tolerance,
                qPrintable(u"%1 at %2 mm"_s.arg(QString::fromLatin1(a.word)).arg(w->box.top())));
            if (a.left >= 0)
                QVERIFY2(qAbs(w->box.left() - (10 + a.left + gapLeft)) <= tolerance,
                         qPrintable(
                             u"%1 at %2 mm"_s.arg(QString::fromLatin1(a.word)).arg(w->box.left())));
        }

        for (const report::TextOp& op : laidOut.pages[0].texts()) {
            const QStringList parts = op.text.split(u' ', Qt::SkipEmptyParts);
            if (parts.isEmpty())
                continue;
            // The op's words, one after the other in the PDF, on the op's line.
            std::vector<PdfWord*> found;
            for (std::size_t i = 0; i < words.size() && found.empty(); ++i) {
                if (words[i].used || words[i].text != parts[0] ||
                    qAbs(words[i].box.top() - op.line.top()) > tolerance)
                    continue;
                std::vector<PdfWord*> run;
                for (qsizetype k = 0; k < parts.size() && i + k < words.size(); ++k) {
                    if (words[i + k].text != parts[k])
                        break;
                    run.push_back(&words[i + k]);
                }
                if (run.size() == std::size_t(parts.size()))
                    found = run;
            }
            QVERIFY2(!found.empty(),
                     qPrintable(u"%1 \"%2\" not in the PDF"_s.arg(op.object, op.text)));
            QRectF box;
            for (PdfWord* w : found) {
                w->used = true;
                box = box.isNull() ? w->box : box.united(w->box);
            }
            const double x = op.align == report::HAlign::Center
                                 ? box.center().x() - op.line.center().x()
                                 : box.left() - op.line.left();
            const double y = box.top() - op.line.top();
            QVERIFY2(qAbs(x) <= tolerance && qAbs(y) <= tolerance,
                     qPrintable(u"%1 read back %2 mm, %3 mm off"_s.arg(op.object)
                                    .arg(x, 0, 'f', 3)
                                    .arg(y, 0, 'f', 3)));
        }
        for (const PdfWord& word : words)
            QVERIFY2(word.used, qPrintable(u"stray word in the PDF: "_s + word.text));
    }
};

QTEST_MAIN(TestStampaPrescPdf)
#include "tst_stampapresc_pdf.moc"
