#pragma once

#include "report/reportoutput.h"
#include "report/reportpages.h"
#include "support/fakes.h"

#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <vector>

namespace tarvola::testing {

// Keeps the laid-out pages instead of printing them or showing a preview.
class RecordingReports final : public ReportOutput {
public:
    PrintOutcome print(QWidget* parent, const report::PreparedReport& report) override;
    void preview(QWidget* parent, const report::PreparedReport& report) override;

    // Every report handed to print(), also those the scripted answer cancels or fails.
    std::vector<report::PreparedReport> printed;
    std::vector<report::PreparedReport> previewed;
    // What print() answers, as if the user had acted in the print dialog.
    PrintOutcome::Status answer = PrintOutcome::Printed;
    // Runs inside print(), while the print dialog would be up.
    std::function<void()> whilePrinting;
};

// The fakes of fakes.h with the report output in place.
struct FakeReportServices : FakeServices {
    explicit FakeReportServices(const QString& folder)
        : FakeServices(folder) {
        services.setReports(&reports);
    }
    RecordingReports reports;
};

// The texts of every line of the named memo over all pages, in order.
QStringList linesOf(const report::PreparedReport& report, const QString& memo);

// A stand-in for the red prescription editor: its edits and toggle pictures under their
// names, nothing else. A toggle is a pair of pictures btnX_NO / btnX_SI, one shown.
class FakeRicettaEditor : public QWidget {
public:
    FakeRicettaEditor();

    // The names of the edits, in keyboard order, and of the toggles ("NonEsente", ...).
    static QStringList editNames();
    static QStringList toggleNames();

    QLineEdit* edit(const QString& name) const;
    void setText(const QString& name, const QString& text) { edit(name)->setText(text); }
    void setTicked(const QString& toggle, bool ticked);
    // Every edit's text and every toggle's state, to see that printing changed nothing.
    QStringList snapshot() const;
};

} // namespace tarvola::testing
