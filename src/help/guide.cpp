#include "help/guide.h"

#include "help/helptopics.h"
#include "help/maker.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace tarvola::guide {

namespace {

using help::TopicId;

// The chapters' text is laid out at 96 dots per inch, as on screen, and scaled onto the
// page; covers, headers and footers are drawn in millimetres on the page itself.
constexpr qreal layoutDpi = 96.0;
constexpr int pdfDpi = 1200;
constexpr qreal pageWidthMm = 210.0;
constexpr qreal pageHeightMm = 297.0;
constexpr qreal leftMm = 22.0;
constexpr qreal rightMm = 22.0;
constexpr qreal topMm = 27.0;
constexpr qreal bottomMm = 22.0;

const QColor ink(0x23, 0x32, 0x4D);
const QColor blue(0x16, 0x3D, 0x84);
const QColor lightBlue(0x2B, 0x63, 0xC6);
const QColor red(0xD8, 0x3A, 0x3A);
const QColor grey(0x5D, 0x6F, 0x90);
const QColor rule(0xC9, 0xD6, 0xEE);

const QString sans = QStringLiteral("Liberation Sans");
const QString guideTitle = QStringLiteral("Guida all'utilizzo del software");

qreal layoutPx(qreal mm) {
    return mm * layoutDpi / 25.4;
}

qreal pagePx(qreal mm) {
    return mm * pdfDpi / 25.4;
}

QFont font(qreal points, bool bold = false) {
    QFont f(sans);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

struct Heading {
    int level; // 1 chapter, 2 section
    QString number;
    QString title;
    int block;
    int page = 0; // page of the printed guide, counted from the cover
};

// One chapter per app, each followed by its export, as the launcher shows the apps.
struct AppChapter {
    TopicId app;
    TopicId exportTopic;
    QString picture;
};

const QList<AppChapter> appChapters = {
    {TopicId::Pazienti, TopicId::EsportaPazienti, QStringLiteral("app_pazienti")},
    {TopicId::Farmaci, TopicId::EsportaFarmaci, QStringLiteral("app_farmaci")},
    {TopicId::Prescrizioni, TopicId::EsportaPrescrizioni, QStringLiteral("app_prescrizioni")},
    {TopicId::Ricette, TopicId::EsportaRicette, QStringLiteral("app_ricette")},
};

QImage svgImage(const QString& name, QSize size) {
    QSvgRenderer renderer(QStringLiteral(":/images/%1.svg").arg(name));
    QImage image(size * 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

// Builds the chapters as one paginated text document.
class Body {
public:
    Body()
        : m_cursor(&m_doc) {
        // Fonts resolve against a 96 dpi device, the same on every machine.
        m_device = QImage(8, 8, QImage::Format_ARGB32_Premultiplied);
        m_device.setDotsPerMeterX(qRound(layoutDpi / 0.0254));
        m_device.setDotsPerMeterY(qRound(layoutDpi / 0.0254));
        m_doc.documentLayout()->setPaintDevice(&m_device);
        m_doc.setDocumentMargin(0);
        m_doc.setDefaultFont(font(10.5));
        m_doc.setPageSize(QSizeF(layoutPx(pageWidthMm - leftMm - rightMm),
                                 layoutPx(pageHeightMm - topMm - bottomMm)));
        for (const AppChapter& c : appChapters)
            addPicture(c.picture, QSize(160, 160));
    }

    void chapter(const QString& title, const QString& picture = {}) {
        ++m_chapter;
        m_section = 0;
        QTextBlockFormat kicker;
        if (m_chapter > 1)
            kicker.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        kicker.setBottomMargin(2);
        startBlock(kicker);
        QTextCharFormat small = charFormat(10, false, red);
        small.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        small.setFontLetterSpacing(1.2);
        m_cursor.insertText(QStringLiteral("CAPITOLO %1").arg(m_chapter), small);

        QTextBlockFormat head;
        head.setHeadingLevel(1);
        head.setBottomMargin(6);
        head.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                         QTextLength(QTextLength::PercentageLength, 100));
        m_cursor.insertBlock(head);
        if (!picture.isEmpty()) {
            QTextImageFormat image;
            image.setName(QStringLiteral("img:") + picture);
            image.setWidth(34);
            image.setHeight(34);
            image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            m_cursor.insertImage(image);
            m_cursor.insertText(QStringLiteral("  "), charFormat(22, true, blue));
        }
        m_cursor.insertText(title, charFormat(22, true, blue));
        m_headings.append({1, QString::number(m_chapter), title, m_cursor.blockNumber()});
        spacer(10);
    }

    void section(const QString& title) {
        ++m_section;
        QTextBlockFormat head;
        head.setHeadingLevel(2);
        head.setTopMargin(14);
        head.setBottomMargin(6);
        head.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        startBlock(head);
        const QString number = QStringLiteral("%1.%2").arg(m_chapter).arg(m_section);
        m_cursor.insertText(number + QStringLiteral("  "), charFormat(13.5, true, red));
        m_cursor.insertText(title, charFormat(13.5, true, blue));
        m_headings.append({2, number, title, m_cursor.blockNumber()});
    }

    void paragraphs(const QStringList& texts) {
        for (const QString& text : texts)
            paragraph(text);
    }

    void paragraph(const QString& text, const QTextCharFormat& format = {}) {
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignJustify);
        block.setBottomMargin(8);
        block.setLineHeight(128, QTextBlockFormat::ProportionalHeight);
        startBlock(block);
        m_cursor.insertText(text, format.isValid() ? format : charFormat(10.5, false, ink));
    }

    // A list of the four apps with their pictures and the chapter that tells about each.
    void appTable() {
        QTextTableFormat table;
        table.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        table.setCellPadding(4);
        table.setCellSpacing(0);
        table.setTopMargin(4);
        table.setBottomMargin(10);
        table.setLeftMargin(14);
        QTextTable* t = m_cursor.insertTable(int(appChapters.size()), 2, table);
        for (int row = 0; row < appChapters.size(); ++row) {
            const AppChapter& c = appChapters[row];
            QTextCursor icon = t->cellAt(row, 0).firstCursorPosition();
            QTextImageFormat image;
            image.setName(QStringLiteral("img:") + c.picture);
            image.setWidth(30);
            image.setHeight(30);
            icon.insertImage(image);
            QTextCursor text = t->cellAt(row, 1).firstCursorPosition();
            QTextBlockFormat middle;
            middle.setTopMargin(7);
            text.setBlockFormat(middle);
            text.insertText(help::topic(c.app).title, charFormat(11, true, blue));
            text.insertText(QStringLiteral("  \u2013  capitolo %1").arg(row + 2),
                            charFormat(10.5, false, grey));
        }
        m_cursor.movePosition(QTextCursor::End);
    }

    QTextCharFormat charFormat(qreal points, bool bold, const QColor& colour) const {
        QTextCharFormat f;
        f.setFont(font(points, bold));
        f.setForeground(colour);
        return f;
    }

    // A section title never ends a page: when fewer than three lines of its text would
    // follow it there, it moves to the next page.
    void keepHeadingsWithText() {
        QAbstractTextDocumentLayout* layout = m_doc.documentLayout();
        const qreal pageHeight = m_doc.pageSize().height();
        const qreal room = 3 * QFontMetricsF(font(10.5), &m_device).lineSpacing() * 1.28 + 8;
        for (const Heading& h : m_headings) {
            if (h.level != 2)
                continue;
            const QTextBlock block = m_doc.findBlockByNumber(h.block);
            const qreal bottom = layout->blockBoundingRect(block).bottom();
            if (pageHeight - std::fmod(bottom, pageHeight) >= room)
                continue;
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }

    QTextDocument& document() { return m_doc; }
    QList<Heading>& headings() { return m_headings; }

private:
    void startBlock(const QTextBlockFormat& format) {
        if (m_empty) {
            m_cursor.setBlockFormat(format);
            m_empty = false;
        } else {
            m_cursor.insertBlock(format);
        }
    }

    void spacer(qreal height) {
        QTextBlockFormat gap;
        gap.setLineHeight(height, QTextBlockFormat::FixedHeight);
        m_cursor.insertBlock(gap);
    }

    void addPicture(const QString& name, QSize size) {
        m_doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("img:") + name),
                          svgImage(name, size));
    }

    QImage m_device;
    QTextDocument m_doc;
    QTextCursor m_cursor;
    QList<Heading> m_headings;
    int m_chapter = 0;
    int m_section = 0;
    bool m_empty = true;
};

void buildChapters(Body& body) {
    const help::Topic overview = help::overview();
    body.chapter(overview.title);
    body.paragraphs(help::overviewOpening());
    body.paragraph(QStringLiteral(
        "Il programma si compone di quattro app, che si aprono dalla finestra principale e che "
        "i capitoli seguenti descrivono una per una:"));
    body.appTable();
    body.paragraph(QStringLiteral(
        "Ogni capitolo riporta la pagina della guida che si apre con il pulsante Guida "
        "dell'app, seguita dalla pagina dedicata all'esportazione dell'archivio in Microsoft "
        "Excel. Le pagine della guida visualizzate dal programma e questo manuale hanno "
        "sempre lo stesso contenuto."));
    body.paragraphs(help::overviewClosing());

    for (const AppChapter& c : appChapters) {
        const help::Topic app = help::topic(c.app);
        body.chapter(app.title, c.picture);
        body.paragraphs(help::paragraphs(c.app));
        body.section(help::topic(c.exportTopic).title);
        body.paragraphs(help::paragraphs(c.exportTopic));
    }

    const QString mail = QString::fromLatin1(maker::email);
    QString site = QString::fromLatin1(maker::web);
    site.remove(QStringLiteral("https://"));
    body.chapter(QStringLiteral("Assistenza e informazioni"));
    body.paragraph(QStringLiteral(
        "La finestra Informazioni su Tarvola 3.0, che si apre con l'icona in alto a sinistra "
        "della finestra principale, contiene il collegamento per scrivere al produttore: un "
        "clic sull'indirizzo avvia il programma di posta elettronica con un nuovo messaggio "
        "già intestato."));
    body.paragraph(QStringLiteral("Per richiedere informazioni sul software scrivere a ") + mail +
                   QStringLiteral(" oppure visitare il sito ") + site +
                   QStringLiteral(", dove sono pubblicati aggiornamenti, assistenza e novità."));
    body.paragraph(QStringLiteral(
        "Questa guida si trova nella cartella del programma con il nome Guida.pdf e si apre "
        "anche dalla finestra della guida, con il collegamento Visualizza guida in formato "
        "PDF."));
}

// The page of the printed guide (the cover is page 1, the contents page 2) on which each
// heading's block lies.
void placeHeadings(QTextDocument& doc, QList<Heading>& headings, int firstBodyPage) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const qreal pageHeight = doc.pageSize().height();
    for (Heading& h : headings) {
        const QRectF box = layout->blockBoundingRect(doc.findBlockByNumber(h.block));
        h.page = firstBodyPage + int(box.top() / pageHeight);
    }
}

class Pages {
public:
    explicit Pages(QPdfWriter& writer)
        : m_painter(&writer)
        , m_writer(writer) {}
    bool ok() const { return m_painter.isActive(); }

    void cover() {
        QPainter& p = m_painter;
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF top(0, 0, pagePx(pageWidthMm), pagePx(52));
        QLinearGradient band(top.topLeft(), top.topRight());
        band.setColorAt(0, blue);
        band.setColorAt(1, lightBlue);
        p.fillRect(top, band);
        p.fillRect(QRectF(0, top.bottom(), top.width(), pagePx(2.2)), red);
        p.setPen(Qt::white);
        p.setFont(font(13));
        p.drawText(QRectF(pagePx(leftMm), pagePx(18), pagePx(166), pagePx(20)),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Manuale dell'utente"));

        QSvgRenderer(QStringLiteral(":/images/titolo.svg"))
            .render(&p, centred(pagePx(78), pagePx(140), pagePx(140 * 110.0 / 640)));
        p.setPen(blue);
        p.setFont(font(24, true));
        p.drawText(QRectF(0, pagePx(108), pagePx(pageWidthMm), pagePx(14)), Qt::AlignHCenter,
                   guideTitle);
        p.setPen(grey);
        p.setFont(font(13));
        p.drawText(QRectF(0, pagePx(122), pagePx(pageWidthMm), pagePx(10)), Qt::AlignHCenter,
                   QStringLiteral("Ricette, prescrizioni, pazienti e farmaci dello studio medico"));

        const qreal tile = 30;
        const qreal gap = 12;
        qreal x = (pageWidthMm - 4 * tile - 3 * gap) / 2;
        for (const AppChapter& c : appChapters) {
            QSvgRenderer(QStringLiteral(":/images/%1.svg").arg(c.picture))
                .render(&p, QRectF(pagePx(x), pagePx(160), pagePx(tile), pagePx(tile)));
            QString caption = help::topic(c.app).title;
            caption.remove(QStringLiteral("App "));
            p.setPen(ink);
            p.setFont(font(9.5, true));
            p.drawText(QRectF(pagePx(x - 6), pagePx(193), pagePx(tile + 12), pagePx(12)),
                       Qt::AlignHCenter | Qt::TextWordWrap, caption);
            x += tile + gap;
        }

        p.setPen(QPen(rule, pagePx(0.3)));
        p.drawLine(QPointF(pagePx(leftMm), pagePx(250)),
                   QPointF(pagePx(pageWidthMm - rightMm), pagePx(250)));
        p.setPen(ink);
        p.setFont(font(10.5, true));
        p.drawText(QRectF(pagePx(leftMm), pagePx(256), pagePx(166), pagePx(7)), Qt::AlignLeft,
                   QStringLiteral("Tarvola 3.0 - ") + QString::fromUtf8(maker::credit));
        p.setFont(font(10));
        p.setPen(grey);
        QString site = QString::fromLatin1(maker::web);
        site.remove(QStringLiteral("https://"));
        p.drawText(QRectF(pagePx(leftMm), pagePx(263), pagePx(166), pagePx(7)), Qt::AlignLeft,
                   QString::fromLatin1(maker::email) + QStringLiteral("   \u00B7   ") + site);
    }

    void contents(const QList<Heading>& headings) {
        newPage();
        QPainter& p = m_painter;
        p.setPen(blue);
        p.setFont(font(22, true));
        p.drawText(QRectF(pagePx(leftMm), pagePx(topMm), pagePx(166), pagePx(12)),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Indice"));
        p.setPen(QPen(rule, pagePx(0.4)));
        p.drawLine(QPointF(pagePx(leftMm), pagePx(topMm + 14)),
                   QPointF(pagePx(pageWidthMm - rightMm), pagePx(topMm + 14)));

        qreal y = topMm + 22;
        for (const Heading& h : headings) {
            const bool chapter = h.level == 1;
            if (chapter)
                y += 3;
            const qreal indent = chapter ? 0 : 9;
            const QFont f = font(chapter ? 12 : 10.5, chapter);
            p.setFont(f);
            const QRectF line(pagePx(leftMm + indent), pagePx(y),
                              pagePx(pageWidthMm - leftMm - rightMm - indent), pagePx(7));
            const QString label = h.number + QStringLiteral("   ") + h.title;
            const QString page = QString::number(h.page);
            p.setPen(chapter ? blue : ink);
            QRectF used;
            p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, label, &used);
            QRectF pageBox;
            p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page, &pageBox);
            QPen dots(grey, pagePx(0.45), Qt::CustomDashLine, Qt::RoundCap);
            dots.setDashPattern({0.01, 4});
            p.setPen(dots);
            const qreal baseline = used.bottom() - pagePx(1.6);
            p.drawLine(QPointF(used.right() + pagePx(2), baseline),
                       QPointF(pageBox.left() - pagePx(2), baseline));
            y += chapter ? 9 : 7.5;
        }
        footer(2);
    }

    void body(QTextDocument& doc, const QList<Heading>& headings, int firstPage) {
        const QSizeF size = doc.pageSize();
        const int count = doc.pageCount();
        const qreal scale = pdfDpi / layoutDpi;
        for (int i = 0; i < count; ++i) {
            newPage();
            const int number = firstPage + i;
            header(chapterOn(headings, number));
            footer(number);
            m_painter.save();
            m_painter.translate(pagePx(leftMm), pagePx(topMm));
            m_painter.scale(scale, scale);
            m_painter.translate(0, -i * size.height());
            doc.drawContents(&m_painter, QRectF(QPointF(0, i * size.height()), size));
            m_painter.restore();
        }
    }

    bool finish() { return m_painter.end(); }

private:
    void newPage() { m_writer.newPage(); }

    QRectF centred(qreal top, qreal width, qreal height) const {
        return QRectF((pagePx(pageWidthMm) - width) / 2, top, width, height);
    }

    static QString chapterOn(const QList<Heading>& headings, int page) {
        QString title;
        for (const Heading& h : headings) {
            if (h.level == 1 && h.page <= page)
                title = h.title;
        }
        return title;
    }

    void header(const QString& chapter) {
        QPainter& p = m_painter;
        const QRectF line(pagePx(leftMm), pagePx(12), pagePx(166), pagePx(6));
        p.setFont(font(8.5));
        p.setPen(grey);
        p.drawText(line, Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("Tarvola 3.0 \u2013 ") + guideTitle);
        p.setPen(blue);
        p.drawText(line, Qt::AlignRight | Qt::AlignBottom, chapter);
        p.setPen(QPen(rule, pagePx(0.3)));
        p.drawLine(QPointF(pagePx(leftMm), pagePx(19.5)),
                   QPointF(pagePx(pageWidthMm - rightMm), pagePx(19.5)));
    }

    void footer(int number) {
        QPainter& p = m_painter;
        p.setFont(font(9));
        p.setPen(grey);
        p.drawText(QRectF(0, pagePx(pageHeightMm - 14), pagePx(pageWidthMm), pagePx(6)),
                   Qt::AlignHCenter | Qt::AlignVCenter, QString::number(number));
    }

    QPainter m_painter;
    QPdfWriter& m_writer;
};

} // namespace

bool writePdf(const QString& path) {
    Body body;
    buildChapters(body);
    body.keepHeadingsWithText();
    QTextDocument& doc = body.document();
    constexpr int firstBodyPage = 3;
    placeHeadings(doc, body.headings(), firstBodyPage);

    QPdfWriter writer(path);
    writer.setResolution(pdfDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Tarvola 3.0 - ") + guideTitle);
    writer.setCreator(QStringLiteral("Tarvola 3.0"));
    Pages pages(writer);
    if (!pages.ok())
        return false;
    pages.cover();
    pages.contents(body.headings());
    pages.body(doc, body.headings(), firstBodyPage);
    return pages.finish() && QFileInfo(path).size() > 0;
}

} // namespace tarvola::guide
