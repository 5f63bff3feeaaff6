#pragma once

#include <QDialog>

namespace tarvola {

class Services;

// Not built yet: the window exists with its caption.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(Services& services, QWidget* parent = nullptr);

    // The topic shown: its title and its text (paragraphs separated by CR LF CR LF).
    void setTopic(const QString& title, const QString& text);

private:
    Services& m_services;
};

} // namespace tarvola
