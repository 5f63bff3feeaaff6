#pragma once

#include "archive/appwindow.h"

namespace tarvola {

// Not built yet: the window exists with its caption and returns to the launcher.
class TfrmFarmaci : public AppWindow {
    Q_OBJECT
public:
    explicit TfrmFarmaci(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
