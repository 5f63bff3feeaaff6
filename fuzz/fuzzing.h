#pragma once

// What every fuzz target shares: texts made from the fuzzer's bytes, and a check that stops
// the run, as a crash the fuzzer keeps, when a property of the code under test fails.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace tarvola::fuzzing {

// The bytes as text: the first byte picks how the rest is read, so the fuzzer reaches plain
// ASCII, Latin-1, UTF-8 and raw UTF-16 (lone surrogates included) alike.
inline QString text(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return QString();
    const QByteArrayView rest = bytes.sliced(1);
    switch (static_cast<unsigned char>(bytes.front()) % 3) {
    case 0:
        return QString::fromLatin1(rest);
    case 1:
        return QString::fromUtf8(rest);
    default:
        return QString(reinterpret_cast<const QChar*>(rest.data()), rest.size() / 2);
    }
}

inline QByteArrayView view(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace tarvola::fuzzing
