#pragma once

#include "archive/exportwindow.h"

namespace tarvola {

// The drug archive in a grid, exported to Archivio_Farmaci.xls.
class TfrmExpFarmaci : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpFarmaci(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
