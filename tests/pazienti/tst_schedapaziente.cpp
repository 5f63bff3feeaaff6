// The patient card print ("Scheda informativa"): the 24 rows on the page in millimetres with
// the values the editor shows, saved or not, the title, picture and footer, the preview, and
// the same page read back from a real PDF through the printer path.

#include "pazientifixture.h"
#include "report/printeroutput.h"
#include "report/reportpages.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace tarvola;
using namespace tarvola::testing;
using report::PreparedPage;
using report::TextOp;

namespace {

constexpr double tolerance = 0.3; // mm
constexpr double pointsToMm = 25.4 / 72.0;

// Where the card's objects lie on A4 with 10 mm margins, in mm from the paper's corner.
QRectF titleBox(int row) {
    return {13.0, 34.0 + 10.0 * (row - 1), 52.0, 6.0};
}
QRectF valueBox(int row) {
    return {70.0, 34.0 + 10.0 * (row - 1), 128.0, 6.0};
}

bool near(const QRectF& a, const QRectF& b) {
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance &&
           qAbs(a.width() - b.width()) <= tolerance && qAbs(a.height() - b.height()) <= tolerance;
}

QString describe(const QRectF& r) {
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(r.left())
        .arg(r.top())
        .arg(r.width())
        .arg(r.height());
}

const TextOp* textOf(const PreparedPage& page, const QString& memo) {
    static std::vector<TextOp> kept;
    kept = page.textsOf(memo);
    return kept.size() == 1 ? &kept.front() : nullptr;
}

const char* const captions[] = {"Cognome paziente:",
                                "Nome paziente:",
                                "Codice fiscale:",
                                "Data di nascita:",
                                "Comune di nascita:",
                                "Partita IVA:",
                                "Via e numero civico:",
                                "CAP:",
                                "Comune di residenza:",
                                "Tel. casa:",
                                "Tel. ufficio:",
                                "Tel. cellulare:",
                                "Fax:",
                                "Recapito preferenziale:",
                                "E-mail:",
                                "Giorni e orari preferiti:",
                                "Tessera sanitaria n.",
                                "Modalità di pagamento:",
                                "Note:",
                                "Professione:",
                                "IBAN:",
                                "Intestatario C/C:",
                                "Medico:",
                                "Raccomandazioni mediche:"};

// A card on screen whose values are single words, so each reads back as one PDF word.
void fillCard(PazientiFixture& f) {
    const std::pair<const char*, const char*> values[] = {{"Cognome", "ROSSI"},
                                                          {"Nome", "MARIO"},
                                                          {"CodFisc", "RSSMRA80A01H501U"},
                                                          {"Sesso", "M"},
                                                          {"DataNasc", "01/01/1980"},
                                                          {"ComuneNasc", "Roma"},
                                                          {"ProvNasc", "RM"},
                                                          {"Iva", "01234567890"},
                                                          {"Indirizzo", "Corso"},
                                                          {"Cap", "00100"},
                                                          {"ComuneRes", "Milano"},
                                                          {"ProvRes", "MI"},
                                                          {"TelCasa", "061234"},
                                                          {"TelUff", "062345"},
                                                          {"TelCel", "3331234"},
                                                          {"Fax", "063456"},
                                                          {"Recapito", "Cellulare"},
                                                          {"Email", "mario@posta.it"},
                                                          {"Orari", "Mattina"},
                                                          {"Tessera", "80380"},
                                                          {"Pagamento", "Bonifico"},
                                                          {"Note", "Puntuale"},
                                                          {"Professione", "Ingegnere"},
                                                          {"Iban", "IT60X05428"},
                                                          {"Intestatario", "Rossi"},
                                                          {"Medico", "Verdi"},
                                                          {"Carta", "4539578763621486"},
                                                          {"Privacy", "Bianchi"},
                                                          {"Raccomandazioni", "Riposo"}};
    for (const auto& [field, text] : values)
        f.show(QString::fromLatin1(field), QString::fromLatin1(text));
}

const QStringList expectedValues =
    QStringLiteral(
        "ROSSI|MARIO|RSSMRA80A01H501U  -  Sesso: M|01/01/1980|Roma  -  Prov. RM|01234567890|Corso|"
        "00100|Milano  -  Prov. MI|061234|062345|3331234|063456|Cellulare|mario@posta.it|Mattina|"
        "80380|Bonifico|Puntuale|Ingegnere|IT60X05428|Rossi|Verdi|Riposo")
        .split(u'|');

} // namespace

class TestSchedaPaziente : public QObject {
    Q_OBJECT
private slots:
    void rowsLieTenMillimetresApart() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillCard(f);
        f.click(QStringLiteral("cmdStampa"));
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        const report::PreparedReport& report = f.fake.reports.printed[0];
        QCOMPARE(report.name, QStringLiteral("Scheda informativa"));
        QCOMPARE(report.pages.size(), std::size_t(1));
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.orientation, report::Orientation::Portrait);
        QCOMPARE(page.paper, QSizeF(210, 297));
        for (int row = 1; row <= 24; ++row) {
            const TextOp* title = textOf(page, rowName("titCampo", row));
            QVERIFY2(title, qPrintable(rowName("titCampo", row)));
            QCOMPARE(title->text, QString::fromUtf8(captions[row - 1]));
            QVERIFY2(near(title->clip, titleBox(row)), qPrintable(describe(title->clip)));
            QCOMPARE(title->font.pointSize, 9.0);
            QCOMPARE(title->font.color, QColor(Qt::white));
            const TextOp* value = textOf(page, rowName("txtCampo", row));
            QVERIFY2(value, qPrintable(rowName("txtCampo", row)));
            QCOMPARE(value->text, expectedValues[row - 1]);
            QVERIFY2(near(value->clip, valueBox(row)), qPrintable(describe(value->clip)));
            QCOMPARE(value->font.pointSize, 10.0);
            // Vertically centred in its 6 mm box.
            QVERIFY(value->line.center().y() > valueBox(row).top() + 1.5);
            QVERIFY(value->line.center().y() < valueBox(row).bottom() - 1.5);
        }
        const TextOp* title = textOf(page, QStringLiteral("txtTitolo"));
        QVERIFY(title);
        QCOMPARE(title->text, QStringLiteral("SCHEDA ANAGRAFICA PAZIENTE"));
        QVERIFY2(near(title->clip, QRectF(33.0, 13.0, 165.0, 9.0)),
                 qPrintable(describe(title->clip)));
        QCOMPARE(title->align, report::HAlign::Center);
        QCOMPARE(title->font.pointSize, 16.0);
        const TextOp* footer = textOf(page, QStringLiteral("txtCalce"));
        QVERIFY(footer);
        QCOMPARE(footer->text,
                 QStringLiteral("Stampa eseguita in data 14/03/2026 alle ore 09:30:00"));
        QVERIFY2(near(footer->clip, QRectF(13.0, 279.0, 185.0, 6.0)),
                 qPrintable(describe(footer->clip)));
        // Neither the card number nor the data controller are printed.
        for (const TextOp& op : page.texts())
            QVERIFY(!op.text.contains(QStringLiteral("4539")) &&
                    !op.text.contains(QStringLiteral("Bianchi")));
        // The template's own picture, top left; the teal captions and orange title filled.
        int images = 0;
        int teal = 0;
        for (const auto& op : page.ops) {
            if (const auto* image = std::get_if<report::ImageOp>(&op)) {
                ++images;
                QVERIFY(QRectF(13.0, 13.0, 17.0, 13.0)
                            .adjusted(-0.3, -0.3, 0.3, 0.3)
                            .contains(image->target));
                QVERIFY(!image->image.isNull());
            }
            if (const auto* rect = std::get_if<report::RectOp>(&op)) {
                if (rect->fill == QColor(QStringLiteral("teal")))
                    ++teal;
            }
        }
        QCOMPARE(images, 1);
        QCOMPARE(teal, 24);
        // Printing leaves the card and the archive as they were.
        QCOMPARE(f.text(QStringLiteral("txtCognome")), QStringLiteral("ROSSI"));
        QVERIFY(!QFile::exists(f.archive()));
    }

    void previewShowsTheSameCard() {
        PazientiFixture f;
        QVERIFY(f.open());
        fillCard(f);
        f.click(QStringLiteral("cmdAnteprima"));
        QCOMPARE(f.fake.reports.previewed.size(), std::size_t(1));
        QVERIFY(f.fake.reports.printed.empty());
        f.click(QStringLiteral("cmdStampa"));
        QCOMPARE(f.fake.reports.previewed[0], f.fake.reports.printed[0]);
    }

    void emptyCardPrintsItsCaptionsAndSeparators() {
        PazientiFixture f;
        QVERIFY(f.open());
        f.click(QStringLiteral("cmdStampa"));
        const PreparedPage& page = f.fake.reports.printed.at(0).pages.at(0);
        QCOMPARE(textOf(page, QStringLiteral("txtCampo03"))->text, QStringLiteral("  -  Sesso: "));
        // No design text of the template is left on the page.
        for (const TextOp& op : page.texts())
            QVERIFY2(!op.text.startsWith(QStringLiteral("Campo")) &&
                         !op.text.startsWith(QStringLiteral("Titolo")),
                     qPrintable(op.text));
    }

    void pdfReadsBackWhereTheCardWasLaidOut() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is missing: run scripts/setup");
        PazientiFixture f;
        QVERIFY(f.open());
        fillCard(f);
        f.click(QStringLiteral("cmdStampa"));
        const report::PreparedReport& laidOut = f.fake.reports.printed.at(0);
        const QString pdf = f.dir.filePath(QStringLiteral("scheda.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        report::setUpPrinter(printer, laidOut);
        printer.setOutputFileName(pdf);
        QCOMPARE(report::printOn(printer, laidOut).status, PrintOutcome::Printed);

        const QString html = f.dir.filePath(QStringLiteral("scheda.html"));
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        QFile file(html);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        static const QRegularExpression wordTag(QString::fromLatin1(
            R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"));
        struct Word {
            QString text;
            QPointF topLeft;
        };
        std::vector<Word> words;
        for (auto it = wordTag.globalMatch(text); it.hasNext();) {
            const auto w = it.next();
            words.push_back(
                {w.captured(5),
                 QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()) * pointsToMm});
        }
        // The first word of each caption and value starts where the layout put its line.
        const auto check = [&](const TextOp& op) {
            const QString first = op.text.split(u' ', Qt::SkipEmptyParts).value(0);
            const Word* best = nullptr;
            double distance = 1e9;
            for (const Word& w : words) {
                if (w.text != first)
                    continue;
                const QPointF d = w.topLeft - op.line.topLeft();
                if (std::hypot(d.x(), d.y()) < distance) {
                    distance = std::hypot(d.x(), d.y());
                    best = &w;
                }
            }
            QVERIFY2(best, qPrintable(op.object + QStringLiteral(": ") + first));
            const QPointF d = best->topLeft - op.line.topLeft();
            QVERIFY2(
                qAbs(d.x()) <= tolerance && qAbs(d.y()) <= tolerance,
                qPrintable(
                    QStringLiteral("%1 %2 mm, %3 mm off").arg(op.object).arg(d.x()).arg(d.y())));
        };
        for (int row = 1; row <= 24; ++row) {
            check(*textOf(laidOut.pages[0], rowName("titCampo", row)));
            check(*textOf(laidOut.pages[0], rowName("txtCampo", row)));
            // And the layout's lines are where the template puts the rows, 10 mm apart.
            QVERIFY(qAbs(textOf(laidOut.pages[0], rowName("txtCampo", row))->clip.top() -
                         (34.0 + 10.0 * (row - 1))) <= tolerance);
        }
    }
};

QTEST_MAIN(TestSchedaPaziente)
#include "tst_schedapaziente.moc"
