#pragma once

#include "report/reportoutput.h"

class QPrinter;

namespace tarvola {

class FileDialogService;
class MessageService;

// The desktop's printers: the system print dialog, and the preview window.
class PrinterOutput final : public ReportOutput {
public:
    // Messages report what goes wrong inside the preview window; its PDF button asks for
    // the file through the file dialog.
    PrinterOutput(MessageService& messages, FileDialogService& fileDialog)
        : m_messages(messages)
        , m_fileDialog(fileDialog) {}

    PrintOutcome print(QWidget* parent, const report::PreparedReport& report) override;
    void preview(QWidget* parent, const report::PreparedReport& report) override;

private:
    MessageService& m_messages;
    FileDialogService& m_fileDialog;
};

namespace report {

// The print dialog over the default printer, then the pages it selects. currentPage
// (0-based) is what "current page" prints.
PrintOutcome printThroughDialog(QWidget* parent, const PreparedReport& report, int currentPage = 0);

// Paper, orientation and job title of the report on the printer; the whole sheet is
// addressable, so positions count from the paper's corner.
void setUpPrinter(QPrinter& printer, const PreparedReport& report);

// Prints on a configured printer the pages of its print range, with its copies.
PrintOutcome printOn(QPrinter& printer, const PreparedReport& report, int currentPage = 0);

} // namespace report
} // namespace tarvola
