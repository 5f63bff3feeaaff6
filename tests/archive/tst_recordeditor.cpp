// The common editor behaviour on a small editor of its own, with every kind of control an
// editor may bind by name, to show that an editor only declares its fields and rules.

#include "archive/archivefile.h"
#include "archive/recordeditor.h"
#include "platform/ui.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const RecordLayout& cardLayout() {
    static const RecordLayout layout = [] {
        RecordLayout l;
        l.field(QStringLiteral("Nome"), 20)
            .field(QStringLiteral("Note"), 100)
            .field(QStringLiteral("Prov"), 2)
            .run(QStringLiteral("Importo"), 2, 12)
            .field(QStringLiteral("Titolare"), 30)
            .field(QStringLiteral("DaOrdinare"), 2)
            .attachments();
        return l;
    }();
    return layout;
}

// What a drugs or patients editor looks like to the mechanism: its fields, one required
// check, a field kept on clearing, amounts that start at "0,00", and a duplicate that does
// not open the archive.
class SmallEditor : public RecordEditor {
public:
    explicit SmallEditor(Services& services)
        : RecordEditor(services, setup()) {
        setObjectName(QStringLiteral("SmallEditor"));
        auto* form = new QWidget;
        named(new QLineEdit(form), QStringLiteral("txtNome"));
        named(new QPlainTextEdit(form), QStringLiteral("txtNote"));
        auto* province = named(new QComboBox(form), QStringLiteral("txtProv"));
        province->setEditable(true);
        province->addItems({QStringLiteral("MI"), QStringLiteral("RM")});
        named(new QLineEdit(form), QStringLiteral("txtImporto01"));
        named(new QLineEdit(form), QStringLiteral("txtImporto02"));
        named(new QLineEdit(form), QStringLiteral("txtTitolare"));
        named(new QCheckBox(form), QStringLiteral("chkDaOrdinare"));
        for (const QString& field :
             runNames(QStringLiteral("File"), 3) + runNames(QStringLiteral("Desc"), 3))
            named(new QLabel(this), QStringLiteral("lbl") + field)->hide();
        setToolbar({command(QStringLiteral("cmdNuovo")), command(QStringLiteral("cmdSalva")),
                    navigator()});
        setForm(form);
        bindFields();
    }

protected:
    void clearExtras() override {
        for (const QString& amount : runNames(QStringLiteral("Importo"), 2))
            setFieldText(amount, QStringLiteral("0,00"));
    }
    void duplicateResets() override { clearExtras(); }

private:
    static EditorSetup setup() {
        EditorSetup s;
        s.layout = &cardLayout();
        s.archiveName = QStringLiteral("Schede.pro");
        s.firstField = QStringLiteral("txtNome");
        s.required = {{{QStringLiteral("Nome")},
                       QStringLiteral("txtNome"),
                       QStringLiteral("Attenzione: manca il nome.")}};
        s.keptOnClear = {QStringLiteral("Titolare")};
        s.emptiedOnDuplicate = {QStringLiteral("DaOrdinare"), QStringLiteral("File01")};
        s.duplicateOpensArchive = false;
        s.duplicateRefusal = QStringLiteral("Attenzione: no.");
        s.duplicateConfirmation = QStringLiteral("Copia pronta.");
        s.hints = {{QStringLiteral("cmdSalva"), QStringLiteral("Salva la scheda.")}};
        return s;
    }
};

// An editor whose form is in parts: its start texts, the parts each operation brings on
// screen, fields a duplicate empties only once the archive opened, and a duplicate that
// reports an archive it cannot open as an error.
class PartsEditor : public RecordEditor {
public:
    explicit PartsEditor(Services& services)
        : RecordEditor(services, setup()) {
        auto* form = new QWidget;
        for (const char* name :
             {"txtNome", "txtNote", "txtImporto01", "txtImporto02", "txtTitolare"})
            named(new QLineEdit(form), QString::fromLatin1(name));
        named(new QComboBox(form), QStringLiteral("txtProv"))->setEditable(true);
        named(new QCheckBox(form), QStringLiteral("chkDaOrdinare"));
        for (const QString& field :
             runNames(QStringLiteral("File"), 3) + runNames(QStringLiteral("Desc"), 3))
            named(new QLabel(this), QStringLiteral("lbl") + field)->hide();
        setToolbar({navigator()});
        setForm(form);
        bindFields();
    }
    QStringList views; // every view shown, in order

protected:
    void showView(const QString& view) override { views << view; }

private:
    static EditorSetup setup() {
        EditorSetup s;
        s.layout = &cardLayout();
        s.archiveName = QStringLiteral("Schede.pro");
        s.firstField = QStringLiteral("txtNome");
        s.required = {
            {{QStringLiteral("Nome")}, QStringLiteral("txtNome"), QStringLiteral("Manca.")}};
        s.startTexts = {{QStringLiteral("Importo01"), QStringLiteral("0,00")},
                        {QStringLiteral("Importo02"), QStringLiteral("0,00")}};
        s.emptiedOnDuplicate = {QStringLiteral("File01")};
        s.emptiedOnDuplicateOnceOpen = {QStringLiteral("Note"), QStringLiteral("Importo02")};
        s.duplicateFailure = MessageKind::Error;
        s.viewsOnClear = {QStringLiteral("uno"), QStringLiteral("pagina")};
        s.viewsOnDuplicate = {QStringLiteral("uno")};
        s.viewsOnRefusedSave = {QStringLiteral("pagina")};
        s.duplicateRefusal = QStringLiteral("No.");
        s.duplicateConfirmation = QStringLiteral("Copia.");
        return s;
    }
};

} // namespace

class TestRecordEditor : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QFile::remove(path());
        QDir(path()).removeRecursively(); // a folder left where the archive goes
    }

    void everyKindOfControlIsSavedAndLoadedByName() {
        FakeServices fake(m_dir.path());
        SmallEditor editor(fake.services);
        editor.show();
        control<QLineEdit>(&editor, QStringLiteral("txtNome"))->setText(QStringLiteral(" Ugo "));
        control<QPlainTextEdit>(&editor, QStringLiteral("txtNote"))
            ->setPlainText(QStringLiteral("riga uno\nriga due"));
        control<QComboBox>(&editor, QStringLiteral("txtProv"))
            ->setCurrentText(QStringLiteral("RM"));
        control<QLineEdit>(&editor, QStringLiteral("txtImporto02"))
            ->setText(QStringLiteral("12,50"));
        control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"))->setChecked(true);
        control<QLabel>(&editor, QStringLiteral("lblDesc02"))->setText(QStringLiteral("Lastra"));
        QTest::mouseClick(control<QToolButton>(&editor, QStringLiteral("cmdSalva")),
                          Qt::LeftButton);
        QCOMPARE(fake.messages.texts(),
                 QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")});

        ArchiveFile file(path(), cardLayout());
        QCOMPARE(file.count(), 1);
        const Record stored = file.read(1);
        QCOMPARE(stored.value(QStringLiteral("Nome")), QStringLiteral("Ugo"));
        QCOMPARE(stored.value(QStringLiteral("Note")), QStringLiteral("riga uno\nriga due"));
        QCOMPARE(stored.value(QStringLiteral("Prov")), QStringLiteral("RM"));
        QCOMPARE(stored.value(QStringLiteral("Importo01")), QStringLiteral("0,00"));
        QCOMPARE(stored.value(QStringLiteral("Importo02")), QStringLiteral("12,50"));
        QCOMPARE(stored.value(QStringLiteral("DaOrdinare")), QStringLiteral("S\u00ec"));
        QCOMPARE(stored.value(QStringLiteral("Desc02")), QStringLiteral("Lastra"));
        file.close();

        QTest::mouseClick(control<QToolButton>(&editor, QStringLiteral("cmdNuovo")),
                          Qt::LeftButton);
        QCOMPARE(control<QPlainTextEdit>(&editor, QStringLiteral("txtNote"))->toPlainText(),
                 QString());
        QVERIFY(!control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"))->isChecked());
        QCOMPARE(control<QLabel>(&editor, QStringLiteral("lblDesc02"))->text(), QString());

        editor.loadRecord(stored, 1);
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtNome"))->text(),
                 QStringLiteral("Ugo"));
        QCOMPARE(control<QPlainTextEdit>(&editor, QStringLiteral("txtNote"))->toPlainText(),
                 QStringLiteral("riga uno\nriga due"));
        QCOMPARE(control<QComboBox>(&editor, QStringLiteral("txtProv"))->currentText(),
                 QStringLiteral("RM"));
        QVERIFY(control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"))->isChecked());
        QCOMPARE(control<QLabel>(&editor, QStringLiteral("lblDesc02"))->text(),
                 QStringLiteral("Lastra"));
        QCOMPARE(editor.positionText(), QStringLiteral("1"));
    }

    void clearingKeepsWhatTheEditorSaysAndSetsItsDefaults() {
        FakeServices fake(m_dir.path());
        SmallEditor editor(fake.services);
        editor.show();
        control<QLineEdit>(&editor, QStringLiteral("txtTitolare"))
            ->setText(QStringLiteral("Dr. X"));
        control<QLineEdit>(&editor, QStringLiteral("txtNome"))->setText(QStringLiteral("Ugo"));
        editor.newCard();
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtTitolare"))->text(),
                 QStringLiteral("Dr. X"));
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtNome"))->text(), QString());
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtImporto01"))->text(),
                 QStringLiteral("0,00"));
    }

    void duplicateWithoutOpeningTheArchive() {
        // The archive cannot be opened; a duplicate that does not open it still works.
        QVERIFY(QDir().mkdir(path()));
        FakeServices fake(m_dir.path());
        SmallEditor editor(fake.services);
        editor.show();
        control<QLineEdit>(&editor, QStringLiteral("txtImporto02"))->setText(QStringLiteral("9"));
        control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"))->setChecked(true);
        control<QLabel>(&editor, QStringLiteral("lblFile01"))->setText(QStringLiteral("a.pdf"));
        control<QLabel>(&editor, QStringLiteral("lblFile02"))->setText(QStringLiteral("b.pdf"));
        control<QLabel>(&editor, QStringLiteral("lblPosizione"))->setText(QStringLiteral("4"));
        editor.duplicate();
        QCOMPARE(fake.messages.texts(), QStringList{QStringLiteral("Copia pronta.")});
        QCOMPARE(editor.positionText(), QString());
        QVERIFY(!control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"))->isChecked());
        QCOMPARE(control<QLabel>(&editor, QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(control<QLabel>(&editor, QStringLiteral("lblFile02"))->text(),
                 QStringLiteral("b.pdf"));
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtImporto02"))->text(),
                 QStringLiteral("0,00"));
    }

    void checkBoxIgnoresOtherStoredTexts() {
        FakeServices fake(m_dir.path());
        SmallEditor editor(fake.services);
        auto* box = control<QCheckBox>(&editor, QStringLiteral("chkDaOrdinare"));
        Record record(cardLayout());
        for (const auto& [stored, ticked] :
             {std::pair{QStringLiteral("S\u00ec"), true}, std::pair{QStringLiteral("si"), true},
              std::pair{QStringLiteral("No"), false}, std::pair{QString(), false}}) {
            record.setValue(QStringLiteral("DaOrdinare"), stored);
            editor.loadRecord(record, 2);
            QCOMPARE(box->isChecked(), ticked);
        }
    }

    void partsEditorLearnsItsDifferencesFromItsSetup() {
        FakeServices fake(m_dir.path());
        PartsEditor editor(fake.services);
        editor.show();
        // Clearing: start texts and the clearing's views.
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtImporto02"))->text(),
                 QStringLiteral("0,00"));
        QCOMPARE(editor.views, (QStringList{QStringLiteral("uno"), QStringLiteral("pagina")}));
        editor.views.clear();
        // A refused save shows its view before the focus moves; loading shows none.
        editor.save();
        QCOMPARE(editor.views, QStringList{QStringLiteral("pagina")});
        editor.views.clear();
        Record record(cardLayout());
        record.setValue(QStringLiteral("Nome"), QStringLiteral("Ugo"));
        record.setValue(QStringLiteral("Note"), QStringLiteral("nota"));
        record.setValue(QStringLiteral("Importo02"), QStringLiteral("7,00"));
        record.setValue(QStringLiteral("File01"), QStringLiteral("a.pdf"));
        editor.loadRecord(record, 3);
        QVERIFY(editor.views.isEmpty());

        // A duplicate the archive refuses: an error; the early fields went, the late stayed.
        QVERIFY(QDir().mkdir(path()));
        fake.messages.clear();
        editor.duplicate();
        QCOMPARE(fake.messages.shown.size(), qsizetype(1));
        QCOMPARE(fake.messages.shown.first().kind, MessageKind::Error);
        QCOMPARE(control<QLabel>(&editor, QStringLiteral("lblFile01"))->text(), QString());
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtNote"))->text(),
                 QStringLiteral("nota"));
        QCOMPARE(editor.positionText(), QString());
        QVERIFY(editor.views.isEmpty());

        // Once the archive opens, the late fields go back to their start texts.
        QVERIFY(QDir().rmdir(path()));
        editor.loadRecord(record, 3);
        fake.messages.clear();
        editor.duplicate();
        QCOMPARE(fake.messages.texts(), QStringList{QStringLiteral("Copia.")});
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtNote"))->text(), QString());
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtImporto02"))->text(),
                 QStringLiteral("0,00"));
        QCOMPARE(control<QLineEdit>(&editor, QStringLiteral("txtNome"))->text(),
                 QStringLiteral("Ugo"));
        QCOMPARE(editor.views, QStringList{QStringLiteral("uno")});
    }

private:
    QString path() const { return m_dir.filePath(QStringLiteral("Schede.pro")); }
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestRecordEditor)
#include "tst_recordeditor.moc"
