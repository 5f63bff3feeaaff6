#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

namespace tarvola {

class Services;

// Chooses the practice logo printed on prescriptions and cards: a JPEG or bitmap the user
// picks, no logo, or the default caduceus; "Applica e chiudi" writes it to Logo.bmp.
class TfrmLogo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogo(Services& services, QWidget* parent = nullptr);

    // The picture that "Applica e chiudi" would store.
    const QImage& image() const { return m_image; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void browse();
    void apply();
    void setImage(const QImage& image);

    Services& m_services;
    QImage m_image;
    QLabel* m_preview;
};

} // namespace tarvola
