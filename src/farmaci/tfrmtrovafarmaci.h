#pragma once

#include <QDialog>

namespace tarvola {

class Services;

// Not built yet: the window exists with its caption.
class TfrmTrovaFarmaci : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaFarmaci(Services& services, QWidget* parent = nullptr);

private:
    Services& m_services;
};

} // namespace tarvola
