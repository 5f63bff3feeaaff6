// The benchmark: generates archives of 1 000, 10 000 and 100 000 realistic cards for every
// archive kind and times the real windows on them, each next to a plain baseline measured
// in the same run, then prints one table of medians and ratios.
//
//   tarvola-bench [--sizes 1000,10000,100000] [--runs N] [--folder DIR] [--keep]
//   tarvola-bench --backup [--runs N] [--folder DIR]
//
// --backup times only a backup of a practice of 10 000 patient cards and 100 000 red
// prescriptions, plain and with a password, against copying the two files as they are.
//
// scripts/bench builds it in Release and runs it headless.

#include "bench/archivekind.h"
#include "bench/benchservices.h"
#include "bench/measure.h"
#include "bench/table.h"

#include "app/application.h"
#include "app/practicearchives.h"
#include "archive/archivefile.h"
#include "archive/exportwindow.h"
#include "archive/recordeditor.h"
#include "archive/searchwindow.h"
#include "backup/backup.h"
#include "checks/places.h"
#include "farmaci/tfrmfarmaci.h"
#include "pazienti/tfrmpazienti.h"
#include "platform/memory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <memory>
#include <unistd.h>

using namespace tarvola;
using namespace tarvola::bench;

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void progress(const QString& text) {
    out() << "  " << text << Qt::endl;
}

void settle() {
    QCoreApplication::processEvents();
}

template <typename W> W* control(QWidget* window, const QString& name) {
    W* found = window->findChild<W*>(name);
    if (!found)
        fail(window->objectName() + QStringLiteral(": no control ") + name);
    return found;
}

const ArchiveKind& kindNamed(const QString& title) {
    // The patient archive is measured apart, but its memory is measured by the same child.
    static const QList<ArchiveKind> kinds = archiveKinds() + QList<ArchiveKind>{pazientiKind()};
    for (const ArchiveKind& kind : kinds) {
        if (kind.title == title)
            return kind;
    }
    fail(QStringLiteral("no archive kind ") + title);
}

// Archives --------------------------------------------------------------------------------

QString programFolder(const QString& root, const ArchiveKind& kind, qint64 records) {
    return QDir(root).filePath(kind.title + u'-' + QString::number(records));
}

// Writes the archives of every size from one stream of cards: the smaller archives are the
// first cards of the larger ones.
void generateArchives(const ArchiveKind& kind, const QString& root, const QList<qint64>& sizes) {
    QList<std::shared_ptr<QFile>> files;
    for (qint64 n : sizes) {
        const QString folder = programFolder(root, kind, n);
        QDir().mkpath(folder);
        auto file = std::make_shared<QFile>(QDir(folder).filePath(kind.fileName));
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail(QStringLiteral("cannot create ") + file->fileName());
        files << file;
    }
    Random random(20260314);
    const qint64 most = *std::max_element(sizes.begin(), sizes.end());
    for (qint64 n = 0; n < most; ++n) {
        Record card(*kind.layout);
        kind.generate(card, random, n);
        const QByteArray bytes = card.toBytes();
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            if (n < sizes[i] && files[i]->write(bytes) != bytes.size())
                fail(QStringLiteral("cannot write ") + files[i]->fileName());
        }
    }
    for (auto& file : files) {
        if (!file->flush())
            fail(QStringLiteral("cannot write ") + file->fileName());
    }
}

// The windows ------------------------------------------------------------------------------

// A search window shown on its filter panel, counting what its double click recalls.
struct SearchSession {
    SearchSession(const ArchiveKind& kind, Services& services)
        : window(kind.searchWindow(services, [this] { ++recalled; })) {
        window->show();
        settle();
    }
    void setFilters(const QList<std::pair<QString, QString>>& filters) {
        for (const auto& [edit, text] : filters)
            control<QLineEdit>(window.get(), edit)->setText(text);
    }
    // Presses "Cerca" and gives the number of lines listed.
    qsizetype search() {
        control<QAbstractButton>(window.get(), QStringLiteral("btnCerca"))->click();
        settle();
        if (!control<QWidget>(window.get(), QStringLiteral("panContainer"))->isVisible())
            fail(QStringLiteral("the search did not show its result"));
        return window->lines().size();
    }
    // Double-clicks the line of the list at row with the mouse.
    void doubleClick(int row) {
        auto* list = control<QListView>(window.get(), QStringLiteral("lstRecords"));
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        settle();
        // As the system delivers a double click: a click, then the second press.
        const QPoint at = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        settle();
    }

    int recalled = 0;
    std::unique_ptr<SearchWindow> window;
};

// Shows the export window, which loads its grid from the archive.
void loadExport(ExportWindow& window) {
    window.show();
    settle();
}

// Opens the export window (which loads its grid) and exports, answering Yes to export and No
// to opening the file.
void exportArchive(ExportWindow& window, QuietMessages& messages) {
    loadExport(window);
    messages.answers = {Answer::Yes, Answer::No};
    control<QAbstractButton>(&window, QStringLiteral("cmdEsporta"))->click();
    settle();
}

// Measurements -----------------------------------------------------------------------------

struct Options {
    QList<qint64> sizes{1000, 10000, 100000};
    int runs = 0; // 0: 15 runs, 7 at 100 000 records and more
    QString folder;
    bool keep = false;
    bool backupOnly = false;
    // The patient archives, 46 KB a card, are generated once into a folder of their own
    // and used again by the next runs.
    QList<qint64> patientSizes{1000, 10000, 50000};
    QString patientFolder = QDir::temp().filePath(QStringLiteral("tarvola-bench-pazienti"));
};

int runsFor(const Options& options, qint64 records) {
    return options.runs > 0 ? options.runs : records >= 100000 ? 7 : 15;
}

void measureSize(const ArchiveKind& kind, const QString& root, qint64 records,
                 const Options& options, QList<Result>& results) {
    const QString folder = programFolder(root, kind, records);
    QuietServices quiet(folder);
    Services& services = quiet.services;
    const QString archive = services.path(kind.fileName);
    const int runs = runsFor(options, records);
    const auto add = [&](const QString& measurement, const Timing& ours, const QString& baseline,
                         double base, double target) {
        results.append({kind.title, records, measurement, ours.median(), baseline, base,
                        QStringLiteral("ms"), target});
    };
    progress(QStringLiteral("%1, %2 records").arg(kind.title, grouped(records)));

    // The read is timed again before every run of every window, so that it meets the same
    // moments of the machine as they do.
    Timing read;
    const auto sampleRead = [&] {
        read.runs << timeRuns(1, [&] {
                         if (readSequentially(archive) != records * kind.layout->size())
                             fail(QStringLiteral("the archive is not whole"));
                     }).runs;
    };
    qint64 hits = 0;
    const Timing grep = timeRuns(runs, [&] { hits = grepCount(archive, kind.grepWord); });
    const QString grepName = QStringLiteral("grep -c ") + QString::fromLatin1(kind.grepWord);

    std::unique_ptr<SearchSession> session;
    qsizetype listed = 0;
    const Timing all = timeRuns(
        runs, [&] { listed = session->search(); },
        [&] {
            session.reset();
            session = std::make_unique<SearchSession>(kind, services);
            sampleRead();
        });
    if (listed != records)
        fail(QStringLiteral("the search listed %1 of %2 records").arg(listed).arg(records));

    const Timing two = timeRuns(
        runs, [&] { listed = session->search(); },
        [&] {
            session.reset();
            session = std::make_unique<SearchSession>(kind, services);
            session->setFilters(kind.twoFilters);
            sampleRead();
        });
    if (listed <= 0 || listed >= records)
        fail(QStringLiteral("the two filters listed %1 of %2 records").arg(listed).arg(records));

    const Timing recall = timeRuns(
        runs, [&] { session->doubleClick(int(records / 2)); },
        [&] {
            session.reset();
            session = std::make_unique<SearchSession>(kind, services);
            session->search();
            sampleRead();
        });
    if (session->recalled < 1 || session->window->isVisible())
        fail(QStringLiteral("the double click recalled nothing"));
    session.reset();

    // The baseline write makes a file of the size of the sheet the run before wrote.
    const QString sheet = services.path(kind.exportFile);
    const QString copy = services.path(QStringLiteral("baseline.out"));
    Timing write;
    const auto sampleWrite = [&] {
        const qint64 size = QFileInfo(sheet).size();
        if (size > 0)
            write.runs << timeRuns(1, [&] { writeFileOfSize(copy, size); }).runs;
    };
    std::unique_ptr<ExportWindow> exporter;
    const Timing exported = timeRuns(
        runs, [&] { exportArchive(*exporter, quiet.messages); },
        [&] {
            exporter.reset();
            exporter = kind.exportWindow(services);
            sampleRead();
            sampleWrite();
        });
    if (exporter->rowCount() != records)
        fail(QStringLiteral("the export grid holds %1 rows").arg(exporter->rowCount()));
    Timing loaded;
    if (kind.exportLoadTarget > 0) {
        loaded = timeRuns(
            runs, [&] { loadExport(*exporter); },
            [&] {
                exporter.reset();
                exporter = kind.exportWindow(services);
                sampleRead();
            });
        if (exporter->rowCount() != records)
            fail(QStringLiteral("the export grid holds %1 rows").arg(exporter->rowCount()));
    }
    exporter.reset();
    const qint64 sheetBytes = QFileInfo(sheet).size();
    if (sheetBytes <= 0)
        fail(QStringLiteral("the export wrote nothing"));
    sampleWrite();
    QFile::remove(copy);
    QFile::remove(sheet);
    // The smallest archive sits in the caches whole and its times are the window's own
    // fixed costs: the targets hold from 10 000 records up.
    const double searchTarget = records >= 10000 ? kind.searchTarget : 2;
    add(QStringLiteral("search, every record"), all, QStringLiteral("sequential read"),
        read.median(), searchTarget);
    add(QStringLiteral("search, every record"), all, grepName, grep.median(), 0);
    add(QStringLiteral("search, two filters"), two, QStringLiteral("sequential read"),
        read.median(), searchTarget);
    add(QStringLiteral("search, two filters"), two, grepName, grep.median(), 0);
    add(QStringLiteral("double click, find the line"), recall, QStringLiteral("sequential read"),
        read.median(), searchTarget);
    add(QStringLiteral("double click, find the line"), recall, grepName, grep.median(), 0);
    if (kind.exportLoadTarget > 0) {
        add(QStringLiteral("export window, loading the grid"), loaded,
            QStringLiteral("sequential read"), read.median(),
            records >= 10000 ? kind.exportLoadTarget : 0);
        add(QStringLiteral("export window, loading the grid"), loaded, grepName, grep.median(), 0);
    }
    add(QStringLiteral("export, whole archive (%1 MB)").arg(double(sheetBytes) / 1e6, 0, 'f', 1),
        exported, QStringLiteral("sequential read + write"), read.median() + write.median(), 3);

    out() << "    grep found " << hits << " lines with " << kind.grepWord << Qt::endl;
}

// Navigation to the last record at every size against the same at the smallest size: it
// must not grow with the archive. Each size has its editor, built once (building one is
// no part of navigating); before every timed "last" the editor goes to the first card, so
// each run shows a card that was not on screen. The sizes take turns, so a drift of the
// machine weighs on all of them alike.
void measureNavigation(const ArchiveKind& kind, const QString& root, const QList<qint64>& sizes,
                       QList<Result>& results) {
    progress(QStringLiteral("%1, navigation").arg(kind.title));
    std::vector<std::unique_ptr<QuietServices>> services;
    std::vector<std::unique_ptr<RecordEditor>> editors;
    QList<Timing> timings(sizes.size());
    for (qint64 records : sizes) {
        services.push_back(std::make_unique<QuietServices>(programFolder(root, kind, records)));
        editors.push_back(kind.editor(services.back()->services));
    }
    for (int run = 0; run < 301; ++run) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            RecordEditor& editor = *editors[size_t(i)];
            timings[i].runs << timeRuns(
                                   1, [&] { editor.last(); }, [&] { editor.first(); })
                                   .runs;
            if (editor.positionText() != QString::number(sizes[i]))
                fail(QStringLiteral("navigation reached %1 of %2")
                         .arg(editor.positionText())
                         .arg(sizes[i]));
        }
    }
    for (const auto& quiet : services) {
        if (!quiet->messages.shown.isEmpty())
            fail(QStringLiteral("navigation said: ") + quiet->messages.shown.first());
    }
    for (qsizetype i = 1; i < sizes.size(); ++i) {
        results.append({kind.title, sizes[i], QStringLiteral("navigation to the last record"),
                        timings[i].median() * 1000, QStringLiteral("same at ") + grouped(sizes[0]),
                        timings[0].median() * 1000, QStringLiteral("\u00b5s"), 1.3});
    }
}

// Creating the 37 windows and showing the login window, in a folder emptied before each
// run and in a folder holding the archives; the runs alternate, so a drift of the machine
// weighs on both alike.
std::pair<Timing, Timing> timeStartUp(const QString& empty, const QString& full, int runs) {
    std::pair<Timing, Timing> timings;
    for (int i = 0; i < runs; ++i) {
        for (const QString& folder : {empty, full}) {
            if (folder == empty) {
                QDir(folder).removeRecursively();
                QDir().mkpath(folder);
            }
            QuietServices quiet(folder);
            std::unique_ptr<Application> app;
            const Timing once = timeRuns(1, [&] {
                app = std::make_unique<Application>(folder, quiet.messages, quiet.shell,
                                                    quiet.fileDialog, quiet.clock);
                app->start();
                settle();
            });
            app.reset();
            settle();
            (folder == empty ? timings.first : timings.second).runs << once.runs;
        }
    }
    return timings;
}

void measureStartUp(const QString& root, const QList<ArchiveKind>& kinds, qint64 records,
                    const Options& options, QList<Result>& results) {
    progress(QStringLiteral("start-up"));
    const QString empty = QDir(root).filePath(QStringLiteral("startup-empty"));
    const QString full = QDir(root).filePath(QStringLiteral("startup-full"));
    QDir().mkpath(full);
    for (const ArchiveKind& kind : kinds) {
        const QString source = QDir(programFolder(root, kind, records)).filePath(kind.fileName);
        const QString target = QDir(full).filePath(kind.fileName);
        QFile::remove(target);
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) !=
                0 &&
            !QFile::copy(source, target))
            fail(QStringLiteral("cannot place ") + target);
    }
    // The first windows of a process load fonts and styles: that run is not counted.
    timeStartUp(empty, full, 1);
    const auto [withNothing, withArchives] =
        timeStartUp(empty, full, options.runs > 0 ? std::max(options.runs, 5) : 7);
    results.append({QStringLiteral("all"), records, QStringLiteral("start-up, 37 windows"),
                    withArchives.median(), QStringLiteral("same, empty folder"),
                    withNothing.median(), QStringLiteral("ms"), 1.3});
}

// Peak memory, measured in a child process of its own so nothing else counts ------------------

// In the child: shows the window, starts a new peak, runs the operation, prints
// "<resident before> <peak after>" in kilobytes.
int peakChild(const QString& operation, const QString& title, const QString& folder) {
    const ArchiveKind& kind = kindNamed(title);
    QuietServices quiet(folder);
    qint64 before = 0;
    if (operation == QStringLiteral("search")) {
        SearchSession session(kind, quiet.services);
        resetPeak();
        before = residentKb();
        session.search();
    } else {
        std::unique_ptr<ExportWindow> window = kind.exportWindow(quiet.services);
        settle();
        resetPeak();
        before = residentKb();
        exportArchive(*window, quiet.messages);
        QFile::remove(quiet.services.path(kind.exportFile));
    }
    out() << before << ' ' << peakResidentKb() << Qt::endl;
    return 0;
}

double peakGrowthMb(const QString& operation, const ArchiveKind& kind, const QString& folder) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), operation, kind.title, folder});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        fail(QStringLiteral("the memory measurement of the %1 failed").arg(operation));
    const QList<QByteArray> kb = child.readAllStandardOutput().trimmed().split(' ');
    if (kb.size() != 2)
        fail(QStringLiteral("the memory measurement gave nothing"));
    return double(kb[1].toLongLong() - kb[0].toLongLong()) / 1024.0;
}

void measurePeaks(const ArchiveKind& kind, const QString& root, qint64 records,
                  QList<Result>& results) {
    progress(QStringLiteral("%1, peak memory at %2 records").arg(kind.title, grouped(records)));
    const QString folder = programFolder(root, kind, records);
    const double archiveMb =
        double(QFileInfo(QDir(folder).filePath(kind.fileName)).size()) / (1024.0 * 1024.0);
    for (const auto& [operation, name] :
         {std::pair{QStringLiteral("search"), QStringLiteral("peak memory, search every record")},
          std::pair{QStringLiteral("export"), QStringLiteral("peak memory, export")}}) {
        results.append({kind.title, records, name, peakGrowthMb(operation, kind, folder),
                        QStringLiteral("archive size on disk"), archiveMb, QStringLiteral("MB"),
                        1});
    }
}

// Patients ---------------------------------------------------------------------------------

// Generates the patient archives unless the folder already holds them whole.
void placePatientArchives(const ArchiveKind& kind, const QString& root,
                          const QList<qint64>& sizes) {
    const bool whole = std::all_of(sizes.begin(), sizes.end(), [&](qint64 n) {
        return QFileInfo(QDir(programFolder(root, kind, n)).filePath(kind.fileName)).size() ==
               n * kind.layout->size();
    });
    if (whole) {
        progress(QStringLiteral("%1: using the archives in %2").arg(kind.title, root));
        return;
    }
    progress(QStringLiteral("%1: generating %2 records into %3")
                 .arg(kind.title, grouped(sizes.back()), root));
    generateArchives(kind, root, sizes);
}

// A save in place of the last card at every size, against the same at the smallest: the
// editor shows the last card, and each run stores it again at its position.
void measureSaveInPlace(const ArchiveKind& kind, const QString& root, const QList<qint64>& sizes,
                        QList<Result>& results) {
    progress(QStringLiteral("%1, save in place").arg(kind.title));
    std::vector<std::unique_ptr<QuietServices>> services;
    std::vector<std::unique_ptr<RecordEditor>> editors;
    QList<Timing> timings(sizes.size());
    for (qint64 records : sizes) {
        services.push_back(std::make_unique<QuietServices>(programFolder(root, kind, records)));
        editors.push_back(kind.editor(services.back()->services));
        editors.back()->last();
    }
    // The baseline of what a save in place adds to writing the card: the same card written
    // over itself at the largest size by the archive alone, with no reread and no compare.
    Timing written;
    const qsizetype largest = sizes.size() - 1;
    const QString largestArchive = services[size_t(largest)]->services.path(kind.fileName);
    const Record card = editors[size_t(largest)]->formRecord();
    for (int run = 0; run < 61; ++run) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            RecordEditor& editor = *editors[size_t(i)];
            timings[i].runs << timeRuns(1, [&] { editor.save(); }).runs;
            if (editor.positionText() != QString::number(sizes[i]))
                fail(QStringLiteral("the save moved the card to %1").arg(editor.positionText()));
        }
        written.runs << timeRuns(1, [&] {
                            ArchiveFile file(largestArchive, *kind.layout);
                            file.write(sizes[largest], card);
                            file.close();
                        }).runs;
    }
    for (const auto& quiet : services) {
        for (const QString& shown : quiet->messages.shown) {
            if (shown.startsWith(QStringLiteral("La scheda era stata modificata")) ||
                shown.startsWith(QStringLiteral("Attenzione: un'altra postazione")))
                fail(QStringLiteral("a save in place found another station's changes"));
        }
    }
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QString archive = services[size_t(i)]->services.path(kind.fileName);
        if (QFileInfo(archive).size() != sizes[i] * kind.layout->size())
            fail(QStringLiteral("a save in place changed the archive's length"));
    }
    for (qsizetype i = 1; i < sizes.size(); ++i) {
        results.append({kind.title, sizes[i], QStringLiteral("save in place, last card"),
                        timings[i].median(), QStringLiteral("same at ") + grouped(sizes[0]),
                        timings[0].median(), QStringLiteral("ms"), 1.3});
    }
    results.append({kind.title, sizes[largest], QStringLiteral("save in place, last card"),
                    timings[largest].median(), QStringLiteral("writing the card alone"),
                    written.median(), QStringLiteral("ms"), 0});
}

// Start-up (the 37 windows, the patient editor among them, and the login) in the folder of
// each patient archive, against the same in the folder of the smallest. The folders take
// turns.
void measurePatientStartUp(const ArchiveKind& kind, const QString& root, const QList<qint64>& sizes,
                           const Options& options, QList<Result>& results) {
    progress(QStringLiteral("%1, start-up").arg(kind.title));
    QList<Timing> timings(sizes.size());
    const int runs = options.runs > 0 ? std::max(options.runs, 5) : 7;
    for (int run = 0; run <= runs; ++run) {
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            const QString folder = programFolder(root, kind, sizes[i]);
            QuietServices quiet(folder);
            std::unique_ptr<Application> app;
            const Timing once = timeRuns(1, [&] {
                app = std::make_unique<Application>(folder, quiet.messages, quiet.shell,
                                                    quiet.fileDialog, quiet.clock);
                app->start();
                settle();
            });
            app.reset();
            settle();
            if (run > 0) // the first run of a process loads fonts and styles
                timings[i].runs << once.runs;
        }
    }
    for (qsizetype i = 1; i < sizes.size(); ++i) {
        results.append({kind.title, sizes[i], QStringLiteral("start-up, 37 windows"),
                        timings[i].median(), QStringLiteral("same at ") + grouped(sizes[0]),
                        timings[0].median(), QStringLiteral("ms"), 1.3});
    }
}

// Building the patient editor and showing it the first time (which clears its 538 fields),
// next to the same for the drug editor.
void measureEditorBuild(const ArchiveKind& kind, const QString& root, qint64 records,
                        QList<Result>& results) {
    progress(QStringLiteral("%1, building the editor").arg(kind.title));
    QuietServices quiet(programFolder(root, kind, records));
    const auto buildAndShow = [&](auto make) {
        return timeRuns(15, [&] {
            auto editor = make();
            editor->show();
            settle();
        });
    };
    const Timing patients =
        buildAndShow([&] { return std::make_unique<TfrmPazienti>(quiet.services); });
    const Timing drugs =
        buildAndShow([&] { return std::make_unique<TfrmFarmaci>(quiet.services); });
    results.append({kind.title, records, QStringLiteral("editor built and first shown"),
                    patients.median(), QStringLiteral("same, drug editor"), drugs.median(),
                    QStringLiteral("ms"), 0});
}

void measurePatients(const Options& options, QList<Result>& results) {
    if (options.patientSizes.isEmpty())
        return;
    const ArchiveKind kind = pazientiKind();
    const QString root = options.patientFolder;
    QDir().mkpath(root);
    placePatientArchives(kind, root, options.patientSizes);
    for (qint64 records : options.patientSizes)
        measureSize(kind, root, records, options, results);
    measurePeaks(kind, root, options.patientSizes.back(), results);
    measureNavigation(kind, root, options.patientSizes, results);
    measureSaveInPlace(kind, root, options.patientSizes, results);
    measurePatientStartUp(kind, root, options.patientSizes, options, results);
    measureEditorBuild(kind, root, options.patientSizes.front(), results);
}

Options parse(const QStringList& args) {
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QStringLiteral("--sizes")) {
            options.sizes.clear();
            for (const QString& n : next.split(u',', Qt::SkipEmptyParts))
                options.sizes << n.toLongLong();
            ++i;
        } else if (a == QStringLiteral("--runs")) {
            options.runs = next.toInt();
            ++i;
        } else if (a == QStringLiteral("--folder")) {
            options.folder = next;
            ++i;
        } else if (a == QStringLiteral("--keep")) {
            options.keep = true;
        } else if (a == QStringLiteral("--backup")) {
            options.backupOnly = true;
        } else if (a == QStringLiteral("--patient-sizes")) {
            options.patientSizes.clear();
            for (const QString& n : next.split(u',', Qt::SkipEmptyParts))
                options.patientSizes << n.toLongLong();
            ++i;
        } else if (a == QStringLiteral("--patient-folder")) {
            options.patientFolder = next;
            ++i;
        } else {
            fail(QStringLiteral("usage: tarvola-bench [--sizes 1000,10000,100000] [--runs N] "
                                "[--folder DIR] [--keep] [--patient-sizes 1000,10000,50000] "
                                "[--patient-folder DIR]"));
        }
    }
    std::sort(options.sizes.begin(), options.sizes.end());
    std::sort(options.patientSizes.begin(), options.patientSizes.end());
    if (!options.sizes.isEmpty() && options.sizes.front() < 2)
        fail(QStringLiteral("sizes must be at least 2 records"));
    return options;
}

} // namespace

// The birthplaces of the codice fiscale: every town of today looked up by its name and
// province, as the patient card does, against a plain hash lookup of each exact name; and
// the table read from the resources at its first use, against reading its bytes.
void measureBirthplaces(const Options& options, QList<Result>& results) {
    const int runs = options.runs > 0 ? options.runs : 15;
    QList<const checks::Town*> today;
    for (const checks::Town& t : checks::PlaceTable::builtIn().towns()) {
        if (t.to.isNull())
            today.append(&t);
    }
    const QDate day(2026, 1, 19);
    qint64 found = 0;
    const Timing lookups = timeRuns(runs, [&] {
        for (const checks::Town* t : today)
            found += checks::PlaceTable::builtIn().town(t->name, t->province, day).code.size();
    });
    QHash<QString, QString> exact;
    for (const checks::Town* t : today)
        exact.insert(t->name + u'/' + t->province, t->code);
    const Timing hashed = timeRuns(runs, [&] {
        for (const checks::Town* t : today)
            found += exact.value(t->name + u'/' + t->province).size();
    });
    if (found == 0)
        fail(QStringLiteral("no birthplace found"));
    const qint64 towns = today.size();
    results.append({QStringLiteral("Luoghi di nascita"), towns,
                    QStringLiteral("every town of today by name and province"), lookups.median(),
                    QStringLiteral("exact names in a QHash"), hashed.median(),
                    QStringLiteral("ms")});

    const auto bytes = [](const char* path) {
        QFile f(QString::fromLatin1(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    qint64 size = 0;
    const Timing parsed =
        timeRuns(runs, [&] { size += checks::PlaceTable::fromResources().towns().size(); });
    const Timing read = timeRuns(runs, [&] {
        size += bytes(":/data/comuni.tsv").size() + bytes(":/data/stati.tsv").size() +
                bytes(":/data/stati_altri_nomi.tsv").size();
    });
    results.append({QStringLiteral("Luoghi di nascita"), towns,
                    QStringLiteral("the table read at its first use"), parsed.median(),
                    QStringLiteral("its bytes from the resources"), read.median(),
                    QStringLiteral("ms")});
}

// A backup of a practice of 10 000 patient cards and 100 000 red prescriptions into a folder
// beside it, written and read back as the backup window does, plain and with a password,
// against copying the two archives as they are; then the size of the zip against the data.
void measureBackup(const QString& root, const Options& options, QList<Result>& results) {
    const int runs = options.runs > 0 ? options.runs : 3;
    const QString practice = QDir(root).filePath(QStringLiteral("studio"));
    QDir().mkpath(practice);
    const QList<std::pair<ArchiveKind, qint64>> archives = {{pazientiKind(), 10000},
                                                            {ricetteKind(), 100000}};
    qint64 dataBytes = 0;
    for (const auto& [kind, records] : archives) {
        progress(QStringLiteral("%1: generating %2 records").arg(kind.title, grouped(records)));
        generateArchives(kind, root, {records});
        const QString from = QDir(programFolder(root, kind, records)).filePath(kind.fileName);
        const QString to = QDir(practice).filePath(kind.fileName);
        QFile::remove(to);
        if (!QFile::rename(from, to))
            fail(QStringLiteral("cannot move ") + from);
        dataBytes += QFileInfo(to).size();
    }
    const QString copies = QDir(root).filePath(QStringLiteral("copie"));
    qint64 zipBytes = 0;
    auto backUp = [&](const QString& password) {
        QDir(copies).removeRecursively();
        backup::Options o;
        o.programFolder = practice;
        o.backupFolder = copies;
        o.password = password;
        o.archives = practiceArchives();
        o.when = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
        const backup::Outcome outcome = backup::create(o);
        if (!outcome.ok)
            fail(outcome.error);
        zipBytes = QFileInfo(outcome.path).size();
    };
    const QString plainCopy = QDir(root).filePath(QStringLiteral("copia-semplice"));
    const Timing copied = timeRuns(runs, [&] {
        QDir(plainCopy).removeRecursively();
        QDir().mkpath(plainCopy);
        for (const auto& [kind, records] : archives)
            if (!QFile::copy(QDir(practice).filePath(kind.fileName),
                             QDir(plainCopy).filePath(kind.fileName)))
                fail(QStringLiteral("cannot copy ") + kind.fileName);
    });
    progress(QStringLiteral("backup without password"));
    const Timing plain = timeRuns(runs, [&] { backUp(QString()); });
    const qint64 plainBytes = zipBytes;
    progress(QStringLiteral("backup with password"));
    const Timing secret = timeRuns(runs, [&] { backUp(QStringLiteral("Segreta-2026")); });
    const qint64 records = 110000;
    results.append({QStringLiteral("Copia di sicurezza"), records,
                    QStringLiteral("backup, written and verified"), plain.median(),
                    QStringLiteral("copying the archives"), copied.median(), QStringLiteral("ms")});
    results.append({QStringLiteral("Copia di sicurezza"), records,
                    QStringLiteral("backup with AES-256"), secret.median(),
                    QStringLiteral("copying the archives"), copied.median(), QStringLiteral("ms")});
    results.append({QStringLiteral("Copia di sicurezza"), records, QStringLiteral("zip size"),
                    double(plainBytes) / 1e6, QStringLiteral("the data"), double(dataBytes) / 1e6,
                    QStringLiteral("MB")});
    out() << QStringLiteral("  data %1 bytes, zip %2 bytes (with password %3), compression "
                            "ratio %4 : 1")
                 .arg(dataBytes)
                 .arg(plainBytes)
                 .arg(zipBytes)
                 .arg(double(dataBytes) / double(plainBytes), 0, 'f', 1)
          << Qt::endl;
}

int main(int argc, char** argv) {
    // As the program does.
    keepFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's chatter would bury the table.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            QTextStream(stderr) << text << '\n';
    });
    QApplication qapp(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("--peak"))
        return peakChild(args[2], args[3], args[4]);

    const Options options = parse(args);
    QElapsedTimer total;
    total.start();
    std::unique_ptr<QTemporaryDir> scratch;
    QString root = options.folder;
    if (root.isEmpty()) {
        scratch = std::make_unique<QTemporaryDir>(
            QDir::current().filePath(QStringLiteral("bench-XXXXXX")));
        scratch->setAutoRemove(!options.keep);
        root = scratch->path();
    } else {
        QDir().mkpath(root);
    }

    if (options.backupOnly) {
        QList<Result> results;
        measureBackup(root, options, results);
        out() << '\n' << resultTable(results) << Qt::endl;
        return 0;
    }

    // An empty --sizes measures the patient archive alone.
    const QList<ArchiveKind> kinds =
        options.sizes.isEmpty() ? QList<ArchiveKind>{} : archiveKinds();
    const qint64 largest = options.sizes.isEmpty() ? 0 : options.sizes.back();
    out() << "Tarvola benchmark, " << QDateTime::currentDateTime().toString(Qt::ISODate) << ", Qt "
          << qVersion() << ", " << QThread::idealThreadCount() << " cores, archives in " << root
          << Qt::endl;
    QList<Result> results;
    for (const ArchiveKind& kind : kinds) {
        progress(QStringLiteral("%1: generating %2 records").arg(kind.title, grouped(largest)));
        generateArchives(kind, root, options.sizes);
        for (qint64 records : options.sizes)
            measureSize(kind, root, records, options, results);
        measureNavigation(kind, root, options.sizes, results);
        measurePeaks(kind, root, largest, results);
    }
    if (!kinds.isEmpty())
        measureStartUp(root, kinds, largest, options, results);
    measurePatients(options, results);
    measureBirthplaces(options, results);

    out() << '\n' << resultTable(results) << '\n';
    const auto missed =
        std::count_if(results.begin(), results.end(), [](const Result& r) { return !r.met(); });
    out() << (missed == 0 ? QStringLiteral("Every target met")
                          : QStringLiteral("%1 target(s) missed").arg(missed))
          << QStringLiteral(", in %1 s.").arg(double(total.elapsed()) / 1000.0, 0, 'f', 0)
          << Qt::endl;
    return 0;
}
