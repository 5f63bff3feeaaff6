#include "report/printeroutput.h"

#include "report/reportpreview.h"
#include "report/reportrenderer.h"

#include <QDir>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <algorithm>

namespace tarvola {

PrintOutcome PrinterOutput::print(QWidget* parent, const report::PreparedReport& report) {
    return report::printThroughDialog(parent, report);
}

void PrinterOutput::preview(QWidget* parent, const report::PreparedReport& report) {
    ReportPreview window(report, m_messages, m_fileDialog, parent);
    window.exec();
}

namespace report {

namespace {

QString destinationOf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                         : printer.printerName();
}

std::vector<int> selectedPages(const QPrinter& printer, int count, int currentPage) {
    std::vector<int> pages;
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        pages.push_back(std::clamp(currentPage, 0, count - 1));
        break;
    case QPrinter::PageRange: {
        const QPageRanges ranges = printer.pageRanges();
        for (int i = 0; i < count; ++i) {
            if (ranges.isEmpty() || ranges.contains(i + 1))
                pages.push_back(i);
        }
        break;
    }
    default:
        for (int i = 0; i < count; ++i)
            pages.push_back(i);
        break;
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pages.begin(), pages.end());
    return pages;
}

} // namespace

void setUpPrinter(QPrinter& printer, const PreparedReport& report) {
    printer.setDocName(report.name);
    printer.setFullPage(true);
    if (report.pages.empty())
        return;
    const PreparedPage& first = report.pages.front();
    const bool landscape = first.orientation == Orientation::Landscape;
    const QSizeF portrait = landscape ? first.paper.transposed() : first.paper;
    printer.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PrintOutcome printThroughDialog(QWidget* parent, const PreparedReport& report, int currentPage) {
    if (report.pages.empty())
        return {PrintOutcome::Failed, QStringLiteral("Non c'è nulla da stampare.")};
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this computer: the dialog offers a PDF file, named after the
        // document, to keep or to print elsewhere.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(folder).exists())
            folder = QDir::homePath();
        printer.setOutputFileName(QDir(folder).filePath(report.name + QStringLiteral(".pdf")));
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, int(report.pages.size()));
    if (dialog.exec() != QDialog::Accepted)
        return {PrintOutcome::Cancelled, {}};
    return printOn(printer, report, currentPage);
}

PrintOutcome printOn(QPrinter& printer, const PreparedReport& report, int currentPage) {
    const int count = int(report.pages.size());
    if (count == 0)
        return {PrintOutcome::Failed, QStringLiteral("Non c'è nulla da stampare.")};
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty())
            return {PrintOutcome::Failed,
                    QStringLiteral("Nessuna stampante disponibile e nessun file indicato: non è "
                                   "stato stampato nulla.")};
        printer.setResolution(720); // a multiple of 72 keeps font sizes exact
    }
    const std::vector<int> pages = selectedPages(printer, count, currentPage);
    if (pages.empty())
        return {PrintOutcome::Failed, QStringLiteral("Le pagine scelte non esistono.")};

    // Copies the printer cannot make itself are printed one after the other.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sequence.insert(sequence.end(), pages.begin(), pages.end());
    } else {
        for (int page : pages)
            sequence.insert(sequence.end(), copies, page);
    }

    const PrintOutcome failed{
        PrintOutcome::Failed,
        QStringLiteral("Impossibile stampare su \"%1\".").arg(destinationOf(printer))};
    QPainter painter;
    if (!painter.begin(&printer))
        return failed;
    const double pixelsPerMm = printer.resolution() / 25.4;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return failed;
        }
        paintPage(painter, report.pages[std::size_t(sequence[i])], pixelsPerMm);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return failed;
    return {PrintOutcome::Printed, {}};
}

} // namespace report
} // namespace tarvola
