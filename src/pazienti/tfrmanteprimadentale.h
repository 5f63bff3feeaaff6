#pragma once

#include "pazienti/tfrmstampadentale.h"

namespace tarvola {

// Shows the clinical analyses card of the patient in the editor in the preview, from which
// it can be printed: the same sheet as TfrmStampaDentale.
class TfrmAnteprimaDentale : public TfrmStampaDentale {
    Q_OBJECT
public:
    explicit TfrmAnteprimaDentale(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
