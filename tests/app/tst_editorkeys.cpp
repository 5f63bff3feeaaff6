// The keyboard of the archive editors: each key clicks its button wherever the focus is in
// the form, Escape closes the windows an editor opens and never the editor itself.

#include "archive/archivefile.h"
#include "archive/recordeditor.h"
#include "farmaci/farmacorecord.h"
#include "farmaci/tfrmexpfarmaci.h"
#include "farmaci/tfrmfarmaci.h"
#include "pazienti/pazienterecord.h"
#include "pazienti/tfrmpazienti.h"
#include "prescrizioni/prescrizionerecord.h"
#include "prescrizioni/tfrmprescrizioni.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmricette.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

// An editor over a program folder whose archive holds two cards, shown and active.
struct Station {
    explicit Station(const QString& editor) {
        const RecordLayout* layout = nullptr;
        QString archive;
        QString named;
        if (editor == QStringLiteral("TfrmRicette")) {
            layout = &ricetta::layout();
            archive = QStringLiteral("Archivio_Ricette.pro");
            named = QStringLiteral("Assistito");
            window = std::make_unique<TfrmRicette>(fake.services);
        } else if (editor == QStringLiteral("TfrmFarmaci")) {
            layout = &farmaco::layout();
            archive = QStringLiteral("Farmaci.pro");
            named = QStringLiteral("Farmaco");
            window = std::make_unique<TfrmFarmaci>(fake.services);
        } else if (editor == QStringLiteral("TfrmPazienti")) {
            layout = &paziente::layout();
            archive = QString::fromLatin1(paziente::archiveName);
            named = QStringLiteral("Cognome");
            window = std::make_unique<TfrmPazienti>(fake.services);
        } else {
            layout = &prescrizione::layout();
            archive = QStringLiteral("2024.med");
            named = QStringLiteral("Paziente");
            auto* presc = new TfrmPrescrizioni(fake.services);
            presc->openYear(dir.filePath(archive), QStringLiteral("2024"));
            window.reset(presc);
        }
        ArchiveFile file(dir.filePath(archive), *layout);
        for (const char* name : {"ROSSI MARIO", "BIANCHI ANNA"}) {
            Record card(*layout);
            card.setValue(named, QString::fromLatin1(name));
            file.append(card);
        }
    }

    // Shows the editor on its first card, the focus in its first field.
    bool open() {
        if (!showActive(window.get()))
            return false;
        window->first();
        return qobject_cast<QLineEdit*>(window->focusWidget()) != nullptr;
    }
    QLineEdit* focused() const { return qobject_cast<QLineEdit*>(window->focusWidget()); }
    void press(QKeyCombination key) const {
        QTest::keyClick(window->focusWidget(), key.key(), key.keyboardModifiers());
    }

    QTemporaryDir dir;
    FakeReportServices fake{dir.path()};
    std::unique_ptr<RecordEditor> window;
};

const QStringList editors{QStringLiteral("TfrmRicette"), QStringLiteral("TfrmFarmaci"),
                          QStringLiteral("TfrmPrescrizioni"), QStringLiteral("TfrmPazienti")};

struct Key {
    const char* command;
    QKeyCombination key;
    const char* name;
};

const Key keys[] = {
    {"cmdNuovo", Qt::CTRL | Qt::Key_N, "Ctrl+N"},
    {"cmdDuplica", Qt::CTRL | Qt::Key_D, "Ctrl+D"},
    {"cmdSalva", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
    {"cmdTrova", Qt::CTRL | Qt::Key_F, "Ctrl+F"},
    {"cmdStampa", Qt::CTRL | Qt::Key_P, "Ctrl+P"},
    {"cmdEsporta", Qt::CTRL | Qt::Key_E, "Ctrl+E"},
    {"cmdGuida", QKeyCombination(Qt::Key_F1), "F1"},
    {"cmdPrimo", Qt::ALT | Qt::Key_Home, "Alt+Home"},
    {"cmdIndietro", Qt::ALT | Qt::Key_PageUp, "Alt+PgUp"},
    {"cmdAvanti", Qt::ALT | Qt::Key_PageDown, "Alt+PgDn"},
    {"cmdUltimo", Qt::ALT | Qt::Key_End, "Alt+End"},
};

} // namespace

class TestEditorKeys : public QObject {
    Q_OBJECT
private slots:
    void keyClicksItsButton_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("keyName");
        for (const QString& editor : editors) {
            for (const Key& k : keys)
                QTest::addRow("%s %s", qPrintable(editor), k.name)
                    << editor << QString::fromLatin1(k.command) << k.key
                    << QString::fromLatin1(k.name);
        }
    }
    // The key in the focused field of the form is a click of the button, also where the
    // field would read it as an editing key of its own (Ctrl+D, Ctrl+E); the window it
    // opens, if any, is closed again.
    void keyClicksItsButton() {
        QFETCH(QString, editor);
        QFETCH(QString, command);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, keyName);
        Station s(editor);
        QVERIFY(s.open());
        auto* button = control<QToolButton>(s.window.get(), command);
        QVERIFY(button->toolTip().endsWith(QStringLiteral(" (%1)").arg(keyName)));
        QCOMPARE(button->accessibleDescription(),
                 QStringLiteral("Scorciatoia da tastiera: %1").arg(keyName));
        QVERIFY(!button->accessibleName().isEmpty());
        QSignalSpy clicked(button, &QToolButton::clicked);
        whileModal([&] { s.press(key); });
        QCOMPARE(clicked.size(), 1);
        QVERIFY(s.window->isVisible());
    }

    void navigationKeysMoveAndLeaveTheFieldAlone_data() {
        QTest::addColumn<QString>("editor");
        for (const QString& editor : editors)
            QTest::newRow(qPrintable(editor)) << editor;
    }
    void navigationKeysMoveAndLeaveTheFieldAlone() {
        QFETCH(QString, editor);
        Station s(editor);
        QVERIFY(s.open());
        QCOMPARE(s.window->positionText(), QStringLiteral("1"));
        s.press(Qt::ALT | Qt::Key_End);
        QCOMPARE(s.window->positionText(), QStringLiteral("2"));
        s.press(Qt::ALT | Qt::Key_PageUp);
        QCOMPARE(s.window->positionText(), QStringLiteral("1"));
        s.press(Qt::ALT | Qt::Key_PageDown);
        QCOMPARE(s.window->positionText(), QStringLiteral("2"));
        s.press(Qt::ALT | Qt::Key_Home);
        QCOMPARE(s.window->positionText(), QStringLiteral("1"));

        // Ctrl+E moves a line edit's cursor to the end on this desktop: here it exports
        // and the cursor stays.
        QLineEdit* field = s.focused();
        QVERIFY(field);
        field->setText(QStringLiteral("ABCDEF"));
        field->setCursorPosition(2);
        QString opened;
        whileModal([&] { s.press(Qt::CTRL | Qt::Key_E); },
                   [&](QWidget* modal) { opened = modal->objectName(); });
        QVERIFY2(opened.startsWith(QStringLiteral("TfrmExp")), qPrintable(opened));
        QCOMPARE(field->text(), QStringLiteral("ABCDEF"));
        QCOMPARE(field->cursorPosition(), 2);

        // A new card: the keys in the emptied form still work.
        s.press(Qt::CTRL | Qt::Key_N);
        QCOMPARE(s.window->positionText(), QString());
        s.press(Qt::ALT | Qt::Key_End);
        QCOMPARE(s.window->positionText(), QStringLiteral("2"));
        QVERIFY(s.fake.messages.shown.isEmpty());
    }

    void escapeClosesWhatTheEditorOpens_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        const std::pair<const char*, const char*> opened[] = {
            {"cmdTrova", "search"},
            {"cmdEsporta", "export"},
            {"cmdFile", "attachments"},
            {"cmdGuida", "help"},
        };
        for (const QString& editor : editors) {
            for (const auto& [command, window] : opened)
                QTest::addRow("%s %s", qPrintable(editor), window)
                    << editor << QString::fromLatin1(command) << QString::fromLatin1(window);
        }
        // The patient card goes straight to the print dialog; these have print windows.
        for (const QString& editor : editors.mid(0, 3))
            QTest::addRow("%s print", qPrintable(editor))
                << editor << QStringLiteral("cmdStampa") << QStringLiteral("print");
        QTest::newRow("TfrmRicette open list")
            << QStringLiteral("TfrmRicette") << QStringLiteral("cmdIncompleti")
            << QStringLiteral("list");
        QTest::newRow("TfrmRicette check")
            << QStringLiteral("TfrmRicette") << QStringLiteral("btnCodFisc")
            << QStringLiteral("check");
        QTest::newRow("TfrmPrescrizioni preview")
            << QStringLiteral("TfrmPrescrizioni") << QStringLiteral("cmdAnteprima")
            << QStringLiteral("preview");
        QTest::newRow("TfrmPrescrizioni numbering")
            << QStringLiteral("TfrmPrescrizioni") << QStringLiteral("cmdNumerazione")
            << QStringLiteral("numbering");
        QTest::newRow("TfrmFarmaci to-order list")
            << QStringLiteral("TfrmFarmaci") << QStringLiteral("cmdDisponibili")
            << QStringLiteral("list");
    }
    void escapeClosesWhatTheEditorOpens() {
        QFETCH(QString, editor);
        QFETCH(QString, command);
        Station s(editor);
        QVERIFY(s.open());
        bool closed = false;
        QString name;
        const bool modal = whileModal(
            [&] { QTest::mouseClick(control<QWidget>(s.window.get(), command), Qt::LeftButton); },
            [&](QWidget* window) {
                name = window->objectName();
                QTest::keyClick(window->focusWidget() ? window->focusWidget() : window,
                                Qt::Key_Escape);
                closed = !window->isVisible();
            });
        QVERIFY(modal);
        QVERIFY2(closed, qPrintable(name));
        QVERIFY(s.window->isVisible());
    }

    // Screen readers announce every picture button of the editors and the export windows
    // with a name and a description.
    void everyPictureButtonIsAnnounced_data() {
        QTest::addColumn<QString>("window");
        for (const QString& editor : editors)
            QTest::newRow(qPrintable(editor)) << editor;
        QTest::newRow("TfrmExpRicette") << QStringLiteral("TfrmExpRicette");
        QTest::newRow("TfrmExpFarmaci") << QStringLiteral("TfrmExpFarmaci");
    }
    void everyPictureButtonIsAnnounced() {
        QFETCH(QString, window);
        Station s(editors.contains(window) ? window : editors.first());
        std::unique_ptr<QWidget> exporter;
        if (window == QStringLiteral("TfrmExpRicette"))
            exporter = std::make_unique<TfrmExpRicette>(s.fake.services);
        else if (window == QStringLiteral("TfrmExpFarmaci"))
            exporter = std::make_unique<TfrmExpFarmaci>(s.fake.services);
        QWidget* w = exporter ? exporter.get() : s.window.get();
        const QList<QToolButton*> buttons = w->findChildren<QToolButton*>();
        QVERIFY(buttons.size() >= 3);
        for (QToolButton* b : buttons) {
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
            QVERIFY2(!b->accessibleDescription().isEmpty(), qPrintable(b->objectName()));
        }
    }

    // Escape in an editor keeps the window and what was typed.
    void escapeLeavesTheEditor_data() {
        QTest::addColumn<QString>("editor");
        for (const QString& editor : editors)
            QTest::newRow(qPrintable(editor)) << editor;
    }
    void escapeLeavesTheEditor() {
        QFETCH(QString, editor);
        Station s(editor);
        QVERIFY(s.open());
        QLineEdit* field = s.focused();
        QVERIFY(field);
        field->end(false);
        typeText(field, QStringLiteral("AB"));
        const QString typed = field->text();
        QVERIFY(typed.endsWith(QStringLiteral("AB")));
        s.press(QKeyCombination(Qt::Key_Escape));
        QVERIFY(s.window->isVisible());
        QCOMPARE(field->text(), typed);
        QCOMPARE(s.window->positionText(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestEditorKeys)
#include "tst_editorkeys.moc"
