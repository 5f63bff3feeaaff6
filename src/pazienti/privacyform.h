#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace tarvola::privacy {

// The consent form's document, Modulo_Privacy.rtf in the program folder.
inline constexpr const char* documentName = "Modulo_Privacy.rtf";

// The texts of the form's controls by control name (txtStudioDent, txtPaziente, ...);
// a missing control gives an empty text.
using Values = QHash<QString, QString>;

inline constexpr int segmentCount = 50;

// The value as it goes into the document: backslash and braces escaped, so no value can
// break the document or add commands to it.
QString escapeValue(const QString& text);

// The document's 50 segments in Windows-1252, each value trimmed and escaped; a character
// the code page lacks becomes "?".
QList<QByteArray> segments(const Values& values);

// The whole document: the segments one after the other, nothing between or after them.
QByteArray document(const Values& values);

} // namespace tarvola::privacy
