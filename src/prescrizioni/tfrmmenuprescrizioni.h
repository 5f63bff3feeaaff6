#pragma once

#include "archive/appwindow.h"

class QLabel;
class QLineEdit;

namespace tarvola {

// The year window of the prescription app: the user types the calendar year whose archive
// the prescription editor works on. "Apri" hands the year's archive to the editor
// (yearOpened) and closes the window, which then leads to the editor; closing it otherwise
// leads back to the launcher. Opening a year creates no file: the editor's first operation
// on the archive does.
class TfrmMenuPrescrizioni : public AppWindow {
    Q_OBJECT
public:
    explicit TfrmMenuPrescrizioni(Services& services, QWidget* parent = nullptr);

    // How the window was left: "prescrizioni" after "Apri", "avvio" otherwise.
    QString memory() const;

    void openYear();

signals:
    // The full path of the year's archive and the year, four digits.
    void yearOpened(const QString& archivePath, const QString& year);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_year;
    QLabel* m_memory;
};

} // namespace tarvola
