#include "support/fakes.h"

namespace tarvola::testing {

void RecordingMessages::show(QWidget*, MessageKind kind, const QString& text) {
    shown.append({kind, text, false});
    if (onShown)
        onShown(shown.last());
}

Answer RecordingMessages::ask(QWidget*, const QString& text) {
    shown.append({MessageKind::Plain, text, true});
    if (onShown)
        onShown(shown.last());
    return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
}

QStringList RecordingMessages::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

std::optional<QString> ScriptedFileDialog::openFile(QWidget*, const QString& title,
                                                    const QString& filter) {
    titles << title;
    filters << filter;
    return results.isEmpty() ? std::nullopt : results.takeFirst();
}

std::optional<QString> ScriptedFileDialog::saveFile(QWidget*, const QString& title,
                                                    const QString& offered, const QString& filter) {
    suggested << offered;
    return openFile(nullptr, title, filter);
}

std::optional<QString> ScriptedFileDialog::chooseFolder(QWidget*, const QString& title,
                                                        const QString& start) {
    starts << start;
    return openFile(nullptr, title, QString());
}

} // namespace tarvola::testing
