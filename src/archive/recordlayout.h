#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace tarvola {

// One text field of a record: its name, capacity and the offset of its length byte.
struct FieldDef {
    QString name;
    int capacity = 0;
    int offset = 0;
    int bytes() const { return capacity + 1; }
};

// The fields of a record kind in file order, packed without gaps. Layouts are written
// as tables; offsets and the record size follow from the capacities:
//
//   RecordLayout layout;
//   layout.field("Assistito", 50).run("Ese", 6, 1).attachments();
class RecordLayout {
public:
    RecordLayout& field(const QString& name, int capacity);
    // count fields named stem01, stem02, ... (two digits), one after the other.
    RecordLayout& run(const QString& stem, int count, int capacity);
    // File01 ... File03 and Desc01 ... Desc03 of capacity 250, with which every record ends.
    RecordLayout& attachments();

    int size() const { return m_size; }
    qsizetype count() const { return m_fields.size(); }
    const QList<FieldDef>& fields() const { return m_fields; }
    const FieldDef& at(qsizetype index) const { return m_fields.at(index); }
    // The position of a field in the list, -1 when the layout has no such field.
    qsizetype indexOf(const QString& name) const { return m_index.value(name, -1); }
    bool contains(const QString& name) const { return m_index.contains(name); }

private:
    QList<FieldDef> m_fields;
    QHash<QString, qsizetype> m_index;
    int m_size = 0;
};

// stem followed by the number in two digits: runName("Presc", 3) is "Presc03".
QString runName(const QString& stem, int number);

// The names stem01 ... stemNN.
QStringList runNames(const QString& stem, int count);

// The number of a field of a run of stem ("ImpPrest12": 12), 0 when the field is none.
int runNumber(const QString& field, const QString& stem);

} // namespace tarvola
