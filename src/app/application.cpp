#include "app/application.h"

#include "app/tfrmavvio.h"
#include "app/tfrmcambiapassword.h"
#include "app/tfrminfo.h"
#include "app/tfrmpassword.h"
#include "app/tfrmsplash.h"
#include "archive/searchwindow.h"
#include "archive/tfrmallegacartella.h"
#include "archive/tfrmlogo.h"
#include "checks/tfrmcarta.h"
#include "checks/tfrmcodfisc.h"
#include "checks/tfrmiban.h"
#include "checks/tfrmpartitaiva.h"
#include "farmaci/tfrmdaordinare.h"
#include "farmaci/tfrmexpfarmaci.h"
#include "farmaci/tfrmfarmaci.h"
#include "farmaci/tfrmstampafarmaco.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "help/tfrmguida.h"
#include "pazienti/tfrmanteprimadentale.h"
#include "pazienti/tfrmexppazienti.h"
#include "pazienti/tfrmexpprestazioni.h"
#include "pazienti/tfrmpazienti.h"
#include "pazienti/tfrmprivacy.h"
#include "pazienti/tfrmstampadentale.h"
#include "pazienti/tfrmstampaterapia.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "platform/realservices.h"
#include "prescrizioni/tfrmanteprimapresc.h"
#include "prescrizioni/tfrmexpprescrizioni.h"
#include "prescrizioni/tfrmmenuprescrizioni.h"
#include "prescrizioni/tfrmnumerazione.h"
#include "prescrizioni/tfrmprescrizioni.h"
#include "prescrizioni/tfrmstampapresc.h"
#include "prescrizioni/tfrmtrovaprescrizioni.h"
#include "report/printeroutput.h"
#include "report/summarylist.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmricette.h"
#include "ricette/tfrmselezionate.h"
#include "ricette/tfrmstamparicetta.h"
#include "ricette/tfrmtrovaricette.h"

#include <QApplication>
#include <QLocale>

namespace tarvola {

struct Application::Owned {
    DesktopMessages messages;
    DesktopShell shell;
    DesktopFileDialog fileDialog;
    SystemClock clock;
    PrinterOutput reports{messages, fileDialog};
};

Application::Application(const QString& programFolder)
    : m_owned(std::make_unique<Owned>()) {
    m_services = std::make_unique<Services>(programFolder, m_owned->messages, m_owned->shell,
                                            m_owned->fileDialog, m_owned->clock, &m_owned->reports);
    setUpProcess();
}

Application::Application(const QString& programFolder, MessageService& messages,
                         ShellService& shell, FileDialogService& fileDialog, Clock& clock,
                         ReportOutput* reports)
    : m_services(
          std::make_unique<Services>(programFolder, messages, shell, fileDialog, clock, reports)) {
    setUpProcess();
}

Application::~Application() {
    // Windows go in the reverse order of their creation, before the services they use.
    while (!m_windows.empty())
        m_windows.pop_back();
}

void Application::setUpProcess() {
    // The search and list windows print their lists through the report engine.
    setListPrinter(
        [](Services& services, QWidget* parent, const QString& title, const QStringList& lines) {
            printSummaryList(services, parent, title, lines);
        });

    // Numbers with the decimal comma everywhere; dates are always written "dd/MM/yyyy".
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(italian);
}

void Application::start() {
    if (m_order.empty()) {
        createWindows();
        connectFlow();
    }
    auto* login = window<TfrmPassword>();
    login->show();
    login->reset();
}

void Application::createWindows() {
    Services& s = *m_services;
    auto add = [this](QWidget* w) {
        m_windows.emplace_back(w);
        m_order.push_back(w);
    };
    add(new TfrmPassword(s));
    add(new TfrmAvvio(s));
    add(new TfrmCambiaPassword(s));
    add(new TfrmGuida(s));
    add(new TfrmInfo(s));
    add(new TfrmSplash(s));
    add(new TfrmCodFisc(s));
    add(new TfrmPartitaIva(s));
    add(new TfrmCarta(s));
    add(new TfrmIban(s));
    add(new TfrmPazienti(s));
    add(new TfrmAllegaCartella(s));
    add(new TfrmPrivacy(s));
    add(new TfrmTrovaPazienti(s));
    add(new TfrmExpPazienti(s));
    add(new TfrmExpPrestazioni(s));
    add(new TfrmStampaTerapia(s));
    add(new TfrmAnteprimaDentale(s));
    add(new TfrmStampaDentale(s));
    add(new TfrmFarmaci(s));
    add(new TfrmTrovaFarmaci(s));
    add(new TfrmDaOrdinare(s));
    add(new TfrmExpFarmaci(s));
    add(new TfrmStampaFarmaco(s));
    add(new TfrmMenuPrescrizioni(s));
    add(new TfrmPrescrizioni(s));
    add(new TfrmLogo(s));
    add(new TfrmNumerazione(s));
    add(new TfrmExpPrescrizioni(s));
    add(new TfrmTrovaPrescrizioni(s));
    add(new TfrmAnteprimaPresc(s));
    add(new TfrmStampaPresc(s));
    add(new TfrmRicette(s));
    add(new TfrmTrovaRicette(s));
    add(new TfrmSelezionate(s));
    add(new TfrmExpRicette(s));
    add(new TfrmStampaRicetta(s));
}

void Application::connectFlow() {
    auto* login = window<TfrmPassword>();
    auto* launcher = window<TfrmAvvio>();
    auto* change = window<TfrmCambiaPassword>();

    connect(login, &TfrmPassword::loggedIn, this, [login, launcher] {
        launcher->showMaximized();
        login->hide();
    });
    connect(login, &TfrmPassword::changePasswordRequested, this, [login, change] {
        change->show();
        login->hide();
    });
    connect(login, &TfrmPassword::exitRequested, this, &Application::quit);
    connect(change, &TfrmCambiaPassword::closed, this, [login] {
        login->show();
        login->reset();
    });

    connect(launcher, &TfrmAvvio::appRequested, this, [this](TfrmAvvio::App app) {
        switch (app) {
        case TfrmAvvio::App::Pazienti:
            showApp(window<TfrmPazienti>());
            break;
        case TfrmAvvio::App::Farmaci:
            showApp(window<TfrmFarmaci>());
            break;
        case TfrmAvvio::App::Prescrizioni:
            showApp(window<TfrmMenuPrescrizioni>());
            break;
        case TfrmAvvio::App::Ricette:
            showApp(window<TfrmRicette>());
            break;
        }
    });
    connect(launcher, &TfrmAvvio::exitRequested, this, &Application::quit);

    for (AppWindow* app :
         std::initializer_list<AppWindow*>{window<TfrmPazienti>(), window<TfrmFarmaci>(),
                                           window<TfrmPrescrizioni>(), window<TfrmRicette>()}) {
        connect(app, &AppWindow::closed, this, &Application::backToLauncher);
    }
    // The year window leads to the prescription editor once a year is open, else back.
    auto* years = window<TfrmMenuPrescrizioni>();
    auto* prescriptions = window<TfrmPrescrizioni>();
    connect(years, &TfrmMenuPrescrizioni::yearOpened, prescriptions, &TfrmPrescrizioni::openYear);
    connect(years, &AppWindow::closed, this, [this, years, prescriptions] {
        if (years->memory() == QStringLiteral("prescrizioni")) {
            years->hide();
            showApp(prescriptions);
        } else {
            backToLauncher();
        }
    });
}

void Application::showApp(AppWindow* app) {
    app->show();
    app->raise();
    app->activateWindow();
    window<TfrmAvvio>()->hide();
}

void Application::backToLauncher() {
    auto* launcher = window<TfrmAvvio>();
    launcher->showMaximized();
    for (QWidget* w : m_order) {
        if (auto* app = qobject_cast<AppWindow*>(w))
            app->hide();
    }
}

void Application::quit() {
    for (QWidget* w : m_order)
        w->hide();
    QCoreApplication::quit();
}

} // namespace tarvola
