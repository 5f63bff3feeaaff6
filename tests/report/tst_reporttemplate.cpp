#include "report/reporttemplate.h"

#include <QTest>

using namespace tarvola::report;
using namespace Qt::StringLiterals;

namespace {

constexpr double tolerance = 0.005; // mm: templates give two decimals

bool near(double a, double b, double within = tolerance) {
    return qAbs(a - b) < within;
}

// A small template with the kinds of objects a document can hold.
const QByteArray fixture = R"({
    "template": "prova", "reportName": "Prova", "units": "mm",
    "page": {"orientation": "portrait", "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
    "objects": [
        {"kind": "memo", "name": "txtCittà", "rect": [1, 2, 30, 5], "text": "Città"},
        {"kind": "picture", "name": "imgLogo", "rect": [1, 1, 79, 39]},
        {"kind": "shape", "name": "shpTitolo", "rect": [0, 50, 190, 8], "fill": "gold"},
        {"kind": "line", "name": "linSotto", "rect": [0, 60, 190, 0], "edge": "top"}
    ]})";

} // namespace

class TestReportTemplate : public QObject {
    Q_OBJECT
private slots:
    void redFormAsOnPaper_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("name") << u"txtAssistito"_s << QRectF(8.00, 5.20, 80.00, 4.40) << 10.0
                              << false << false << u"ASSISTITO"_s;
        QTest::newRow("address") << u"txtIndirizzo"_s << QRectF(8.00, 13.00, 80.00, 4.40) << 10.0
                                 << false << false << u"INDIRIZZO"_s;
        QTest::newRow("codice fiscale 6")
            << u"txtCF06"_s << QRectF(133.40, 30.80, 4.00, 4.40) << 10.0 << false << true << u"#"_s;
        QTest::newRow("codice fiscale 16")
            << u"txtCF16"_s << QRectF(186.00, 30.80, 4.00, 4.40) << 10.0 << false << true << u"#"_s;
        QTest::newRow("non esente") << u"txtNonEsente"_s << QRectF(9.00, 40.00, 4.00, 4.40) << 10.0
                                    << true << true << u"#"_s;
        QTest::newRow("exemption 5")
            << u"txtEse05"_s << QRectF(41.80, 40.00, 4.00, 4.40) << 10.0 << false << true << u"#"_s;
        QTest::newRow("asl 3") << u"txtAsl03"_s << QRectF(133.40, 40.00, 4.00, 4.40) << 10.0
                               << false << true << u"#"_s;
        QTest::newRow("number 8") << u"txtNum08"_s << QRectF(186.00, 40.00, 4.00, 4.40) << 10.0
                                  << false << true << u"#"_s;
        QTest::newRow("line 6") << u"txtPresc06"_s << QRectF(75.00, 64.00, 61.00, 4.40) << 10.0
                                << false << false << u"PRESCRIZIONE 6"_s;
        QTest::newRow("line 9") << u"txtPresc09"_s << QRectF(9.00, 78.00, 127.00, 4.40) << 10.0
                                << false << false << u"PRESCRIZIONE 9"_s;
        QTest::newRow("cuf 5") << u"txtCuf05"_s << QRectF(146.60, 60.00, 4.00, 4.40) << 10.0
                               << false << true << u"#"_s;
        QTest::newRow("ricov") << u"txtRicov"_s << QRectF(175.80, 51.40, 4.00, 4.40) << 10.0 << true
                               << true << u"#"_s;
        QTest::newRow("priority D")
            << u"txtD"_s << QRectF(179.60, 60.00, 4.00, 4.40) << 10.0 << true << true << u"#"_s;
        QTest::newRow("doctor 4") << u"txtMedico04"_s << QRectF(142.00, 81.40, 48.00, 3.80) << 8.0
                                  << false << false << u"DATI MEDICO RIGO 4"_s;
        QTest::newRow("packs 2") << u"txtConf02"_s << QRectF(24.40, 87.00, 4.00, 4.40) << 10.0
                                 << false << true << u"#"_s;
        QTest::newRow("kind 2") << u"txtTipoRic02"_s << QRectF(69.20, 87.00, 4.00, 4.40) << 10.0
                                << false << true << u"#"_s;
        QTest::newRow("date 4") << u"txtData04"_s << QRectF(120.40, 87.40, 4.00, 4.40) << 10.0
                                << false << true << u"#"_s;
    }
    void redFormAsOnPaper() {
        QFETCH(QString, name);
        QFETCH(QRectF, rect);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, centred);
        QFETCH(QString, placeholder);
        ReportTemplate form = ReportTemplate::load(templates::ricettaRossa);
        const Memo& memo = form.memo(name);
        QVERIFY(near(memo.rect.left(), rect.left()) && near(memo.rect.top(), rect.top()));
        QVERIFY(near(memo.rect.width(), rect.width()) && near(memo.rect.height(), rect.height()));
        QCOMPARE(memo.font.pointSize, points);
        QCOMPARE(memo.font.bold, bold);
        QCOMPARE(memo.hAlign, centred ? HAlign::Center : HAlign::Left);
        QCOMPARE(memo.vAlign, centred ? VAlign::Center : VAlign::Top);
        QCOMPARE(memo.text(), placeholder);
    }

    void redFormPage() {
        const ReportTemplate form = ReportTemplate::load(templates::ricettaRossa);
        QCOMPARE(form.reportName, u"Ricetta Rossa"_s);
        QCOMPARE(form.templateName, u"repModulo"_s);
        QCOMPARE(form.page.orientation, Orientation::Portrait);
        QCOMPARE(form.page.paperSize(), QSizeF(210, 297));
        QCOMPARE(form.page.margins, QMarginsF(0, 0, 0, 0));
        // 77 boxes on the paper form; the one the program never fills is left out, so no
        // stray placeholder can print.
        QCOMPARE(form.objects().size(), std::size_t(76));
        QVERIFY(!form.findObject(u"txtImporto"_s));
        for (const ReportObject& object : form.objects()) {
            const Memo* memo = std::get_if<Memo>(&object);
            QVERIFY(memo);
            QVERIFY2(!memo->wordWrap && !memo->allowExpressions, qPrintable(memo->name));
            QCOMPARE(memo->font.family, u"Arial"_s);
            QCOMPARE(memo->font.color, QColor(Qt::black));
            QVERIFY(!memo->fill.isValid());
            QCOMPARE(memo->gapLeftPx, 2.0);
            QCOMPARE(memo->gapTopPx, 1.0);
        }
    }

    void summaryListTemplate() {
        ReportTemplate list = ReportTemplate::load(templates::riepilogo);
        QCOMPARE(list.reportName, u"Riepilogo dati"_s);
        QCOMPARE(list.page.paperSize(), QSizeF(297, 210));
        QCOMPARE(list.page.margins, QMarginsF(10, 10, 10, 10));
        QVERIFY(near(list.page.printableArea().width(), 277));

        const Band& title = std::get<Band>(list.objects()[0]);
        QCOMPARE(title.role, BandRole::ReportTitle);
        QVERIFY(near(title.rect.height(), 8));
        const Band& data = list.band(u"MasterData"_s);
        QCOMPARE(data.role, BandRole::MasterData);
        QVERIFY(data.allowSplit);
        QVERIFY(near(data.heightPx(), 105.83, 0.01));
        QVERIFY(near(list.band(u"Footer"_s).rect.height(), 8));

        const Memo& heading = list.memo(u"txtTitolo"_s);
        QCOMPARE(heading.band, title.name);
        QVERIFY(near(heading.rect.left(), 2) && near(heading.rect.top(), 1));
        QVERIFY(near(heading.rect.width(), 273) && near(heading.rect.height(), 5));
        QCOMPARE(heading.font, (FontSpec{u"Verdana"_s, 9, true, QColor(Qt::white)}));
        QCOMPARE(heading.fill, QColor(u"slategray"_s));
        QCOMPARE(heading.hAlign, HAlign::Center);
        QCOMPARE(heading.text(), u"Riepilogo"_s);

        const Memo& block = list.memo(u"txtRiepilogo"_s);
        QCOMPARE(block.band, u"MasterData"_s);
        QVERIFY(near(block.rect.left(), 3) && near(block.rect.top(), 0));
        QVERIFY(near(block.rect.height(), 27));
        QCOMPARE(block.font, (FontSpec{u"Courier New"_s, 8, false, QColor(Qt::black)}));
        QVERIFY(!block.fill.isValid() && !block.wordWrap);
        QVERIFY(block.lines().isEmpty());

        const Memo& footer = list.memo(u"txtPagina"_s);
        QCOMPARE(footer.band, u"Footer"_s);
        QVERIFY(near(footer.rect.left(), 3) && near(footer.rect.top(), 2));
        QVERIFY(near(footer.rect.width(), 272) && near(footer.rect.height(), 5));
        QCOMPARE(footer.font, (FontSpec{u"Verdana"_s, 8, true, QColor(Qt::white)}));
        QVERIFY(footer.allowExpressions);
        QCOMPARE(footer.text(), u"Stampa eseguita in data [DATE]"_s);
    }

    void findObject_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::newRow("exact") << u"txtCittà"_s << u"txtCittà"_s;
        QTest::newRow("capitals") << u"TXTCITTà"_s << u"txtCittà"_s;
        QTest::newRow("small letters") << u"imglogo"_s << u"imgLogo"_s;
        QTest::newRow("accented letters keep their case") << u"TXTCITTÀ"_s << QString();
        QTest::newRow("shorter") << u"txtCitt"_s << QString();
        QTest::newRow("with a blank") << u"imgLogo "_s << QString();
        QTest::newRow("line") << u"LINSOTTO"_s << u"linSotto"_s;
    }
    void findObject() {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        ReportTemplate form = ReportTemplate::fromJson(fixture);
        const ReportObject* object = form.findObject(asked);
        QCOMPARE(object ? baseOf(*object).name : QString(), found);
    }

    void namedObjectOfTheWrongKindOrMissing() {
        ReportTemplate form = ReportTemplate::fromJson(fixture);
        QCOMPARE(form.picture(u"IMGLOGO"_s).name, u"imgLogo"_s);
        QVERIFY_THROWS_EXCEPTION(ReportError, form.memo(u"imgLogo"_s));
        QVERIFY_THROWS_EXCEPTION(ReportError, form.memo(u"txtNessuno"_s));
        QVERIFY_THROWS_EXCEPTION(ReportError, form.band(u"txtCittà"_s));
    }

    void brokenTemplates_data() {
        QTest::addColumn<QByteArray>("json");
        const QByteArray head = R"({"template": "t", "units": "mm", "objects": [)";
        QTest::newRow("not JSON") << QByteArray("{\"template\": ");
        QTest::newRow("unknown units") << QByteArray(R"({"template": "t", "units": "in"})");
        QTest::newRow("unknown kind")
            << head + R"({"kind": "chart", "name": "a", "rect": [0,0,1,1]}]})";
        QTest::newRow("no rect") << head + R"({"kind": "memo", "name": "a"}]})";
        QTest::newRow("no name") << head + R"({"kind": "memo", "rect": [0,0,1,1]}]})";
        QTest::newRow("same name twice")
            << head + R"({"kind": "memo", "name": "txtA", "rect": [0,0,1,1]},
                         {"kind": "shape", "name": "TXTA", "rect": [0,0,1,1]}]})";
        QTest::newRow("misspelt key")
            << head + R"({"kind": "memo", "name": "a", "rect": [0,0,1,1], "wordwrap": false}]})";
        QTest::newRow("unknown colour")
            << head + R"({"kind": "shape", "name": "a", "rect": [0,0,1,1], "fill": "bluish"}]})";
        QTest::newRow("band in a band")
            << head + R"({"kind": "band", "name": "b", "role": "footer", "height": 5,
                          "objects": [{"kind": "band", "name": "c", "role": "footer"}]}]})";
    }
    void brokenTemplates() {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(ReportError, ReportTemplate::fromJson(json));
    }

    void memoText() {
        ReportTemplate form = ReportTemplate::fromJson(fixture);
        Memo& memo = form.memo(u"txtCittà"_s);
        QVERIFY(memo.holdsTemplateText());
        memo.setText(u"uno\r\ndue\nTre"_s);
        QCOMPARE(memo.lines(), (QStringList{u"uno"_s, u"due"_s, u"Tre"_s}));
        QVERIFY(!memo.holdsTemplateText());
        memo.clearLines();
        QVERIFY(memo.lines().isEmpty());
        memo.appendLine(u"  a [b] "_s);
        memo.appendLine(QString());
        QCOMPARE(memo.lines(), (QStringList{u"  a [b] "_s, QString()}));
        memo.setText(QString());
        QVERIFY(memo.lines().isEmpty());
    }

    void heightsInPixels() {
        ReportTemplate list = ReportTemplate::load(templates::riepilogo);
        Memo& block = list.memo(u"txtRiepilogo"_s);
        block.setHeightPx(3 * 12.822);
        QVERIFY(near(block.rect.height(), 3 * 12.822 * 25.4 / 96, 1e-9));
        QVERIFY(near(block.heightPx(), 38.466, 1e-9));
        QVERIFY(near(block.rect.top(), 0, 1e-9)); // the top stays
    }

    // Each window fills its own copy; the template as designed never changes.
    void copiesAreIndependent() {
        ReportTemplate first = ReportTemplate::load(templates::ricettaRossa);
        first.memo(u"txtAssistito"_s).setText(u"ROSSI"_s);
        first.page.margins.setTop(5);
        const ReportTemplate second = ReportTemplate::load(templates::ricettaRossa);
        QCOMPARE(std::get<Memo>(*second.findObject(u"txtAssistito"_s)).text(), u"ASSISTITO"_s);
        QCOMPARE(second.page.margins.top(), 0.0);
    }
};

QTEST_MAIN(TestReportTemplate)
#include "tst_reporttemplate.moc"
