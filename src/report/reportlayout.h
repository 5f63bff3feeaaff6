#pragma once

#include "report/reportpages.h"
#include "report/reporttemplate.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>

namespace tarvola::report {

// Lays a filled template out into pages. A template without bands gives one page with every
// object at margin + position. A template with bands flows them down the printable area:
// the report title on the first page only, the master data band split between lines when
// it runs past a page's end, the footer once after it. `today` is the date a template's own
// "[DATE]" prints. Throws ReportError.
PreparedReport prepareReport(const ReportTemplate& form, const QDate& today);

// The Qt font of a template font, without hinting, so that it keeps its proportions at every
// resolution.
QFont qtFont(const FontSpec& font);

// Font measures in millimetres, from the outlines, the same on every device.
class TextMetrics {
public:
    explicit TextMetrics(const FontSpec& font);
    double ascent() const { return m_metrics.ascent() * m_scale; }
    double descent() const { return m_metrics.descent() * m_scale; }
    // The height of one line of text: ascent plus descent.
    double height() const { return ascent() + descent(); }
    double width(const QString& text) const { return m_metrics.horizontalAdvance(text) * m_scale; }

private:
    static QFont measuringFont(const FontSpec& font);

    QFontMetricsF m_metrics;
    double m_scale;
};

} // namespace tarvola::report
