#include "farmaci/farmacorecord.h"

#include "platform/text.h"

namespace tarvola::farmaco {

namespace {

struct Row {
    const char* field;
    const char* caption;
    int capacity;
};

// The card's texts in file order.
constexpr Row rows[] = {
    {"Farmaco", "Nome farmaco:", 50},         {"Produttore", "Produttore:", 50},
    {"Principio", "Principio attivo:", 120},  {"Composizione", "Composizione:", 250},
    {"Categoria", "Categoria:", 50},          {"TipoRic", "Tipo ricetta:", 50},
    {"CodMin", "Codice Minsan:", 30},         {"Classe", "Classe:", 30},
    {"NotaAifa", "Nota AIFA:", 50},           {"Atc", "ATC:", 20},
    {"Forma", "Forma farmaceutica:", 50},     {"Regime", "Regime S.S.N.", 50},
    {"Durata", "Durata trattamento:", 50},    {"Periodo", "Periodo validità:", 50},
    {"DosaggioBam", "Dosaggio bambini:", 50}, {"DosaggioAdu", "Dosaggio adulti:", 50},
    {"DosaggioAnz", "Dosaggio anziani:", 50}, {"Conservazione", "Conservazione:", 50},
    {"Confezione", "Confezione:", 50},        {"Prezzo", "Prezzo: €", 15},
    {"Indicazioni", "Indicazioni:", 250},     {"Controindicazioni", "Controindicazioni:", 250},
    {"Interazioni", "Interazioni:", 250},     {"Avvertenze", "Avvertenze speciali:", 250},
    {"Annotazioni", "Annotazioni:", 250},
};

RecordLayout makeLayout() {
    RecordLayout l;
    for (const Row& row : rows)
        l.field(QString::fromLatin1(row.field), row.capacity);
    l.field(QStringLiteral("DaOrdinare"), 2).attachments();
    return l;
}

// "presc" followed by two digits from 01 to last, after the given stem.
std::optional<int> numberAfter(const QString& tag, const QString& stem, int last) {
    if (tag.size() != stem.size() + 2 || !tag.startsWith(stem))
        return std::nullopt;
    const QChar tens = tag[stem.size()];
    const QChar units = tag[stem.size() + 1];
    if (tens < u'0' || tens > u'9' || units < u'0' || units > u'9')
        return std::nullopt;
    const int number = (tens.unicode() - u'0') * 10 + (units.unicode() - u'0');
    if (number < 1 || number > last)
        return std::nullopt;
    return number;
}

} // namespace

const RecordLayout& layout() {
    static const RecordLayout farmaco = makeLayout();
    return farmaco;
}

const QList<FormField>& formFields() {
    static const QList<FormField> fields = [] {
        QList<FormField> list;
        for (const Row& row : rows)
            list.append({QString::fromLatin1(row.field), QString::fromUtf8(row.caption)});
        return list;
    }();
    return fields;
}

const QList<LineColumn>& listColumns() {
    static const QList<LineColumn> columns = [] {
        const auto at = [](const char* name) {
            return int(layout().indexOf(QString::fromLatin1(name)));
        };
        return QList<LineColumn>{{at("Farmaco"), QString(), 35},
                                 {at("Forma"), QStringLiteral("  Forma: "), 30},
                                 {at("NotaAifa"), QStringLiteral("  AIFA: "), 10},
                                 {at("Atc"), QStringLiteral("  ATC: "), 10},
                                 {at("CodMin"), QStringLiteral("  Minsan: "), 10},
                                 {at("Prezzo"), QStringLiteral("  Prezzo: € "), 0}};
    }();
    return columns;
}

std::optional<LineImport> lineImportOf(const QString& tag) {
    const QString t = trimText(tag);
    if (const auto line = numberAfter(t, QStringLiteral("presc_"), 9))
        return LineImport{LineImport::Editor::RicettaRossa, *line};
    if (const auto line = numberAfter(t, QStringLiteral("presc"), 7))
        return LineImport{LineImport::Editor::Prescrizione, *line};
    return std::nullopt;
}

} // namespace tarvola::farmaco
