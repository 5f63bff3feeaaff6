#include "archive/logo.h"
#include "report/reportlayout.h"
#include "report/reporttemplate.h"

#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola::report;
using namespace Qt::StringLiterals;

namespace {

constexpr double px = 25.4 / 96; // one template pixel in mm
const QDate today(2026, 3, 14);

bool near(double a, double b, double within = 1e-6) {
    return qAbs(a - b) < within;
}

// A document template of one memo, 40 x 10 mm at (20, 30) mm, inside margins of 10 and 15.
ReportTemplate oneMemo(const QByteArray& memoKeys, const QString& text = u"Ciao"_s) {
    ReportTemplate form = ReportTemplate::fromJson(
        R"({"template": "t", "reportName": "Prova", "units": "mm",
            "page": {"margins": {"left": 10, "top": 15, "right": 10, "bottom": 10}},
            "objects": [{"kind": "memo", "name": "txtA", "rect": [20, 30, 40, 10])" +
        memoKeys + "}]}");
    form.memo(u"txtA"_s).setText(text);
    return form;
}

std::vector<TextOp> textsOf(const ReportTemplate& form) {
    const PreparedReport report = prepareReport(form, today);
    return report.pages.size() == 1 ? report.pages[0].textsOf(u"txtA"_s) : std::vector<TextOp>();
}

// Liberation Sans, the metric twin of Arial: ascent 0.905 and descent 0.212 of the em.
double arialLineHeight(double points) {
    return (0.905 + 0.212) * points * 25.4 / 72;
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void memoBoxSitsInsideTheMargins_data() {
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QSizeF>("paper");
        QTest::newRow("portrait") << u"portrait"_s << QSizeF(210, 297);
        QTest::newRow("landscape") << u"landscape"_s << QSizeF(297, 210);
    }
    void memoBoxSitsInsideTheMargins() {
        QFETCH(QString, orientation);
        QFETCH(QSizeF, paper);
        ReportTemplate form = oneMemo({});
        form.page.orientation =
            orientation == u"portrait"_s ? Orientation::Portrait : Orientation::Landscape;
        const PreparedReport report = prepareReport(form, today);
        QCOMPARE(report.name, u"Prova"_s);
        QCOMPARE(report.pages.size(), std::size_t(1));
        QCOMPARE(report.pages[0].paper, paper);
        const auto texts = report.pages[0].textsOf(u"txtA"_s);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].clip, QRectF(30, 45, 40, 10));
        // The text starts 2 pixels in from the left edge and 1 pixel down from the top.
        QVERIFY(near(texts[0].line.left(), 30 + 2 * px));
        QVERIFY(near(texts[0].line.top(), 45 + 1 * px));
        QVERIFY(near(texts[0].line.height(), arialLineHeight(10), 0.01));
    }

    void alignment_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("horizontal"); // which edge or centre of the line matches
        QTest::addColumn<bool>("middle");
        QTest::newRow("left, top") << QByteArray() << u"left"_s << false;
        QTest::newRow("centred") << QByteArray(R"(, "align": "center")") << u"centre"_s << false;
        QTest::newRow("right") << QByteArray(R"(, "align": "right")") << u"right"_s << false;
        QTest::newRow("centred both ways")
            << QByteArray(R"(, "align": "center", "valign": "center")") << u"centre"_s << true;
    }
    void alignment() {
        QFETCH(QByteArray, keys);
        QFETCH(QString, horizontal);
        QFETCH(bool, middle);
        const auto texts = textsOf(oneMemo(keys));
        QCOMPARE(texts.size(), std::size_t(1));
        const TextOp& t = texts[0];
        QCOMPARE(t.align, horizontal == u"left"_s    ? HAlign::Left
                          : horizontal == u"right"_s ? HAlign::Right
                                                     : HAlign::Center);
        // The line spans the box less the side gaps, so the alignment happens inside them.
        QVERIFY(near(t.line.left(), 30 + 2 * px) && near(t.line.right(), 70 - 2 * px));
        if (middle)
            QVERIFY(near(t.line.center().y(), 50));
        else
            QVERIFY(near(t.line.top(), 45 + px));
    }

    void linesStackWithTheirSpacing() {
        const auto texts = textsOf(oneMemo(R"(, "wordWrap": false)", u"uno\ndue\ntre\nquattro"_s));
        // Lines of Arial 10 pt take 3.94 mm + 2 px each: in a 10 mm box the third line starts
        // at 9.2 mm and is cut at the box's edge, the fourth starts below it and is not drawn.
        QCOMPARE(texts.size(), std::size_t(3));
        QCOMPARE(texts[0].text, u"uno"_s);
        QCOMPARE(texts[2].text, u"tre"_s);
        QVERIFY(texts[2].line.bottom() > texts[2].clip.bottom());
        QCOMPARE(texts[2].clip, QRectF(30, 45, 40, 10));
        QVERIFY(
            near(texts[1].line.top() - texts[0].line.top(), arialLineHeight(10) + 2 * px, 0.01));
    }

    void longTextWithoutWrapStaysOnOneLine() {
        const QString text = u"Un testo molto più lungo della sua casella, che non va a capo"_s;
        const auto texts = textsOf(oneMemo(R"(, "wordWrap": false)", text));
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].text, text);
        QCOMPARE(texts[0].clip, QRectF(30, 45, 40, 10)); // cut at the box; nothing moves
    }

    void wrappedTextBreaksBetweenWords() {
        const QString text = u"Tre compresse al giorno dopo i pasti principali"_s;
        ReportTemplate form = oneMemo(R"(, "wordWrap": true)", text);
        form.memo(u"txtA"_s).rect.setHeight(40);
        const auto texts = textsOf(form);
        QVERIFY(texts.size() > 1);
        QStringList lines;
        QFont font(u"Arial"_s);
        font.setPixelSize(1000);
        const QFontMetricsF metrics(font);
        const double innerWidth = 40 - 4 * px;
        for (const TextOp& t : texts) {
            lines << t.text;
            const double width = metrics.horizontalAdvance(t.text) / 1000 * 10 * 25.4 / 72;
            QVERIFY2(width <= innerWidth + 1e-6, qPrintable(t.text));
        }
        QCOMPARE(lines.join(u' '), text);
    }

    void wordWiderThanTheBoxIsBroken() {
        const QString word(40, u'W');
        ReportTemplate form = oneMemo(R"(, "wordWrap": true)", word);
        form.memo(u"txtA"_s).rect.setHeight(60);
        const auto texts = textsOf(form);
        QVERIFY(texts.size() > 1);
        QString joined;
        for (const TextOp& t : texts)
            joined += t.text;
        QCOMPARE(joined, word);
    }

    void filledMemoDrawsItsBackgroundFirst() {
        const PreparedReport report = prepareReport(oneMemo(R"(, "fill": "darkorange")"), today);
        const auto& ops = report.pages[0].ops;
        QCOMPARE(ops.size(), std::size_t(2));
        QCOMPARE(std::get<RectOp>(ops[0]),
                 (RectOp{QRectF(30, 45, 40, 10), QColor(u"darkorange"_s), 0}));
        QVERIFY(std::holds_alternative<TextOp>(ops[1]));
    }

    void expressions_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<bool>("setByProgram");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("printed");
        const QByteArray live =
            R"(, "allowExpressions": true, "text": "Stampa eseguita in data [DATE]")";
        QTest::newRow("template date")
            << live << false << QString() << u"Stampa eseguita in data 14/03/2026"_s;
        QTest::newRow("template date, expressions off")
            << QByteArray(R"(, "allowExpressions": false, "text": "[DATE]")") << false << QString()
            << u"[DATE]"_s;
        QTest::newRow("value given by the program")
            << live << true << u"Nato il [DATE]"_s << u"Nato il [DATE]"_s;
        QTest::newRow("brackets in a value")
            << live << true << u"a [1+2] ]b["_s << u"a [1+2] ]b["_s;
        QTest::newRow("unknown variable")
            << QByteArray(", \"allowExpressions\": true, \"text\": \"[PAGE#] di [TOTALPAGES#]\"")
            << false << QString() << u"[PAGE#] di [TOTALPAGES#]"_s;
    }
    void expressions() {
        QFETCH(QByteArray, keys);
        QFETCH(bool, setByProgram);
        QFETCH(QString, text);
        QFETCH(QString, printed);
        ReportTemplate form = ReportTemplate::fromJson(
            R"({"template": "t", "units": "mm", "objects": [
                {"kind": "memo", "name": "txtA", "rect": [0, 0, 150, 10], "wordWrap": false)" +
            keys + "}]}");
        if (setByProgram)
            form.memo(u"txtA"_s).setText(text);
        const auto texts = prepareReport(form, today).pages[0].textsOf(u"txtA"_s);
        QCOMPARE(texts.size(), std::size_t(1));
        QCOMPARE(texts[0].text, printed);
    }

    void pictureFitsKeepingItsProportions_data() {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<bool>("center");
        QTest::addColumn<QRectF>("target");
        // The picture's box: 80 x 40 mm at (1, 1) inside margins of 10 mm.
        QTest::newRow("same shape") << QSize(200, 100) << false << QRectF(11, 11, 80, 40);
        QTest::newRow("square") << QSize(100, 100) << false << QRectF(11, 11, 40, 40);
        QTest::newRow("tall") << QSize(100, 400) << false << QRectF(11, 11, 10, 40);
        QTest::newRow("wide, small") << QSize(40, 5) << false << QRectF(11, 11, 80, 10);
        QTest::newRow("square, centred") << QSize(100, 100) << true << QRectF(31, 11, 40, 40);
        QTest::newRow("default logo")
            << QSize(297, 184) << false << QRectF(11, 11, 297 * 40.0 / 184, 40);
    }
    void pictureFitsKeepingItsProportions() {
        QFETCH(QSize, image);
        QFETCH(bool, center);
        QFETCH(QRectF, target);
        ReportTemplate form = ReportTemplate::fromJson(
            R"({"template": "t", "units": "mm",
                "page": {"margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
                "objects": [{"kind": "picture", "name": "imgLogo", "rect": [1, 1, 80, 40]}]})");
        QImage picture(image, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        form.picture(u"imgLogo"_s).image = picture;
        form.picture(u"imgLogo"_s).center = center;
        const PreparedReport report = prepareReport(form, today);
        const auto& ops = report.pages[0].ops;
        QCOMPARE(ops.size(), std::size_t(2));
        QCOMPARE(std::get<RectOp>(ops[0]), (RectOp{QRectF(11, 11, 80, 40), QColor(Qt::white), 0}));
        const ImageOp& drawn = std::get<ImageOp>(ops[1]);
        QVERIFY2(near(drawn.target.x(), target.x()) && near(drawn.target.y(), target.y()) &&
                     near(drawn.target.width(), target.width()) &&
                     near(drawn.target.height(), target.height()),
                 qPrintable(u"%1 %2 %3 %4"_s.arg(drawn.target.x())
                                .arg(drawn.target.y())
                                .arg(drawn.target.width())
                                .arg(drawn.target.height())));
        QCOMPARE(drawn.image, picture);
    }

    void emptyPictureIsAWhiteArea() {
        ReportTemplate form = ReportTemplate::fromJson(
            R"({"template": "t", "units": "mm",
                "objects": [{"kind": "picture", "name": "imgLogo", "rect": [1, 1, 79, 39]}]})");
        const PreparedReport report = prepareReport(form, today);
        const auto& ops = report.pages[0].ops;
        QCOMPARE(ops.size(), std::size_t(1));
        QCOMPARE(std::get<RectOp>(ops[0]).fill, QColor(Qt::white));
    }

    // Windows with a logo give the picture what logo::load finds: Logo.bmp, or silently the
    // default caduceus.
    void logoPicture_data() {
        QTest::addColumn<QString>("file"); // what lies in the program folder as Logo.bmp
        QTest::addColumn<QString>("printed");
        QTest::newRow("no Logo.bmp") << u"none"_s << u"caduceus"_s;
        QTest::newRow("a bitmap") << u"bitmap"_s << u"bitmap"_s;
        QTest::newRow("not an image") << u"garbage"_s << u"caduceus"_s;
        QTest::newRow("logo removed") << u"blank"_s << u"blank"_s;
    }
    void logoPicture() {
        QFETCH(QString, file);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        QImage bitmap(120, 40, QImage::Format_RGB32);
        bitmap.fill(Qt::red);
        QImage blank(2, 2, QImage::Format_RGB32);
        blank.fill(Qt::white);
        const QString path = dir.filePath(u"Logo.bmp"_s);
        if (file == u"bitmap"_s)
            QVERIFY(bitmap.save(path, "BMP"));
        if (file == u"blank"_s)
            QVERIFY(blank.save(path, "BMP"));
        if (file == u"garbage"_s) {
            QFile garbage(path);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write("BM not really a bitmap");
        }
        ReportTemplate form = ReportTemplate::fromJson(
            R"({"template": "t", "units": "mm",
                "page": {"margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
                "objects": [{"kind": "picture", "name": "imgLogo", "rect": [1, 1, 79, 39]}]})");
        form.picture(u"IMGLOGO"_s).image = tarvola::logo::load(dir.path());
        const PreparedReport report = prepareReport(form, today);
        const auto& ops = report.pages[0].ops;
        QCOMPARE(ops.size(), std::size_t(2));
        QCOMPARE(std::get<RectOp>(ops[0]), (RectOp{QRectF(11, 11, 79, 39), QColor(Qt::white), 0}));
        const ImageOp& drawn = std::get<ImageOp>(ops[1]);
        QVERIFY(near(drawn.target.left(), 11) && near(drawn.target.top(), 11));
        if (printed == u"caduceus"_s) {
            QCOMPARE(drawn.image.size(), QSize(297, 184));
            QCOMPARE(drawn.image, tarvola::logo::defaultLogo());
            QVERIFY(near(drawn.target.height(), 39) &&
                    near(drawn.target.width(), 39 * 297.0 / 184));
        } else if (printed == u"bitmap"_s) {
            QCOMPARE(drawn.image.convertToFormat(QImage::Format_RGB32), bitmap);
            QVERIFY(near(drawn.target.width(), 79) && near(drawn.target.height(), 79.0 / 3));
        } else {
            QCOMPARE(drawn.image.convertToFormat(QImage::Format_RGB32), blank);
        }
    }

    void rectanglesAndLines() {
        ReportTemplate form = ReportTemplate::fromJson(
            R"({"template": "t", "units": "px",
                "page": {"margins": {"left": 10, "top": 10, "right": 10, "bottom": 10}},
                "objects": [
                  {"kind": "shape", "name": "shpA", "rect": [0, 0, 96, 48], "fill": "lightsteelblue"},
                  {"kind": "shape", "name": "shpB", "rect": [96, 0, 96, 48]},
                  {"kind": "line", "name": "linV", "rect": [192, 0, 0, 96], "edge": "left"},
                  {"kind": "line", "name": "linH", "rect": [0, 96, 192, 0], "edge": "top"}]})");
        const PreparedReport report = prepareReport(form, today);
        const auto& ops = report.pages[0].ops;
        QCOMPARE(ops.size(), std::size_t(4));
        QCOMPARE(std::get<RectOp>(ops[0]),
                 (RectOp{QRectF(10, 10, 25.4, 12.7), QColor(u"lightsteelblue"_s), px}));
        QCOMPARE(std::get<RectOp>(ops[1]), (RectOp{QRectF(35.4, 10, 25.4, 12.7), QColor(), px}));
        QCOMPARE(std::get<LineOp>(ops[2]), (LineOp{QLineF(60.8, 10, 60.8, 35.4), px}));
        QCOMPARE(std::get<LineOp>(ops[3]), (LineOp{QLineF(10, 35.4, 60.8, 35.4), px}));
    }
};

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
