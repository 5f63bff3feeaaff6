#include "platform/cp1252.h"

namespace tarvola {

namespace {

// Characters of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (high[i] == c)
            return 0x80 + i;
    }
    return -1;
}

QByteArray toCp1252(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i; // one character, one question mark
            out.append('?');
            continue;
        }
        const int b = cp1252Byte(c);
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

QChar* decodeCp1252(QChar* dst, QByteArrayView bytes) {
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return dst;
}

QString fromCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    decodeCp1252(out.data(), bytes);
    return out;
}

void appendCp1252(QString& out, QByteArrayView bytes) {
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    decodeCp1252(out.data() + at, bytes);
}

} // namespace tarvola
