#pragma once

#include "report/reportpages.h"

#include <QString>

class QWidget;

namespace tarvola {

// What became of a print request.
struct PrintOutcome {
    enum Status {
        Printed,   // the pages went to the chosen printer or file
        Cancelled, // the user closed the print dialog: nothing printed
        Failed,    // nothing (or not everything) printed; error says why
    };
    Status status = Printed;
    QString error;
};

// Where laid-out pages go: the print dialog and printer, or the preview window. The real
// one is PrinterOutput; tests keep the pages instead.
class ReportOutput {
public:
    virtual ~ReportOutput() = default;

    // Shows the print dialog (the default printer preselected, page range, copies; printing
    // to a PDF file is always offered) and prints the pages under the report's name.
    virtual PrintOutcome print(QWidget* parent, const report::PreparedReport& report) = 0;

    // Shows the pages in the modal, maximised preview window at 100 %, captioned with the
    // report's name, until the user closes it. Its Print button works as print().
    virtual void preview(QWidget* parent, const report::PreparedReport& report) = 0;
};

} // namespace tarvola
