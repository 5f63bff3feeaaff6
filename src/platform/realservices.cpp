#include "platform/realservices.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace tarvola {

namespace {

const QString messageTitle = QStringLiteral(" Tarvola 3.0");

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void DesktopMessages::show(QWidget* parent, MessageKind kind, const QString& text) {
    QMessageBox box(iconOf(kind), messageTitle, text,
                    kind == MessageKind::Plain ? QMessageBox::Ok
                                               : QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Answer DesktopMessages::ask(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, messageTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::No ? Answer::No : Answer::Yes;
}

void DesktopShell::open(const QString& target) {
    QString text = target;
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    if (text.isEmpty())
        return;
    const bool isUrl = text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
                       text.contains(QLatin1String("://")) ||
                       text.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    if (!isUrl) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(text));
    } else if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("https://") + text));
    } else {
        QDesktopServices::openUrl(QUrl(text, QUrl::TolerantMode));
    }
}

QString qtFileFilter(const QString& filter) {
    // Qt reads the patterns from the parentheses closing each entry, separated by blanks;
    // the description's own "(*.jpg; *.jpeg)" is replaced by that form.
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (description.endsWith(u')') && description.contains(u'('))
            description = description.left(description.lastIndexOf(u'(')).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << description + QStringLiteral(" (") + patterns.simplified() + u')';
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> DesktopFileDialog::openFile(QWidget* parent, const QString& title,
                                                   const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, title, {}, qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> DesktopFileDialog::saveFile(QWidget* parent, const QString& title,
                                                   const QString& suggested,
                                                   const QString& filter) {
    const QString path =
        QFileDialog::getSaveFileName(parent, title, suggested, qtFileFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> DesktopFileDialog::chooseFolder(QWidget* parent, const QString& title,
                                                       const QString& start) {
    const QString path = QFileDialog::getExistingDirectory(parent, title, start);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QDate SystemClock::today() const {
    return QDate::currentDate();
}

QTime SystemClock::now() const {
    return QTime::currentTime();
}

} // namespace tarvola
