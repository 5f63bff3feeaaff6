// The therapy history and the clinical analyses card printed from the patient editor: the
// values on the laid-out page in millimetres, print and preview alike, and the numbered
// lines and right-aligned costs read back from a real PDF.

#include "pazientifixture.h"
#include "report/printeroutput.h"
#include "report/reportpages.h"
#include "report/reportrenderer.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr double tolerance = 0.3; // mm
constexpr double margin = 10;     // mm, the sheets' margins
constexpr double pointsToMm = 25.4 / 72.0;

bool near(double a, double b) {
    return qAbs(a - b) <= tolerance;
}

struct PdfWord {
    QString text;
    QRectF box; // mm from the page's top-left corner
};

// The words of a one-page PDF with their boxes, as poppler's pdftotext reads them back.
QList<PdfWord> readBack(const QString& pdf, const QString& html) {
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-bbox"_s, pdf, html});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QFile file(html);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression wordTag(QString::fromLatin1(
        R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    const QString text = QString::fromUtf8(file.readAll());
    for (auto it = wordTag.globalMatch(text); it.hasNext();) {
        const auto w = it.next();
        words.append(
            {w.captured(5),
             QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()) * pointsToMm,
                    QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()) * pointsToMm)});
    }
    return words;
}

std::vector<report::RectOp> rects(const report::PreparedPage& page) {
    std::vector<report::RectOp> out;
    for (const report::DrawOp& op : page.ops) {
        if (const auto* r = std::get_if<report::RectOp>(&op))
            out.push_back(*r);
    }
    return out;
}

report::TextOp only(const report::PreparedPage& page, const QString& memo) {
    const std::vector<report::TextOp> texts = page.textsOf(memo);
    if (texts.size() != 1)
        QTest::qFail(qPrintable(memo + u" has no single line"_s), __FILE__, __LINE__);
    return texts.empty() ? report::TextOp() : texts.front();
}

// A patient on screen, not saved.
void fillPatient(PazientiFixture& f) {
    f.show(u"Cognome"_s, u"ROSSI"_s);
    f.show(u"Nome"_s, u"MARIO"_s);
    f.show(u"CodFisc"_s, u"RSSMRA80A01H501U"_s);
    f.show(u"Indirizzo"_s, u"Via Roma 1"_s);
    f.show(u"ComuneRes"_s, u"Perugia"_s);
    f.show(u"ProvRes"_s, u""_s);
    f.show(u"Recapito"_s, u"333 1234567"_s);
    f.show(u"Orari"_s, u"lunedì mattina"_s);
    f.show(u"Raccomandazioni"_s, u"Bere molta acqua"_s);
    f.show(u"Note"_s, u"Nessuna"_s);
}

report::PreparedReport printFrom(PazientiFixture& f, const QString& button, bool preview) {
    const QString opened = openedBy([&] { f.click(button); },
                                    [&](QWidget* w) {
                                        control<QPushButton>(w, u"btnStampa"_s)->click();
                                        QVERIFY(!w->isVisible());
                                    });
    Q_UNUSED(opened);
    const auto& list = preview ? f.fake.reports.previewed : f.fake.reports.printed;
    return list.empty() ? report::PreparedReport() : list.back();
}

} // namespace

class TestStampePazienti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QFAIL("pdftotext (poppler-utils) is missing: run scripts/setup");
    }

    void therapySheetHas18RuledRowsAndTheCard() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillPatient(f);
        f.show(u"InizioTerap01"_s, u"01/02/2026"_s);
        f.show(u"Terapia01"_s, u"Amoxicillina 1 g due volte al giorno"_s);
        f.show(u"Costo01"_s, u"12,50"_s);
        f.show(u"Costo18"_s, u"1.250,00"_s);
        const report::PreparedReport sheet = printFrom(f, u"btnStampaTerapie"_s, false);
        QCOMPARE(sheet.name, u"Storico Terapie"_s);
        QCOMPARE(sheet.pages.size(), std::size_t(1));
        const report::PreparedPage& page = sheet.pages[0];

        int ruled = 0;
        for (const report::RectOp& r : rects(page)) {
            const double row = (r.rect.top() - margin - 54) / 5;
            if (near(r.rect.width(), 188) && near(r.rect.height(), 4.6) && row > -0.1 &&
                row < 17.1 && qAbs(row - qRound(row)) < 0.05)
                ++ruled;
        }
        QCOMPARE(ruled, 18);

        QCOMPARE(only(page, u"txtPaziente"_s).text, u"Paziente:  ROSSI MARIO"_s);
        QVERIFY(only(page, u"txtPaziente"_s).font.bold);
        QCOMPARE(only(page, u"txtCodFisc"_s).text, u"Codice fiscale:  RSSMRA80A01H501U"_s);
        // An empty province leaves the blank after the town.
        QCOMPARE(only(page, u"txtIndirizzo"_s).text, u"Via Roma 1 - Perugia "_s);
        QCOMPARE(only(page, u"txtGiorni"_s).text, u"Giorni e orari preferiti:  lunedì mattina"_s);
        QCOMPARE(only(page, u"txtAllergie"_s).text, u"Allergie accertate:  "_s);
        QCOMPARE(only(page, u"txtRaccomandazioni"_s).text, u"Bere molta acqua"_s);
        for (int i : {1, 18}) {
            const report::TextOp cost = only(page, runName(u"txtCosto"_s, i));
            QCOMPARE(cost.align, report::HAlign::Right);
            QVERIFY(near(cost.clip.right(), margin + 166.5 + 21));
            QVERIFY(near(cost.clip.top(), margin + 54.5 + 5 * (i - 1)));
        }
        const report::TextOp therapy = only(page, u"txtTerapia01"_s);
        QVERIFY(near(therapy.clip.left(), margin + 49) && near(therapy.clip.width(), 115));
        QCOMPARE(only(page, u"txtCalce"_s).text,
                 u"Stampa eseguita in data 14/03/2026 alle ore 09:30:00"_s);
        bool logo = false;
        for (const report::DrawOp& op : page.ops) {
            if (const auto* image = std::get_if<report::ImageOp>(&op))
                logo = logo || QRectF(margin + 1, margin + 1, 79, 39)
                                   .adjusted(-0.1, -0.1, 0.1, 0.1)
                                   .contains(image->target);
        }
        QVERIFY(logo);
    }

    void analysesPrintAndPreviewGiveTheSameNumberedSheet() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillPatient(f);
        f.show(u"Dente01"_s, u"Emocromo nella norma"_s);
        f.show(u"Dente32"_s, u"Glicemia 92 mg/dl"_s);
        const report::PreparedReport printed = printFrom(f, u"btnStampaDentale"_s, false);
        const report::PreparedReport previewed = printFrom(f, u"btnAnteprimaDentale"_s, true);
        QCOMPARE(printed.name, u"Analisi Cliniche"_s);
        QVERIFY(printed == previewed);
        QCOMPARE(printed.pages.size(), std::size_t(1));
        const report::PreparedPage& page = printed.pages[0];
        for (int i = 1; i <= 32; ++i) {
            const report::TextOp line = only(page, runName(u"txtDente"_s, i));
            const QString expected = i == 1    ? u"1) Emocromo nella norma"_s
                                     : i == 32 ? u"32) Glicemia 92 mg/dl"_s
                                               : QString::number(i) + u") "_s;
            QCOMPARE(line.text.trimmed(), expected.trimmed());
            QVERIFY(near(line.clip.top(), margin + 49.5 + 5 * (i - 1)));
        }
        QCOMPARE(only(page, u"txtPaziente"_s).text, u"Paziente:  ROSSI MARIO"_s);
        QVERIFY(!only(page, u"txtPaziente"_s).font.bold);
        QCOMPARE(only(page, u"txtNote"_s).text, u"Nessuna"_s);
        QCOMPARE(only(page, u"txtGiorni"_s).text, u"Giorni e orari preferiti:  lunedì mattina"_s);
    }

    // Through a real PDF: the analysis numbers and the costs where they were laid out.
    void pdfHoldsTheNumbersAndCostsInPlace() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillPatient(f);
        for (int i = 1; i <= 18; ++i)
            f.show(runName(u"Costo"_s, i), i % 2 ? u"7,00"_s : u"1.234,50"_s);
        const report::PreparedReport therapy = printFrom(f, u"btnStampaTerapie"_s, false);
        const report::PreparedReport analyses = printFrom(f, u"btnStampaDentale"_s, false);
        QTemporaryDir dir;
        for (const report::PreparedReport* sheet : {&therapy, &analyses}) {
            const QString pdf = dir.filePath(sheet->name + u".pdf"_s);
            QVERIFY(report::writePdf(*sheet, pdf));
            const QList<PdfWord> words = readBack(pdf, dir.filePath(sheet->name + u".html"_s));
            QVERIFY(!words.isEmpty());
            const bool costs = sheet == &therapy;
            const int count = costs ? 18 : 32;
            for (int i = 1; i <= count; ++i) {
                const report::TextOp op =
                    only(sheet->pages[0], runName(costs ? u"txtCosto"_s : u"txtDente"_s, i));
                const QString word = costs ? op.text : QString::number(i) + u')';
                bool found = false;
                for (const PdfWord& w : words) {
                    if (w.text != word)
                        continue;
                    // Costs end at the right edge of their memo; numbers start at its left.
                    const double x =
                        costs ? w.box.right() - op.line.right() : w.box.left() - op.line.left();
                    if (qAbs(x) <= tolerance && qAbs(w.box.top() - op.line.top()) <= tolerance)
                        found = true;
                }
                QVERIFY2(found, qPrintable(sheet->name + u": "_s + word));
            }
        }
    }
};

QTEST_MAIN(TestStampePazienti)
#include "tst_stampepazienti.moc"
