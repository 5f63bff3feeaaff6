#pragma once

#include "checks/checkwindow.h"

namespace tarvola {

// Checks a partita IVA: its check digit, and the VAT office that issued it.
// It only informs: the caller's field is left as it is.
class TfrmPartitaIva : public CheckWindow {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(Services& services, QWidget* parent = nullptr);

protected:
    void check() override;
};

} // namespace tarvola
