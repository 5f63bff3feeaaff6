#pragma once

#include <QString>

namespace tarvola::files {

bool fileExists(const QString& path);
bool folderExists(const QString& path);

// Creates the folder together with any missing parent; true when it exists afterwards.
[[nodiscard]] bool makeFolder(const QString& path);

// Copies source to target, replacing a file already there. The copy goes to a temporary
// file first, so a failed copy leaves an earlier target whole. True when the target then
// holds the source's bytes.
[[nodiscard]] bool copyFile(const QString& source, const QString& target);

// The path of name inside folder.
QString join(const QString& folder, const QString& name);

} // namespace tarvola::files
