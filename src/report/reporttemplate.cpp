#include "report/reporttemplate.h"

#include "platform/text.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace tarvola::report {

// ---- Memo text ---------------------------------------------------------------------------

void Memo::setText(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(u'\r', u'\n');
    m_lines = text.isEmpty() ? QStringList() : unified.split(u'\n');
    m_filled = true;
}

void Memo::clearLines() {
    m_lines.clear();
    m_filled = true;
}

void Memo::appendLine(const QString& line) {
    m_lines.append(line);
    m_filled = true;
}

// ---- Looking objects up ------------------------------------------------------------------

const ObjectBase& baseOf(const ReportObject& object) {
    return std::visit([](const auto& o) -> const ObjectBase& { return o; }, object);
}

ObjectBase& baseOf(ReportObject& object) {
    return std::visit([](auto& o) -> ObjectBase& { return o; }, object);
}

ReportObject* ReportTemplate::findObject(const QString& name) {
    for (ReportObject& object : m_objects) {
        if (equalsIgnoringCaseAZ(baseOf(object).name, name))
            return &object;
    }
    return nullptr;
}

const ReportObject* ReportTemplate::findObject(const QString& name) const {
    return const_cast<ReportTemplate*>(this)->findObject(name);
}

template <typename T> T& ReportTemplate::as(const QString& name, const char* kind) {
    ReportObject* object = findObject(name);
    if (!object)
        throw ReportError(
            QStringLiteral("Il modello %1 non contiene l'oggetto %2.").arg(templateName, name));
    T* typed = std::get_if<T>(object);
    if (!typed)
        throw ReportError(QStringLiteral("L'oggetto %1 del modello %2 non è %3.")
                              .arg(name, templateName, QString::fromLatin1(kind)));
    return *typed;
}

Memo& ReportTemplate::memo(const QString& name) {
    return as<Memo>(name, "un testo");
}

Picture& ReportTemplate::picture(const QString& name) {
    return as<Picture>(name, "un'immagine");
}

Band& ReportTemplate::band(const QString& name) {
    return as<Band>(name, "una banda");
}

void ReportTemplate::add(ReportObject object) {
    const QString& name = baseOf(object).name;
    if (name.isEmpty())
        throw ReportError(
            QStringLiteral("Un oggetto del modello %1 non ha nome.").arg(templateName));
    if (findObject(name))
        throw ReportError(
            QStringLiteral("Il modello %1 contiene due oggetti %2.").arg(templateName, name));
    m_objects.push_back(std::move(object));
}

// ---- Reading template files --------------------------------------------------------------
//
// One JSON object per template:
//   { "template": "repModulo", "reportName": "Ricetta Rossa", "units": "mm" or "px",
//     "page": { "orientation": "portrait", "margins": { "left": 0, "top": 0, ... } },
//     "memoDefaults": { ...memo keys... },
//     "objects": [ { "kind": "memo", "name": ..., "rect": [left, top, width, height], ... },
//                  { "kind": "band", "name": ..., "role": ..., "height": ..., "objects": [...] } ]
//                  }
// Geometry is in the template's units; page margins always in millimetres; gaps, line
// spacing and line pitch always in pixels; font sizes in points. Unknown keys are errors,
// so a misspelt key cannot silently fall back to a default.

namespace {

class Reader {
public:
    explicit Reader(ReportTemplate& target)
        : m_target(target) {}

    void read(const QJsonObject& root) {
        expectKeys(root, {"template", "reportName", "units", "page", "memoDefaults", "objects"},
                   QStringLiteral("modello"));
        m_target.templateName = root.value(QStringLiteral("template")).toString();
        m_target.reportName = root.value(QStringLiteral("reportName")).toString();
        const QString units = root.value(QStringLiteral("units")).toString();
        if (units == QStringLiteral("mm"))
            m_scale = 1.0;
        else if (units == QStringLiteral("px"))
            m_scale = mmPerPixel;
        else
            fail(QStringLiteral("unità di misura \"%1\" sconosciuta").arg(units));
        readPage(root.value(QStringLiteral("page")).toObject());
        m_memoDefaults = root.value(QStringLiteral("memoDefaults")).toObject();
        readObjects(root.value(QStringLiteral("objects")).toArray(), QString());
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("Modello di stampa %1 non valido: %2.")
                              .arg(m_target.templateName, what));
    }

    void expectKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                    const QString& where) const {
        for (const QString& key : object.keys()) {
            bool known = false;
            for (const char* a : allowed)
                known = known || key == QLatin1String(a);
            if (!known)
                fail(QStringLiteral("chiave \"%1\" sconosciuta in %2").arg(key, where));
        }
    }

    void readPage(const QJsonObject& page) {
        expectKeys(page, {"paper", "orientation", "margins"}, QStringLiteral("pagina"));
        const QString paper = page.value(QStringLiteral("paper")).toString(QStringLiteral("A4"));
        if (paper != QStringLiteral("A4"))
            fail(QStringLiteral("formato carta \"%1\" sconosciuto").arg(paper));
        m_target.page.orientation =
            orientationOf(page.value(QStringLiteral("orientation")).toString());
        const QJsonObject m = page.value(QStringLiteral("margins")).toObject();
        expectKeys(m, {"left", "top", "right", "bottom"}, QStringLiteral("margini"));
        m_target.page.margins = QMarginsF(m.value(QStringLiteral("left")).toDouble(),
                                          m.value(QStringLiteral("top")).toDouble(),
                                          m.value(QStringLiteral("right")).toDouble(),
                                          m.value(QStringLiteral("bottom")).toDouble());
    }

    Orientation orientationOf(const QString& text) const {
        if (text.isEmpty() || text == QStringLiteral("portrait"))
            return Orientation::Portrait;
        if (text == QStringLiteral("landscape"))
            return Orientation::Landscape;
        fail(QStringLiteral("orientamento \"%1\" sconosciuto").arg(text));
    }

    void readObjects(const QJsonArray& objects, const QString& band) {
        for (const QJsonValue& value : objects) {
            const QJsonObject o = value.toObject();
            const QString kind = o.value(QStringLiteral("kind")).toString();
            if (kind == QStringLiteral("memo"))
                m_target.add(readMemo(o, band));
            else if (kind == QStringLiteral("picture"))
                m_target.add(readPicture(o, band));
            else if (kind == QStringLiteral("shape"))
                m_target.add(readShape(o, band));
            else if (kind == QStringLiteral("line"))
                m_target.add(readLine(o, band));
            else if (kind == QStringLiteral("band") && band.isEmpty())
                readBand(o);
            else
                fail(QStringLiteral("tipo di oggetto \"%1\" non ammesso").arg(kind));
        }
    }

    template <typename T> T base(const QJsonObject& o, const QString& band) const {
        T object;
        object.name = o.value(QStringLiteral("name")).toString();
        object.band = band;
        const QJsonArray r = o.value(QStringLiteral("rect")).toArray();
        if (r.size() != 4)
            fail(QStringLiteral("l'oggetto \"%1\" non ha posizione e misure").arg(object.name));
        object.rect = QRectF(r[0].toDouble() * m_scale, r[1].toDouble() * m_scale,
                             r[2].toDouble() * m_scale, r[3].toDouble() * m_scale);
        return object;
    }

    QColor colour(const QJsonValue& value, const QString& owner) const {
        if (value.isUndefined() || value.isNull())
            return QColor();
        const QColor c = QColor::fromString(value.toString());
        if (!c.isValid())
            fail(
                QStringLiteral("colore \"%1\" di \"%2\" sconosciuto").arg(value.toString(), owner));
        return c;
    }

    Memo readMemo(const QJsonObject& given, const QString& band) const {
        // The template's defaults under the memo's own keys; fonts and gaps key by key.
        QJsonObject o = m_memoDefaults;
        for (auto it = given.begin(); it != given.end(); ++it) {
            QJsonValue value = it.value();
            if (value.isObject() && o.value(it.key()).isObject()) {
                QJsonObject merged = o.value(it.key()).toObject();
                const QJsonObject own = value.toObject();
                for (auto own_it = own.begin(); own_it != own.end(); ++own_it)
                    merged.insert(own_it.key(), own_it.value());
                value = merged;
            }
            o.insert(it.key(), value);
        }
        const QString name = o.value(QStringLiteral("name")).toString();
        expectKeys(o,
                   {"kind", "name", "rect", "font", "fill", "align", "valign", "wordWrap",
                    "allowExpressions", "gaps", "linePitch", "text"},
                   name);
        Memo memo;
        static_cast<ObjectBase&>(memo) = base<ObjectBase>(o, band);

        const QJsonObject f = o.value(QStringLiteral("font")).toObject();
        expectKeys(f, {"family", "size", "bold", "color"}, name);
        memo.font.family = f.value(QStringLiteral("family")).toString(memo.font.family);
        memo.font.pointSize = f.value(QStringLiteral("size")).toDouble(memo.font.pointSize);
        memo.font.bold = f.value(QStringLiteral("bold")).toBool(false);
        if (f.contains(QStringLiteral("color")))
            memo.font.color = colour(f.value(QStringLiteral("color")), name);

        memo.fill = colour(o.value(QStringLiteral("fill")), name);
        const QString align = o.value(QStringLiteral("align")).toString(QStringLiteral("left"));
        if (align == QStringLiteral("left"))
            memo.hAlign = HAlign::Left;
        else if (align == QStringLiteral("center"))
            memo.hAlign = HAlign::Center;
        else if (align == QStringLiteral("right"))
            memo.hAlign = HAlign::Right;
        else
            fail(QStringLiteral("allineamento \"%1\" di \"%2\" sconosciuto").arg(align, name));
        const QString valign = o.value(QStringLiteral("valign")).toString(QStringLiteral("top"));
        if (valign == QStringLiteral("top"))
            memo.vAlign = VAlign::Top;
        else if (valign == QStringLiteral("center"))
            memo.vAlign = VAlign::Center;
        else
            fail(QStringLiteral("allineamento \"%1\" di \"%2\" sconosciuto").arg(valign, name));
        memo.wordWrap = o.value(QStringLiteral("wordWrap")).toBool(true);
        memo.allowExpressions = o.value(QStringLiteral("allowExpressions")).toBool(true);

        const QJsonObject gaps = o.value(QStringLiteral("gaps")).toObject();
        expectKeys(gaps, {"left", "top", "lineSpacing"}, name);
        memo.gapLeftPx = gaps.value(QStringLiteral("left")).toDouble(memo.gapLeftPx);
        memo.gapTopPx = gaps.value(QStringLiteral("top")).toDouble(memo.gapTopPx);
        memo.lineSpacingPx = gaps.value(QStringLiteral("lineSpacing")).toDouble(memo.lineSpacingPx);
        memo.linePitchPx = o.value(QStringLiteral("linePitch")).toDouble(0);

        const QJsonValue text = o.value(QStringLiteral("text"));
        QStringList lines;
        if (text.isArray()) {
            for (const QJsonValue& line : text.toArray())
                lines << line.toString();
        } else if (!text.toString().isEmpty()) {
            lines << text.toString();
        }
        memo.setTemplateLines(lines);
        return memo;
    }

    Picture readPicture(const QJsonObject& o, const QString& band) const {
        expectKeys(o, {"kind", "name", "rect", "image", "center"},
                   o.value(QStringLiteral("name")).toString());
        Picture picture = base<Picture>(o, band);
        const QString image = o.value(QStringLiteral("image")).toString();
        if (!image.isEmpty()) {
            picture.image = QImage(image);
            if (picture.image.isNull())
                fail(QStringLiteral("immagine \"%1\" illeggibile").arg(image));
        }
        picture.center = o.value(QStringLiteral("center")).toBool(false);
        return picture;
    }

    Shape readShape(const QJsonObject& o, const QString& band) const {
        expectKeys(o, {"kind", "name", "rect", "fill"}, o.value(QStringLiteral("name")).toString());
        Shape shape = base<Shape>(o, band);
        shape.fill = colour(o.value(QStringLiteral("fill")), shape.name);
        return shape;
    }

    Line readLine(const QJsonObject& o, const QString& band) const {
        expectKeys(o, {"kind", "name", "rect", "edge"}, o.value(QStringLiteral("name")).toString());
        Line line = base<Line>(o, band);
        const QString edge = o.value(QStringLiteral("edge")).toString();
        if (edge == QStringLiteral("left"))
            line.edge = LineEdge::Left;
        else if (edge == QStringLiteral("top"))
            line.edge = LineEdge::Top;
        else
            fail(
                QStringLiteral("bordo \"%1\" della linea \"%2\" sconosciuto").arg(edge, line.name));
        return line;
    }

    void readBand(const QJsonObject& o) {
        const QString name = o.value(QStringLiteral("name")).toString();
        expectKeys(o, {"kind", "name", "role", "height", "allowSplit", "objects"}, name);
        Band band;
        band.name = name;
        const QString role = o.value(QStringLiteral("role")).toString();
        if (role == QStringLiteral("reportTitle"))
            band.role = BandRole::ReportTitle;
        else if (role == QStringLiteral("masterData"))
            band.role = BandRole::MasterData;
        else if (role == QStringLiteral("footer"))
            band.role = BandRole::Footer;
        else
            fail(QStringLiteral("ruolo \"%1\" della banda \"%2\" sconosciuto").arg(role, name));
        band.allowSplit = o.value(QStringLiteral("allowSplit")).toBool(false);
        band.rect = QRectF(0, 0, m_target.page.printableArea().width(),
                           o.value(QStringLiteral("height")).toDouble() * m_scale);
        m_target.add(band);
        readObjects(o.value(QStringLiteral("objects")).toArray(), name);
    }

    ReportTemplate& m_target;
    double m_scale = 1.0;
    QJsonObject m_memoDefaults;
};

} // namespace

ReportTemplate ReportTemplate::fromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (!document.isObject())
        throw ReportError(
            QStringLiteral("Modello di stampa non leggibile: %1.").arg(error.errorString()));
    ReportTemplate result;
    Reader(result).read(document.object());
    return result;
}

ReportTemplate ReportTemplate::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Modello di stampa %1 non trovato.").arg(path));
    return fromJson(file.readAll());
}

} // namespace tarvola::report
