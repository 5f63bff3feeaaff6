#include "archive/exportwindow.h"
#include "support/fakes.h"
#include "support/memoryarchive.h"
#include "support/widgets.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString confirm =
    u"L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"_qs;
const QString done =
    u"Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file "
    "di Excel?"_qs;
const QString failed = u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                       "Accertarsi che il file di Excel non sia già aperto."_qs;

const RecordLayout& sampleLayout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(u"Nome"_qs, 30).field(u"CodMin"_qs, 10).field(u"Classe"_qs, 4);
        return r;
    }();
    return l;
}

class Window : public ExportWindow {
public:
    Window(Services& s, QList<QStringList> records)
        : ExportWindow(s)
        , records(std::move(records)) {
        ExportTable t;
        t.read = [this](const RecordVisitor& visit) {
            MemoryArchive archive(sampleLayout());
            for (const QStringList& r : this->records)
                archive.add(r);
            return archive.reader()(visit);
        };
        t.columns = {
            {u"colNome"_qs, u"Nome"_qs, u"Nome farmaco"_qs, 250,
             [](const RecordView& r) { return r.field(0); }},
            {u"colCodMin"_qs, u"Codice Minsan"_qs, u"Codice Minsan"_qs, 250,
             [](const RecordView& r) { return r.field(1) + u" - Classe: "_qs + r.field(2); }},
        };
        t.fileName = u"Archivio_Prove.xls"_qs;
        t.sheetName = u"Archivio Prove"_qs;
        setTable(std::move(t));
    }
    QList<QStringList> records;
};

// A field shown as stored, a computed cell of the length the second field gives (in "x"
// characters, then an "è"), and another field after it. Read in file order, or in parts on
// threads of their own (the part brokenPart failing after its first record).
class FieldWindow : public ExportWindow {
public:
    FieldWindow(Services& s, QList<QStringList> records, bool parted = false, int brokenPart = -1)
        : ExportWindow(s)
        , records(std::move(records)) {
        ExportTable t;
        t.read = [this](const RecordVisitor& visit) {
            MemoryArchive archive(sampleLayout());
            for (const QStringList& r : this->records)
                archive.add(r);
            return archive.reader()(visit);
        };
        if (parted) {
            t.partedRead = [this, brokenPart](int parts, const PartVisitor& visit) {
                MemoryArchive archive(sampleLayout());
                for (const QStringList& r : this->records)
                    archive.add(r);
                archive.brokenPart = brokenPart;
                return archive.partedReader(3)(parts, visit);
            };
        }
        t.columns = {
            fieldColumn(sampleLayout(), u"Nome"_qs, u"Nome"_qs, 250),
            computedColumn(u"colLungo"_qs, u"Lungo"_qs, 300,
                           [](const RecordView& r) {
                               return QString(r.field(1).toInt(), u'x') + u"\u00e8"_qs;
                           }),
            fieldColumn(sampleLayout(), u"Classe"_qs, u"Classe"_qs, 100),
        };
        t.fileName = u"Archivio_Prove.xls"_qs;
        t.sheetName = u"Archivio Prove"_qs;
        setTable(std::move(t));
    }
    QList<QStringList> records;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestExportWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        m_file = m_dir->filePath(u"Archivio_Prove.xls"_qs);
    }

    void gridShowsTheArchiveAndExportsIt() {
        Window w(m_fakes->services, {{u"Tachipirina & C."_qs, u"012745"_qs, u"A"_qs},
                                     {u"Aspirina"_qs, u""_qs, u""_qs}});
        w.show();
        auto* model = control<QTableView>(&w, u"grdRecords"_qs)->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), u"N."_qs);
        QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::UserRole).toString(), u"colCodMin"_qs);
        QCOMPARE(model->index(1, 0).data().toString(), u"2"_qs);
        QCOMPARE(model->index(0, 2).data().toString(), u"012745 - Classe: A"_qs);
        QCOMPARE(model->index(1, 2).data().toString(), u"- Classe:"_qs);

        m_fakes->messages.answers = {Answer::Yes, Answer::Yes};
        control<QToolButton>(&w, u"cmdEsporta"_qs)->click();
        QCOMPARE(m_fakes->messages.texts(), (QStringList{confirm, done}));
        QCOMPARE(m_fakes->shell.targets, QStringList{u'"' + m_file + u'"'});
        const QByteArray sheet = readAll(m_file);
        QVERIFY(sheet.contains("<x:Name>Archivio Prove</x:Name>"));
        QVERIFY(sheet.contains("width=250>Nome farmaco</td>"));
        QVERIFY(sheet.contains(
            "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Tachipirina &amp; C.</td>"
            "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">012745 - Classe: A</td>"));
        // The number column is not exported: two cells a row.
        QCOMPARE(sheet.count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">"), 4);
        QVERIFY(w.isVisible());
    }

    // The grid keeps a stored field's bytes as they are and a computed text in Windows-1252;
    // the sheet gets those bytes, escaped, and the grid shows them decoded. Cells of any
    // length keep the cells after them in place.
    void cellsKeepTheirTextFromArchiveToGridAndSheet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QByteArray>("sheetName"); // the name's cell in the sheet
        QTest::newRow("code page characters")
            << u"\u20ac 5 & <b>Più</b> \u0081"_qs << 0 << u"A"_qs
            << QByteArray("\x80 5 &amp; &lt;b&gt;Pi\xF9&lt;/b&gt; \x81");
        QTest::newRow("empty") << QString() << 3 << QString() << QByteArray();
        QTest::newRow("254 bytes") << u"Oki"_qs << 253 << u"C"_qs << QByteArray("Oki");
        QTest::newRow("255 bytes") << u"Oki"_qs << 254 << u"C"_qs << QByteArray("Oki");
        QTest::newRow("300 bytes") << u"Oki"_qs << 299 << u"H"_qs << QByteArray("Oki");
        QTest::newRow("70 000 bytes") << u"Oki"_qs << 69999 << u"A"_qs << QByteArray("Oki");
    }
    void cellsKeepTheirTextFromArchiveToGridAndSheet() {
        QFETCH(QString, name);
        QFETCH(int, length);
        QFETCH(QString, classe);
        QFETCH(QByteArray, sheetName);
        // A second record after it: its cells start where the first row's end.
        FieldWindow w(m_fakes->services,
                      {{name, QString::number(length), classe}, {u"Seconda"_qs, u"1"_qs, u"B"_qs}});
        w.show();
        const QString longText = QString(length, u'x') + u"\u00e8"_qs;
        const QList<QStringList> expected = {{name, longText, classe},
                                             {u"Seconda"_qs, u"x\u00e8"_qs, u"B"_qs}};
        QCOMPARE(w.rows(), expected);
        auto* model = control<QTableView>(&w, u"grdRecords"_qs)->model();
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column)
                QCOMPARE(model->index(row, column + 1).data().toString(), expected[row][column]);
        }

        m_fakes->messages.answers = {Answer::Yes, Answer::No};
        control<QToolButton>(&w, u"cmdEsporta"_qs)->click();
        const QByteArray left = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
        const QByteArray sheet = readAll(m_file);
        QVERIFY2(sheet.contains("<tr>" + left + sheetName + "</td>" + left +
                                QByteArray(length, 'x') + "\xE8</td>" + left + classe.toLatin1() +
                                "</td></tr><tr>" + left + "Seconda</td>" + left + "x\xE8</td>" +
                                left + "B</td></tr></table>"),
                 sheet.right(400).constData());
    }

    // Rows built in parts are joined in file order; after a failure only the rows that
    // follow on from the first record stay, with no gap.
    void partsJoinInFileOrder_data() {
        QTest::addColumn<int>("brokenPart");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("every part read")
            << -1 << QStringList{u"A"_qs, u"B"_qs, u"C"_qs, u"D"_qs, u"E"_qs, u"F"_qs};
        QTest::newRow("first part failed") << 0 << QStringList{u"A"_qs};
    }
    void partsJoinInFileOrder() {
        QFETCH(int, brokenPart);
        QFETCH(QStringList, names);
        QList<QStringList> records;
        for (const QChar c : u"ABCDEF"_qs)
            records.append({QString(c), u"1"_qs, u"K"_qs});
        FieldWindow w(m_fakes->services, records, true, brokenPart);
        w.show();
        auto* model = control<QTableView>(&w, u"grdRecords"_qs)->model();
        QStringList shown;
        for (int row = 0; row < w.rowCount(); ++row) {
            QCOMPARE(model->index(row, 0).data().toString(), QString::number(row + 1));
            shown << model->index(row, 1).data().toString();
        }
        QCOMPARE(shown, names);
        QCOMPARE(model->index(0, 2).data().toString(), u"x\u00e8"_qs);
        // The rows the sheet is written from, whole, across the parts.
        const QList<QStringList> rows = w.rows();
        QCOMPARE(rows.size(), names.size());
        for (qsizetype r = 0; r < rows.size(); ++r)
            QCOMPARE(rows[r].first(), names[r]);
        QCOMPARE(rows.last().size(), rows.first().size());
    }

    void emptyArchiveExportsTenEmptyRows() {
        Window w(m_fakes->services, {});
        w.show();
        QCOMPARE(control<QTableView>(&w, u"grdRecords"_qs)->model()->rowCount(), 10);
        m_fakes->messages.answers = {Answer::Yes, Answer::No};
        control<QToolButton>(&w, u"cmdEsporta"_qs)->click();
        const QByteArray sheet = readAll(m_file);
        QCOMPARE(sheet.count("<tr>"), 11);
        QCOMPARE(sheet.count("<td style=\"text-align: left;\" sdnum=\"1040;0;@\"></td>"), 20);
        QVERIFY(m_fakes->shell.targets.isEmpty()); // No: written, not opened
    }

    void noToTheFirstQuestionWritesNothing() {
        Window w(m_fakes->services, {{u"x"_qs, u""_qs, u""_qs}});
        w.show();
        m_fakes->messages.answers = {Answer::No};
        control<QToolButton>(&w, u"cmdEsporta"_qs)->click();
        QCOMPARE(m_fakes->messages.texts(), QStringList{confirm});
        QVERIFY(!QFile::exists(m_file));
    }

    void failedExportKeepsTheWindowAndTheEarlierFile() {
        Window w(m_fakes->services, {{u"x"_qs, u""_qs, u""_qs}});
        w.show();
        QVERIFY(QDir(m_dir->path()).mkdir(u"Archivio_Prove.xls"_qs)); // in the way
        control<QToolButton>(&w, u"cmdEsporta"_qs)->click();
        QCOMPARE(m_fakes->messages.texts(), (QStringList{confirm, failed}));
        QCOMPARE(m_fakes->messages.shown[1].kind, MessageKind::Plain);
        QVERIFY(w.isVisible());
        QVERIFY(m_fakes->shell.targets.isEmpty());
    }

    void statusLineNamesTheButtonUnderTheMouse() {
        Window w(m_fakes->services, {});
        w.show();
        auto* info = control<QLabel>(&w, u"panInfo"_qs);
        QCOMPARE(info->text(), u"Esportazione archivio in Microsoft Excel."_qs);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(control<QToolButton>(&w, u"cmdGuida"_qs), &enter);
        QCOMPARE(info->text(), u"Visualizza la pagina della guida sensibile al contesto."_qs);
        QCoreApplication::sendEvent(control<QTableView>(&w, u"grdRecords"_qs)->viewport(), &enter);
        QCOMPARE(info->text(), QString());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    QString m_file;
};

QTEST_MAIN(TestExportWindow)
#include "tst_exportwindow.moc"
