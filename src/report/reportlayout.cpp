#include "report/reportlayout.h"

#include "platform/fonts.h"
#include "platform/text.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <memory>

namespace tarvola::report {

namespace {

constexpr int measuringPixels = 1000;
constexpr double epsilon = 1e-6;
constexpr double onePixel = mmPerPixel;
constexpr double unbounded = std::numeric_limits<double>::infinity();

} // namespace

QFont qtFont(const FontSpec& font) {
    QFont f(fonts::shippedFamily(font.family));
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::ForceOutline);
    return f;
}

QFont TextMetrics::measuringFont(const FontSpec& font) {
    QFont f = qtFont(font);
    f.setPixelSize(measuringPixels);
    return f;
}

TextMetrics::TextMetrics(const FontSpec& font)
    : m_metrics(measuringFont(font))
    , m_scale(font.pointSize * 25.4 / 72.0 / measuringPixels) {}

std::vector<TextOp> PreparedPage::textsOf(const QString& object) const {
    std::vector<TextOp> out;
    for (const DrawOp& op : ops) {
        if (const auto* text = std::get_if<TextOp>(&op); text && text->object == object)
            out.push_back(*text);
    }
    return out;
}

std::vector<TextOp> PreparedPage::texts() const {
    std::vector<TextOp> out;
    for (const DrawOp& op : ops) {
        if (const auto* text = std::get_if<TextOp>(&op))
            out.push_back(*text);
    }
    return out;
}

namespace {

struct PlacedLine {
    QRectF rect; // in the template's coordinates (a band member's: from the band's top)
    QString text;
};

// The engine's variables in a template's own text.
QString evaluated(const QString& line, const QDate& today) {
    QString out = line;
    out.replace(QStringLiteral("[DATE]"), today.toString(QString::fromLatin1(dateFormat)),
                Qt::CaseInsensitive);
    return out;
}

// Breaks a line into lines no wider than width, between words, and inside a word only
// when the word alone is too wide.
QStringList wrapped(const QString& line, double width, const TextMetrics& metrics) {
    if (metrics.width(line) <= width)
        return {line};
    QStringList out;
    QString current;
    for (const QString& word : line.split(u' ')) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (current.isEmpty() || metrics.width(candidate) <= width) {
            current = candidate;
        } else {
            out << current;
            current = word;
        }
        while (current.size() > 1 && metrics.width(current) > width) {
            qsizetype n = current.size() - 1;
            while (n > 1 && metrics.width(current.left(n)) > width)
                --n;
            out << current.left(n);
            current = current.mid(n);
        }
    }
    out << current;
    return out;
}

class Layout {
public:
    Layout(const ReportTemplate& form, const QDate& today)
        : m_form(form)
        , m_today(today)
        , m_printable(form.page.printableArea()) {}

    PreparedReport run() {
        m_report.name = m_form.reportName;
        const bool banded =
            std::any_of(m_form.objects().begin(), m_form.objects().end(),
                        [](const ReportObject& o) { return std::holds_alternative<Band>(o); });
        newPage();
        if (banded)
            layBands();
        return std::move(m_report);
    }

private:
    const TextMetrics& metricsOf(const FontSpec& font) {
        const QString key = font.family + u'/' + QString::number(font.pointSize) +
                            (font.bold ? QStringLiteral("/b") : QString());
        auto it = m_metrics.find(key);
        if (it == m_metrics.end())
            it = m_metrics.insert(key, std::make_shared<TextMetrics>(font));
        return **it;
    }

    std::vector<PlacedLine> arrange(const Memo& memo) {
        const TextMetrics& metrics = metricsOf(memo.font);
        const double gapX = pxToMm(memo.gapLeftPx);
        const QRectF box = memo.rect;
        const double innerLeft = box.left() + gapX;
        const double innerWidth = std::max(0.0, box.width() - 2 * gapX);

        QStringList lines;
        const bool live = memo.allowExpressions && memo.holdsTemplateText();
        for (const QString& given : memo.lines()) {
            const QString line = live ? evaluated(given, m_today) : given;
            if (memo.wordWrap)
                lines << wrapped(line, innerWidth, metrics);
            else
                lines << line;
        }

        const double lineHeight = metrics.height();
        const double pitch = memo.linePitchPx > 0 ? pxToMm(memo.linePitchPx)
                                                  : lineHeight + pxToMm(memo.lineSpacingPx);
        const double block = lines.isEmpty() ? 0 : (lines.size() - 1) * pitch + lineHeight;
        const double top = memo.vAlign == VAlign::Top ? box.top() + pxToMm(memo.gapTopPx)
                                                      : box.center().y() - block / 2;
        std::vector<PlacedLine> placed;
        for (qsizetype i = 0; i < lines.size(); ++i)
            placed.push_back(
                {QRectF(innerLeft, top + i * pitch, innerWidth, lineHeight), lines[i]});
        return placed;
    }

    // Puts an object on the current page, shifted by offset; of a band member only the part
    // between from and to (band coordinates) prints.
    void place(const ReportObject& object, QPointF offset, double from = -unbounded,
               double to = unbounded) {
        PreparedPage& page = m_report.pages.back();
        if (const auto* memo = std::get_if<Memo>(&object)) {
            QRectF box = memo->rect;
            box.setTop(std::max(box.top(), from));
            box.setBottom(std::min(box.bottom(), to));
            if (box.height() < 0)
                return;
            if (memo->fill.isValid() && box.height() > 0)
                page.ops.push_back(RectOp{box.translated(offset), memo->fill, 0});
            for (const PlacedLine& line : arrange(*memo)) {
                const double top = line.rect.top();
                if (line.text.isEmpty() || top < from - epsilon || top >= to - epsilon)
                    continue;
                if (top >= memo->rect.bottom() || line.rect.bottom() <= memo->rect.top())
                    continue; // wholly outside its box: nothing of it would show
                page.ops.push_back(TextOp{memo->name, box.translated(offset),
                                          line.rect.translated(offset), memo->hAlign, memo->font,
                                          line.text});
            }
            return;
        }
        const ObjectBase& base = baseOf(object);
        if (base.rect.top() < from - epsilon || base.rect.top() >= to - epsilon)
            return;
        const QRectF rect = base.rect.translated(offset);
        if (const auto* picture = std::get_if<Picture>(&object)) {
            page.ops.push_back(RectOp{rect, QColor(Qt::white), 0});
            const QImage& image = picture->image;
            if (image.isNull() || rect.isEmpty())
                return;
            const QSizeF fitted = QSizeF(image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
            QRectF target(rect.topLeft(), fitted);
            if (picture->center)
                target.moveCenter(rect.center());
            page.ops.push_back(ImageOp{target, image});
        } else if (const auto* shape = std::get_if<Shape>(&object)) {
            page.ops.push_back(RectOp{rect, shape->fill, onePixel});
        } else if (const auto* line = std::get_if<Line>(&object)) {
            const QLineF segment = line->edge == LineEdge::Left
                                       ? QLineF(rect.topLeft(), rect.bottomLeft())
                                       : QLineF(rect.topLeft(), rect.topRight());
            page.ops.push_back(LineOp{segment, onePixel});
        }
    }

    void newPage() {
        m_report.pages.push_back({m_form.page.paperSize(), m_form.page.orientation, {}});
        m_y = 0;
        for (const ReportObject& object : m_form.objects()) {
            if (baseOf(object).band.isEmpty() && !std::holds_alternative<Band>(object))
                place(object, m_printable.topLeft());
        }
    }

    std::vector<const ReportObject*> membersOf(const Band& band) const {
        std::vector<const ReportObject*> members;
        for (const ReportObject& object : m_form.objects()) {
            if (baseOf(object).band == band.name)
                members.push_back(&object);
        }
        return members;
    }

    // Places the part of a band from `from` to `to` (band coordinates) at the current height.
    void placeBandPart(const std::vector<const ReportObject*>& members, double from,
                       double to = unbounded) {
        const QPointF offset = m_printable.topLeft() + QPointF(0, m_y - from);
        for (const ReportObject* object : members)
            place(*object, offset, from, to);
    }

    void layBands() {
        for (const ReportObject& object : m_form.objects()) {
            const auto* band = std::get_if<Band>(&object);
            if (!band)
                continue;
            const auto members = membersOf(*band);
            if (band->role == BandRole::ReportTitle) {
                if (m_report.pages.size() == 1) {
                    placeBandPart(members, 0);
                    m_y += band->rect.height();
                }
            } else {
                flow(*band, members);
            }
        }
    }

    // Places a band at the current height, splitting it between text lines across pages
    // when it may split and does not fit.
    void flow(const Band& band, const std::vector<const ReportObject*>& members) {
        const double height = std::max(0.0, band.rect.height());
        std::vector<QRectF> lines;
        for (const ReportObject* object : members) {
            if (const auto* memo = std::get_if<Memo>(object)) {
                for (const PlacedLine& line : arrange(*memo))
                    lines.push_back(line.rect);
            }
        }
        double done = 0;
        while (true) {
            const double room = m_printable.height() - m_y;
            const double rest = height - done;
            if (rest <= room + epsilon) {
                placeBandPart(members, done);
                m_y += rest;
                return;
            }
            if (!band.allowSplit) {
                if (m_y > epsilon) {
                    newPage();
                    continue;
                }
                placeBandPart(members, 0); // taller than a page: cut at its end
                m_y += rest;
                return;
            }
            const double limit = done + room;
            double cut = limit;
            bool linesLeft = false;
            for (const QRectF& line : lines) {
                if (line.top() >= done - epsilon && line.bottom() > limit + epsilon) {
                    cut = std::min(cut, line.top());
                    linesLeft = true;
                }
            }
            if (!linesLeft) { // only blank band below the page's end: it ends here
                placeBandPart(members, done, limit);
                m_y = m_printable.height();
                return;
            }
            if (cut <= done + epsilon) {
                if (m_y > epsilon) { // not even one line fits below what is there
                    newPage();
                    continue;
                }
                cut = limit; // a line taller than a page: cut it
            }
            placeBandPart(members, done, cut);
            newPage();
            done = cut;
        }
    }

    const ReportTemplate& m_form;
    QDate m_today;
    QRectF m_printable;
    PreparedReport m_report;
    double m_y = 0; // from the printable area's top
    QHash<QString, std::shared_ptr<TextMetrics>> m_metrics;
};

} // namespace

PreparedReport prepareReport(const ReportTemplate& form, const QDate& today) {
    return Layout(form, today).run();
}

} // namespace tarvola::report
