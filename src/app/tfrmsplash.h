#pragma once

#include <QDialog>

namespace tarvola {

class Services;

// The credits window: one large picture and a link to the maker's web site. It opens
// centred on the launcher.
class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(Services& services, QWidget* parent = nullptr);

private:
    Services& m_services;
};

} // namespace tarvola
