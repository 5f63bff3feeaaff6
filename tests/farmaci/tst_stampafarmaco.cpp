// The drug card print: the 25 rows on the page in millimetres, the values taken from the
// editor as shown, the frame and footer, and how the window ends.

#include "farmaci/tfrmstampafarmaco.h"
#include "farmacifixture.h"
#include "report/reportpages.h"

#include <QPushButton>

#include <memory>

using namespace tarvola;
using namespace tarvola::testing;
using report::PreparedPage;
using report::RectOp;
using report::TextOp;

namespace {

constexpr double margin = 10; // mm, left and top of the page
constexpr double tolerance = 1e-6;

const char* const printedCaptions[] = {"Nome farmaco:",       "Produttore:",
                                       "Principio attivo:",   "Composizione:",
                                       "Categoria:",          "Tipo ricetta:",
                                       "Codice Minsan:",      "Classe:",
                                       "Nota AIFA:",          "ATC:",
                                       "Forma farmaceutica:", "Regime S.S.N.",
                                       "Durata trattamento:", "Periodo validità:",
                                       "Dosaggio bambini:",   "Dosaggio adulti:",
                                       "Dosaggio anziani:",   "Conservazione:",
                                       "Confezione:",         "Prezzo in euro:",
                                       "Indicazioni:",        "Controindicazioni:",
                                       "Interazioni:",        "Avvertenze speciali:",
                                       "Annotazioni:"};

bool near(const QRectF& a, const QRectF& b) {
    return qAbs(a.left() - b.left()) < tolerance && qAbs(a.top() - b.top()) < tolerance &&
           qAbs(a.width() - b.width()) < tolerance && qAbs(a.height() - b.height()) < tolerance;
}

QString describe(const QRectF& r) {
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(r.left())
        .arg(r.top())
        .arg(r.width())
        .arg(r.height());
}

// The texts drawn inside a box of the page, in drawing order.
QStringList textsIn(const PreparedPage& page, const QRectF& box) {
    QStringList out;
    for (const TextOp& op : page.texts()) {
        if (near(op.clip, box))
            out << op.text;
    }
    return out;
}

std::vector<RectOp> rects(const PreparedPage& page) {
    std::vector<RectOp> out;
    for (const auto& op : page.ops) {
        if (const auto* r = std::get_if<RectOp>(&op))
            out.push_back(*r);
    }
    return out;
}

struct Fixture {
    Fixture() {
        if (!f.open())
            QTest::qFail("the editor did not open", __FILE__, __LINE__);
        window = std::make_unique<TfrmStampaFarmaco>(f.fake.services, &f.window);
        window->show();
    }
    void print() {
        QTest::mouseClick(control<QPushButton>(window.get(), QStringLiteral("btnStampa")),
                          Qt::LeftButton);
    }
    // The one page printed; null unless exactly one report of one page was printed.
    const PreparedPage* page() const {
        const auto& printed = f.fake.reports.printed;
        if (printed.size() != 1 || printed[0].pages.size() != 1)
            return nullptr;
        return &printed[0].pages[0];
    }

    FarmaciFixture f;
    std::unique_ptr<TfrmStampaFarmaco> window;
};

} // namespace

class TestStampaFarmaco : public QObject {
    Q_OBJECT
private slots:
    void window() {
        Fixture x;
        QCOMPARE(x.window->windowTitle(), QStringLiteral(" Stampa scheda"));
        QVERIFY(control<QLabel>(x.window.get(), QStringLiteral("imgStampa")));
        QTest::mouseClick(control<QPushButton>(x.window.get(), QStringLiteral("btnAnnulla")),
                          Qt::LeftButton);
        QVERIFY(!x.window->isVisible());
        QVERIFY(x.f.fake.reports.printed.empty());
    }

    void rowsSitFiveMillimetresApart_data() {
        QTest::addColumn<int>("k");
        for (int k = 0; k < 25; ++k)
            QTest::newRow(storedFields[k].field) << k;
    }
    void rowsSitFiveMillimetresApart() {
        QFETCH(int, k);
        Fixture x;
        const QString field = QString::fromLatin1(storedFields[k].field);
        x.f.setText(QStringLiteral("txt") + field, QStringLiteral("  valore %1  ").arg(k));
        x.print();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        const double top = margin + 7 + 5 * k;
        // The row's box, outline only.
        const QRectF row(margin + 1, top, 188, 4.6);
        const auto boxes = rects(*page);
        const auto box = std::find_if(boxes.begin(), boxes.end(),
                                      [&](const RectOp& r) { return near(r.rect, row); });
        QVERIFY2(box != boxes.end(), qPrintable(describe(row)));
        QVERIFY(!box->fill.isValid());
        QVERIFY(box->outline > 0);
        // Caption on the left, value on the right of the dividing line, half a millimetre down.
        QCOMPARE(textsIn(*page, QRectF(margin + 2, top + 0.5, 37.8, 3.5)),
                 QStringList{QString::fromUtf8(printedCaptions[k])});
        const QRectF value(margin + 44, top + 0.5, 144, 3.5);
        QCOMPARE(textsIn(*page, value), QStringList{QStringLiteral("valore %1").arg(k)});
        for (const TextOp& op : page->textsOf(QStringLiteral("txt") + field)) {
            QCOMPARE(op.font.family, QStringLiteral("Arial"));
            QCOMPARE(op.font.pointSize, 7.0);
            QCOMPARE(op.align, report::HAlign::Left);
        }
    }

    void frameTitleAndFooter() {
        Fixture x;
        x.f.fake.clock.time = QTime(16, 5, 9);
        x.print();
        QCOMPARE(x.f.fake.reports.printed.size(), std::size_t(1));
        QCOMPARE(x.f.fake.reports.printed[0].name, QStringLiteral("Scheda Farmaco"));
        const PreparedPage* page = x.page();
        QVERIFY(page);
        QCOMPARE(page->paper, QSizeF(210, 297));
        QCOMPARE(page->orientation, report::Orientation::Portrait);
        const auto boxes = rects(*page);
        QCOMPARE(boxes.size(), std::size_t(27));
        const auto filled = [&](const QRectF& where) -> QColor {
            for (const RectOp& r : boxes) {
                if (near(r.rect, where))
                    return r.fill;
            }
            return QColor();
        };
        QCOMPARE(filled(QRectF(11, 11, 188, 5.8)), QColor(QStringLiteral("lightsteelblue")));
        QCOMPARE(filled(QRectF(11, 144, 188, 5.8)), QColor(QStringLiteral("gold")));
        QCOMPARE(textsIn(*page, QRectF(12, 12, 185.8, 4.2)),
                 QStringList{QStringLiteral("SCHEDA FARMACO")});
        QCOMPARE(
            textsIn(*page, QRectF(12, 145, 185.8, 4.2)),
            QStringList{QStringLiteral("Stampa eseguita in data 14/03/2026 alle ore 16:05:09")});
        std::vector<report::LineOp> lines;
        for (const auto& op : page->ops) {
            if (const auto* l = std::get_if<report::LineOp>(&op))
                lines.push_back(*l);
        }
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].line.p1(), QPointF(52, 17));
        QVERIFY(qAbs(lines[0].line.p2().y() - (17 + 124.6)) < tolerance);
        QCOMPARE(lines[0].line.p2().x(), 52.0);
    }

    void newCardPrintsOnlyTheZeroPrice() {
        Fixture x;
        x.f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("OKI"));
        x.f.click(QStringLiteral("cmdNuovo"));
        x.print();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        QStringList values;
        for (const StoredField& s : storedFields) {
            for (const TextOp& op : page->textsOf(QStringLiteral("txt") + QLatin1String(s.field)))
                values << QLatin1String(s.field) + u'=' + op.text;
        }
        QCOMPARE(values, QStringList{QStringLiteral("Prezzo=0,00")});
        // The 25 captions print all the same.
        int captions = 0;
        for (const TextOp& op : page->texts())
            captions += op.object.startsWith(QStringLiteral("lbl"));
        QCOMPARE(captions, 25);
    }

    void valuesPrintAsShownAndLiterally() {
        Fixture x;
        x.f.store({DrugCard::listed("SALVATO")});
        x.f.click(QStringLiteral("cmdPrimo"));
        // Changed on screen and not saved: the print shows the screen.
        x.f.setText(QStringLiteral("txtFarmaco"), QStringLiteral("NON SALVATO [DATE]"));
        const QString indications = QStringLiteral("Febbre e dolore. ").repeated(15).left(250);
        x.f.setText(QStringLiteral("txtIndicazioni"), indications);
        x.print();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        QCOMPARE(textsIn(*page, QRectF(54, 17.5, 144, 3.5)),
                 QStringList{QStringLiteral("NON SALVATO [DATE]")});
        // A long value stays on its one line and is cut at its box's edge.
        const auto ops = page->textsOf(QStringLiteral("txtIndicazioni"));
        QCOMPARE(ops.size(), std::size_t(1));
        QCOMPARE(ops[0].text, indications.trimmed());
        QVERIFY(near(ops[0].clip, QRectF(54, 10 + 7 + 5 * 20 + 0.5, 144, 3.5)));
        QVERIFY(x.f.stored().startsWith(DrugCard::listed("SALVATO").bytes));
    }

    void printingClosesTheWindowAlsoWhenCancelled_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("printed") << int(PrintOutcome::Printed);
        QTest::newRow("cancelled") << int(PrintOutcome::Cancelled);
    }
    void printingClosesTheWindowAlsoWhenCancelled() {
        QFETCH(int, answer);
        Fixture x;
        x.f.fake.reports.answer = PrintOutcome::Status(answer);
        x.print();
        QVERIFY(!x.window->isVisible());
        QCOMPARE(x.window->result(), int(QDialog::Accepted));
        QVERIFY(x.f.fake.messages.shown.isEmpty());
    }

    void failedPrintSaysWhyAndStaysOpen() {
        Fixture x;
        x.f.fake.reports.answer = PrintOutcome::Failed;
        x.print();
        QCOMPARE(x.f.fake.messages.texts(), QStringList{QStringLiteral("stampante guasta")});
        QCOMPARE(x.f.fake.messages.shown.front().kind, MessageKind::Error);
        QVERIFY(x.window->isVisible());
    }
};

QTEST_MAIN(TestStampaFarmaco)
#include "tst_stampafarmaco.moc"
