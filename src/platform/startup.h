#pragma once

#include <QString>

namespace tarvola::startup {

// True for the file name of a dynamic loader (ld-linux-x86-64.so.2, ld.so, ld-musl-…):
// the program started as `ld-linux-x86-64.so.2 /media/chiavetta/Tarvola/tarvola`, which a
// stick mounted without execute bits needs.
bool isDynamicLoader(const QString& path);

// The folder the program keeps everything in: that of its own executable. The process's
// executable is processExecutable; when that is the dynamic loader, the program is the path
// it was started by (startedAs, relative to workingFolder when not absolute), never the
// loader's folder. Empty when neither tells.
QString programFolderOf(const QString& processExecutable, const QString& startedAs,
                        const QString& workingFolder);

// programFolderOf for this process, with argv[0] as startedAs. Empty where the system does
// not tell the process's own executable; QCoreApplication::applicationDirPath() then does.
QString programFolder(const QString& startedAs);

} // namespace tarvola::startup
