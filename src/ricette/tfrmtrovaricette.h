#pragma once

#include "archive/searchwindow.h"

namespace tarvola {

// Finds red prescriptions by up to ten partial keys and reopens the chosen one in the
// editor (tag "ricette").
class TfrmTrovaRicette : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaRicette(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
