#include "archive/textfield.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <algorithm>

namespace tarvola::textfield {

QByteArray encode(const QString& text, int capacity) {
    Q_ASSERT(capacity > 0 && capacity <= 255);
    QByteArray bytes = toCp1252(trimText(text)).left(capacity);
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) <= ' ')
        bytes.chop(1);
    QByteArray field(capacity + 1, '\0');
    field[0] = static_cast<char>(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), field.begin() + 1);
    return field;
}

QString decode(QByteArrayView bytes, int capacity) {
    return fromCp1252(storedText(bytes, capacity));
}

QByteArrayView storedText(QByteArrayView bytes, int capacity) {
    if (bytes.isEmpty())
        return {};
    const qsizetype stored = static_cast<unsigned char>(bytes.front());
    const qsizetype length = std::min({stored, qsizetype(capacity), bytes.size() - 1});
    QByteArrayView text = bytes.sliced(1, length);
    while (!text.isEmpty() && static_cast<unsigned char>(text.front()) <= ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.chop(1);
    return text;
}

} // namespace tarvola::textfield
