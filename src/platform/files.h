#pragma once

#include <QString>

class QSaveFile;

namespace tarvola::files {

bool fileExists(const QString& path);
bool folderExists(const QString& path);

// Creates the folder together with any missing parent; true when it exists afterwards.
[[nodiscard]] bool makeFolder(const QString& path);

// Copies source to target, replacing a file already there. The copy goes to a temporary
// file first, so a failed copy leaves an earlier target whole. True when the target then
// holds the source's bytes.
[[nodiscard]] bool copyFile(const QString& source, const QString& target);

// Replaces the target of the save file with what was written to it, when all of it could be
// written; otherwise removes the temporary file and leaves the earlier target as it was.
// QSaveFile::commit() alone is not enough: it looks only at errors of writes that reached
// the disk before, so data still in its buffer that a full disk refuses at the end would
// be renamed over the earlier file cut short, and reported as saved.
[[nodiscard]] bool commitWhole(QSaveFile& file);

// The path of name inside folder.
QString join(const QString& folder, const QString& name);

} // namespace tarvola::files
