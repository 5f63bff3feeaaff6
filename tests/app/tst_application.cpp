#include "app/application.h"
#include "app/tfrmavvio.h"
#include "app/tfrmpassword.h"
#include "archive/appwindow.h"
#include "farmaci/tfrmfarmaci.h"
#include "pazienti/tfrmpazienti.h"
#include "platform/ui.h"
#include "prescrizioni/tfrmmenuprescrizioni.h"
#include "ricette/tfrmricette.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        m_app = std::make_unique<Application>(m_dir->path(), m_fakes->messages, m_fakes->shell,
                                              m_fakes->fileDialog, m_fakes->clock);
    }
    void cleanup() {
        m_app.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void createsTheWindowsInTheirOrderWithTheirCaptions() {
        m_app->start();
        const QList<std::pair<const char*, const char*>> expected = {
            {"TfrmPassword", ""}, // checked below: one word after the dash
            {"TfrmAvvio", " Tarvola 3.0"},
            {"TfrmCambiaPassword", " Cambia password"},
            {"TfrmGuida", " Guida all'utilizzo del software"},
            {"TfrmInfo", " Informazioni su Tarvola 3.0"},
            {"TfrmSplash", ""}, // the maker's credit follows the dash
            {"TfrmCodFisc", " Controllo codice fiscale"},
            {"TfrmPartitaIva", " Controllo partita IVA"},
            {"TfrmCarta", " Controllo carta di credito"},
            {"TfrmIban", " Controllo IBAN"},
            {"TfrmPazienti", " Tarvola 3.0 - Archivio Pazienti"},
            {"TfrmAllegaCartella", " Allega file"},
            {"TfrmPrivacy", " Esporta e stampa Modulo Privacy"},
            {"TfrmTrovaPazienti", " Trova pazienti in archivio"},
            {"TfrmExpPazienti", " Esporta archivio pazienti in Microsoft Excel"},
            {"TfrmExpPrestazioni", " Esporta e stampa dati in Microsoft Excel"},
            {"TfrmStampaTerapia", " Stampa storico terapie"},
            {"TfrmAnteprimaDentale", " Anteprima di stampa"},
            {"TfrmStampaDentale", " Stampa scheda"},
            {"TfrmFarmaci", " Tarvola 3.0 - Archivio Farmaci"},
            {"TfrmTrovaFarmaci", " Trova farmaci in archivio"},
            {"TfrmDaOrdinare", " Riepilogo farmaci da ordinare"},
            {"TfrmExpFarmaci", " Esporta archivio farmaci in Microsoft Excel"},
            {"TfrmStampaFarmaco", " Stampa scheda"},
            {"TfrmMenuPrescrizioni", " Tarvola 3.0 - Emissione Prescrizioni"},
            {"TfrmPrescrizioni", " Tarvola 3.0 - Archivio Prescrizioni"},
            {"TfrmLogo", " Impostazione logo"},
            {"TfrmNumerazione", " Impostazione inizio numerazione"},
            {"TfrmExpPrescrizioni", " Esporta archivio prescrizioni in Microsoft Excel"},
            {"TfrmTrovaPrescrizioni", " Trova prescrizioni in archivio"},
            {"TfrmAnteprimaPresc", " Anteprima di stampa"},
            {"TfrmStampaPresc", " Stampa scheda"},
            {"TfrmRicette", " Tarvola 3.0 - Ricette Mediche Rosse"},
            {"TfrmTrovaRicette", " Trova ricette in archivio"},
            {"TfrmSelezionate", " Elenco ricette da completare"},
            {"TfrmExpRicette", " Esporta archivio ricette in Microsoft Excel"},
            {"TfrmStampaRicetta", " Stampa ricetta"},
        };
        const auto& windows = m_app->windows();
        QCOMPARE(windows.size(), std::size_t(37));
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QWidget* w = windows[std::size_t(i)];
            QCOMPARE(QString::fromLatin1(w->metaObject()->className()),
                     QStringLiteral("tarvola::") + QString::fromLatin1(expected[i].first));
            const QString caption = QString::fromUtf8(expected[i].second);
            if (!caption.isEmpty())
                QCOMPARE(w->windowTitle(), caption);
        }
        const QRegularExpression oneWord(QStringLiteral("^ Tarvola 3\\.0 - \\S+$"));
        QVERIFY(oneWord.match(windows[0]->windowTitle()).hasMatch());
        QVERIFY(windows[5]->windowTitle().startsWith(QStringLiteral(" Tarvola 3.0 - ")));
        QVERIFY(windows[5]->windowTitle().size() > 15);
    }

    void startShowsOnlyTheLogin() {
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(m_app->window<TfrmPassword>()));
        QWidgetList shown;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                shown << w;
        }
        QCOMPARE(shown, QWidgetList{m_app->window<TfrmPassword>()});
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }

    void startCreatesTheRedPrescriptionArchiveOnlyWhenMissing() {
        const QString path = QDir(m_dir->path()).filePath(QStringLiteral("Archivio_Ricette.pro"));
        m_app->start();
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2550, 'x'));
        f.close();
        m_app.reset();
        m_app = std::make_unique<Application>(m_dir->path(), m_fakes->messages, m_fakes->shell,
                                              m_fakes->fileDialog, m_fakes->clock);
        m_app->start();
        QCOMPARE(QFileInfo(path).size(), 2550);
    }

    void closingAnAppAlwaysBringsBackTheLauncher_data() {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("window");
        QTest::newRow("patients") << "btnApp01"
                                  << "tarvola::TfrmPazienti";
        QTest::newRow("drugs picture") << "imgApp02"
                                       << "tarvola::TfrmFarmaci";
        QTest::newRow("year window") << "btnApp03"
                                     << "tarvola::TfrmMenuPrescrizioni";
        QTest::newRow("red prescriptions") << "btnApp04"
                                           << "tarvola::TfrmRicette";
    }
    void closingAnAppAlwaysBringsBackTheLauncher() {
        QFETCH(QString, tile);
        QFETCH(QString, window);
        m_app->start();
        auto* launcher = m_app->window<TfrmAvvio>();
        emit m_app->window<TfrmPassword>()->loggedIn();
        QVERIFY(launcher->isVisible());
        for (int round = 0; round < 2; ++round) { // the same app twice in a row
            QWidget* control = launcher->findChild<QWidget*>(tile);
            QVERIFY2(control, qPrintable(tile));
            if (auto* button = qobject_cast<QPushButton*>(control))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                emit static_cast<ClickableLabel*>(control)->clicked();
            AppWindow* app = nullptr;
            for (QWidget* w : m_app->windows()) {
                if (QString::fromLatin1(w->metaObject()->className()) == window)
                    app = qobject_cast<AppWindow*>(w);
            }
            QVERIFY(app);
            QVERIFY(app->isVisible());
            QVERIFY(!launcher->isVisible());
            app->close();
            QVERIFY(!app->isVisible());
            QVERIFY(launcher->isVisible());
            QVERIFY(!m_app->window<TfrmPassword>()->isVisible());
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Application> m_app;
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
