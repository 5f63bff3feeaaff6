#pragma once

#include "checks/checkwindow.h"

namespace tarvola {

// Checks a payment card number with the Luhn rule and names the card type.
// It only informs: the caller's field is left as it is.
class TfrmCarta : public CheckWindow {
    Q_OBJECT
public:
    explicit TfrmCarta(Services& services, QWidget* parent = nullptr);

protected:
    void check() override;
};

} // namespace tarvola
