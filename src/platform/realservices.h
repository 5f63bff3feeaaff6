#pragma once

#include "platform/services.h"

namespace tarvola {

class DesktopMessages final : public MessageService {
public:
    void show(QWidget* parent, MessageKind kind, const QString& text) override;
    Answer ask(QWidget* parent, const QString& text) override;
};

class DesktopShell final : public ShellService {
public:
    void open(const QString& target) override;
};

class DesktopFileDialog final : public FileDialogService {
public:
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& start) override;
};

class SystemClock final : public Clock {
public:
    QDate today() const override;
    QTime now() const override;
};

// "A (*.a)|*.a;*.b|B|*.c" as the filter list of a Qt file dialog.
QString qtFileFilter(const QString& filter);

} // namespace tarvola
