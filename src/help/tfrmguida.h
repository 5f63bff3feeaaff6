#pragma once

#include "help/helptopics.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tarvola {

class ClickableLabel;
class Services;

// The help window: one topic (a title and a long text) and the link that opens the user
// guide Guida.pdf of the program folder.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(Services& services, QWidget* parent = nullptr);

    // The topic shown: its title and its text (paragraphs separated by CR LF CR LF).
    void setTopic(const QString& title, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openGuide();

    Services& m_services;
    QLabel* m_title;
    QPlainTextEdit* m_text;
};

// Opens the help window on a topic, modally, as every help button does.
void openHelp(Services& services, QWidget* parent, help::TopicId topic);

} // namespace tarvola
