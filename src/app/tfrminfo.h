#pragma once

#include <QDialog>

namespace tarvola {

class Services;

// The about window: product information and a link that starts a mail to the maker.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(Services& services, QWidget* parent = nullptr);

    // What the mail link hands to the shell: the maker's address with subject and body.
    static QString mailTarget();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Services& m_services;
};

} // namespace tarvola
