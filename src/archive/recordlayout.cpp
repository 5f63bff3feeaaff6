#include "archive/recordlayout.h"

#include <QStringList>

namespace tarvola {

RecordLayout& RecordLayout::field(const QString& name, int capacity) {
    Q_ASSERT_X(!m_index.contains(name), "RecordLayout", "field named twice");
    Q_ASSERT(capacity > 0 && capacity <= 255);
    m_index.insert(name, m_fields.size());
    m_fields.append({name, capacity, m_size});
    m_size += capacity + 1;
    return *this;
}

RecordLayout& RecordLayout::run(const QString& stem, int count, int capacity) {
    for (int i = 1; i <= count; ++i)
        field(runName(stem, i), capacity);
    return *this;
}

RecordLayout& RecordLayout::attachments() {
    return run(QStringLiteral("File"), 3, 250).run(QStringLiteral("Desc"), 3, 250);
}

QString runName(const QString& stem, int number) {
    return stem + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QStringList runNames(const QString& stem, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << runName(stem, i);
    return names;
}

int runNumber(const QString& field, const QString& stem) {
    if (field.size() != stem.size() + 2 || !field.startsWith(stem))
        return 0;
    bool ok = false;
    const int number = QStringView(field).sliced(stem.size()).toInt(&ok);
    return ok && field.back().isDigit() && field.at(stem.size()).isDigit() ? number : 0;
}

} // namespace tarvola
