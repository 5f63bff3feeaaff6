#pragma once

#include "report/reportpages.h"

#include <QDialog>

#include <vector>

class QLabel;
class QScrollArea;
class QToolButton;

namespace tarvola {

class FileDialogService;
class MessageService;

// The preview window: the laid-out pages one under the other on a grey desk, at 100 % when
// it opens, with Print, Zoom, Full screen, PDF and Close. Modal and maximised when run with
// exec(); captioned with the report's name.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(report::PreparedReport report, MessageService& messages,
                  FileDialogService& fileDialog, QWidget* parent = nullptr);

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // The page in the middle of the view, 0-based.
    int currentPage() const;

private:
    void print();
    void savePdf();
    void fitWidth();
    void fitPage();
    void updatePageLabel();

    report::PreparedReport m_report;
    MessageService& m_messages;
    FileDialogService& m_fileDialog;
    double m_zoom = 1.0;
    QScrollArea* m_scroll;
    std::vector<QWidget*> m_pages;
    QLabel* m_zoomLabel;
    QLabel* m_pageLabel;
};

} // namespace tarvola
