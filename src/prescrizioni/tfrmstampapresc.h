#pragma once

#include "prescrizioni/prescprintwindow.h"

namespace tarvola {

// Prints the prescription shown in the editor through the print dialog.
//
//     TfrmStampaPresc window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmStampaPresc : public PrescPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaPresc(Services& services, QWidget* parent = nullptr);
};

} // namespace tarvola
