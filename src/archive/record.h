#pragma once

#include "archive/recordlayout.h"

#include <QByteArray>
#include <QStringList>

namespace tarvola {

// One record in memory: the texts of its fields, in the order of its layout. The layout
// must outlive the record (layouts are program-wide constants).
class Record {
public:
    explicit Record(const RecordLayout& layout);

    // The record held by the layout's size in bytes, every field decoded and trimmed.
    static Record fromBytes(const RecordLayout& layout, QByteArrayView bytes);
    // The bytes to store: every field encoded in file order (textfield::encode).
    QByteArray toBytes() const;

    const RecordLayout& layout() const { return *m_layout; }

    // By field name; naming a field the layout lacks is a programming error.
    QString value(const QString& field) const;
    void setValue(const QString& field, const QString& text);

    const QString& at(qsizetype index) const { return m_values.at(index); }
    void setAt(qsizetype index, const QString& text) { m_values[index] = text; }

private:
    qsizetype indexOf(const QString& field) const;

    const RecordLayout* m_layout;
    QStringList m_values;
};

} // namespace tarvola
