#include "archive/settings.h"

#include "platform/files.h"
#include "platform/inifile.h"

namespace tarvola::settings {

namespace {

IniFile fileOf(const QString& programFolder, const SettingKey& key) {
    return IniFile(files::join(programFolder, QString::fromLatin1(key.file)));
}

} // namespace

QString read(const QString& programFolder, const SettingKey& key) {
    const QString value =
        fileOf(programFolder, key).read(QString::fromUtf8(key.section), QString::fromUtf8(key.key));
    return value.isEmpty() ? QString::fromUtf8(key.fallback) : value;
}

bool write(const QString& programFolder, const SettingKey& key, const QString& value) {
    return fileOf(programFolder, key)
        .write(QString::fromUtf8(key.section), QString::fromUtf8(key.key), value);
}

QString writeFailedMessage(const SettingKey& key) {
    return QStringLiteral("Attenzione: non è stato possibile salvare le impostazioni nel file ") +
           QString::fromLatin1(key.file) +
           QStringLiteral(".\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                          "cartella di installazione del programma.");
}

} // namespace tarvola::settings
