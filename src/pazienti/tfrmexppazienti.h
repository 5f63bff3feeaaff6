#pragma once

#include "archive/exportwindow.h"

namespace tarvola {

// The patient archive in a grid of 25 columns, exported to Pazienti.xls (sheet "Riepilogo
// Pazienti"). Only the two parts of each card that the columns show are read: the personal
// data and the anamnesis texts.
class TfrmExpPazienti : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpPazienti(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
