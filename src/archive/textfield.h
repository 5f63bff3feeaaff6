#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarvola::textfield {

// A text field of capacity N takes N + 1 bytes: a length byte L, then L bytes of
// Windows-1252 text, then N - L bytes nobody reads. It is the only kind of field the
// archives have; numbers, dates and flags are stored as the text shown.

// The N + 1 bytes of a text: trimmed of blanks and control characters, converted to
// Windows-1252 ("?" for what the code page lacks), cut to N bytes. Blanks left at the
// end by the cut are dropped too, so a stored text never ends in a blank. The unused
// bytes are zeros.
QByteArray encode(const QString& text, int capacity);

// The text of a field from its N + 1 bytes, trimmed. A length byte larger than the
// capacity, from a file written elsewhere, is read as the capacity.
QString decode(QByteArrayView bytes, int capacity);

// The same text as the stored Windows-1252 bytes, trimmed, not yet decoded: what a scan
// over many records looks at without making a string of every field. Every byte up to the
// blank decodes to a character up to the blank and no other byte does, so trimming here is
// trimming the decoded text.
QByteArrayView storedText(QByteArrayView bytes, int capacity);

// Flag fields (capacity 2) hold "Sì" (S and byte 0xEC) or "No".
inline const QString yes = QStringLiteral("S\u00ec");
inline const QString no = QStringLiteral("No");
inline QString flag(bool on) {
    return on ? yes : no;
}

} // namespace tarvola::textfield
