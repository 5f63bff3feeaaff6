#pragma once

#include "archive/fieldbinding.h"

#include <QObject>
#include <QRect>

class QLabel;
class QWidget;

namespace tarvola {

class ClickableLabel;

// A tick box of the paper form: two pictures in the same place, btn<stem>_NO (an empty
// square, shown while not ticked) and btn<stem>_SI (a ticked square). Clicking the one
// shown swaps them.
class Toggle : public QObject {
public:
    Toggle(QWidget* parent, const QString& stem);

    bool isTicked() const;
    void setTicked(bool ticked);
    void setGeometry(const QRect& rect);

    // The flag field: "Sì" when ticked; a stored text ticks it unless it is exactly "No".
    FieldBinding binding();

private:
    ClickableLabel* m_off;
    ClickableLabel* m_on;
};

} // namespace tarvola
