#pragma once

#include "archive/exportwindow.h"

namespace tarvola {

// The prescriptions of the year open in the editor in a grid, exported to
// Archivio_Prescrizioni.xls (the same file for every year). The editor names the year's
// archive before showing it: window.setArchive(archivePath()).
class TfrmExpPrescrizioni : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpPrescrizioni(Services& services, QWidget* parent = nullptr);

    // The full path of the year's archive.
    void setArchive(const QString& path) { m_archive = path; }

private:
    QString m_archive;
};

} // namespace tarvola
