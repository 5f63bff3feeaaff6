#include "pazienti/pazientisearch.h"

#include "pazienti/pazienterecord.h"
#include "platform/text.h"

namespace tarvola::paziente {

namespace {

int at(const QString& field) {
    const qsizetype index = layout().indexOf(field);
    Q_ASSERT_X(index >= 0, "paziente search", qPrintable(field));
    return int(index);
}

// A target control and the card fields whose trimmed texts, joined by single blanks, it
// receives.
struct ImportValue {
    const char* control;
    QList<const char*> fields;
};

const QList<ImportValue>& importTable(ImportEditor editor) {
    static const QList<ImportValue> prescrizione{
        {"txtPaziente", {"Cognome", "Nome"}},
        {"txtCodFisc", {"CodFisc"}},
        {"txtSesso", {"Sesso"}},
        {"txtDataNasc", {"DataNasc"}},
        {"txtRecapito", {"Recapito"}},
        {"txtTessera", {"Tessera"}},
        {"txtAsl", {"Asl"}},
        {"txtIndirizzo", {"Indirizzo", "Cap", "ComuneRes", "ProvRes"}},
    };
    static const QList<ImportValue> ricettaRossa{
        {"txtAssistito", {"Cognome", "Nome"}},
        {"txtCodFisc", {"CodFisc"}},
        {"txtIndirizzo", {"Indirizzo", "Cap", "ComuneRes", "ProvRes"}},
    };
    return editor == ImportEditor::Prescrizione ? prescrizione : ricettaRossa;
}

} // namespace

const QList<SearchFilter>& searchFilters() {
    static const QList<SearchFilter> filters = [] {
        const auto f = [](const char* field, const char* caption) {
            return SearchFilter{QStringLiteral("txt") + QString::fromLatin1(field),
                                QString::fromUtf8(caption), QString::fromLatin1(field)};
        };
        return QList<SearchFilter>{
            f("Cognome", "Cognome:"),
            f("Nome", "Nome:"),
            f("CodFisc", "Codice fiscale:"),
            f("Iva", "Partita IVA:"),
            f("DataNasc", "Data di nascita:"),
            f("ComuneNasc", "Comune di nascita:"),
            f("ComuneRes", "Comune di residenza:"),
            f("Tessera", "Tessera sanitaria n."),
            f("Orari", "Giorni e orari preferiti per appuntamenti:"),
            f("Note", "Note:"),
        };
    }();
    return filters;
}

const QList<LineColumn>& listColumns() {
    static const QList<LineColumn> columns{
        {at(QStringLiteral("Cognome")), QString(), 30, at(QStringLiteral("Nome"))},
        {at(QStringLiteral("Recapito")), QStringLiteral("  Tel. "), 15},
        {at(QStringLiteral("CodFisc")), QStringLiteral("  C.F. "), 16},
        {at(QStringLiteral("Note")), QStringLiteral("  Note: "), 0},
    };
    return columns;
}

QList<int> searchFields() {
    QList<int> fields;
    for (const SearchFilter& f : searchFilters())
        fields << at(f.field);
    for (const LineColumn& c : listColumns()) {
        fields << c.field;
        if (c.joined >= 0)
            fields << c.joined;
    }
    return fields;
}

std::optional<ImportEditor> importEditorOf(const QString& tag) {
    const QString t = trimText(tag);
    if (t == QStringLiteral("prescrizioni"))
        return ImportEditor::Prescrizione;
    if (t == QStringLiteral("ricette"))
        return ImportEditor::RicettaRossa;
    return std::nullopt;
}

ImportValues importValues(ImportEditor editor, const RecordView& card) {
    ImportValues values;
    for (const ImportValue& v : importTable(editor)) {
        QStringList parts;
        for (const char* field : v.fields)
            parts << trimText(card.field(at(QString::fromLatin1(field))));
        values.append({QString::fromLatin1(v.control), parts.join(u' ')});
    }
    return values;
}

QList<int> importFields() {
    QList<int> fields;
    for (ImportEditor editor : {ImportEditor::Prescrizione, ImportEditor::RicettaRossa}) {
        for (const ImportValue& v : importTable(editor)) {
            for (const char* field : v.fields)
                fields << at(QString::fromLatin1(field));
        }
    }
    return fields;
}

} // namespace tarvola::paziente
