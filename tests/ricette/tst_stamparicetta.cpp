#include "platform/inifile.h"
#include "report/reportpages.h"
#include "ricette/tfrmstamparicetta.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tarvola;
using namespace tarvola::testing;
using namespace Qt::StringLiterals;
using report::PreparedPage;
using report::PreparedReport;
using report::TextOp;

namespace {

const QString failedMessage =
    u"Attenzione: la stampa della scheda non è andata a buon fine.\n\r\n\r"
    u"Si consiglia di controllare le impostazioni della stampante."_s;

// The sixteen codice fiscale boxes of the paper form, left edges in mm.
const double taxCodeX[16] = {107.00, 112.00, 117.00, 123.00, 128.00, 133.40, 139.00, 144.00,
                             149.00, 154.00, 160.00, 166.00, 171.00, 176.00, 181.00, 186.00};

constexpr double tolerance = 1e-6;

bool near(double a, double b) {
    return qAbs(a - b) < tolerance;
}

QString box(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + u"%1"_s.arg(n, 2, 10, QLatin1Char('0'));
}

// The print window over a fake editor, on a program folder with the given settings file.
struct Fixture {
    explicit Fixture(const QByteArray& settingsFile = {}) {
        if (!settingsFile.isEmpty()) {
            QFile file(dir.filePath(u"Impostazioni.ini"_s));
            file.open(QIODevice::WriteOnly);
            file.write(settingsFile);
        }
        window = std::make_unique<TfrmStampaRicetta>(fake.services, &editor);
        window->show();
    }

    void click(const QString& name) {
        QTest::mouseClick(control<QPushButton>(window.get(), name), Qt::LeftButton);
    }
    void clicks(const QString& plusMinus, const QString& which) {
        for (QChar c : plusMinus)
            click(u"btn"_s + which + (c == u'+' ? u"Plus"_s : u"Minus"_s));
    }
    QString stored(const QString& section, const QString& key) const {
        return IniFile(dir.filePath(u"Impostazioni.ini"_s)).read(section, key);
    }
    // The one page printed; fails when there is not exactly one print of one page.
    const PreparedPage* page() const {
        if (fake.reports.printed.size() != 1 || fake.reports.printed[0].pages.size() != 1)
            return nullptr;
        return &fake.reports.printed[0].pages[0];
    }

    QTemporaryDir dir;
    FakeReportServices fake{dir.path()};
    FakeRicettaEditor editor;
    std::unique_ptr<TfrmStampaRicetta> window;
};

} // namespace

class TestStampaRicetta : public QObject {
    Q_OBJECT
private slots:
    void showingReadsTheSettings_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("no settings file") << QByteArray() << u"0"_s << u"0"_s << false;
        QTest::newRow("stored values")
            << QByteArray("[Margini Ricetta]\r\nSuperiore=5\r\nSinistro=-3\r\n"
                          "[Stampa Ricetta]\r\nOrientamento=Orizzontale\r\n")
            << u"5"_s << u"-3"_s << true;
        QTest::newRow("blank margins")
            << QByteArray("[Margini Ricetta]\r\nSuperiore=   \r\nSinistro=\r\n") << u"0"_s << u"0"_s
            << false;
        QTest::newRow("portrait") << QByteArray("[Stampa Ricetta]\r\nOrientamento=Verticale\r\n")
                                  << u"0"_s << u"0"_s << false;
        QTest::newRow("unknown orientation keeps portrait")
            << QByteArray("[Stampa Ricetta]\r\nOrientamento=orizzontale\r\n") << u"0"_s << u"0"_s
            << false;
        QTest::newRow("not a number is shown as read")
            << QByteArray("[Margini Ricetta]\r\nSuperiore=due\r\nSinistro=2,5\r\n") << u"due"_s
            << u"2,5"_s << false;
    }
    void showingReadsTheSettings() {
        QFETCH(QByteArray, file);
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, landscape);
        Fixture f(file);
        QCOMPARE(control<QLineEdit>(f.window.get(), u"txtTop"_s)->text(), top);
        QCOMPARE(control<QLineEdit>(f.window.get(), u"txtLeft"_s)->text(), left);
        QCOMPARE(control<QRadioButton>(f.window.get(), u"optOrizzontale"_s)->isChecked(),
                 landscape);
        QCOMPARE(control<QRadioButton>(f.window.get(), u"optVerticale"_s)->isChecked(), !landscape);
        QVERIFY(control<QLabel>(f.window.get(), u"lblAttendere"_s)->isHidden());
    }

    void marginEditsAreReadOnly() {
        Fixture f;
        auto* top = control<QLineEdit>(f.window.get(), u"txtTop"_s);
        top->setFocus();
        typeText(top, u"7"_s);
        QTest::keyClick(top, Qt::Key_Backspace);
        QCOMPARE(top->text(), u"0"_s);
    }

    void marginButtons_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("expected");
        for (const char* which : {"Top", "Left"}) {
            const QByteArray w(which);
            const QString name = QString::fromLatin1(which);
            QTest::newRow(w + " up three") << name << u"0"_s << u"+++"_s << u"3"_s;
            QTest::newRow(w + " below zero") << name << u"0"_s << u"---"_s << u"-3"_s;
            QTest::newRow(w + " through zero") << name << u"-1"_s << u"++"_s << u"1"_s;
            QTest::newRow(w + " up and down") << name << u"12"_s << u"+-+-"_s << u"12"_s;
            QTest::newRow(w + " far beyond any printer")
                << name << u"998"_s << u"++"_s << u"1000"_s;
            QTest::newRow(w + " not a number counts as 0") << name << u"abc"_s << u"-"_s << u"-1"_s;
        }
    }
    void marginButtons() {
        QFETCH(QString, which);
        QFETCH(QString, start);
        QFETCH(QString, presses);
        QFETCH(QString, expected);
        const QByteArray key = which == u"Top"_s ? "Superiore" : "Sinistro";
        Fixture f("[Margini Ricetta]\r\n" + key + "=" + start.toUtf8() + "\r\n");
        f.clicks(presses, which);
        QCOMPARE(control<QLineEdit>(f.window.get(), u"txt"_s + which)->text(), expected);
    }

    // The name box and the last date box, both moved by the margins, in either orientation.
    void positionsFollowTheMargins_data() {
        QTest::addColumn<QString>("topPresses");
        QTest::addColumn<QString>("leftPresses");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("nameX");
        QTest::addColumn<double>("nameY");
        QTest::newRow("margins 0 and 0") << u""_s << u""_s << false << 8.00 << 5.20;
        QTest::newRow("top + 3") << u"+++"_s << u""_s << false << 8.00 << 8.20;
        QTest::newRow("left + 2, top - 1") << u"-"_s << u"++"_s << false << 10.00 << 4.20;
        QTest::newRow("landscape, margins 0 and 0") << u""_s << u""_s << true << 8.00 << 5.20;
        QTest::newRow("landscape, top + 3") << u"+++"_s << u""_s << true << 8.00 << 8.20;
        QTest::newRow("far negative")
            << u"----------"_s << u"---------"_s << false << -1.00 << -4.80;
    }
    void positionsFollowTheMargins() {
        QFETCH(QString, topPresses);
        QFETCH(QString, leftPresses);
        QFETCH(bool, landscape);
        QFETCH(double, nameX);
        QFETCH(double, nameY);
        Fixture f;
        f.editor.setText(u"txtAssistito"_s, u"ROSSI MARIO"_s);
        f.editor.setText(u"txtData06"_s, u"6"_s);
        f.clicks(topPresses, u"Top"_s);
        f.clicks(leftPresses, u"Left"_s);
        if (landscape)
            control<QRadioButton>(f.window.get(), u"optOrizzontale"_s)->click();
        f.click(u"btnStampa"_s);

        const PreparedPage* page = f.page();
        QVERIFY(page);
        QCOMPARE(page->paper, landscape ? QSizeF(297, 210) : QSizeF(210, 297));
        const auto name = page->textsOf(u"txtAssistito"_s);
        QCOMPARE(name.size(), std::size_t(1));
        QCOMPARE(name[0].text, u"ROSSI MARIO"_s);
        QVERIFY2(near(name[0].clip.left(), nameX) && near(name[0].clip.top(), nameY),
                 qPrintable(u"name box at %1, %2"_s.arg(name[0].clip.left(), 0, 'f', 4)
                                .arg(name[0].clip.top(), 0, 'f', 4)));
        QVERIFY(near(name[0].clip.width(), 80.00) && near(name[0].clip.height(), 4.40));
        const auto date = page->textsOf(u"txtData06"_s);
        QCOMPARE(date.size(), std::size_t(1));
        QVERIFY(near(date[0].clip.left(), nameX - 8.00 + 131.20));
        QVERIFY(near(date[0].clip.top(), nameY - 5.20 + 87.40));

        const QString top = control<QLineEdit>(f.window.get(), u"txtTop"_s)->text();
        const QString left = control<QLineEdit>(f.window.get(), u"txtLeft"_s)->text();
        QCOMPARE(f.stored(u"Margini Ricetta"_s, u"Superiore"_s), top);
        QCOMPARE(f.stored(u"Margini Ricetta"_s, u"Sinistro"_s), left);
        QCOMPARE(f.stored(u"Stampa Ricetta"_s, u"Orientamento"_s),
                 landscape ? u"Orizzontale"_s : u"Verticale"_s);
        if (QTest::currentDataTag() == QByteArray("top + 3"))
            QCOMPARE(top, u"3"_s);
    }

    void taxCodeBoxes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("printed"); // one character a box, "." for an empty box
        QTest::newRow("14 characters") << u"RSSMRA80A01H50"_s << u"RSSMRA80A01H50.."_s;
        QTest::newRow("16 characters") << u"RSSMRA80A01H501U"_s << u"RSSMRA80A01H501U"_s;
        QTest::newRow("17 characters") << u"RSSMRA80A01H501UX"_s << u"RSSMRA80A01H501U"_s;
        QTest::newRow("blanks around") << u"  AB  "_s << u"AB.............."_s;
        QTest::newRow("empty") << u""_s << u"................"_s;
    }
    void taxCodeBoxes() {
        QFETCH(QString, code);
        QFETCH(QString, printed);
        Fixture f;
        f.editor.setText(u"txtCodFisc"_s, code);
        f.click(u"btnStampa"_s);
        const PreparedPage* page = f.page();
        QVERIFY(page);
        for (int i = 0; i < 16; ++i) {
            const auto texts = page->textsOf(box("txtCF", i + 1));
            if (printed[i] == u'.') {
                QVERIFY2(texts.empty(), qPrintable(box("txtCF", i + 1)));
                continue;
            }
            QCOMPARE(texts.size(), std::size_t(1));
            QCOMPARE(texts[0].text, QString(printed[i]));
            QVERIFY(near(texts[0].clip.left(), taxCodeX[i]));
            QVERIFY(near(texts[0].clip.top(), 30.80));
            QVERIFY(near(texts[0].clip.width(), 4.00));
            QCOMPARE(texts[0].align, report::HAlign::Center);
            QVERIFY(near(texts[0].line.center().y(), 30.80 + 4.40 / 2));
            QVERIFY(near(texts[0].line.center().x(), taxCodeX[i] + 2.00));
        }
    }

    void tickedTogglesPrintABoldMark_data() {
        QTest::addColumn<QString>("toggle");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("none") << u""_s << 0.0 << 0.0;
        QTest::newRow("NON ESENTE") << u"NonEsente"_s << 9.00 << 40.00;
        QTest::newRow("REDDITO") << u"Reddito"_s << 56.00 << 40.00;
        QTest::newRow("SUGG.") << u"Sugg"_s << 163.40 << 51.40;
        QTest::newRow("RICOV.") << u"Ricov"_s << 175.80 << 51.40;
        QTest::newRow("ALTRO") << u"Altro"_s << 187.40 << 51.40;
        QTest::newRow("U") << u"U"_s << 163.40 << 60.00;
        QTest::newRow("B") << u"B"_s << 171.40 << 60.00;
        QTest::newRow("D") << u"D"_s << 179.60 << 60.00;
        QTest::newRow("P") << u"P"_s << 187.40 << 60.00;
    }
    void tickedTogglesPrintABoldMark() {
        QFETCH(QString, toggle);
        QFETCH(double, x);
        QFETCH(double, y);
        Fixture f;
        if (!toggle.isEmpty())
            f.editor.setTicked(toggle, true);
        f.click(u"btnStampa"_s);
        const PreparedPage* page = f.page();
        QVERIFY(page);
        std::vector<TextOp> marks;
        for (const TextOp& text : page->texts()) {
            if (text.text == u"#"_s)
                marks.push_back(text);
        }
        if (toggle.isEmpty()) {
            QVERIFY(marks.empty()); // the placeholder of an unused box never prints
            return;
        }
        QCOMPARE(marks.size(), std::size_t(1));
        QCOMPARE(marks[0].object, u"txt"_s + toggle);
        QVERIFY(marks[0].font.bold);
        QVERIFY(near(marks[0].clip.left(), x));
        QVERIFY(near(marks[0].clip.top(), y));
    }

    // Every edit of the editor reaches the memo of the same name, trimmed and as typed.
    void everyValuePrintsInItsBox() {
        Fixture f;
        QStringList names = FakeRicettaEditor::editNames();
        names.removeOne(u"txtCodFisc"_s);
        for (int i = 0; i < names.size(); ++i)
            f.editor.setText(names[i], u"  v%1 "_s.arg(i));
        f.click(u"btnStampa"_s);
        const PreparedPage* page = f.page();
        QVERIFY(page);
        for (int i = 0; i < names.size(); ++i) {
            const auto texts = page->textsOf(names[i]);
            QCOMPARE(texts.size(), std::size_t(1));
            QCOMPARE(texts[0].text, u"v%1"_s.arg(i));
            QCOMPARE(texts[0].font.family, u"Arial"_s);
            QCOMPARE(texts[0].font.pointSize, names[i].startsWith(u"txtMedico"_s) ? 8.0 : 10.0);
        }
        QCOMPARE(page->texts().size(), std::size_t(names.size()));
    }

    void valuesPrintLiterally_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("date variable") << u"[DATE]"_s;
        QTest::newRow("expression") << u"ROSSI [1+1] MARIO"_s;
        QTest::newRow("reversed brackets") << u"a]b[c"_s;
        QTest::newRow("long value cut at the edge") << QString(120, u'W');
    }
    void valuesPrintLiterally() {
        QFETCH(QString, value);
        Fixture f;
        f.editor.setText(u"txtPresc01"_s, value);
        f.click(u"btnStampa"_s);
        const PreparedPage* page = f.page();
        QVERIFY(page);
        const auto texts = page->textsOf(u"txtPresc01"_s);
        QCOMPARE(texts.size(), std::size_t(1)); // one line, never wrapped
        QCOMPARE(texts[0].text, value);
        QCOMPARE(texts[0].clip, QRectF(9.00, 51.00, 61.00, 4.40)); // cut there, nothing moves
    }

    void printingClosesTheWindowAndLeavesTheEditorAlone() {
        Fixture f;
        f.editor.setText(u"txtAssistito"_s, u" rossi  "_s);
        f.editor.setTicked(u"U"_s, true);
        const QStringList before = f.editor.snapshot();
        auto* wait = control<QLabel>(f.window.get(), u"lblAttendere"_s);
        bool waitShown = false;
        f.fake.reports.whilePrinting = [&] { waitShown = wait->isVisible(); };

        auto* print = control<QPushButton>(f.window.get(), u"btnStampa"_s);
        QTest::mousePress(print, Qt::LeftButton);
        QVERIFY(wait->isVisible()); // as soon as the button goes down
        QTest::mouseRelease(print, Qt::LeftButton);

        QVERIFY(waitShown);
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        QCOMPARE(f.fake.reports.printed[0].name, u"Ricetta Rossa"_s);
        QVERIFY(!f.window->isVisible());
        QVERIFY(wait->isHidden());
        QVERIFY(f.fake.messages.shown.isEmpty());
        QCOMPARE(f.editor.snapshot(), before);
    }

    void cancelledDialogClosesQuietly() {
        Fixture f;
        f.fake.reports.answer = PrintOutcome::Cancelled;
        f.clicks(u"+"_s, u"Left"_s);
        f.click(u"btnStampa"_s);
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.fake.messages.shown.isEmpty());
        QCOMPARE(f.stored(u"Margini Ricetta"_s, u"Sinistro"_s), u"1"_s);
    }

    void failuresWarnAndClose_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("reachesPrinter");
        QTest::newRow("printer error") << u"printer"_s << true;
        QTest::newRow("settings file cannot be written") << u"settings"_s << false;
        QTest::newRow("margin not a number") << u"margin"_s << false;
        QTest::newRow("no report output") << u"output"_s << false;
        QTest::newRow("editor without a box") << u"control"_s << false;
    }
    void failuresWarnAndClose() {
        QFETCH(QString, fault);
        QFETCH(bool, reachesPrinter);
        Fixture f(fault == u"margin"_s ? QByteArray("[Margini Ricetta]\r\nSinistro=x\r\n")
                                       : QByteArray());
        if (fault == u"printer"_s)
            f.fake.reports.answer = PrintOutcome::Failed;
        if (fault == u"settings"_s)
            QVERIFY(QDir(f.dir.path()).mkdir(u"Impostazioni.ini"_s));
        if (fault == u"output"_s)
            f.fake.services.setReports(nullptr);
        if (fault == u"control"_s)
            delete f.editor.edit(u"txtData03"_s);
        f.click(u"btnStampa"_s);
        QCOMPARE(f.fake.messages.texts(), QStringList{failedMessage});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Warning);
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(reachesPrinter ? 1 : 0));
        QVERIFY(!f.window->isVisible());
        QVERIFY(control<QLabel>(f.window.get(), u"lblAttendere"_s)->isHidden());
    }

    void annullaClosesWithoutPrintingOrStoring() {
        Fixture f;
        f.clicks(u"++"_s, u"Top"_s);
        f.click(u"btnAnnulla"_s);
        QVERIFY(!f.window->isVisible());
        QVERIFY(f.fake.reports.printed.empty());
        QVERIFY(!QFile::exists(f.dir.filePath(u"Impostazioni.ini"_s)));
    }

    void enterDoesNotPrint() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto* plus = control<QPushButton>(f.window.get(), u"btnTopPlus"_s);
        plus->setFocus();
        QTest::keyClick(f.window.get(), Qt::Key_Return);
        QVERIFY(f.fake.reports.printed.empty());
        QVERIFY(f.window->isVisible());
    }
};

QTEST_MAIN(TestStampaRicetta)
#include "tst_stamparicetta.moc"
