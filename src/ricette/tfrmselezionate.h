#pragma once

#include "archive/searchwindow.h"

namespace tarvola {

// The red prescriptions not yet completed, rebuilt at each opening; a double click
// reopens one in the editor.
class TfrmSelezionate : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmSelezionate(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
