#include "archive/record.h"

#include "archive/textfield.h"

namespace tarvola {

Record::Record(const RecordLayout& layout)
    : m_layout(&layout) {
    m_values.resize(layout.count());
}

Record Record::fromBytes(const RecordLayout& layout, QByteArrayView bytes) {
    Q_ASSERT(bytes.size() == layout.size());
    Record record(layout);
    for (qsizetype i = 0; i < layout.count(); ++i) {
        const FieldDef& f = layout.at(i);
        record.m_values[i] = textfield::decode(bytes.sliced(f.offset, f.bytes()), f.capacity);
    }
    return record;
}

QByteArray Record::toBytes() const {
    QByteArray bytes;
    bytes.reserve(m_layout->size());
    for (qsizetype i = 0; i < m_layout->count(); ++i)
        bytes += textfield::encode(m_values.at(i), m_layout->at(i).capacity);
    Q_ASSERT(bytes.size() == m_layout->size());
    return bytes;
}

QString Record::value(const QString& field) const {
    return m_values.at(indexOf(field));
}

void Record::setValue(const QString& field, const QString& text) {
    m_values[indexOf(field)] = text;
}

qsizetype Record::indexOf(const QString& field) const {
    const qsizetype index = m_layout->indexOf(field);
    if (index < 0)
        qFatal("Record: no field named %s", qUtf8Printable(field));
    return index;
}

} // namespace tarvola
