// The INI reader and writer: any settings file reads without fault, and a value written to
// any file reads back as written while every other value stays as it was.

#include "fuzzing.h"

#include "platform/cp1252.h"
#include "platform/inifile.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tarvola;

namespace {

// In memory where the system has a tmpfs for it: every write is synced to disk.
const QString& folder() {
    static QTemporaryDir dir(QDir(QDir(QStringLiteral("/dev/shm")).exists()
                                      ? QStringLiteral("/dev/shm")
                                      : QDir::tempPath())
                                 .filePath(QStringLiteral("fuzz_inifile-XXXXXX")));
    static const QString path = dir.path();
    return path;
}

// Names as the program uses them: letters, digits and blanks inside, of any case.
QString name(QByteArrayView bytes, const char* fallback) {
    static const char alphabet[] = "AbcDeFGhilMnoPrsTuVz 0129";
    QString out;
    for (const char b : bytes)
        out += QLatin1Char(alphabet[static_cast<unsigned char>(b) % (sizeof alphabet - 1)]);
    out = trimText(out);
    return out.isEmpty() ? QString::fromLatin1(fallback) : out;
}

QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input = fuzzing::view(data, size);
    // The first bytes name what is written; the rest is the file as found.
    if (input.size() < 6)
        return 0;
    const QString section = name(input.sliced(0, 2), "Ricetta Rossa");
    const QString key = name(input.sliced(2, 2), "Medico");
    const qsizetype valueLength = static_cast<unsigned char>(input[4]) % 40;
    const QByteArrayView rest = input.sliced(5);
    const QByteArrayView valueBytes = rest.first(std::min(valueLength, rest.size()));
    const QByteArrayView fileBytes = rest.sliced(valueBytes.size());

    // Values are one line of text the code page holds: the program never stores a line break.
    QString value = fromCp1252(valueBytes);
    value.replace(u'\n', u' ').replace(u'\r', u' ');

    const QString path = QDir(folder()).filePath(QStringLiteral("Velmora.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(fileBytes.data(), fileBytes.size()) == fileBytes.size());
    }
    const IniFile ini(path);
    const QStringList probes = {QStringLiteral("Ricetta Rossa"),
                                QStringLiteral("Medico"),
                                QStringLiteral("A"),
                                QStringLiteral("b"),
                                section,
                                key};
    QList<QString> before;
    for (const QString& s : probes) {
        for (const QString& k : probes)
            before << ini.read(s, k);
    }

    FUZZ_CHECK(ini.write(section, key, value));
    FUZZ_CHECK(ini.read(section, key) == unquoted(trimText(value)));
    qsizetype at = 0;
    for (const QString& s : probes) {
        for (const QString& k : probes) {
            const bool written = equalsIgnoringCaseAZ(s, section) && equalsIgnoringCaseAZ(k, key);
            if (!written)
                FUZZ_CHECK(ini.read(s, k) == before[at]);
            ++at;
        }
    }
    return 0;
}
