#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

namespace tarvola {

class Toggle;

// The red prescription form as the paper shows it: its red print (header, captions,
// frames, the bar code) drawn at a scale that fits the widget, with every input control
// lying over its box. Positions are millimetres from the paper's top-left corner, the
// same the print template uses, so screen and paper agree.
class RicettaPaper : public QWidget {
public:
    enum class Kind { Line, Box, Code, Button, Other };

    explicit RicettaPaper(QWidget* parent = nullptr);

    // Lays the control over the area (millimetres); its font is fontMm tall.
    void place(QWidget* control, const QRectF& mm, Kind kind, qreal fontMm = 0);
    void place(Toggle* toggle, const QRectF& mm);

    // Pixels per millimetre at the current size.
    qreal scale() const { return m_scale; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        QWidget* control;
        Toggle* toggle;
        QRectF mm;
        Kind kind;
        qreal fontMm;
    };

    QRect toPixels(const QRectF& mm) const;
    QPointF toPixels(QPointF mm) const;
    void layoutControls();

    QList<Placed> m_placed;
    qreal m_scale = 6.0;
    QPointF m_origin;
};

} // namespace tarvola

#include <QLineEdit>

namespace tarvola {

// The codice fiscale edit: one edit over the sixteen boxes of the paper, each character
// shown in its own box.
class CodeBoxesEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    // The boxes' left edges and width in millimetres from the edit's left edge.
    void setBoxes(const QList<qreal>& leftsMm, qreal widthMm);
    // Pixels per millimetre.
    void setScale(qreal scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click puts the cursor before the character of the box clicked.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRectF boxRect(int index) const;

    QList<qreal> m_lefts;
    qreal m_width = 0;
    qreal m_scale = 6;
};

} // namespace tarvola
