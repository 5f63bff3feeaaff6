#pragma once

#include "archive/searchwindow.h"

namespace tarvola {

// The drugs kept in the surgery that are running out: the cards ticked "Da ordinare", read
// again at each opening. A double click reopens one in the drug editor.
class TfrmDaOrdinare : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmDaOrdinare(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
