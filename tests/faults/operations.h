#pragma once

#include <optional>

// What the fault tests do to a program folder: put the files of a practice in it, run the
// user's operations that write files through the real windows, and tell afterwards that
// nothing was created, truncated or lost. The fault tests run these in their own process,
// and fault_station runs them in another one (as an unprivileged user, or on a full disk).

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tarvola::testing {

// The password the seeded store holds, and the one the password operation asks for.
inline const QString seededPassword = QStringLiteral("VECCHIA");
inline const QString newPassword = QStringLiteral("NUOVA");

// Puts into the folder what a practice has there: the red prescription archive with `cards`
// cards (none: no archive file), an earlier export, settings, the password store, the logo,
// an attached file, and a new file to attach.
void seedProgramFolder(const QString& folder, int cards = 3);

// The cards of the seeded archive, by number from 1.
QByteArray seededCard(int number);

// Every file and folder below root (root included when it is a file), by its path relative
// to root: a file with its bytes, a folder with the text "<cartella>".
using Snapshot = QMap<QString, QByteArray>;
Snapshot snapshot(const QString& root);

// The user's operations that write or create files:
//   "salva"        the red prescription editor: a new card with patient and first drug,
//                  saved with its Salva button (appended to Archivio_Ricette.pro);
//   "cerca"        the search window's "Cerca", every filter empty;
//   "esporta"      the export window: opens, exports, does not open the file;
//   "impostazioni" writes the first prescribing-doctor line to Velmora.ini;
//   "password"     the change-password window, from the seeded password to a new one;
//   "logo"         stores the default logo as Logo.bmp;
//   "allegato"     copies nuovo_referto.pdf over Documenti_Allegati/referto.pdf (an
//                  attachment chosen again).
QStringList operationNames();

struct Outcome {
    bool failed = false;  // the operation reported a failure
    QStringList messages; // what its windows showed, in order
};

// Runs one operation on the program folder; needs a QApplication.
Outcome runOperation(const QString& name, const QString& folder);

// Runs one operation in the station process (the program at path station) with its
// arguments, and reads back what it reported. Nothing when the station did not finish
// cleanly; skip holds the station's reason when it could not set the case up here.
std::optional<Outcome> runInStation(const QString& station, const QStringList& arguments,
                                    QString& skip);

} // namespace tarvola::testing
