#pragma once

#include "archive/searchwindow.h"

namespace tarvola {

// Finds prescriptions of the year open in the prescription editor by up to ten partial keys
// and reopens the chosen one there, stored header included (tag "prescrizioni"). The
// editor names the year's archive before showing it:
//
//     TfrmTrovaPrescrizioni window(m_services, this);
//     window.setTag(QStringLiteral("prescrizioni"));
//     window.setArchive(archivePath());
//     window.setRecallTarget(...);
//     window.exec();
class TfrmTrovaPrescrizioni : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaPrescrizioni(Services& services, QWidget* parent = nullptr);

    // The full path of the year's archive.
    void setArchive(const QString& path) { m_archive = path; }

private:
    QString m_archive;
};

} // namespace tarvola
