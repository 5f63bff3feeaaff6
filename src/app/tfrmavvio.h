#pragma once

#include <QWidget>

namespace tarvola {

class Services;

// The launcher: four app tiles, the about, help and credits pictures, the web strip and
// the exit picture. Closing it ends the program.
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

private:
    QWidget* buildTile(App app, const QString& picture, const QString& caption);
    void showInfo();
    void showHelp();
    void showCredits();

    Services& m_services;
};

} // namespace tarvola
