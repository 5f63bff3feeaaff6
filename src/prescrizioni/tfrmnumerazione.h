#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tarvola {

class Services;

// Sets where the numbering of prescriptions starts and whether the year follows the number
// (section "Numerazione Prescrizioni" of Velmora.ini). The editor reads both afresh at every
// new prescription, so a change applies to the next one.
//
//     TfrmNumerazione window(m_services, this);
//     window.setTag(QStringLiteral("prescrizioni"));
//     window.exec();
class TfrmNumerazione : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNumerazione(Services& services, QWidget* parent = nullptr);

    void setTag(const QString& tag);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    Services& m_services;
    QLineEdit* m_start;
    QCheckBox* m_year;
    QLabel* m_memory;
};

} // namespace tarvola
