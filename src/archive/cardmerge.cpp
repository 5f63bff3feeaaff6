#include "archive/cardmerge.h"

#include "archive/textfield.h"

namespace tarvola {

namespace {

// The text a field would hold once stored: trimmed, in the code page, cut to its capacity.
QString storedForm(const QString& text, int capacity) {
    return textfield::decode(textfield::encode(text, capacity), capacity);
}

} // namespace

CardMerge mergeCard(const Record& loaded, const Record& here, QByteArrayView disk) {
    const RecordLayout& layout = loaded.layout();
    Q_ASSERT(&here.layout() == &layout && disk.size() == layout.size());
    CardMerge result{CardMerge::Outcome::Unchanged, here, {}};
    bool changedThere = false;
    for (qsizetype i = 0; i < layout.count(); ++i) {
        const FieldDef& f = layout.at(i);
        const QByteArrayView bytes = disk.sliced(f.offset, f.bytes());
        const bool damaged = static_cast<unsigned char>(bytes.front()) > f.capacity;
        const QString there = textfield::decode(bytes, f.capacity);
        if (!damaged && there == loaded.at(i))
            continue;
        changedThere = true;
        const QString mine = storedForm(here.at(i), f.capacity);
        if (mine == loaded.at(i))
            result.merged.setAt(i, there);
        else if (mine != there)
            result.conflicts.append(i);
    }
    if (changedThere)
        result.outcome =
            result.conflicts.isEmpty() ? CardMerge::Outcome::Merged : CardMerge::Outcome::Conflict;
    return result;
}

QString mergedMessage() {
    return QStringLiteral("La scheda era stata modificata da un'altra postazione dopo che è stata "
                          "aperta: le modifiche di entrambe le postazioni sono state unite e "
                          "salvate in archivio.");
}

QString conflictQuestion(const QStringList& labels) {
    QStringList named;
    for (const QString& label : labels) {
        if (!named.contains(label))
            named.append(label);
    }
    return QStringLiteral("Attenzione: un'altra postazione ha modificato questa scheda dopo che è "
                          "stata aperta, anche nei campi: ") +
           named.join(QStringLiteral(", ")) +
           QStringLiteral(".\r\n\r\nSovrascriverli con i valori di questa postazione?");
}

} // namespace tarvola
