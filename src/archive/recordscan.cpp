#include "archive/recordscan.h"

#include "archive/textfield.h"

#include <QFile>

#include <cstring>

namespace tarvola {

QString RecordView::field(qsizetype index) const {
    const FieldDef& f = m_layout->at(index);
    return textfield::decode(m_bytes.sliced(f.offset, f.bytes()), f.capacity);
}

QByteArrayView RecordView::storedText(qsizetype index) const {
    const FieldDef& f = m_layout->at(index);
    return textfield::storedText(m_bytes.sliced(f.offset, f.bytes()), f.capacity);
}

QString RecordView::field(const QString& name) const {
    const qsizetype index = m_layout->indexOf(name);
    Q_ASSERT_X(index >= 0, "RecordView::field", qPrintable(name));
    return field(index);
}

bool scanArchive(const QString& path, const RecordLayout& layout, const RecordVisitor& visit) {
    QFile file(path);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        file.close();
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 size = layout.size();
    // About a megabyte at a time, always whole records.
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / size);
    QByteArray block(perBlock * size, Qt::Uninitialized);
    qint64 position = 0;
    qint64 held = 0; // bytes of block holding data not yet handed out
    for (;;) {
        const qint64 got = file.read(block.data() + held, block.size() - held);
        if (got < 0)
            return false;
        held += got;
        const qint64 whole = held / size;
        for (qint64 i = 0; i < whole; ++i)
            visit(++position, RecordView(layout, QByteArrayView(block).sliced(i * size, size)));
        const qint64 rest = held - whole * size;
        if (got == 0)
            return true; // what is left is a cut-off tail, not a record
        if (rest > 0 && whole > 0)
            std::memmove(block.data(), block.data() + whole * size, rest);
        held = rest;
    }
}

std::function<bool(const RecordVisitor&)> archiveReader(const QString& path,
                                                        const RecordLayout& layout) {
    return [path, &layout](const RecordVisitor& visit) { return scanArchive(path, layout, visit); };
}

} // namespace tarvola
