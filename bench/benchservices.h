#pragma once

#include "platform/services.h"

#include <QList>
#include <QStringList>

namespace tarvola::bench {

// Services that never block: messages are kept instead of shown, questions take the next
// scripted answer (Yes once the script is used up), nothing is handed to the desktop.
class QuietMessages final : public MessageService {
public:
    void show(QWidget*, MessageKind, const QString& text) override { shown << text; }
    Answer ask(QWidget*, const QString& text) override {
        shown << text;
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }
    QList<Answer> answers;
    QStringList shown;
};

class QuietShell final : public ShellService {
public:
    void open(const QString&) override {}
};

class NoFileDialog final : public FileDialogService {
public:
    std::optional<QString> openFile(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class StillClock final : public Clock {
public:
    QDate today() const override { return QDate(2026, 3, 14); }
    QTime now() const override { return QTime(9, 30); }
};

struct QuietServices {
    explicit QuietServices(const QString& folder)
        : services(folder, messages, shell, fileDialog, clock) {}
    QuietMessages messages;
    QuietShell shell;
    NoFileDialog fileDialog;
    StillClock clock;
    Services services;
};

} // namespace tarvola::bench
