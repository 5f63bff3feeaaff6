#include "app/password.h"

#include "platform/text.h"

namespace tarvola::password {

namespace {

constexpr quint16 startKey = 31847;
constexpr quint16 multiplier = 40213;
constexpr quint16 addend = 28606;

quint16 advance(quint16 key, quint8 c) {
    return static_cast<quint16>((static_cast<quint32>(c) + key) * multiplier + addend);
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString encode(const QString& plain) {
    static constexpr char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(plain.size() * 2);
    quint16 key = startKey;
    for (const QChar ch : plain) {
        const auto c = static_cast<quint8>((ch.unicode() & 0xFF) ^ (key >> 8));
        out += QLatin1Char(digits[c >> 4]);
        out += QLatin1Char(digits[c & 0x0F]);
        key = advance(key, c);
    }
    return out;
}

std::optional<QString> decode(const QString& hex) {
    const qsizetype pairs = hex.size() / 2;
    QString out;
    out.reserve(pairs);
    quint16 key = startKey;
    for (qsizetype i = 0; i < pairs; ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto c = static_cast<quint8>(high * 16 + low);
        out += QChar(static_cast<char16_t>(c ^ (key >> 8)));
        key = advance(key, c);
    }
    return out;
}

QString normalized(const QString& typed) {
    return trimText(upperAZ(typed));
}

bool storable(const QString& plain) {
    for (const QChar c : plain) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

} // namespace tarvola::password
