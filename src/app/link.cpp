#include "app/link.h"

#include "platform/ui.h"

namespace tarvola {

namespace {

void paint(ClickableLabel* text, const QColor& colour) {
    QPalette pal = text->palette();
    pal.setColor(QPalette::WindowText, colour);
    text->setPalette(pal);
}

} // namespace

void makeLink(ClickableLabel* text, const QList<ClickableLabel*>& pictures,
              const std::function<void()>& action) {
    QFont font = text->font();
    font.setUnderline(true);
    text->setFont(font);
    paint(text, linkColour);
    QList<ClickableLabel*> parts = pictures;
    parts.prepend(text);
    for (ClickableLabel* part : parts) {
        QObject::connect(part, &ClickableLabel::pressedChanged, text, [text](bool pressed) {
            paint(text, pressed ? pressedLinkColour : linkColour);
        });
        QObject::connect(part, &ClickableLabel::clicked, text, [text, action] {
            paint(text, linkColour);
            action();
        });
    }
}

} // namespace tarvola
