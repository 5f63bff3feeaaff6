#pragma once

#include "archive/searchwindow.h" // RecordReader

#include <QDialog>

#include <functional>

class QLabel;
class QTableView;

namespace tarvola {

class Services;
class ExportModel;

// What an export window shows and writes: the archive, the columns and the file.
struct ExportTable {
    struct Column {
        QString name;        // e.g. "colAssistito"
        QString gridHeader;  // the grid's header
        QString sheetHeader; // the header in the exported sheet
        int width = 0;       // its width in the sheet
        std::function<QString(const RecordView& record)> cell;
        // A column that shows one field as stored names it here (its index in the layout):
        // the grid keeps the field's stored bytes as they are, with no decoding and no
        // encoding again for the sheet. -1 for a column computed by cell.
        qsizetype field = -1;
        // A second field shown after it, one blank between them when both hold text (a town
        // and its province), again with no decoding.
        qsizetype joined = -1;
    };

    RecordReader read;
    // For a large archive, optional: the archive read in parts at once, the grid's rows then
    // built in parts (the columns' cell must be safe to call from several threads at once).
    PartedReader partedRead;
    QList<Column> columns; // in grid order; the record number column comes first on its own
    QString fileName;      // in the program folder, e.g. "Archivio_Ricette.xls"
    QString sheetName;     // e.g. "Archivio Ricette"
    QString helpTitle;
    QString helpText;
};

// A column that shows one field as stored: named "col" followed by the field, with the same
// header in the grid and in the sheet.
// The field's position is looked up once, not at every cell.
ExportTable::Column fieldColumn(const RecordLayout& layout, const QString& field,
                                const QString& header, int width);
// A column of two fields as stored, trimmed and joined by one blank (none when either is
// empty), named "col" followed by the first.
ExportTable::Column joinedColumn(const RecordLayout& layout, const QString& field,
                                 const QString& second, const QString& header, int width);
// A column computed from the record, with the same header in the grid and in the sheet.
ExportTable::Column computedColumn(const QString& name, const QString& header, int width,
                                   std::function<QString(const RecordView& record)> cell);

// The grid of a whole archive and its export to a spreadsheet file, shared by every archive.
class ExportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ExportWindow(Services& services, QWidget* parent = nullptr);
    ~ExportWindow() override;

    // The grid's cell texts, row by row, without the number column (every cell decoded:
    // a convenience for small archives and tests).
    QList<QStringList> rows() const;
    int rowCount() const;

protected:
    void setTable(ExportTable table);
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void exportSheet();
    void showHelp();

    Services& m_services;
    ExportTable m_table;
    ExportModel* m_model;
    QTableView* m_grid;
    QLabel* m_info;
};

// The help text every export window shows, for "delle ricette", "dei farmaci" and so on.
QString exportHelpText(const QString& ofWhat);

} // namespace tarvola
