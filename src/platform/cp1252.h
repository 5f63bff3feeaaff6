#pragma once

#include <QByteArray>
#include <QString>

namespace tarvola {

// Windows-1252, the code page of every archive, settings file and export.
// Encoding writes "?" for each character the code page lacks (one per character, even
// outside the Basic Multilingual Plane). Decoding is lossless: the five bytes the code
// page leaves undefined come back as the control characters of the same value, so a
// decode followed by an encode gives back the same bytes.
QByteArray toCp1252(QStringView text);
QString fromCp1252(QByteArrayView bytes);
// Decodes the bytes onto the end of out, without a string of their own.
void appendCp1252(QString& out, QByteArrayView bytes);
// Decodes the bytes into the characters from dst on (one a byte); gives the end.
QChar* decodeCp1252(QChar* dst, QByteArrayView bytes);

// The byte a character becomes, or -1 when the code page lacks it.
int cp1252Byte(char16_t c);

} // namespace tarvola
