#pragma once

#include <QWidget>

class QLabel;

namespace tarvola {

class Services;

// The launcher: four app tiles, the about, help, backup and credits pictures, the web strip
// and the exit picture. Closing it ends the program. When no backup was made for a while,
// a one-line notice with a link to the backup window shows above the web strip.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    enum class App { Pazienti = 1, Farmaci = 2, Prescrizioni = 3, Ricette = 4 };

    explicit TfrmAvvio(Services& services, QWidget* parent = nullptr);

signals:
    void appRequested(tarvola::TfrmAvvio::App app);
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTile(App app, const QString& picture, const QString& caption);
    void showInfo();
    void showHelp();
    void showCredits();
    void showBackups();
    void updateReminder();

    Services& m_services;
    QWidget* m_reminder;
    QLabel* m_reminderText;
};

} // namespace tarvola
