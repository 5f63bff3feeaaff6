#pragma once

#include <QString>

namespace tarvola::help {

struct Topic {
    QString title;
    QString text; // paragraphs separated by CR LF CR LF
};

// The launcher's topic: the program at a glance.
Topic overview();

} // namespace tarvola::help
