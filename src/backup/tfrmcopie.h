#pragma once

#include "archive/settings.h"
#include "backup/backup.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace tarvola {

class Services;

namespace settings {
// Where backups go, how many of them are kept there, after how many days without one the
// launcher reminds of it, and when the last one was made ("yyyy-MM-dd HH:mm:ss").
inline constexpr SettingKey cartellaCopie{printFile, "Copie di sicurezza", "Cartella", ""};
inline constexpr SettingKey numeroCopie{printFile, "Copie di sicurezza", "Numero copie", "10"};
inline constexpr SettingKey giorniPromemoria{printFile, "Copie di sicurezza", "Giorni promemoria",
                                             "7"};
inline constexpr SettingKey ultimaCopia{printFile, "Copie di sicurezza", "Ultima copia", ""};
} // namespace settings

namespace backup {
// When the last backup was made, as remembered in the settings; nothing before the first.
std::optional<QDateTime> lastBackup(const QString& programFolder);
} // namespace backup

// The backup window: makes a verified backup of the practice's data into a folder of the
// user's choice, lists the backups found there, and restores one of them after backing up
// the present state.
class TfrmCopie : public QDialog {
    Q_OBJECT
public:
    TfrmCopie(Services& services, QList<backup::Archive> archives, QWidget* parent = nullptr);

    void reject() override;

private:
    void chooseFolder();
    void refresh();
    void makeBackup();
    void restoreSelected();
    // Runs the work on a thread of its own while the window keeps answering; the progress
    // bar shows for folders of more than a few megabytes.
    backup::Outcome runBusy(const std::function<backup::Outcome(const backup::Progress&)>& work,
                            bool showProgress);
    backup::Options options() const;
    QString folder() const;
    bool rememberFolder();

    Services& m_services;
    QList<backup::Archive> m_archives;
    QLineEdit* m_folder;
    QLineEdit* m_password;
    QLineEdit* m_confirm;
    QLabel* m_last;
    QListWidget* m_list;
    QProgressBar* m_progress;
    QList<QWidget*> m_controls;
    bool m_busy = false;
};

} // namespace tarvola
