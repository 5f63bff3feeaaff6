// The prescription print and preview: where the patient block, the lines and the doctor
// boxes sit on the page, what each memo prints, empty lines, wrapping and cutting, the logo,
// the footer, and how the windows end.

#include "archive/logo.h"
#include "prescrizioni/tfrmanteprimapresc.h"
#include "prescrizioni/tfrmstampapresc.h"
#include "prescrizionifixture.h"
#include "report/reportpages.h"
#include "report/reporttemplate.h"

#include <QPushButton>

#include <memory>

using namespace tarvola;
using namespace tarvola::testing;
using report::PreparedPage;
using report::TextOp;

namespace {

constexpr double margin = 10; // mm, left and top of the page
constexpr double tolerance = 0.3;

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

QStringList textsOf(const PreparedPage& page, const QString& memo) {
    QStringList out;
    for (const TextOp& op : page.textsOf(memo))
        out << op.text;
    return out;
}

template <typename Op> std::vector<Op> opsOf(const PreparedPage& page) {
    std::vector<Op> out;
    for (const auto& op : page.ops) {
        if (const auto* o = std::get_if<Op>(&op))
            out.push_back(*o);
    }
    return out;
}

struct Fixture {
    explicit Fixture(bool preview = false) {
        if (!f.open())
            QTest::qFail("the editor did not open", __FILE__, __LINE__);
        if (preview)
            window = std::make_unique<TfrmAnteprimaPresc>(f.fake.services, &f.window);
        else
            window = std::make_unique<TfrmStampaPresc>(f.fake.services, &f.window);
    }
    void output() {
        window->show();
        const QString button = qobject_cast<TfrmAnteprimaPresc*>(window.get())
                                   ? QStringLiteral("btnAnteprima")
                                   : QStringLiteral("btnStampa");
        QTest::mouseClick(control<QPushButton>(window.get(), button), Qt::LeftButton);
    }
    // The one page printed; null unless exactly one report of one page was printed.
    const PreparedPage* page() const {
        const auto& printed = f.fake.reports.printed;
        if (printed.size() != 1 || printed[0].pages.size() != 1)
            return nullptr;
        return &printed[0].pages[0];
    }

    PrescrizioniFixture f;
    std::unique_ptr<QDialog> window;
};

} // namespace

class TestStampaPresc : public QObject {
    Q_OBJECT
private slots:
    void windows_data() {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("print") << false << " Stampa scheda"
                               << "btnStampa"
                               << "Stampa";
        QTest::newRow("preview") << true << " Anteprima di stampa"
                                 << "btnAnteprima"
                                 << "Mostra anteprima";
    }
    void windows() {
        QFETCH(bool, preview);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        QFETCH(QString, text);
        Fixture x(preview);
        QCOMPARE(x.window->windowTitle(), caption);
        QCOMPARE(control<QPushButton>(x.window.get(), button)->text(), text);
        QVERIFY(control<QLabel>(x.window.get(), QStringLiteral("imgLogo"))->isHidden());
        QVERIFY(control<QLabel>(x.window.get(), QStringLiteral("imgTemp"))->isHidden());
        x.window->show();
        QTest::mouseClick(control<QPushButton>(x.window.get(), QStringLiteral("btnAnnulla")),
                          Qt::LeftButton);
        QVERIFY(!x.window->isVisible());
        QVERIFY(x.f.fake.reports.printed.empty());
        QVERIFY(x.f.fake.reports.previewed.empty());
    }

    void templateHoldsItsObjects() {
        const report::ReportTemplate form =
            report::ReportTemplate::load(report::templates::prescrizione);
        QCOMPARE(form.reportName, QStringLiteral("Prescrizione Medica"));
        QCOMPARE(form.templateName, QStringLiteral("repDocumento"));
        QCOMPARE(form.page.margins, QMarginsF(10, 10, 10, 10));
        int memos = 0, pictures = 0, shapes = 0, lines = 0;
        for (const report::ReportObject& o : form.objects()) {
            memos += std::holds_alternative<report::Memo>(o);
            pictures += std::holds_alternative<report::Picture>(o);
            shapes += std::holds_alternative<report::Shape>(o);
            lines += std::holds_alternative<report::Line>(o);
        }
        QCOMPARE(memos, 53);
        QCOMPARE(pictures, 1);
        QCOMPARE(shapes, 15);
        QCOMPARE(lines, 9);
        // The template's own texts, before any filling.
        report::ReportTemplate copy = form;
        QCOMPARE(copy.memo(QStringLiteral("txtQuant05")).text(), QStringLiteral("0"));
        QCOMPARE(copy.memo(QStringLiteral("txtPresc05")).text(), QString());
        QVERIFY(copy.memo(QStringLiteral("txtNota07")).wordWrap);
        QVERIFY(!copy.memo(QStringLiteral("txtQuesito")).wordWrap);
        QVERIFY(!copy.memo(QStringLiteral("txtPaziente")).allowExpressions);
    }

    void valuesPrintWhereTheTemplatePutsThem_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QRectF>("box"); // mm inside the margins
        QTest::addColumn<QString>("printed");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("centred");
        const auto row = [](const char* memo, const char* value, QRectF box, const char* printed,
                            double points = 8, bool bold = false, bool centred = false) {
            QTest::newRow(memo) << QString::fromLatin1(memo) << QString::fromUtf8(value) << box
                                << QString::fromUtf8(printed) << points << bold << centred;
        };
        row("txtStudioMedico", "Studio Bianchi", {83, 1.5, 106, 4}, "Studio Bianchi", 9);
        row("txtIntRigo02", "Via Roma 1", {83, 6, 106, 4}, "Via Roma 1", 9);
        row("txtIntRigo03", "Tel. 02", {83, 11, 106, 3.5}, "Tel. 02");
        row("txtIntRigo04", "P. IVA 1", {83, 15.5, 106, 3.5}, "P. IVA 1");
        row("txtNumFatt", "12/2026", {86, 22.5, 101, 4}, "Prescrizione n. 12/2026", 9, true);
        row("txtData", "01/03/2026", {86, 28, 101, 4}, "Data emissione:  01/03/2026", 9);
        row("txtLuogo", "Milano", {86, 33.5, 101, 4}, "Luogo:  Milano", 9);
        row("txtPaziente", "ROSSI MARIO", {2, 53, 113, 4}, "Cognome e nome:  ROSSI MARIO");
        row("txtCodFisc", "RSSMRA80A01H501U", {118.5, 53, 69, 4},
            "Codice fiscale:  RSSMRA80A01H501U");
        row("txtSesso", "M", {2, 59, 16.8, 4}, "Sesso:  M");
        row("txtDataNasc", "01/01/1980", {21, 59, 47.8, 4}, "Data di nascita:  01/01/1980");
        row("txtRecapito", "333 1", {71.5, 59, 116, 4}, "Recapito:  333 1");
        row("txtTessera", "8038", {2, 65.2, 88, 4}, "Tessera sanitaria n.  8038");
        row("txtAsl", "ASL 1", {92, 65.2, 96, 4}, "ASL di provenienza:  ASL 1");
        row("txtIndirizzo", "Via Verdi 2", {2, 71.2, 137, 4}, "Indirizzo:  Via Verdi 2");
        row("txtEsenzione", "E01", {141, 71.2, 47, 4}, "Esenzione:  E01");
        row("txtTipologia", "Visita", {38, 81, 150, 4}, "Visita");
        row("txtPriorita", "Urgente", {38, 89, 150, 4}, "Urgente");
        row("txtQuesito", "Dolore", {38, 97, 150, 4}, "Dolore");
        row("txtMedico", "Dott. Bianchi", {2, 238, 87.9, 4}, "Dott. Bianchi", 8, false, true);
        row("txtCodFiscMed", "BNCLGU60A01F205X", {100, 238, 87.9, 4}, "BNCLGU60A01F205X", 8, false,
            true);
        for (int i = 1; i <= 7; ++i) {
            const double top = 114 + 16 * (i - 1);
            const QByteArray n = QByteArray::number(i);
            QTest::newRow("txtPresc0" + n)
                << QStringLiteral("txtPresc0%1").arg(i) << QStringLiteral("FARMACO %1").arg(i)
                << QRectF(2, top, 115, 15) << QStringLiteral("FARMACO %1").arg(i) << 8.0 << false
                << false;
            QTest::newRow("txtQuant0" + n)
                << QStringLiteral("txtQuant0%1").arg(i) << QString::number(i)
                << QRectF(119, top, 18.8, 4) << QString::number(i) << 8.0 << false << true;
            QTest::newRow("txtNota0" + n)
                << QStringLiteral("txtNota0%1").arg(i) << QStringLiteral("nota %1").arg(i)
                << QRectF(140, top, 47.5, 15) << QStringLiteral("nota %1").arg(i) << 8.0 << false
                << false;
        }
    }
    void valuesPrintWhereTheTemplatePutsThem() {
        QFETCH(QString, memo);
        QFETCH(QString, value);
        QFETCH(QRectF, box);
        QFETCH(QString, printed);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, centred);
        Fixture x;
        // Blanks around the value where the edit has room for them: they never print.
        const bool room = value.size() + 3 <= x.f.edit(memo)->maxLength();
        x.f.setText(memo, room ? QStringLiteral("  ") + value + QStringLiteral(" ") : value);
        x.output();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        const std::vector<TextOp> ops = page->textsOf(memo);
        QCOMPARE(ops.size(), std::size_t(1));
        const TextOp& op = ops[0];
        QCOMPARE(op.text, printed);
        const QRectF expected = box.translated(margin, margin);
        QVERIFY2(
            near(op.clip, expected),
            qPrintable(describe(op.clip) + QStringLiteral(" instead of ") + describe(expected)));
        QCOMPARE(op.font.family, QStringLiteral("Arial"));
        QCOMPARE(op.font.pointSize, points);
        QCOMPARE(op.font.bold, bold);
        QCOMPARE(op.align == report::HAlign::Center, centred);
    }

    void emptyFieldsPrintTheirLabelAndEmptyLinesNothing() {
        Fixture x;
        // A new form with only line 1 filled; the practice header as remembered is empty.
        x.f.setText(QStringLiteral("txtPresc01"), QStringLiteral("ASPIRINA"));
        x.f.setText(QStringLiteral("txtQuant01"), QStringLiteral("1"));
        x.output();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        QCOMPARE(textsOf(*page, QStringLiteral("txtPresc01")),
                 QStringList{QStringLiteral("ASPIRINA")});
        QCOMPARE(textsOf(*page, QStringLiteral("txtQuant01")), QStringList{QStringLiteral("1")});
        for (int i = 2; i <= 7; ++i) {
            for (const char* stem : {"txtPresc0", "txtQuant0", "txtNota0"}) {
                const QString memo = QString::fromLatin1(stem) + QString::number(i);
                QVERIFY2(page->textsOf(memo).empty(), qPrintable(memo));
            }
        }
        for (const TextOp& op : page->texts())
            QVERIFY2(op.text != QStringLiteral("0"), qPrintable(op.object));
        const std::pair<const char*, const char*> labels[] = {
            {"txtNumFatt", "Prescrizione n. "},
            {"txtData", "Data emissione:  "},
            {"txtLuogo", "Luogo:  "},
            {"txtPaziente", "Cognome e nome:  "},
            {"txtSesso", "Sesso:  "},
            {"txtDataNasc", "Data di nascita:  "},
            {"txtCodFisc", "Codice fiscale:  "},
            {"txtRecapito", "Recapito:  "},
            {"txtTessera", "Tessera sanitaria n.  "},
            {"txtAsl", "ASL di provenienza:  "},
            {"txtIndirizzo", "Indirizzo:  "},
            {"txtEsenzione", "Esenzione:  "},
        };
        for (const auto& [memo, label] : labels) {
            const QStringList texts = textsOf(*page, QString::fromLatin1(memo));
            QCOMPARE(texts.size(), 1);
            QCOMPARE(texts[0].trimmed(), QString::fromLatin1(label).trimmed());
        }
        // The template's texts of the filled memos never show.
        for (const char* memo : {"txtStudioMedico", "txtIntRigo02", "txtTipologia", "txtMedico"})
            QVERIFY2(page->textsOf(QString::fromLatin1(memo)).empty(), memo);
        QCOMPARE(textsOf(*page, QStringLiteral("titCliente")),
                 QStringList{QStringLiteral("DATI PAZIENTE")});
        QCOMPARE(textsOf(*page, QStringLiteral("titFirmaCliente")),
                 QStringList{QStringLiteral("FIRMA DEL MEDICO")});
    }

    void longTextsWrapInTheirBoxOrAreCut() {
        Fixture x;
        const QString words = QStringLiteral("parola ").repeated(60).trimmed();
        x.f.setText(QStringLiteral("txtPresc03"), words.left(250));
        x.f.setText(QStringLiteral("txtQuesito"), words.left(250));
        x.output();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        const std::vector<TextOp> lines = page->textsOf(QStringLiteral("txtPresc03"));
        QVERIFY(lines.size() > 1);
        const QRectF box = QRectF(2, 146, 115, 15).translated(margin, margin);
        for (const TextOp& op : lines) {
            QVERIFY(near(op.clip, box));
            QVERIFY(op.line.top() < box.bottom());
            QVERIFY(op.text.startsWith(QStringLiteral("parola")));
        }
        // The question keeps one line, cut at the row's right edge.
        const std::vector<TextOp> question = page->textsOf(QStringLiteral("txtQuesito"));
        QCOMPARE(question.size(), std::size_t(1));
        QCOMPARE(question[0].text, words.left(250));
        QVERIFY(near(question[0].clip, QRectF(48, 107, 150, 4)));
    }

    void frameFooterAndUnsavedValues() {
        Fixture x;
        x.f.fake.clock.time = QTime(16, 5, 9);
        x.f.click(QStringLiteral("cmdNuovo")); // a number, never saved
        x.output();
        QVERIFY(!x.window->isVisible()); // closes after printing
        QCOMPARE(x.f.fake.reports.printed[0].name, QStringLiteral("Prescrizione Medica"));
        const PreparedPage* page = x.page();
        QVERIFY(page);
        QCOMPARE(page->paper, QSizeF(210, 297));
        QCOMPARE(page->orientation, report::Orientation::Portrait);
        QCOMPARE(textsOf(*page, QStringLiteral("txtNumFatt")),
                 QStringList{QStringLiteral("Prescrizione n. 1")});
        QCOMPARE(
            textsOf(*page, QStringLiteral("txtCalce")),
            QStringList{QStringLiteral("Stampa eseguita in data 14/03/2026 alle ore 16:05:09")});
        int outlined = 0, aliceblue = 0;
        for (const report::RectOp& r : opsOf<report::RectOp>(*page)) {
            outlined += r.outline > 0;
            aliceblue += r.fill == QColor(QStringLiteral("aliceblue"));
        }
        QCOMPARE(outlined, 15);
        QCOMPARE(aliceblue, 6);
        const auto lines = opsOf<report::LineOp>(*page);
        QCOMPARE(lines.size(), std::size_t(9));
        // The column lines of the table: from 106 mm down 121 mm, at 118 and 139 mm.
        int columns = 0;
        for (const report::LineOp& l : lines) {
            if (qAbs(l.line.p1().y() - 116) < tolerance && qAbs(l.line.p2().y() - 237) < tolerance)
                columns += qAbs(l.line.p1().x() - 128) < tolerance ||
                           qAbs(l.line.p1().x() - 149) < tolerance;
        }
        QCOMPARE(columns, 2);
        QVERIFY(x.f.stored().isEmpty()); // printing writes nothing
    }

    void logoIsThePracticesOrTheDefault_data() {
        QTest::addColumn<QString>("file"); // what Logo.bmp holds
        QTest::newRow("missing") << "";
        QTest::newRow("not a picture") << "text";
        QTest::newRow("practice logo") << "logo";
        QTest::newRow("blank") << "blank";
    }
    void logoIsThePracticesOrTheDefault() {
        QFETCH(QString, file);
        Fixture x;
        QImage expected = logo::defaultLogo();
        const QString path = x.f.dir.filePath(QStringLiteral("Logo.bmp"));
        if (file == QStringLiteral("text")) {
            writeFile(path, "not a bitmap");
        } else if (file == QStringLiteral("logo")) {
            expected = QImage(400, 100, QImage::Format_RGB32);
            expected.fill(Qt::red);
            QVERIFY(expected.save(path, "BMP"));
        } else if (file == QStringLiteral("blank")) {
            expected = logo::blankLogo();
            QVERIFY(expected.save(path, "BMP"));
        }
        x.output();
        const PreparedPage* page = x.page();
        QVERIFY(page);
        const auto images = opsOf<report::ImageOp>(*page);
        QCOMPARE(images.size(), std::size_t(1));
        QCOMPARE(images[0].image.size(), expected.size());
        QCOMPARE(images[0].image.pixelColor(0, 0), expected.pixelColor(0, 0));
        // Fitted with its proportions kept, centred in the box at 1 mm, 1 mm, 79 x 39.
        const QRectF box = QRectF(1, 1, 79, 39).translated(margin, margin);
        const QSizeF fitted = QSizeF(expected.size()).scaled(box.size(), Qt::KeepAspectRatio);
        QVERIFY(qAbs(images[0].target.center().x() - box.center().x()) < tolerance);
        QVERIFY(qAbs(images[0].target.center().y() - box.center().y()) < tolerance);
        QVERIFY(qAbs(images[0].target.width() - fitted.width()) < tolerance);
        QVERIFY(qAbs(images[0].target.height() - fitted.height()) < tolerance);
    }

    void previewShowsTheSamePage() {
        Fixture printing;
        printing.f.setText(QStringLiteral("txtPaziente"), QStringLiteral("ROSSI"));
        printing.output();
        Fixture x(true);
        x.f.setText(QStringLiteral("txtPaziente"), QStringLiteral("ROSSI"));
        x.output();
        QVERIFY(x.f.fake.reports.printed.empty());
        QCOMPARE(x.f.fake.reports.previewed.size(), std::size_t(1));
        QVERIFY(!x.window->isVisible());
        QVERIFY(printing.page());
        QCOMPARE(x.f.fake.reports.previewed[0].pages.size(), std::size_t(1));
        QCOMPARE(x.f.fake.reports.previewed[0].pages[0], *printing.page());
    }

    void cancelledPrintDialogClosesTheWindow() {
        Fixture x;
        x.f.fake.reports.answer = PrintOutcome::Cancelled;
        x.output();
        QVERIFY(!x.window->isVisible());
        QVERIFY(x.f.fake.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestStampaPresc)
#include "tst_stampapresc.moc"
