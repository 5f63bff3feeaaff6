#pragma once

#include <QDialog>

namespace tarvola {

class Services;

// The privacy consent form of the patient on screen. Built so far: the patient's block,
// which the patient editor fills before showing the window (txtPaziente, txtComuneNasc,
// txtProvNasc, txtDataNasc, txtCodFisc, txtComuneRes, txtProvRes, txtIndirizzo, txtCapRes,
// txtRecapito, txtPrivacy, txtData); the practice's block and the document come later.
class TfrmPrivacy : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrivacy(Services& services, QWidget* parent = nullptr);

private:
    Services& m_services;
};

} // namespace tarvola
