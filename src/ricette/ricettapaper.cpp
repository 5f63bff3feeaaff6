#include "ricette/ricettapaper.h"

#include "ricette/toggle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tarvola {

namespace {

const QColor formRed(0xC8, 0x10, 0x2E);
const QColor paperColour(0xFF, 0xFC, 0xFB);
const QColor deskColour(0xE6, 0xEA, 0xF0);

// The drawing area in millimetres: the paper (200 x 96) with a margin around it and a
// strip below for the controls that are not on the paper.
constexpr QRectF paperMm(0, 0, 200, 96);
constexpr QRectF areaMm(-4, -4, 208, 110);

struct Caption {
    const char* text;
    qreal left, top, width;
    Qt::Alignment align;
    qreal heightMm = 1.7;
    bool bold = false;
};

const Caption captions[] = {
    {"COGNOME E NOME DELL'ASSISTITO (O INIZIALI)", 8, 2.7, 80, Qt::AlignLeft},
    {"INDIRIZZO", 8, 10.6, 80, Qt::AlignLeft},
    {"SERVIZIO SANITARIO NAZIONALE", 98, 2.2, 98, Qt::AlignHCenter, 3.6, true},
    {"CODICE FISCALE", 107, 26.7, 83, Qt::AlignHCenter},
    {"NON ESENTE", 4, 37.7, 14, Qt::AlignHCenter},
    {"CODICE ESENZIONE", 19, 37.7, 32.2, Qt::AlignHCenter},
    {"REDDITO", 52, 37.7, 12, Qt::AlignHCenter},
    {"SIGLA PROV.", 110, 37.7, 13, Qt::AlignHCenter, 1.5},
    {"CODICE ASL", 123, 37.7, 14.4, Qt::AlignHCenter, 1.5},
    {"PRESCRIZIONE", 9, 47.0, 60, Qt::AlignLeft, 1.9, true},
    {"NOTA CUF", 140.4, 48.9, 16, Qt::AlignLeft},
    {"SUGG.", 160.4, 48.9, 10, Qt::AlignHCenter},
    {"RICOV.", 172.8, 48.9, 10, Qt::AlignHCenter},
    {"ALTRO", 184.4, 48.9, 10, Qt::AlignHCenter},
    {"PRIORITA' DELLA PRESTAZIONE", 158, 57.3, 38, Qt::AlignHCenter},
    {"U", 160.2, 60.9, 3, Qt::AlignHCenter, 2.4, true},
    {"B", 168.2, 60.9, 3, Qt::AlignHCenter, 2.4, true},
    {"D", 176.4, 60.9, 3, Qt::AlignHCenter, 2.4, true},
    {"P", 184.2, 60.9, 3, Qt::AlignHCenter, 2.4, true},
    {"DATI MEDICO PRESCRIVENTE", 142, 67.3, 52, Qt::AlignLeft},
    {"N. CONFEZIONI", 14, 84.7, 25, Qt::AlignHCenter},
    {"TIPO RICETTA", 58, 84.7, 21, Qt::AlignHCenter},
    {"DATA", 102.8, 84.7, 32.4, Qt::AlignHCenter},
};

// The frames and rules of the form.
const QLineF rules[] = {
    {2, 37.0, 198, 37.0},     {2, 46.0, 198, 46.0},   {139.7, 46.0, 139.7, 95},
    {139.7, 66.0, 198, 66.0}, {2, 84.0, 139.7, 84.0}, {98, 9.0, 196, 9.0},
};
constexpr QRectF nameFrame(5, 1.6, 87.5, 18);
constexpr QRectF barCodeMm(109, 12.4, 80, 12);

QFont formFont(qreal pixels, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(6, int(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// Bars of varying width, always the same.
void drawBarCode(QPainter& p, const QRectF& area) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    const qreal unit = area.width() / 190.0;
    quint32 seed = 20240307u;
    qreal x = area.left();
    bool bar = true;
    while (x < area.right()) {
        seed = seed * 1103515245u + 12345u;
        const qreal w = unit * (1 + (seed >> 16) % 4);
        if (bar)
            p.drawRect(QRectF(x, area.top(), std::min(w, area.right() - x), area.height()));
        x += w;
        bar = !bar;
    }
    p.restore();
}

} // namespace

RicettaPaper::RicettaPaper(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("imgModulo"));
}

QSize RicettaPaper::sizeHint() const {
    return (areaMm.size() * 6.0).toSize();
}

QSize RicettaPaper::minimumSizeHint() const {
    return (areaMm.size() * 4.5).toSize();
}

void RicettaPaper::place(QWidget* control, const QRectF& mm, Kind kind, qreal fontMm) {
    m_placed.append({control, nullptr, mm, kind, fontMm});
    if (kind == Kind::Line || kind == Kind::Box || kind == Kind::Code)
        control->setProperty("paperBox", kind == Kind::Box);
    layoutControls();
}

void RicettaPaper::place(Toggle* toggle, const QRectF& mm) {
    m_placed.append({nullptr, toggle, mm, Kind::Other, 0});
    layoutControls();
}

QPointF RicettaPaper::toPixels(QPointF mm) const {
    return m_origin + (mm - areaMm.topLeft()) * m_scale;
}

QRect RicettaPaper::toPixels(const QRectF& mm) const {
    return QRectF(toPixels(mm.topLeft()), mm.size() * m_scale).toRect();
}

void RicettaPaper::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void RicettaPaper::layoutControls() {
    m_scale = std::clamp(std::min(width() / areaMm.width(), height() / areaMm.height()), 4.5, 9.0);
    m_origin = QPointF(std::max(0.0, (width() - areaMm.width() * m_scale) / 2), 0);
    for (const Placed& placed : m_placed) {
        const QRect rect = toPixels(placed.mm);
        if (placed.toggle) {
            placed.toggle->setGeometry(rect);
            continue;
        }
        placed.control->setGeometry(rect);
        if (placed.fontMm > 0)
            placed.control->setFont(formFont(placed.fontMm * m_scale, placed.kind == Kind::Box));
        if (auto* code = dynamic_cast<CodeBoxesEdit*>(placed.control))
            code->setScale(m_scale);
        if (auto* button = qobject_cast<QAbstractButton*>(placed.control))
            button->setIconSize(rect.size() - QSize(2, 2));
    }
    update();
}

void RicettaPaper::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), deskColour);

    const QRectF paper(toPixels(paperMm.topLeft()), paperMm.size() * m_scale);
    p.setPen(QPen(QColor(0xB8, 0xBE, 0xC8), 1));
    p.setBrush(paperColour);
    p.drawRect(paper);

    const QPen thin(formRed, std::max(1.0, 0.3 * m_scale));
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(toPixels(QPointF(2, 1)), QSizeF(196, 94) * m_scale), m_scale, m_scale);
    p.drawRoundedRect(QRectF(toPixels(nameFrame.topLeft()), nameFrame.size() * m_scale),
                      m_scale * 0.8, m_scale * 0.8);
    for (const QLineF& rule : rules)
        p.drawLine(toPixels(rule.p1()), toPixels(rule.p2()));

    drawBarCode(p, QRectF(toPixels(barCodeMm.topLeft()), barCodeMm.size() * m_scale));

    for (const Caption& c : captions) {
        p.setFont(formFont(c.heightMm * m_scale, c.bold));
        const QRectF box(toPixels(QPointF(c.left, c.top)),
                         QSizeF(c.width, c.heightMm * 1.4) * m_scale);
        p.drawText(box, int(c.align | Qt::AlignTop), QString::fromUtf8(c.text));
    }

    // Each box and line of the paper around the control that fills it.
    const qreal grow = 0.35 * m_scale;
    for (const Placed& placed : m_placed) {
        const QRectF area = QRectF(toPixels(placed.mm)).adjusted(-grow, -grow, grow, grow);
        if (placed.kind == Kind::Box)
            p.drawRect(area);
        else if (placed.kind == Kind::Line)
            p.drawLine(area.bottomLeft(), area.bottomRight());
    }
}

void CodeBoxesEdit::setBoxes(const QList<qreal>& leftsMm, qreal widthMm) {
    m_lefts = leftsMm;
    m_width = widthMm;
    update();
}

void CodeBoxesEdit::setScale(qreal scale) {
    m_scale = scale;
    update();
}

QRectF CodeBoxesEdit::boxRect(int index) const {
    const qreal inset = 0.4 * m_scale;
    return QRectF(m_lefts.value(index) * m_scale, inset, m_width * m_scale, height() - 2 * inset);
}

void CodeBoxesEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    int at = 0;
    while (at < m_lefts.size() && boxRect(at).right() < event->position().x())
        ++at;
    setCursorPosition(std::min<int>(at, text().size()));
}

void CodeBoxesEdit::mouseMoveEvent(QMouseEvent* event) {
    // Dragging would select by the edit's own spacing, which the boxes do not follow.
    event->accept();
}

// Drawn by hand, one character per box of the paper; typing, selecting and the cursor
// keys stay the edit's own.
void CodeBoxesEdit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool focused = hasFocus();
    p.fillRect(rect(), focused ? QColor(0xFF, 0xF3, 0x6A) : QColor(0xF3, 0xF8, 0xFF));
    p.setPen(focused ? QColor(0xD8, 0xB0, 0x00) : QColor(0xA8, 0xC8, 0xEE));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setBold(true);
    mono.setPixelSize(std::max(8, int(std::lround(3.0 * m_scale))));
    p.setFont(mono);
    const QString code = text();
    const int selected = selectionStart();
    const int selectedLength = selectedText().size();
    for (int i = 0; i < m_lefts.size(); ++i) {
        const QRectF box = boxRect(i);
        const bool inSelection = selected >= 0 && i >= selected && i < selected + selectedLength;
        if (inSelection)
            p.fillRect(box, QColor(0x8A, 0xB4, 0xF0));
        p.setPen(QPen(formRed, std::max(1.0, 0.25 * m_scale)));
        p.drawRect(box);
        if (i < code.size()) {
            p.setPen(QColor(0x10, 0x10, 0x10));
            p.drawText(box, Qt::AlignCenter, code.mid(i, 1));
        }
    }
    if (focused && !m_lefts.isEmpty()) {
        const int at = std::min<int>(cursorPosition(), m_lefts.size());
        const qreal x = at < m_lefts.size() ? boxRect(at).left() + 2 : boxRect(at - 1).right() + 2;
        p.fillRect(QRectF(x, boxRect(0).top() + 2, 1.5, boxRect(0).height() - 4), Qt::black);
    }
}

} // namespace tarvola
