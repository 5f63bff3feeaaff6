// The user guide Guida.pdf: written by the build into the program folder, shipped by the
// installation, and made of the same texts as the help window.
#include "help/guide.h"
#include "help/helptopics.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;

namespace {

const QString builtGuide = QString::fromUtf8(TARVOLA_PROGRAM_DIR "/Guida.pdf");

const QStringList topicTitles = {
    QStringLiteral("Uno sguardo a Tarvola 3.0"),
    QStringLiteral("App Ricette Mediche Rosse"),
    QStringLiteral("App Archivio Farmaci"),
    QStringLiteral("App Archivio Pazienti"),
    QStringLiteral("App Emissione Prescrizioni"),
    QStringLiteral("Esportazione archivio ricette in Microsoft Excel"),
    QStringLiteral("Esportazione archivio farmaci in Microsoft Excel"),
    QStringLiteral("Esportazione archivio pazienti in Microsoft Excel"),
    QStringLiteral("Esportazione archivio prescrizioni in Microsoft Excel"),
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << args.join(u' ')
                             << "failed:" << QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the PDF (or of one page), or of its pages in layout.
QString pdfText(const QString& path, int page = 0, bool layout = false) {
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    if (layout)
        args << QStringLiteral("-layout");
    args << path << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

QString collapsed(const QString& text) {
    return text.simplified();
}

int pageCount(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                         QRegularExpression::MultilineOption)
                                          .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestGuidaPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo::exists(builtGuide),
                 qPrintable(builtGuide + QStringLiteral(" missing")));
    }

    void builtGuideHoldsEveryTopicTitle() {
        const QString text = collapsed(pdfText(builtGuide));
        QVERIFY(!text.isEmpty());
        for (const QString& title : topicTitles)
            QVERIFY2(text.contains(title), qPrintable(title));
    }

    // Guide and help say the same: every paragraph of every topic is in the guide.
    void builtGuideHoldsEveryHelpParagraph() {
        const QString text = collapsed(pdfText(builtGuide));
        for (help::TopicId id : help::allTopics()) {
            for (const QString& paragraph : help::paragraphs(id))
                QVERIFY2(text.contains(collapsed(paragraph)), qPrintable(paragraph));
        }
    }

    void builtGuideIsAnA4Manual() {
        const QString info = run(QStringLiteral("pdfinfo"), {builtGuide});
        QVERIFY(info.contains(QStringLiteral("595 x 842 pts (A4)")));
        QVERIFY(info.contains(QStringLiteral("Guida all'utilizzo del software")));
        QVERIFY(pageCount(builtGuide) >= 8);
    }

    // Each entry of the contents page names the page on which that chapter or section is.
    void contentsPointToTheRightPages() {
        const QStringList lines = pdfText(builtGuide, 2, true).split(u'\n');
        const QRegularExpression entry(
            QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s+(\\S.*\\S)\\s+(\\d+)\\s*$"));
        int entries = 0;
        for (const QString& line : lines) {
            const QRegularExpressionMatch m = entry.match(line);
            if (!m.hasMatch())
                continue;
            ++entries;
            const QString title = m.captured(2);
            const int page = m.captured(3).toInt();
            const QString onPage = collapsed(pdfText(builtGuide, page));
            QVERIFY2(onPage.contains(m.captured(1) + u' ' + title) || onPage.contains(title),
                     qPrintable(title + QStringLiteral(" not on page ") + QString::number(page)));
            if (!m.captured(1).contains(u'.'))
                QVERIFY2(onPage.contains(QStringLiteral("CAPITOLO ") + m.captured(1)),
                         qPrintable(title));
        }
        // Six chapters (overview, four apps, assistance) and the four exports.
        QCOMPARE(entries, 10);
    }

    // A section title is never the last line of a page, away from its text.
    void noSectionTitleEndsAPage() {
        const int pages = pageCount(builtGuide);
        const QRegularExpression section(QStringLiteral("^\\s*\\d+\\.\\d+\\s+\\S"));
        for (int page = 3; page <= pages; ++page) {
            QStringList lines = pdfText(builtGuide, page, true).split(u'\n');
            lines.removeIf([](const QString& l) { return l.trimmed().isEmpty(); });
            QVERIFY(lines.size() >= 2);
            const QString last = lines[lines.size() - 2]; // the last one is the page number
            QCOMPARE(lines.last().trimmed(), QString::number(page));
            QVERIFY2(!section.match(last).hasMatch(), qPrintable(last));
        }
    }

    void installationShipsTheGuide() {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        QProcess install;
        install.start(QString::fromUtf8(TARVOLA_CMAKE),
                      {QStringLiteral("--install"), QString::fromUtf8(TARVOLA_BUILD_DIR),
                       QStringLiteral("--prefix"), prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
        const QString installed = prefix.filePath(QStringLiteral("Guida.pdf"));
        QVERIFY(QFileInfo::exists(installed));
        QCOMPARE(digest(installed), digest(builtGuide));
        const QString text = collapsed(pdfText(installed));
        for (const QString& title : topicTitles)
            QVERIFY2(text.contains(title), qPrintable(title));
    }

    void writingIntoAMissingFolderFails() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("manca/Guida.pdf"));
        QVERIFY(!guide::writePdf(path));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(guide::writePdf(dir.filePath(QStringLiteral("Guida.pdf"))));
        QCOMPARE(pageCount(dir.filePath(QStringLiteral("Guida.pdf"))), pageCount(builtGuide));
    }
};

QTEST_MAIN(TestGuidaPdf)
#include "tst_guida_pdf.moc"
