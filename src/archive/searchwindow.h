#pragma once

#include "archive/searchlogic.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QStringListModel;
class QPushButton;
class QWidget;

namespace tarvola {

class Services;

// Reads an archive from the first record to the last, handing each record with its
// position (1-based) to the visitor. False when the archive cannot be read.
using RecordReader = std::function<bool(const RecordVisitor&)>;

// What a search or list window needs to know of its archive.
struct SearchTable {
    struct FilterEdit {
        QString edit;    // objectName of the filter edit
        QString caption; // its label
        int field;       // the record field it looks into
    };

    QList<FilterEdit> filters; // in keyboard order; none for a list window
    QList<LineColumn> line;    // how a record becomes a list line
    QString reportTitle;       // title of the printed list
    RecordReader read;         // the archive
    // List windows list the records this accepts, instead of filtering by edits.
    std::function<bool(const RecordView& record)> listRule;
    // A double click on a line reopens every record with that line, in file order, in the
    // recall target the opener set, when the window's tag is this one (any tag when empty).
    QString reopenTag;
    // A window that does more than reopen (imports into another editor) decides instead:
    // called for every record with the line, with the window's tag; false when it does not act.
    std::function<bool(const QString& tag, qint64 position, const RecordView& record)> recall;
    // The reader of the double click when it needs other fields than the search (a reader
    // of some fields only); the double click reads with read when empty.
    RecordReader recallRead;
    // For a large archive, both optional: the archive read in parts at once, and its chosen
    // records read again. The search then builds its lines in parts (filters, list rule and
    // line must be safe to call from several threads at once), and a double click finds the
    // line's records in parts and reads only those again, with what recall needs.
    PartedReader partedRead;
    PositionReader readAt;
};

// Prints the lines of a result list under the title; set once by the report layer.
using ListPrinter = std::function<void(Services& services, QWidget* parent, const QString& title,
                                       const QStringList& lines)>;
void setListPrinter(ListPrinter printer);

// The search window every archive shares: up to ten filters, the sorted result list with
// find-in-list, its print, and the double click that reopens or imports a record. A list
// window has only the result half and fills it by the table's list rule when shown.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Search, List };

    SearchWindow(Services& services, Kind kind, QWidget* parent = nullptr);

    // The tag written by the opener: who opened the window and what a double click does.
    void setTag(const QString& tag);
    QString tag() const;

    // Where a reopened record goes: the opening editor loads it at its position.
    using RecallTarget = std::function<void(const Record& record, qint64 position)>;
    void setRecallTarget(RecallTarget target);

    // The list lines as shown, in list order, and the one selected (-1 for none).
    QStringList lines() const;
    int selectedRow() const;

protected:
    // Concrete windows give their table before the window is shown.
    void setTable(SearchTable table);

    // Hands the record to the recall target; false when the opener set none.
    bool reopen(qint64 position, const RecordView& record) const;

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    Services& m_services;

private:
    void buildFilterPanel();
    void buildResultPanel();
    void search();
    bool fillList(const std::function<bool(const RecordView&)>& accept);
    void findNext();
    void print();
    void recall(const QModelIndex& index);
    void selectRow(int row);

    Kind m_kind;
    SearchTable m_table;
    RecallTarget m_target;
    QString m_lastFind;
    QWidget* m_filterPanel = nullptr;
    QWidget* m_resultPanel = nullptr;
    QList<QLineEdit*> m_filterEdits;
    QLabel* m_wait = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_memory = nullptr;
    QLabel* m_found = nullptr;
    QLineEdit* m_find = nullptr;
    QListView* m_list = nullptr;
    QStringListModel* m_model = nullptr;
};

} // namespace tarvola
