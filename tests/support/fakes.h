#pragma once

#include "platform/services.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tarvola::testing {

// Records every message instead of showing a box, and answers questions from a script.
class RecordingMessages final : public MessageService {
public:
    struct Shown {
        MessageKind kind;
        QString text;
        bool question = false;
    };

    void show(QWidget* parent, MessageKind kind, const QString& text) override;
    Answer ask(QWidget* parent, const QString& text) override;

    // The answers the next questions get, in order; Yes once the script is used up.
    QList<Answer> answers;
    QList<Shown> shown;
    // Called after each message is recorded, while the caller waits as it would on a box.
    std::function<void(const Shown&)> onShown;

    QStringList texts() const;
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }
};

class RecordingShell final : public ShellService {
public:
    void open(const QString& target) override { targets << target; }
    QStringList targets;
};

// Gives the scripted paths in order; a cancellation once they are used up. The open and
// save dialogs take from the same script and record what they were asked in the same lists.
class ScriptedFileDialog final : public FileDialogService {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& start) override;
    QList<std::optional<QString>> results;
    QStringList titles;
    QStringList filters;
    QStringList suggested; // what each save dialog offered
    QStringList starts;    // the folder each folder dialog opened on
};

class FixedClock final : public Clock {
public:
    QDate today() const override { return date; }
    QTime now() const override { return time; }
    QDate date{2026, 3, 14};
    QTime time{9, 30};
};

// A full set of doubles around a program folder.
struct FakeServices {
    explicit FakeServices(const QString& folder)
        : services(folder, messages, shell, fileDialog, clock) {}
    RecordingMessages messages;
    RecordingShell shell;
    ScriptedFileDialog fileDialog;
    FixedClock clock;
    Services services;
};

} // namespace tarvola::testing
