#include "report/reportrenderer.h"

#include "report/reportlayout.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace tarvola::report {

namespace {

QRectF scaled(const QRectF& r, double k) {
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

Qt::Alignment alignmentOf(HAlign align) {
    switch (align) {
    case HAlign::Center:
        return Qt::AlignHCenter;
    case HAlign::Right:
        return Qt::AlignRight;
    case HAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

class Painter {
public:
    Painter(QPainter& painter, double k)
        : m_painter(painter)
        , m_k(k) {}

    void operator()(const TextOp& op) {
        m_painter.save();
        m_painter.setClipRect(scaled(op.clip, m_k), Qt::IntersectClip);
        m_painter.setFont(qtFont(op.font));
        m_painter.setPen(op.font.color);
        // Wide enough that alignment, not the rectangle, decides where a long text goes;
        // the clip cuts it at the memo's edges.
        m_painter.drawText(
            scaled(op.line, m_k),
            alignmentOf(op.align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, op.text);
        m_painter.restore();
    }

    void operator()(const RectOp& op) {
        const QRectF rect = scaled(op.rect, m_k);
        if (op.fill.isValid())
            m_painter.fillRect(rect, op.fill);
        if (op.outline > 0) {
            m_painter.save();
            QPen pen(Qt::black, op.outline * m_k);
            pen.setJoinStyle(Qt::MiterJoin);
            m_painter.setPen(pen);
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRect(rect);
            m_painter.restore();
        }
    }

    void operator()(const LineOp& op) {
        m_painter.save();
        m_painter.setPen(QPen(Qt::black, op.width * m_k, Qt::SolidLine, Qt::FlatCap));
        m_painter.drawLine(QLineF(op.line.p1() * m_k, op.line.p2() * m_k));
        m_painter.restore();
    }

    void operator()(const ImageOp& op) {
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_painter.drawImage(scaled(op.target, m_k), op.image);
        m_painter.restore();
    }

private:
    QPainter& m_painter;
    double m_k;
};

QPageLayout pageLayoutOf(const PreparedPage& page) {
    const bool landscape = page.orientation == Orientation::Landscape;
    const QSizeF portrait = landscape ? page.paper.transposed() : page.paper;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

} // namespace

void paintPage(QPainter& painter, const PreparedPage& page, double pixelsPerMm) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Painter draw(painter, pixelsPerMm);
    for (const DrawOp& op : page.ops)
        std::visit(draw, op);
    painter.restore();
}

bool writePdf(const PreparedReport& report, const QString& path, int resolution) {
    if (report.pages.empty())
        return false;
    QPdfWriter writer(path);
    writer.setResolution(resolution);
    writer.setTitle(report.name);
    writer.setCreator(QStringLiteral("Tarvola 3.0"));
    writer.setPageLayout(pageLayoutOf(report.pages.front()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const double k = resolution / 25.4;
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        if (i > 0) {
            writer.setPageLayout(pageLayoutOf(report.pages[i]));
            writer.newPage();
        }
        paintPage(painter, report.pages[i], k);
    }
    return painter.end() && QFileInfo(path).size() > 0;
}

} // namespace tarvola::report
