#pragma once

#include "prescrizioni/prescprintwindow.h"

namespace tarvola {

// Shows the prescription shown in the editor in the preview, from which it can be printed.
class TfrmAnteprimaPresc : public PrescPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPresc(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
