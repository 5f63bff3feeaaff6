#include "archive/searchwindow.h"

#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tarvola {

namespace {

const QString archiveMessage =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                   "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                   "installazione del programma.");
const QString emptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
const QString filterHelp = QStringLiteral(
    "Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
    "trovare e premere il pulsante Cerca. Lasciare in bianco tutti gli altri campi. Per ogni "
    "ricerca è possibile utilizzare uno o più campi contemporaneamente.");
const QString findHelp = QStringLiteral(
    "Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e "
    "premere il pulsante Trova. Per spostarsi sulla voce successiva contenente la stessa "
    "chiave di ricerca, fare di nuovo clic su Trova.");

ListPrinter& listPrinter() {
    static ListPrinter printer;
    return printer;
}

// An instruction shown as a note with a magnifying glass beside it.
QWidget* instruction(QWidget* parent, const QString& text) {
    auto* box = new QFrame(parent);
    box->setObjectName(QStringLiteral("imgIstruzioni"));
    box->setStyleSheet(QStringLiteral(
        "#imgIstruzioni { background: #fffbe6; border: 1px solid #e6d58a; border-radius: 6px; }"));
    auto* icon = new QLabel(box);
    icon->setPixmap(svgPixmap(QStringLiteral(":/images/lente.svg"), QSize(36, 36)));
    auto* label = new QLabel(text, box);
    label->setWordWrap(true);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(label, 1);
    return box;
}

// Enter in the edit moves the focus to the button without pressing it.
class EnterFocuses final : public QObject {
public:
    EnterFocuses(QWidget* from, QWidget* to)
        : QObject(from)
        , m_to(to) {
        from->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_to->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    QWidget* m_to;
};

QPushButton* button(QWidget* parent, const QString& text, const QString& name) {
    auto* b = named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
    return b;
}

} // namespace

void setListPrinter(ListPrinter printer) {
    listPrinter() = std::move(printer);
}

SearchWindow::SearchWindow(Services& services, Kind kind, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_kind(kind) {
    makeFixedDialog(this);
    m_memory = named(new QLabel(this), QStringLiteral("lblMemory"));
    m_memory->hide();
    auto* layout = new QVBoxLayout(this);
    if (m_kind == Kind::Search) {
        buildFilterPanel();
        layout->addWidget(m_filterPanel);
    }
    buildResultPanel();
    layout->addWidget(m_resultPanel);
    m_resultPanel->setVisible(m_kind == Kind::List);
    // Both halves take the same room, so the window keeps its size and place when the
    // results replace the filters.
    if (m_filterPanel)
        m_filterPanel->setMinimumSize(m_resultPanel->sizeHint());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SearchWindow::buildFilterPanel() {
    m_filterPanel = named(new QWidget(this), QStringLiteral("panAvvio"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    auto* layout = new QVBoxLayout(m_filterPanel);
    layout->addWidget(instruction(m_filterPanel, filterHelp));
    layout->addSpacing(6);
    layout->addLayout(grid);

    m_wait =
        named(new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), m_filterPanel),
              QStringLiteral("lblAttendere"));
    m_wait->setStyleSheet(QStringLiteral("color: #b03020; font-weight: bold;"));
    m_wait->hide();
    m_count = named(new QLabel(QStringLiteral("0"), m_filterPanel), QStringLiteral("lblConta"));
    m_count->hide();

    auto* close = button(m_filterPanel, QStringLiteral("Chiudi"), QStringLiteral("btnAnnulla"));
    auto* find = button(m_filterPanel, QStringLiteral("Cerca"), QStringLiteral("btnCerca"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_wait);
    buttons->addStretch();
    buttons->addWidget(find);
    buttons->addWidget(close);
    layout->addStretch(1);
    layout->addSpacing(10);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this, &SearchWindow::reject);
    connect(find, &QPushButton::pressed, this, [this] {
        m_wait->show();
        m_wait->repaint();
    });
    connect(find, &QPushButton::clicked, this, &SearchWindow::search);
}

void SearchWindow::buildResultPanel() {
    m_resultPanel = named(new QWidget(this), QStringLiteral("panContainer"));
    auto* layout = new QVBoxLayout(m_resultPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(instruction(m_resultPanel, findHelp));

    m_find = named(new QLineEdit(m_resultPanel), QStringLiteral("txtTrova"));
    auto* find = button(m_resultPanel, QStringLiteral("Trova"), QStringLiteral("btnTrova"));
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(m_find, 1);
    findRow->addWidget(find);
    layout->addLayout(findRow);

    m_list = named(new QListView(m_resultPanel), QStringLiteral("lstRecords"));
    m_model = new QStringListModel(this);
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont courier(QStringLiteral("Courier New"), 12);
    courier.setStyleHint(QFont::TypeWriter);
    m_list->setFont(courier);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setMinimumSize(900, 380);
    layout->addWidget(new QLabel(
        QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
        m_resultPanel));
    layout->addWidget(m_list);

    m_found = named(new QLabel(m_resultPanel), QStringLiteral("lblTrovate"));
    m_found->setVisible(m_kind == Kind::Search);
    auto* print = button(m_resultPanel, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    auto* close = button(m_resultPanel, QStringLiteral("Chiudi"), QStringLiteral("btnChiudi"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_found);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    new EnterFocuses(m_find, find);
    connect(find, &QPushButton::clicked, this, &SearchWindow::findNext);
    connect(print, &QPushButton::clicked, this, &SearchWindow::print);
    connect(close, &QPushButton::clicked, this, &SearchWindow::reject);
    connect(m_list, &QListView::doubleClicked, this, &SearchWindow::recall);
}

void SearchWindow::setTable(SearchTable table) {
    m_table = std::move(table);
    if (m_kind != Kind::Search)
        return;
    auto* grid = static_cast<QVBoxLayout*>(m_filterPanel->layout())->itemAt(2)->layout();
    auto* gridLayout = static_cast<QGridLayout*>(grid);
    QList<QWidget*> order;
    int row = 0;
    for (const SearchTable::FilterEdit& f : m_table.filters) {
        const QString n = QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0'));
        auto* caption = named(new QLabel(f.caption, m_filterPanel), QStringLiteral("lblCampo") + n);
        auto* edit = named(new QLineEdit(m_filterPanel), f.edit);
        edit->setMinimumWidth(420);
        gridLayout->addWidget(caption, row, 0);
        gridLayout->addWidget(edit, row, 1);
        attachFocusFrame(edit, QStringLiteral("effCampo") + n);
        m_filterEdits << edit;
        order << edit;
        ++row;
    }
    installEnterOrder(order);
}

void SearchWindow::setTag(const QString& tag) {
    m_memory->setText(tag);
}

QString SearchWindow::tag() const {
    return m_memory->text();
}

void SearchWindow::setRecallTarget(RecallTarget target) {
    m_target = std::move(target);
}

bool SearchWindow::reopen(qint64 position, const RecordView& record) const {
    if (!m_target)
        return false;
    m_target(record.record(), position);
    return true;
}

QStringList SearchWindow::lines() const {
    return m_model->stringList();
}

void SearchWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_lastFind.clear();
    m_find->clear();
    if (m_kind == Kind::List) {
        // The list reflects the archive at each opening; a failure shows what was read.
        fillList(m_table.listRule);
        m_find->setFocus();
    } else if (!m_filterEdits.isEmpty()) {
        m_filterEdits.front()->setFocus();
    }
    selectRow(0);
}

void SearchWindow::done(int result) {
    m_model->setStringList({});
    if (m_wait)
        m_wait->hide();
    QDialog::done(result);
}

bool SearchWindow::fillList(const std::function<bool(const RecordView&)>& accept) {
    QStringList lines;
    bool ok = false;
    if (m_table.partedRead) {
        const int parts = partsToRead();
        std::vector<QStringList> byPart(static_cast<size_t>(parts));
        ok = m_table.partedRead(parts, [&](int part, qint64, const RecordView& record) {
            if (!accept || accept(record))
                byPart[size_t(part)] << listLine(record, m_table.line);
        });
        lines = sortedLines(std::move(byPart));
    } else if (m_table.read) {
        ok = m_table.read([&](qint64, const RecordView& record) {
            if (!accept || accept(record))
                lines << listLine(record, m_table.line);
        });
        sortLines(lines);
    }
    // Equal lines stay in file order.
    m_model->setStringList(lines);
    return ok;
}

void SearchWindow::search() {
    QList<Filter> filters;
    for (qsizetype i = 0; i < m_filterEdits.size(); ++i)
        filters.append({m_table.filters[i].field, m_filterEdits[i]->text()});
    const QList<Filter> inUse = filtersInUse(filters);
    m_count->setText(QString::number(inUse.size()));
    if (!fillList([&inUse](const RecordView& record) { return matchesAll(record, inUse); })) {
        m_model->setStringList({});
        m_wait->hide();
        m_services.messages().plain(this, archiveMessage);
        return;
    }
    m_found->setText(QStringLiteral("Il presente riepilogo contiene ") +
                     QString::number(m_model->rowCount()) + QStringLiteral(" schede."));
    m_wait->hide();
    m_filterPanel->hide();
    m_resultPanel->show();
    selectRow(0);
    m_find->clear();
    m_find->setFocus();
}

void SearchWindow::findNext() {
    if (m_model->rowCount() == 0) {
        m_services.messages().plain(this, emptyListMessage);
        return;
    }
    const QString typed = lowerAZ(m_find->text());
    const QModelIndex current = m_list->currentIndex();
    selectRow(findInList(lines(), current.isValid() ? current.row() : -1, typed, m_lastFind));
    m_lastFind = typed;
}

void SearchWindow::print() {
    if (listPrinter())
        listPrinter()(m_services, this, m_table.reportTitle, lines());
}

void SearchWindow::selectRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

int SearchWindow::selectedRow() const {
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SearchWindow::recall(const QModelIndex& index) {
    // The record is found again by its line: every record giving the same line is written
    // in file order, so the last of them is the one left in the editor.
    const QString tagText = tag();
    const bool reopens = m_table.reopenTag.isEmpty() || tagText == m_table.reopenTag;
    const RecordReader& read = m_table.recallRead ? m_table.recallRead : m_table.read;
    const bool parted = m_table.partedRead && m_table.readAt;
    if (index.isValid() && (read || parted) && (m_table.recall || reopens)) {
        const QString wanted = trimText(index.data().toString());
        const auto act = [&](qint64 position, const RecordView& record) {
            if (trimText(listLine(record, m_table.line)) != wanted)
                return;
            if (m_table.recall)
                m_table.recall(tagText, position, record);
            else
                reopen(position, record);
        };
        if (parted) {
            // The lines are compared in parts; the records found are read again in file
            // order (and compared again, should another station have changed one meanwhile).
            const int parts = partsToRead();
            std::vector<QList<qint64>> found(static_cast<size_t>(parts));
            const bool ok =
                m_table.partedRead(parts, [&](int part, qint64 position, const RecordView& record) {
                    if (trimText(listLine(record, m_table.line)) == wanted)
                        found[size_t(part)] << position;
                });
            QList<qint64> positions;
            for (const QList<qint64>& part : found)
                positions += part;
            if (ok)
                m_table.readAt(positions, act);
        } else {
            read(act);
        }
    }
    accept();
}

} // namespace tarvola
