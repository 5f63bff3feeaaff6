#pragma once

#include "archive/record.h"
#include "bench/random.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

namespace tarvola {
class ExportWindow;
class RecordEditor;
class SearchWindow;
class Services;
} // namespace tarvola

namespace tarvola::bench {

// One archive of the program as the benchmark sees it: how to fill realistic cards, and
// the windows that search, recall, navigate and export it. A new archive is one more row
// of this table (a function like ricetteKind() added to archiveKinds(), its file to
// bench/CMakeLists.txt).
struct ArchiveKind {
    QString title;    // its name in the result table
    QString fileName; // in the program folder, e.g. "Archivio_Ricette.pro"
    const RecordLayout* layout = nullptr;

    // Fills card number n (from 0) with varied, realistic contents; the card comes empty.
    std::function<void(Record& card, Random& random, qint64 n)> generate;

    // A word found in a fair share of the cards, looked for by grep -c.
    QByteArray grepWord;

    // The archive's search window; its double click calls `recalled` once for every record
    // it writes into the editor.
    std::function<std::unique_ptr<SearchWindow>(Services& services, std::function<void()> recalled)>
        searchWindow;
    // Two filters of that window (edit objectName, text), both narrowing the result.
    QList<std::pair<QString, QString>> twoFilters;
    // The search, with or without filters, and its double click, against a sequential read.
    double searchTarget = 2;

    // The export window and the file it writes into the program folder.
    std::function<std::unique_ptr<ExportWindow>(Services& services)> exportWindow;
    QString exportFile;
    // The export window's loading of its grid alone against a sequential read; 0 when it
    // is not measured apart.
    double exportLoadTarget = 0;

    // The archive's editor, whose last() (its "last" button) the navigation times.
    std::function<std::unique_ptr<RecordEditor>(Services& services)> editor;
};

ArchiveKind ricetteKind();
ArchiveKind farmaciKind();
ArchiveKind prescrizioniKind();

// The patient archive: its cards, its editor, its search and its export. Its cards are
// 46 KB, so it is measured apart on archives of its own sizes (search, filters, double
// click, export, memory, navigation, a save in place, start-up, the editor's first showing).
ArchiveKind pazientiKind();

// Every archive the benchmark measures.
inline QList<ArchiveKind> archiveKinds() {
    return {ricetteKind(), farmaciKind(), prescrizioniKind()};
}

} // namespace tarvola::bench
