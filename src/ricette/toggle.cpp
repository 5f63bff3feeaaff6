#include "ricette/toggle.h"

#include "archive/textfield.h"
#include "platform/ui.h"

namespace tarvola {

namespace {

ClickableLabel* picture(QWidget* parent, const QString& name) {
    auto* label = named(new ClickableLabel(parent), name);
    label->setScaledContents(true);
    return label;
}

} // namespace

Toggle::Toggle(QWidget* parent, const QString& stem)
    : QObject(parent)
    , m_off(picture(parent, QStringLiteral("btn%1_NO").arg(stem)))
    , m_on(picture(parent, QStringLiteral("btn%1_SI").arg(stem))) {
    connect(m_off, &ClickableLabel::clicked, this, [this] { setTicked(true); });
    connect(m_on, &ClickableLabel::clicked, this, [this] { setTicked(false); });
    setTicked(false);
}

bool Toggle::isTicked() const {
    return !m_on->isHidden();
}

void Toggle::setTicked(bool ticked) {
    m_on->setVisible(ticked);
    m_off->setVisible(!ticked);
}

void Toggle::setGeometry(const QRect& rect) {
    for (ClickableLabel* label : {m_off, m_on}) {
        label->setGeometry(rect);
        const QSize side(rect.height(), rect.height());
        label->setPixmap(svgPixmap(label == m_on ? QStringLiteral(":/images/casella_spuntata.svg")
                                                 : QStringLiteral(":/images/casella.svg"),
                                   side));
    }
}

FieldBinding Toggle::binding() {
    return {[this] { return textfield::flag(isTicked()); },
            [this](const QString& stored) { setTicked(stored != textfield::no); },
            [this] { setTicked(false); }};
}

} // namespace tarvola
