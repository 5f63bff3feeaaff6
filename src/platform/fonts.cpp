#include "platform/fonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace tarvola::fonts {

namespace {

struct Twin {
    const char* asked;
    const char* shipped;
};

constexpr Twin twins[] = {
    {"Arial", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Times New Roman", "Liberation Serif"},
    {"Verdana", "DejaVu Sans"},
};

// The size of the windows' text, as Qt's own default on a desktop without a theme.
constexpr int windowPointSize = 9;

} // namespace

QString shippedFamily(const QString& family) {
    for (const Twin& twin : twins) {
        if (family.compare(QLatin1String(twin.asked), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(twin.shipped);
    }
    return family;
}

QStringList loadBundled(const QString& programFolder) {
    const QDir folder(QDir(programFolder).filePath(QString::fromLatin1(folderName)));
    QStringList families;
    const QStringList files = folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")},
                                               QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const int id = QFontDatabase::addApplicationFont(folder.filePath(file));
        if (id < 0)
            continue;
        for (const QString& family : QFontDatabase::applicationFontFamilies(id)) {
            if (!families.contains(family))
                families.append(family);
        }
    }
    // Anything that still asks for a Windows family by name (a rich text, a style sheet)
    // finds its twin even where fontconfig knows neither.
    for (const Twin& twin : twins)
        QFont::insertSubstitution(QString::fromLatin1(twin.asked),
                                  QString::fromLatin1(twin.shipped));
    const QString windowFamily = QStringLiteral("DejaVu Sans");
    if (families.contains(windowFamily))
        QGuiApplication::setFont(QFont(windowFamily, windowPointSize));
    return families;
}

} // namespace tarvola::fonts
