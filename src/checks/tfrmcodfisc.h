#pragma once

#include "checks/checkwindow.h"

namespace tarvola {

// Checks a codice fiscale: the check character of its 16 characters.
// It only informs: the caller's field is left as it is.
class TfrmCodFisc : public CheckWindow {
    Q_OBJECT
public:
    explicit TfrmCodFisc(Services& services, QWidget* parent = nullptr);

protected:
    void check() override;
};

} // namespace tarvola
