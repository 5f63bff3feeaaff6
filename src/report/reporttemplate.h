#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <exception>
#include <variant>
#include <vector>

namespace tarvola::report {

// Templates measure objects in pixels at 96 dots per inch; the model keeps millimetres.
inline constexpr double mmPerPixel = 25.4 / 96.0;
inline constexpr double pxToMm(double px) {
    return px * mmPerPixel;
}
inline constexpr double mmToPx(double mm) {
    return mm / mmPerPixel;
}

// A template that cannot be read or an object that is not there. Print windows turn it
// into their own failure message.
class ReportError : public std::exception {
public:
    explicit ReportError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

enum class Orientation { Portrait, Landscape };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center };
enum class BandRole { ReportTitle, MasterData, Footer };
enum class LineEdge { Left, Top };

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    QColor color = Qt::black;
    bool operator==(const FontSpec&) const = default;
};

// The one page of a template: A4 and the margins around the printable area, in mm.
struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    QSizeF portraitPaper{210, 297};
    QMarginsF margins; // left, top, right, bottom

    QSizeF paperSize() const {
        return orientation == Orientation::Portrait ? portraitPaper : portraitPaper.transposed();
    }
    QRectF printableArea() const { return QRectF(QPointF(), paperSize()).marginsRemoved(margins); }
};

// Objects sit at Left and Top from the printable area's top-left corner (objects of a band:
// from the band's top), in millimetres. They never move or grow.
struct ObjectBase {
    QString name;
    QString band; // the band holding the object; empty for objects placed on the page
    QRectF rect;

    double heightPx() const { return mmToPx(rect.height()); }
    void setHeightPx(double px) { rect.setHeight(pxToMm(px)); }
};

// A text object. The template's own text may hold expressions in square brackets
// ("[DATE]"); text the program puts in always prints as given.
class Memo : public ObjectBase {
public:
    FontSpec font;
    QColor fill; // invalid: transparent
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    bool allowExpressions = true;
    // Inner gaps and line spacing, in pixels at 96 dpi.
    double gapLeftPx = 2;
    double gapTopPx = 1;
    double lineSpacingPx = 2;
    // Distance from one line's top to the next when fixed by the template (pixels); 0 takes
    // it from the font.
    double linePitchPx = 0;

    void setText(const QString& text);
    void clearLines();
    void appendLine(const QString& line);
    const QStringList& lines() const { return m_lines; }
    QString text() const { return m_lines.join(u'\n'); }
    // True while the memo still holds the template's own text.
    bool holdsTemplateText() const { return !m_filled; }

    // Template text, as designed; expressions in it stay live.
    void setTemplateLines(const QStringList& lines) {
        m_lines = lines;
        m_filled = false;
    }

private:
    QStringList m_lines;
    bool m_filled = false;
};

// A picture: a fixed embedded image or the practice logo given by the window. The image is
// scaled to fit keeping its proportions, at the top-left corner or centred.
struct Picture : ObjectBase {
    QImage image;
    bool center = false;
};

// A rectangle with a one-pixel black outline, filled when fill is valid.
struct Shape : ObjectBase {
    QColor fill;
};

// A one-pixel black line: vertical along the left edge or horizontal along the top edge.
struct Line : ObjectBase {
    LineEdge edge = LineEdge::Top;
};

// A horizontal strip of the list template holding memos; rect.height() is its height.
struct Band : ObjectBase {
    BandRole role = BandRole::MasterData;
    bool allowSplit = false;
};

using ReportObject = std::variant<Memo, Picture, Shape, Line, Band>;

const ObjectBase& baseOf(const ReportObject& object);
ObjectBase& baseOf(ReportObject& object);

// A fixed page layout of named objects, as designed. A window loads its own copy each time
// it prints, finds the objects by name and fills them, then hands the copy to the layout.
//
//     ReportTemplate form = ReportTemplate::load(templates::ricettaRossa);
//     form.page.margins.setTop(3);
//     form.memo(QStringLiteral("txtAssistito")).setText(name);
//     PreparedReport pages = prepareReport(form, services.clock().today());
//     services.reports()->print(this, pages);
class ReportTemplate {
public:
    // Reads a template file (a resource path such as templates::ricettaRossa).
    static ReportTemplate load(const QString& path);
    static ReportTemplate fromJson(const QByteArray& json);

    QString reportName; // job title and preview caption
    QString templateName;
    PageSetup page;

    const std::vector<ReportObject>& objects() const { return m_objects; }

    // The first object whose name equals name, comparing the letters A to Z without regard
    // to case; nullptr when there is none.
    ReportObject* findObject(const QString& name);
    const ReportObject* findObject(const QString& name) const;

    // The named object as the kind it is; ReportError when missing or of another kind.
    Memo& memo(const QString& name);
    Picture& picture(const QString& name);
    Band& band(const QString& name);

    void add(ReportObject object);

private:
    template <typename T> T& as(const QString& name, const char* kind);

    std::vector<ReportObject> m_objects;
};

// The templates the program carries.
namespace templates {
inline const QString ricettaRossa = QStringLiteral(":/templates/ricettarossa.json");
inline const QString riepilogo = QStringLiteral(":/templates/riepilogo.json");
inline const QString schedaFarmaco = QStringLiteral(":/templates/schedafarmaco.json");
inline const QString prescrizione = QStringLiteral(":/templates/prescrizione.json");
inline const QString schedaPaziente = QStringLiteral(":/templates/schedapaziente.json");
inline const QString storicoTerapie = QStringLiteral(":/templates/storicoterapie.json");
inline const QString analisiCliniche = QStringLiteral(":/templates/analisicliniche.json");
} // namespace templates

} // namespace tarvola::report
