#pragma once

#include <QColor>
#include <QList>

#include <functional>

class QDialog;
class QHBoxLayout;

namespace tarvola {

class ClickableLabel;

// Link texts are dark blue; while the mouse button is held down on the text or on its
// picture they turn orange, and they go back to dark blue when the button is released.
inline const QColor linkColour{0x00, 0x00, 0x8B};
inline const QColor pressedLinkColour{0xFF, 0x8C, 0x00};

// Makes text a link that runs action when it or one of its pictures is clicked.
void makeLink(ClickableLabel* text, const QList<ClickableLabel*>& pictures,
              const std::function<void()>& action);

// The bottom row of the help, about and credits windows: the link's picture and text on
// the left, "Chiudi" (btnChiudi, closing the dialog) on the right.
QHBoxLayout* linkRow(QDialog* dialog, ClickableLabel* picture, ClickableLabel* text);

} // namespace tarvola
