#pragma once

#include "report/reportoutput.h"
#include "report/reportpages.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarvola {

class Services;

namespace report {

// The height of one line of the summary list's block, in pixels at 96 dpi.
inline constexpr double summaryLinePx = 12.822;

// The summary list "Riepilogo dati" laid out: the title on the first page, the lines in
// order (printed as given, brackets included), the footer with today's date after the last
// line. Throws ReportError.
PreparedReport prepareSummaryList(const QString& title, const QStringList& lines,
                                  const QDate& today);

} // namespace report

// Prints a search or list window's result list through the print dialog. A failure is shown
// to the user with its own text and returned; the window stays open either way.
PrintOutcome printSummaryList(Services& services, QWidget* parent, const QString& title,
                              const QStringList& lines);

} // namespace tarvola
