#include "support/calc.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tarvola::testing {

CalcSheet readWithCalc(const QString& sheet) {
    CalcSheet out;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        out.missing = true;
        return out;
    }
    QTemporaryDir scratch;
    QProcess office;
    // A profile of its own, so a LibreOffice the user has open does not take the job.
    office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") +
                               scratch.filePath(QStringLiteral("profilo")),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           // comma, double quote, UTF-8, from row 1, cells as shown
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,"
                                          "true,false,true"),
                           QStringLiteral("--outdir"), scratch.path(), sheet});
    if (!office.waitForFinished(240000)) {
        office.kill();
        office.waitForFinished(10000);
        out.error = QStringLiteral("soffice did not finish");
        return out;
    }
    QFile csv(scratch.filePath(QFileInfo(sheet).completeBaseName() + QStringLiteral(".csv")));
    if (!csv.open(QIODevice::ReadOnly)) {
        out.error = QString::fromLocal8Bit(office.readAllStandardError());
        return out;
    }
    out.rows = csvRows(QString::fromUtf8(csv.readAll()));
    return out;
}

QList<QStringList> csvRows(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        rows << (row << cell);
    return rows;
}

} // namespace tarvola::testing
