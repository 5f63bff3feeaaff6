#pragma once

#include "checks/checkwindow.h"

namespace tarvola {

// Checks an IBAN: the MOD 97-10 remainder must be 1.
// It only informs: the caller's field is left as it is.
class TfrmIban : public CheckWindow {
    Q_OBJECT
public:
    explicit TfrmIban(Services& services, QWidget* parent = nullptr);

protected:
    void check() override;
};

} // namespace tarvola
