#include "archive/exportwindow.h"

#include "archive/spreadsheet.h"
#include "help/tfrmguida.h"
#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>
#include <vector>

namespace tarvola {

namespace {

const QString confirmExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
    "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString exported = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
    "Excel?");
const QString exportFailed =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");
const QString readyText = QStringLiteral("Esportazione archivio in Microsoft Excel.");

constexpr int designedRows = 10;

} // namespace

// The grid's cells, compact: an archive of 100 000 records makes millions of cells, so they
// are kept as the Windows-1252 bytes the archive stores, each after its length (one byte,
// or 255 and four more bytes for a cell of 255 bytes or longer), every row after the one
// before in one array, with where each row begins. A cell becomes a string only when the grid
// shows it; the export writes the bytes as they are. Stores filled apart (the parts of an
// archive read at once) are joined by taking over their arrays as blocks, not by copying
// them: copying tens of megabytes into new memory costs more than reading them.
class CellStore {
public:
    void beginRow() {
        Block& b = m_blocks.back();
        b.starts.append(b.bytes.size());
    }
    // Two trimmed texts as one cell, one blank between them when both are there.
    void addJoinedCell(QByteArrayView first, QByteArrayView second) {
        if (first.isEmpty() || second.isEmpty()) {
            addCell(first.isEmpty() ? second : first);
            return;
        }
        QByteArray& bytes = m_blocks.back().bytes;
        const qsizetype at = addCell(first, second.size() + 1);
        bytes[at + first.size()] = ' ';
        std::memcpy(bytes.data() + at + first.size() + 1, second.data(), size_t(second.size()));
    }
    // Adds the cell with room for `more` bytes after it; gives where the cell's bytes begin.
    qsizetype addCell(QByteArrayView cell, qsizetype more = 0) {
        QByteArray& bytes = m_blocks.back().bytes;
        const auto length = quint32(cell.size() + more);
        const qsizetype head = length < 255 ? 1 : 5;
        const qsizetype at = bytes.size();
        bytes.resize(at + head + qsizetype(length));
        auto* p = reinterpret_cast<uchar*>(bytes.data()) + at;
        if (head == 1) {
            p[0] = uchar(length);
        } else {
            p[0] = 255;
            for (int i = 0; i < 4; ++i)
                p[1 + i] = uchar(length >> (8 * i));
        }
        if (!cell.isEmpty())
            std::memcpy(p + head, cell.data(), size_t(cell.size()));
        return at + head;
    }
    void squeeze() {
        for (Block& b : m_blocks) {
            b.bytes.squeeze();
            b.starts.squeeze();
        }
    }
    // The rows of the other store after these; its blocks are taken over as they are.
    void append(CellStore&& other) {
        if (m_blocks.back().starts.isEmpty())
            m_blocks.pop_back();
        for (Block& b : other.m_blocks) {
            if (!b.starts.isEmpty())
                m_blocks.push_back(std::move(b));
        }
        if (m_blocks.empty())
            m_blocks.emplace_back();
        other.m_blocks.clear();
        other.m_blocks.emplace_back();
    }

    qsizetype rows() const {
        qsizetype n = 0;
        for (const Block& b : m_blocks)
            n += b.starts.size();
        return n;
    }
    // The cells of row r in column order, as views into the store.
    void row(qsizetype r, QList<QByteArrayView>& cells) const {
        cells.clear();
        const Block& b = blockOf(r);
        for (qsizetype at = b.starts[r], end = b.rowEnd(r); at < end;)
            cells.append(b.next(at));
    }
    QByteArrayView cell(qsizetype r, qsizetype column) const {
        const Block& b = blockOf(r);
        qsizetype at = b.starts[r];
        const qsizetype end = b.rowEnd(r);
        for (qsizetype c = 0; c < column && at < end; ++c)
            b.next(at);
        return at < end ? b.next(at) : QByteArrayView();
    }

private:
    struct Block {
        QByteArray bytes;
        QList<qsizetype> starts;

        qsizetype rowEnd(qsizetype r) const {
            return r + 1 < starts.size() ? starts[r + 1] : bytes.size();
        }
        // The cell at `at`; moves `at` past it.
        QByteArrayView next(qsizetype& at) const {
            const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + at;
            qsizetype length = p[0];
            qsizetype head = 1;
            if (length == 255) {
                length = qsizetype(p[1]) | qsizetype(p[2]) << 8 | qsizetype(p[3]) << 16 |
                         qsizetype(p[4]) << 24;
                head = 5;
            }
            const QByteArrayView cell(bytes.constData() + at + head, length);
            at += head + length;
            return cell;
        }
    };

    // The block holding row r; r becomes the row's index within it.
    const Block& blockOf(qsizetype& r) const {
        for (const Block& b : m_blocks) {
            if (r < b.starts.size())
                return b;
            r -= b.starts.size();
        }
        Q_ASSERT_X(false, "CellStore", "row out of range");
        return m_blocks.back();
    }

    std::vector<Block> m_blocks = std::vector<Block>(1); // rows are added to the last
};

// The grid's contents: the cells of every record, or the designed empty rows.
class ExportModel final : public QAbstractTableModel {
public:
    explicit ExportModel(QObject* parent)
        : QAbstractTableModel(parent) {}

    void setColumns(QStringList headers, QStringList names) {
        beginResetModel();
        m_headers = std::move(headers);
        m_names = std::move(names);
        endResetModel();
    }
    void setCells(CellStore cells) {
        beginResetModel();
        m_cells = std::move(cells);
        endResetModel();
    }
    const CellStore& cells() const { return m_cells; }
    int shownRows() const { return m_cells.rows() == 0 ? designedRows : int(m_cells.rows()); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : shownRows();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_headers.size()) + 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || m_cells.rows() == 0)
            return {};
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return fromCp1252(m_cells.cell(index.row(), index.column() - 1));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return section == 0 ? QStringLiteral("N.") : m_headers.value(section - 1);
        if (role == Qt::UserRole) // the column's name, as the grid designer gave it
            return section == 0 ? QStringLiteral("colNum") : m_names.value(section - 1);
        return {};
    }

private:
    QStringList m_headers;
    QStringList m_names;
    CellStore m_cells;
};

ExportTable::Column fieldColumn(const RecordLayout& layout, const QString& field,
                                const QString& header, int width) {
    const qsizetype index = layout.indexOf(field);
    Q_ASSERT_X(index >= 0, "fieldColumn", qPrintable(field));
    return {QStringLiteral("col") + field,
            header,
            header,
            width,
            [index](const RecordView& r) { return r.field(index); },
            index};
}

ExportTable::Column joinedColumn(const RecordLayout& layout, const QString& field,
                                 const QString& second, const QString& header, int width) {
    ExportTable::Column column = fieldColumn(layout, field, header, width);
    const qsizetype index = column.field;
    const qsizetype joined = layout.indexOf(second);
    Q_ASSERT_X(joined >= 0, "joinedColumn", qPrintable(second));
    column.joined = joined;
    column.cell = [index, joined](const RecordView& r) {
        return trimText(trimText(r.field(index)) + u' ' + trimText(r.field(joined)));
    };
    return column;
}

ExportTable::Column computedColumn(const QString& name, const QString& header, int width,
                                   std::function<QString(const RecordView& record)> cell) {
    return {name, header, header, width, std::move(cell)};
}

QString exportHelpText(const QString& ofWhat) {
    return QStringLiteral("Il pulsante Esporta archivio consente di esportare le schede "
                          "dell'archivio ") +
           ofWhat +
           QStringLiteral(" in un foglio di lavoro di Microsoft Excel, che potrà essere aperto "
                          "con qualsiasi software in grado di gestire i file in formato XLS (ad "
                          "esempio, con Open Office, Libre Office o Microsoft Office).\r\n\r\n"
                          "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna "
                          "fare clic sull'icona di Excel. Questa operazione crea in tempo reale "
                          "un file in formato XLS contenente le schede in archivio, che potrà "
                          "essere aperto immediatamente rispondendo affermativamente al "
                          "messaggio di domanda che appare.\r\n\r\nA questo punto è sufficiente "
                          "salvare il file sul proprio disco fisso assegnandogli un nome "
                          "qualsiasi.");
}

ExportWindow::ExportWindow(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_model(new ExportModel(this)) {
    makeFixedDialog(this);
    m_grid = named(new QTableView(this), QStringLiteral("grdRecords"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setDefaultSectionSize(160);
    m_grid->setMinimumSize(960, 460);
    m_grid->setMouseTracking(true);
    m_grid->viewport()->setMouseTracking(true);
    m_grid->viewport()->installEventFilter(this);

    struct Tool {
        const char* name;
        const char* icon;
        const char* hint;
    };
    const Tool tools[] = {
        {"cmdEsporta", ":/images/excel.svg", "Esporta l'archivio in formato Microsoft Excel."},
        {"cmdGuida", ":/images/guida.svg",
         "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", ":/images/esci.svg", "Esci da questo ambiente di lavoro."}};
    auto* toolbar = new QHBoxLayout;
    QList<QToolButton*> buttons;
    for (const Tool& t : tools) {
        auto* b = named(new QToolButton(this), QString::fromLatin1(t.name));
        b->setIcon(QIcon(QString::fromLatin1(t.icon)));
        b->setIconSize(QSize(36, 36));
        b->setAutoRaise(true);
        setHint(b, QString::fromUtf8(t.hint));
        b->setProperty("hint", QString::fromUtf8(t.hint));
        b->installEventFilter(this);
        toolbar->addWidget(b);
        buttons << b;
    }
    toolbar->addStretch();

    m_info = named(new QLabel(readyText, this), QStringLiteral("panInfo"));
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setMinimumHeight(24);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toolbar);
    layout->addWidget(m_grid);
    layout->addWidget(m_info);
    setMouseTracking(true);
    installEventFilter(this);

    connect(buttons[0], &QToolButton::clicked, this, &ExportWindow::exportSheet);
    connect(buttons[1], &QToolButton::clicked, this, &ExportWindow::showHelp);
    connect(buttons[2], &QToolButton::clicked, this, &ExportWindow::reject);
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::setTable(ExportTable table) {
    m_table = std::move(table);
    QStringList headers;
    QStringList names;
    for (const auto& c : m_table.columns) {
        headers << c.gridHeader;
        names << c.name;
    }
    m_model->setColumns(headers, names);
    m_grid->setColumnWidth(0, 60);
}

QList<QStringList> ExportWindow::rows() const {
    const CellStore& cells = m_model->cells();
    QList<QStringList> rows;
    QList<QByteArrayView> row;
    for (qsizetype r = 0; r < cells.rows(); ++r) {
        cells.row(r, row);
        QStringList texts;
        for (const QByteArrayView cell : row)
            texts << fromCp1252(cell);
        rows << texts;
    }
    return rows;
}

int ExportWindow::rowCount() const {
    return m_model->shownRows();
}

void ExportWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    load();
}

bool ExportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const QVariant hint = watched->property("hint");
        m_info->setText(hint.isValid() ? hint.toString() : QString());
    }
    return QDialog::eventFilter(watched, event);
}

void ExportWindow::load() {
    CellStore cells;
    const auto addRow = [this](CellStore& store, const RecordView& record) {
        store.beginRow();
        for (const auto& c : m_table.columns) {
            // A field's stored bytes are already trimmed Windows-1252. A computed text is
            // converted once here: the grid then shows what the sheet will hold.
            if (c.field >= 0 && c.joined >= 0)
                store.addJoinedCell(record.storedText(c.field), record.storedText(c.joined));
            else if (c.field >= 0)
                store.addCell(record.storedText(c.field));
            else
                store.addCell(toCp1252(trimText(c.cell(record))));
        }
    };
    // A failure ends the loading with the rows read so far.
    if (m_table.partedRead) {
        struct Part {
            CellStore cells;
            qint64 first = 0; // the positions of its first and last rows
            qint64 last = 0;
        };
        const int parts = partsToRead();
        std::vector<Part> byPart(static_cast<size_t>(parts));
        const bool ok =
            m_table.partedRead(parts, [&](int index, qint64 position, const RecordView& record) {
                Part& part = byPart[size_t(index)];
                if (part.first == 0)
                    part.first = position;
                part.last = position;
                addRow(part.cells, record);
            });
        // After a failure the parts are joined only while they follow on from each other, so
        // the grid holds the first records of the archive with no gap.
        qint64 next = 1;
        for (Part& part : byPart) {
            if (part.first == 0)
                continue;
            if (!ok && part.first != next)
                break;
            cells.append(std::move(part.cells));
            next = part.last + 1;
        }
    } else if (m_table.read) {
        m_table.read([&](qint64, const RecordView& record) { addRow(cells, record); });
    }
    cells.squeeze();
    m_model->setCells(std::move(cells));
}

void ExportWindow::exportSheet() {
    if (m_services.messages().ask(this, confirmExport) == Answer::No)
        return;
    QList<SheetColumn> columns;
    for (const auto& c : m_table.columns)
        columns.append({c.sheetHeader, c.width});
    const CellStore& cells = m_model->cells();
    // An empty archive still exports the grid's designed empty rows.
    const qsizetype total = m_model->shownRows();
    qsizetype next = 0;
    const QString path = m_services.path(m_table.fileName);
    const bool written =
        writeEncodedSpreadsheet(path, m_table.sheetName, columns, [&](QList<QByteArrayView>& row) {
            if (next >= total)
                return false;
            if (cells.rows() > 0)
                cells.row(next, row);
            ++next;
            return true;
        });
    if (!written) {
        m_services.messages().plain(this, exportFailed);
        return;
    }
    if (m_services.messages().ask(this, exported) != Answer::No)
        m_services.shell().open(u'"' + path + u'"');
}

void ExportWindow::showHelp() {
    TfrmGuida help(m_services, this);
    help.setTopic(m_table.helpTitle, m_table.helpText);
    help.exec();
}

} // namespace tarvola
