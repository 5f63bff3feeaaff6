#pragma once

#include "platform/files.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

class QWidget;

namespace tarvola {

class ReportOutput; // report/reportoutput.h

enum class MessageKind { Plain, Warning, Error, Information };
enum class Answer { Yes, No };

// Message boxes. A plain message has OK; warnings, errors and information have OK and
// Cancel, and which one closes the box makes no difference; a question has Yes and No,
// and a box closed any other way does not count as No. Texts are shown exactly as given.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void show(QWidget* parent, MessageKind kind, const QString& text) = 0;
    virtual Answer ask(QWidget* parent, const QString& text) = 0;

    void plain(QWidget* parent, const QString& text) { show(parent, MessageKind::Plain, text); }
    void warning(QWidget* parent, const QString& text) { show(parent, MessageKind::Warning, text); }
    void error(QWidget* parent, const QString& text) { show(parent, MessageKind::Error, text); }
    void information(QWidget* parent, const QString& text) {
        show(parent, MessageKind::Information, text);
    }
};

// Hands a target to the desktop: a file or folder path in double quotes, a "mailto:"
// text or a web address. The outcome is never looked at.
class ShellService {
public:
    virtual ~ShellService() = default;
    virtual void open(const QString& target) = 0;
};

// The file dialogs. The filter is pairs of description and patterns separated by
// "|" ("Immagine Bitmap (*.bmp)|*.bmp"). Gives the chosen file's full path, or nothing
// when the user cancels.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& filter) = 0;
    // The save-file dialog, opened on the suggested path (folder and file name). Gives the
    // full path chosen, or nothing when the user cancels; an existing file is replaced only
    // once the user has confirmed it in the dialog.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title,
                                            const QString& suggested, const QString& filter) = 0;
    // The folder dialog, opened on the start folder (when it exists). Gives the chosen
    // folder's full path, or nothing when the user cancels.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                                const QString& start) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QTime now() const = 0;
};

// Everything a window needs from outside: the program folder and the replaceable
// services. One instance lives as long as the Application; windows keep a reference.
class Services {
public:
    Services(QString programFolder, MessageService& messages, ShellService& shell,
             FileDialogService& fileDialog, Clock& clock, ReportOutput* reports = nullptr)
        : m_folder(std::move(programFolder))
        , m_messages(messages)
        , m_shell(shell)
        , m_fileDialog(fileDialog)
        , m_clock(clock)
        , m_reports(reports) {}

    const QString& programFolder() const { return m_folder; }
    // The path of a file of the program folder.
    QString path(const QString& name) const { return files::join(m_folder, name); }

    MessageService& messages() const { return m_messages; }
    ShellService& shell() const { return m_shell; }
    FileDialogService& fileDialog() const { return m_fileDialog; }
    const Clock& clock() const { return m_clock; }
    // The printer, preview and PDF output of reports; set once the report layer exists.
    ReportOutput* reports() const { return m_reports; }
    void setReports(ReportOutput* reports) { m_reports = reports; }

private:
    QString m_folder;
    MessageService& m_messages;
    ShellService& m_shell;
    FileDialogService& m_fileDialog;
    Clock& m_clock;
    ReportOutput* m_reports;
};

} // namespace tarvola
