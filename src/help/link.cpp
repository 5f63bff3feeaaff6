#include "help/link.h"

#include <QPushButton>

#include <QHBoxLayout>

#include <QDialog>

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

QHBoxLayout* linkRow(QDialog* dialog, ClickableLabel* picture, ClickableLabel* text) {
    auto* close =
        named(new QPushButton(QStringLiteral("Chiudi"), dialog), QStringLiteral("btnChiudi"));
    close->setAutoDefault(false);
    close->setMinimumWidth(100);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(4);
    row->addWidget(text);
    row->addStretch();
    row->addWidget(close);
    return row;
}

} // namespace tarvola
