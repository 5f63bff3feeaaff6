#include "report/printeroutput.h"
#include "report/reportpreview.h"
#include "report/reportrenderer.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::report;
using namespace Qt::StringLiterals;

namespace {

// Pages that say which they are: "pagina1", "pagina2", ...
PreparedReport numberedPages(int count, Orientation orientation = Orientation::Portrait) {
    PreparedReport report;
    report.name = u"Prova di stampa"_s;
    const QSizeF paper = orientation == Orientation::Portrait ? QSizeF(210, 297) : QSizeF(297, 210);
    for (int i = 1; i <= count; ++i) {
        PreparedPage page{paper, orientation, {}};
        page.ops.push_back(TextOp{u"txtA"_s, QRectF(20, 20, 100, 10), QRectF(20, 20, 100, 10),
                                  HAlign::Left, FontSpec{}, u"pagina%1"_s.arg(i)});
        page.ops.push_back(RectOp{QRectF(10, 10, 50, 5), QColor(u"gold"_s), 0.26});
        report.pages.push_back(page);
    }
    return report;
}

// The text of each page of a PDF file, trimmed.
QStringList pdfPages(const QString& pdf) {
    QProcess tool;
    tool.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    tool.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString& page : pages)
        page = page.trimmed();
    return pages;
}

QString pdfInfo(const QString& pdf, const QString& field) {
    QProcess tool;
    tool.start(u"pdfinfo"_s, {pdf});
    tool.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(field + u':'))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

// pdfinfo's "595.276 x 841.89 pts (A4)" against a size in points, within a point.
bool sameSize(const QString& pdfinfoSize, QSizeF points) {
    const QStringList parts = pdfinfoSize.split(u' ');
    if (parts.size() < 3)
        return false;
    return qAbs(parts[0].toDouble() - points.width()) < 1 &&
           qAbs(parts[2].toDouble() - points.height()) < 1;
}

} // namespace

class TestPrinterOutput : public QObject {
    Q_OBJECT
private slots:
    void pagesCopiesAndOrder_data() {
        QTest::addColumn<int>("range"); // QPrinter::PrintRange
        QTest::addColumn<QString>("pages");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("collate");
        QTest::addColumn<bool>("lastFirst");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("all") << int(QPrinter::AllPages) << QString() << 1 << true << false
                             << QStringList{u"pagina1"_s, u"pagina2"_s, u"pagina3"_s, u"pagina4"_s};
        QTest::newRow("range 2-3") << int(QPrinter::PageRange) << u"2-3"_s << 1 << true << false
                                   << QStringList{u"pagina2"_s, u"pagina3"_s};
        QTest::newRow("pages 1 and 4") << int(QPrinter::PageRange) << u"1,4"_s << 1 << true << false
                                       << QStringList{u"pagina1"_s, u"pagina4"_s};
        QTest::newRow("current page") << int(QPrinter::CurrentPage) << QString() << 1 << true
                                      << false << QStringList{u"pagina3"_s};
        QTest::newRow("two copies collated")
            << int(QPrinter::PageRange) << u"2-3"_s << 2 << true << false
            << QStringList{u"pagina2"_s, u"pagina3"_s, u"pagina2"_s, u"pagina3"_s};
        QTest::newRow("two copies uncollated")
            << int(QPrinter::PageRange) << u"2-3"_s << 2 << false << false
            << QStringList{u"pagina2"_s, u"pagina2"_s, u"pagina3"_s, u"pagina3"_s};
        QTest::newRow("last page first")
            << int(QPrinter::AllPages) << QString() << 1 << true << true
            << QStringList{u"pagina4"_s, u"pagina3"_s, u"pagina2"_s, u"pagina1"_s};
    }
    void pagesCopiesAndOrder() {
        QFETCH(int, range);
        QFETCH(QString, pages);
        QFETCH(int, copies);
        QFETCH(bool, collate);
        QFETCH(bool, lastFirst);
        QFETCH(QStringList, printed);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"stampa.pdf"_s);
        const PreparedReport report = numberedPages(4);
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, report);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PrintRange(range));
        if (!pages.isEmpty())
            printer.setPageRanges(QPageRanges::fromString(pages));
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        printer.setPageOrder(lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
        const PrintOutcome outcome = printOn(printer, report, 2);
        QCOMPARE(outcome.status, PrintOutcome::Printed);
        QCOMPARE(pdfPages(pdf), printed);
        QCOMPARE(pdfInfo(pdf, u"Title"_s), u"Prova di stampa"_s);
    }

    void paperFollowsTheReport_data() {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSizeF>("size"); // in points
        QTest::newRow("portrait") << false << QSizeF(595.276, 841.89);
        QTest::newRow("landscape") << true << QSizeF(841.89, 595.276);
    }
    void paperFollowsTheReport() {
        QFETCH(bool, landscape);
        QFETCH(QSizeF, size);
        QTemporaryDir dir;
        const PreparedReport report =
            numberedPages(1, landscape ? Orientation::Landscape : Orientation::Portrait);
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, report);
        printer.setOutputFileName(dir.filePath(u"a.pdf"_s));
        QCOMPARE(printOn(printer, report).status, PrintOutcome::Printed);
        QVERIFY(sameSize(pdfInfo(dir.filePath(u"a.pdf"_s), u"Page size"_s), size));
        // The same pages written straight to a PDF file.
        QVERIFY(writePdf(report, dir.filePath(u"b.pdf"_s)));
        QVERIFY(sameSize(pdfInfo(dir.filePath(u"b.pdf"_s), u"Page size"_s), size));
    }

    void pdfWithoutAFileNamePrintsNothingAndSaysSo() {
        const PreparedReport report = numberedPages(1);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const PrintOutcome outcome = printOn(printer, report);
        QCOMPARE(outcome.status, PrintOutcome::Failed);
        QVERIFY(!outcome.error.isEmpty());
    }

    void unwritableFileFails() {
        QTemporaryDir dir;
        const PreparedReport report = numberedPages(1);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath(u"manca/stampa.pdf"_s));
        QCOMPARE(printOn(printer, report).status, PrintOutcome::Failed);
        QVERIFY(!writePdf(report, dir.filePath(u"manca/stampa.pdf"_s)));
    }

    void cancellingTheDialogPrintsNothing() {
        QTemporaryDir dir;
        testing::FakeServices fake(dir.path());
        PrinterOutput output(fake.messages, fake.fileDialog);
        PrintOutcome outcome{PrintOutcome::Printed, {}};
        QString title;
        const bool opened =
            testing::whileModal([&] { outcome = output.print(nullptr, numberedPages(2)); },
                                [&](QWidget* modal) {
                                    auto* dialog = qobject_cast<QPrintDialog*>(modal);
                                    QVERIFY(dialog);
                                    title = dialog->printer()->docName();
                                    testing::control<QLineEdit>(dialog, u"filename"_s)
                                        ->setText(dir.filePath(u"stampa.pdf"_s));
                                    dialog->reject();
                                });
        QVERIFY(opened);
        QCOMPARE(title, u"Prova di stampa"_s);
        QCOMPARE(outcome.status, PrintOutcome::Cancelled);
        QVERIFY(!QFile::exists(dir.filePath(u"stampa.pdf"_s)));
    }

    // On this machine there is no printer: the dialog still offers a PDF file.
    void dialogPrintsToAPdfFile() {
        QTemporaryDir dir;
        testing::FakeServices fake(dir.path());
        PrinterOutput output(fake.messages, fake.fileDialog);
        const QString pdf = dir.filePath(u"ricetta.pdf"_s);
        PrintOutcome outcome;
        QString offered;
        testing::whileModal([&] { outcome = output.print(nullptr, numberedPages(3)); },
                            [&](QWidget* modal) {
                                auto* file = testing::control<QLineEdit>(modal, u"filename"_s);
                                offered = file->text();
                                file->setText(pdf);
                                qobject_cast<QDialog*>(modal)->accept();
                            });
        QVERIFY2(offered.endsWith(u"/Prova di stampa.pdf"_s), qPrintable(offered));
        QCOMPARE(outcome.status, PrintOutcome::Printed);
        QCOMPARE(pdfPages(pdf), (QStringList{u"pagina1"_s, u"pagina2"_s, u"pagina3"_s}));
    }

    void previewWindow() {
        QTemporaryDir dir;
        testing::FakeServices fake(dir.path());
        PrinterOutput output(fake.messages, fake.fileDialog);
        const PreparedReport report = numberedPages(3);
        bool checked = false;
        const bool opened = testing::whileModal(
            [&] { output.preview(nullptr, report); },
            [&](QWidget* modal) {
                auto* preview = qobject_cast<ReportPreview*>(modal);
                QVERIFY(preview);
                QCOMPARE(preview->windowTitle(), u"Prova di stampa"_s);
                QVERIFY(preview->windowState() & Qt::WindowMaximized);
                QVERIFY(preview->isModal());
                QCOMPARE(preview->zoom(), 1.0);
                QCOMPARE(testing::control<QLabel>(preview, u"lblZoom"_s)->text(), u"Zoom: 100 %"_s);
                QCOMPARE(testing::control<QLabel>(preview, u"lblPagina"_s)->text(),
                         u"Pagina 1 di 3"_s);
                for (const auto& [name, text] : {std::pair{u"btnStampa"_s, u"Stampa"_s},
                                                 {u"btnZoom"_s, u"Zoom"_s},
                                                 {u"btnSchermoIntero"_s, u"Schermo intero"_s},
                                                 {u"btnPdf"_s, u"PDF"_s},
                                                 {u"btnChiudi"_s, u"Chiudi"_s}})
                    QCOMPARE(testing::control<QToolButton>(preview, name)->text(), text);

                // 100 % is the paper's own size on the screen.
                QWidget* desk = testing::control<QWidget>(preview, u"desk"_s);
                const QList<QWidget*> pages =
                    desk->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
                QCOMPARE(pages.size(), 3);
                const double dpi = pages[0]->logicalDpiX();
                QCOMPARE(pages[0]->width(), qRound(210 * dpi / 25.4));
                QCOMPARE(pages[0]->height(), qRound(297 * dpi / 25.4));
                QMenu* zoom = testing::control<QToolButton>(preview, u"btnZoom"_s)->menu();
                for (QAction* action : zoom->actions()) {
                    if (action->text() == u"200 %"_s)
                        action->trigger();
                }
                QCOMPARE(pages[0]->width(), qRound(2 * 210 * dpi / 25.4));

                testing::control<QToolButton>(preview, u"btnSchermoIntero"_s)->click();
                QVERIFY(preview->windowState() & Qt::WindowFullScreen);
                testing::control<QToolButton>(preview, u"btnSchermoIntero"_s)->click();
                QVERIFY(!(preview->windowState() & Qt::WindowFullScreen));

                // Its Print button is the print dialog; cancelling it keeps the preview.
                const bool dialog = testing::whileModal(
                    [&] { testing::control<QToolButton>(preview, u"btnStampa"_s)->click(); },
                    [](QWidget* inner) { QVERIFY(qobject_cast<QPrintDialog*>(inner)); });
                QVERIFY(dialog);
                QVERIFY(preview->isVisible());

                // PDF writes the pages to the file chosen, adding the extension a name lacks;
                // a cancelled dialog writes nothing.
                auto* pdfButton = testing::control<QToolButton>(preview, u"btnPdf"_s);
                fake.fileDialog.results = {dir.filePath(u"anteprima"_s), std::nullopt};
                pdfButton->click();
                QCOMPARE(fake.fileDialog.titles.value(0), u"Salva in formato PDF"_s);
                QCOMPARE(fake.fileDialog.suggested.value(0),
                         QDir::home().filePath(u"Prova di stampa.pdf"_s));
                QCOMPARE(pdfPages(dir.filePath(u"anteprima.pdf"_s)),
                         (QStringList{u"pagina1"_s, u"pagina2"_s, u"pagina3"_s}));
                QVERIFY(QFile::remove(dir.filePath(u"anteprima.pdf"_s)));
                pdfButton->click();
                QCOMPARE(fake.fileDialog.titles.size(), 2);
                QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());

                // A file that cannot be written is a warning naming it.
                fake.fileDialog.results = {dir.filePath(u"manca/anteprima.pdf"_s)};
                pdfButton->click();
                QCOMPARE(fake.messages.shown.size(), 1);
                QCOMPARE(fake.messages.shown[0].kind, MessageKind::Warning);
                QVERIFY(fake.messages.shown[0].text.contains(u"manca"_s));
                fake.messages.shown.clear();

                testing::control<QToolButton>(preview, u"btnChiudi"_s)->click();
                QVERIFY(!preview->isVisible());
                checked = true;
            });
        QVERIFY(opened);
        QVERIFY(checked);
        QVERIFY(fake.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestPrinterOutput)
#include "tst_printeroutput.moc"
