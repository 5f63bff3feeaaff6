#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Velmora.ini"));
        QFile::remove(m_path);
    }

    void missingFileReadsEmptyAndFirstWriteCreatesIt() {
        IniFile ini(m_path);
        QCOMPARE(ini.read(QStringLiteral("Ricetta Rossa"), QStringLiteral("Medico")), QString());
        QVERIFY(ini.write(QStringLiteral("Ricetta Rossa"),
                          QStringLiteral("Medico Prescrivente Rigo 1"),
                          QStringLiteral("  Dott. Rossi  ")));
        QCOMPARE(contents(m_path),
                 QByteArray("[Ricetta Rossa]\r\nMedico Prescrivente Rigo 1=Dott. Rossi\r\n"));
    }

    void writeChangesOneKeyAndKeepsEveryOtherByte() {
        const QByteArray before = "; settings of the practice\r\n"
                                  "[Intestazione Studio]\r\n"
                                  "Denominazione=Studio Bianchi\r\n"
                                  "a line that is neither\r\n"
                                  "Rigo 2 = Via Roma 1\r\n"
                                  "\r\n"
                                  "[Modulo Privacy]\r\n"
                                  "Luogo=Pisa\r\n";
        store(m_path, before);
        IniFile ini(m_path);
        QVERIFY(ini.write(QStringLiteral("intestazione studio"), QStringLiteral("RIGO 2"),
                          QStringLiteral("Via Dante 7")));
        QVERIFY(ini.write(QStringLiteral("Intestazione Studio"), QStringLiteral("Luogo"),
                          QStringLiteral("Lucca")));
        QVERIFY(ini.write(QStringLiteral("Numerazione Prescrizioni"), QStringLiteral("Inizio"),
                          QStringLiteral("12")));
        QCOMPARE(contents(m_path), QByteArray("; settings of the practice\r\n"
                                              "[Intestazione Studio]\r\n"
                                              "Denominazione=Studio Bianchi\r\n"
                                              "a line that is neither\r\n"
                                              "RIGO 2=Via Dante 7\r\n"
                                              "Luogo=Lucca\r\n"
                                              "\r\n"
                                              "[Modulo Privacy]\r\n"
                                              "Luogo=Pisa\r\n"
                                              "[Numerazione Prescrizioni]\r\n"
                                              "Inizio=12\r\n"));
        QCOMPARE(ini.read(QStringLiteral("Modulo Privacy"), QStringLiteral("luogo")),
                 QStringLiteral("Pisa"));
        QCOMPARE(ini.read(QStringLiteral("Intestazione Studio"), QStringLiteral("Rigo 2")),
                 QStringLiteral("Via Dante 7"));
    }

    void valuesAreWindows1252() {
        IniFile ini(m_path);
        QVERIFY(ini.write(QStringLiteral("Numerazione Prescrizioni"),
                          QStringLiteral("Indicazione Anno Solare"), QStringLiteral("Sì")));
        QVERIFY(contents(m_path).contains("Indicazione Anno Solare=S\xEC\r\n"));
        QCOMPARE(ini.read(QStringLiteral("Numerazione Prescrizioni"),
                          QStringLiteral("Indicazione Anno Solare")),
                 QStringLiteral("Sì"));
    }

    void readTakesValuesAsStored_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("K=Via Roma, 1; int. 3") << u"Via Roma, 1; int. 3"_qs;
        QTest::newRow("blanks around") << QByteArray("K =   x y   ") << u"x y"_qs;
        QTest::newRow("quoted") << QByteArray("K=\"  a  \"") << u"  a  "_qs;
        QTest::newRow("backslash") << QByteArray("K=C:\\dati\\x") << u"C:\\dati\\x"_qs;
        QTest::newRow("equals inside") << QByteArray("K=a=b") << u"a=b"_qs;
        QTest::newRow("lf only") << QByteArray("K=lf") << u"lf"_qs;
    }
    void readTakesValuesAsStored() {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        const QByteArray eol = QTest::currentDataTag() == QByteArray("lf only") ? "\n" : "\r\n";
        store(m_path, "[S]" + eol + line + eol);
        QCOMPARE(IniFile(m_path).read(QStringLiteral("S"), QStringLiteral("K")), value);
    }

    void keysOfAnotherSectionAreNotFound() {
        store(m_path, "[A]\r\nK=1\r\n[B]\r\nJ=2\r\n");
        IniFile ini(m_path);
        QCOMPARE(ini.read(QStringLiteral("B"), QStringLiteral("K")), QString());
        QVERIFY(ini.write(QStringLiteral("A"), QStringLiteral("J"), QStringLiteral("3")));
        QCOMPARE(contents(m_path), QByteArray("[A]\r\nK=1\r\nJ=3\r\n[B]\r\nJ=2\r\n"));
    }

    void failedWriteLeavesTheOldFileWhole() {
        // A file standing where the settings folder should be makes every write fail,
        // even for root.
        const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
        store(blocker, "not a folder");
        QVERIFY(!IniFile(blocker + QStringLiteral("/x.ini"))
                     .write(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")));

        // A folder standing where the file should be: the write fails and leaves it.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Velmora.ini")));
        QVERIFY(
            !IniFile(m_path).write(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")));
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("Velmora.ini")));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
