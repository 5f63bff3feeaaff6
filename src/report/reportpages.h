#pragma once

#include "report/reporttemplate.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

namespace tarvola::report {

// Laid-out pages: what to draw where, in millimetres from the paper's top-left corner,
// independent of the device. The printer, the preview, a PDF file and the tests all read
// the same list.

// One line of text. It is drawn at the top of `line`, aligned horizontally inside it, and
// cut at the edges of `clip` (the box of the memo it belongs to).
struct TextOp {
    QString object; // the memo's name
    QRectF clip;
    QRectF line;
    HAlign align = HAlign::Left;
    FontSpec font;
    QString text;
    bool operator==(const TextOp&) const = default;
};

// A rectangle, filled when fill is valid, outlined in black when outline (mm) is above 0.
struct RectOp {
    QRectF rect;
    QColor fill;
    double outline = 0;
    bool operator==(const RectOp&) const = default;
};

struct LineOp {
    QLineF line;
    double width = 0;
    bool operator==(const LineOp&) const = default;
};

// An image already fitted into its rectangle with its proportions kept.
struct ImageOp {
    QRectF target;
    QImage image;
    bool operator==(const ImageOp&) const = default;
};

using DrawOp = std::variant<TextOp, RectOp, LineOp, ImageOp>;

struct PreparedPage {
    QSizeF paper; // as oriented
    Orientation orientation = Orientation::Portrait;
    std::vector<DrawOp> ops;
    bool operator==(const PreparedPage&) const = default;

    // The text lines of the named memo on this page, in drawing order.
    std::vector<TextOp> textsOf(const QString& object) const;
    std::vector<TextOp> texts() const;
};

struct PreparedReport {
    QString name; // job title and preview caption
    std::vector<PreparedPage> pages;
    bool operator==(const PreparedReport&) const = default;
};

} // namespace tarvola::report
