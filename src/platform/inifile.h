#pragma once

#include <QString>

#include <optional>

namespace tarvola {

// A settings file of the classic INI format: "[Section]" lines followed by "Key=Value"
// lines, Windows-1252 text. Section and key names are kept as written, blanks included,
// and are matched without regard to the case of a to z, as the classic readers do.
//
// The file is opened for each read or write and released at once; nothing is cached,
// so another station's change is seen at the next read. A write changes the one key and
// keeps every other byte of the file (comments and lines that are neither section nor
// key included); it goes to a temporary file that replaces the old one only when whole,
// so a failure never leaves a truncated file behind.
class IniFile {
public:
    explicit IniFile(QString path)
        : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The value, trimmed and without one pair of enclosing quotes; empty when the file,
    // the section or the key is missing or the file cannot be read.
    QString read(const QString& section, const QString& key) const;

    // The same, but nothing when the file exists and cannot be read: for the few readers
    // that must tell a missing value from a damaged file.
    std::optional<QString> tryRead(const QString& section, const QString& key) const;

    // Stores the value trimmed, creating the file, the section and the key as needed.
    // Returns false, leaving the old file as it was, when the file cannot be written.
    [[nodiscard]] bool write(const QString& section, const QString& key,
                             const QString& value) const;

private:
    QString m_path;
};

} // namespace tarvola
