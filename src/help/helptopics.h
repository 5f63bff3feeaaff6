#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The help topics of the program. The help window shows them one at a time and the user
// guide (Guida.pdf) is written from the very same texts, so the two never disagree.
namespace tarvola::help {

struct Topic {
    QString title;
    QString text; // paragraphs separated by CR LF CR LF
};

enum class TopicId {
    Panoramica,      // the launcher: the program at a glance
    Pazienti,        // patient editor
    Farmaci,         // drug editor
    Prescrizioni,    // prescription editor and its year window
    Ricette,         // red prescription editor
    EsportaPazienti, // export windows, one topic each
    EsportaFarmaci,
    EsportaPrescrizioni,
    EsportaRicette,
};

// The empty line that separates two paragraphs of a topic text.
inline QString paragraphBreak() {
    return QStringLiteral("\r\n\r\n");
}

// Every topic, in the order the user guide presents them.
QList<TopicId> allTopics();

Topic topic(TopicId id);

// The paragraphs of a topic, in order.
QStringList paragraphs(TopicId id);

// The launcher's topic: the program at a glance.
Topic overview();

// The overview is the four apps' topics framed by paragraphs of its own: one that
// presents the program and the ones that close it (Excel, password, network, USB stick).
QStringList overviewOpening();
QStringList overviewClosing();

} // namespace tarvola::help
