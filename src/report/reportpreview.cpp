#include "report/reportpreview.h"

#include "platform/services.h"
#include "platform/ui.h"
#include "report/printeroutput.h"
#include "report/reportrenderer.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

constexpr int deskMargin = 16;

// One page drawn at the preview's zoom; 100 % is the paper's real size on the screen.
class PageView : public QWidget {
public:
    PageView(const report::PreparedPage& page, QWidget* parent)
        : QWidget(parent)
        , m_page(page) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setZoom(double zoom) {
        m_zoom = zoom;
        const double k = logicalDpiX() / 25.4 * zoom;
        setFixedSize(qRound(m_page.paper.width() * k), qRound(m_page.paper.height() * k));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.scale(m_zoom, m_zoom);
        report::paintPage(painter, m_page, logicalDpiX() / 25.4);
    }

private:
    const report::PreparedPage& m_page;
    double m_zoom = 1.0;
};

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text,
                        const QString& hint) {
    auto* button = named(new QToolButton(parent), name);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(90);
    setHint(button, hint);
    return button;
}

} // namespace

ReportPreview::ReportPreview(report::PreparedReport report, MessageService& messages,
                             FileDialogService& fileDialog, QWidget* parent)
    : QDialog(parent)
    , m_report(std::move(report))
    , m_messages(messages)
    , m_fileDialog(fileDialog) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_report.name);
    setModal(true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The whole screen also where no window manager maximises windows.
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);

    auto* print = toolButton(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                             QStringLiteral("Stampa il documento."));
    auto* zoom = toolButton(this, QStringLiteral("btnZoom"), QStringLiteral("Zoom"),
                            QStringLiteral("Ingrandisce o riduce le pagine."));
    zoom->setPopupMode(QToolButton::InstantPopup);
    auto* zoomMenu = new QMenu(zoom);
    for (int percent : {50, 75, 100, 150, 200})
        zoomMenu->addAction(QStringLiteral("%1 %").arg(percent), this,
                            [this, percent] { setZoom(percent / 100.0); });
    zoomMenu->addSeparator();
    zoomMenu->addAction(QStringLiteral("Larghezza pagina"), this, &ReportPreview::fitWidth);
    zoomMenu->addAction(QStringLiteral("Pagina intera"), this, &ReportPreview::fitPage);
    zoom->setMenu(zoomMenu);
    auto* fullScreen =
        toolButton(this, QStringLiteral("btnSchermoIntero"), QStringLiteral("Schermo intero"),
                   QStringLiteral("Mostra l'anteprima a schermo intero."));
    fullScreen->setCheckable(true);
    auto* pdf = toolButton(this, QStringLiteral("btnPdf"), QStringLiteral("PDF"),
                           QStringLiteral("Salva il documento in un file PDF."));
    auto* close = toolButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                             QStringLiteral("Chiude l'anteprima."));
    m_zoomLabel = named(new QLabel(this), QStringLiteral("lblZoom"));
    m_pageLabel = named(new QLabel(this), QStringLiteral("lblPagina"));

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 6, 8, 6);
    bar->setSpacing(6);
    for (QToolButton* b : {print, zoom, fullScreen, pdf})
        bar->addWidget(b);
    bar->addSpacing(16);
    bar->addWidget(m_zoomLabel);
    bar->addSpacing(16);
    bar->addWidget(m_pageLabel);
    bar->addStretch();
    bar->addWidget(close);

    auto* desk = new QWidget;
    desk->setObjectName(QStringLiteral("desk"));
    desk->setStyleSheet(QStringLiteral("#desk { background: #7f7f7f; }"));
    auto* column = new QVBoxLayout(desk);
    column->setContentsMargins(deskMargin, deskMargin, deskMargin, deskMargin);
    column->setSpacing(deskMargin);
    for (const report::PreparedPage& page : m_report.pages) {
        auto* view = new PageView(page, desk);
        m_pages.push_back(view);
        column->addWidget(view, 0, Qt::AlignHCenter);
    }
    column->addStretch();
    m_scroll = named(new QScrollArea(this), QStringLiteral("scrPagine"));
    m_scroll->setWidget(desk);
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea { background: #7f7f7f; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(print, &QToolButton::clicked, this, &ReportPreview::print);
    connect(pdf, &QToolButton::clicked, this, &ReportPreview::savePdf);
    connect(close, &QToolButton::clicked, this, &ReportPreview::reject);
    connect(fullScreen, &QToolButton::toggled, this, [this](bool on) {
        setWindowState(on ? (windowState() | Qt::WindowFullScreen)
                          : (windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
    });
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ReportPreview::updatePageLabel);

    setZoom(1.0);
}

void ReportPreview::setZoom(double zoom) {
    m_zoom = zoom;
    for (QWidget* page : m_pages)
        static_cast<PageView*>(page)->setZoom(zoom);
    m_zoomLabel->setText(QStringLiteral("Zoom: %1 %").arg(qRound(zoom * 100)));
    updatePageLabel();
}

void ReportPreview::fitWidth() {
    if (m_report.pages.empty())
        return;
    const double paper = m_report.pages.front().paper.width() * logicalDpiX() / 25.4;
    setZoom((m_scroll->viewport()->width() - 2 * deskMargin) / paper);
}

void ReportPreview::fitPage() {
    if (m_report.pages.empty())
        return;
    const QSizeF paper = m_report.pages.front().paper * (logicalDpiX() / 25.4);
    const QSize room = m_scroll->viewport()->size() - QSize(2 * deskMargin, 2 * deskMargin);
    setZoom(std::min(room.width() / paper.width(), room.height() / paper.height()));
}

int ReportPreview::currentPage() const {
    const int middle = m_scroll->verticalScrollBar()->value() + m_scroll->viewport()->height() / 2;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i]->geometry().bottom() + deskMargin >= middle)
            return int(i);
    }
    return m_pages.empty() ? 0 : int(m_pages.size()) - 1;
}

void ReportPreview::updatePageLabel() {
    m_pageLabel->setText(
        QStringLiteral("Pagina %1 di %2").arg(currentPage() + 1).arg(m_report.pages.size()));
}

void ReportPreview::print() {
    const PrintOutcome outcome = report::printThroughDialog(this, m_report, currentPage());
    if (outcome.status == PrintOutcome::Failed)
        m_messages.error(this, outcome.error);
}

void ReportPreview::savePdf() {
    const std::optional<QString> chosen =
        m_fileDialog.saveFile(this, QStringLiteral("Salva in formato PDF"),
                              QDir::home().filePath(m_report.name + QStringLiteral(".pdf")),
                              QStringLiteral("Documento PDF (*.pdf)|*.pdf"));
    if (!chosen)
        return;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!report::writePdf(m_report, path))
        m_messages.warning(this, QStringLiteral("Attenzione: non è stato possibile scrivere il "
                                                "file %1.")
                                     .arg(QDir::toNativeSeparators(path)));
}

} // namespace tarvola
