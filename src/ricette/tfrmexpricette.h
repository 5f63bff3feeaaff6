#pragma once

#include "archive/exportwindow.h"

namespace tarvola {

// The red prescription archive in a grid, exported to Archivio_Ricette.xls.
class TfrmExpRicette : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpRicette(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
