#pragma once

#include "archive/record.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvola {

// What a save in place does when the card on disk may have been saved meanwhile by another
// station. Cards are compared field by field by their texts as stored: what lies after a
// field's length byte means nothing. A field whose length byte exceeds its capacity (a
// damaged card, written elsewhere) counts as changed on disk.
struct CardMerge {
    enum class Outcome {
        Unchanged, // nobody else saved the card: write the form as it is
        Merged,    // only fields this form left alone changed on disk: write merged
        Conflict,  // some field changed on both sides to different texts: ask first
    };
    Outcome outcome = Outcome::Unchanged;
    // Each field this form changed takes the form's text (so on a conflict this station's),
    // every other field the disk's.
    Record merged;
    // The conflicting fields, as positions in the layout, in file order.
    QList<qsizetype> conflicts;
};

// loaded: the card as this station read it. here: the card as this station would save it,
// where a field the form did not change holds loaded's text. disk: the card's bytes as the
// archive holds them now.
CardMerge mergeCard(const Record& loaded, const Record& here, QByteArrayView disk);

// The information shown after a merge was saved.
QString mergedMessage();

// The question asked before overwriting fields another station changed, naming their
// on-screen labels; the same label twice is named once.
QString conflictQuestion(const QStringList& labels);

} // namespace tarvola
