#include "pazienti/pazienterecord.h"

namespace tarvola::paziente {

namespace {

struct Single {
    const char* field;
    const char* caption;
    int capacity;
};

// The personal block, in file order from offset 0.
constexpr Single personal[] = {
    {"Cognome", "Cognome:", 50},
    {"Nome", "Nome:", 50},
    {"CodFisc", "Codice fiscale:", 16},
    {"Sesso", "Sesso:", 1},
    {"DataNasc", "Data di nascita:", 10},
    {"ComuneNasc", "Comune di nascita:", 50},
    {"ProvNasc", "Prov.", 2},
    {"Iva", "Partita IVA:", 11},
    {"Indirizzo", "Via e numero civico:", 50},
    {"Cap", "CAP:", 5},
    {"ComuneRes", "Comune di residenza:", 50},
    {"ProvRes", "Prov.", 2},
    {"TelCasa", "Tel. casa:", 30},
    {"TelUff", "Tel. ufficio:", 30},
    {"TelCel", "Tel. cellulare:", 30},
    {"Fax", "Fax:", 30},
    {"Recapito", "Recapito preferenziale:", 30},
    {"Email", "E-mail:", 50},
    {"Orari", "Giorni e orari preferiti per appuntamenti:", 250},
    {"Iban", "IBAN:", 27},
    {"Intestatario", "Intestatario C/C:", 50},
    {"Professione", "Professione:", 50},
    {"Carta", "Carta di credito n.", 50},
    {"ScadeCarta", "Scadenza:", 30},
    {"Pagamento", "Modalità di pagamento:", 120},
    {"Medico", "Medico:", 50},
    {"Tessera", "Tessera sanitaria n.", 50},
    {"Note", "Note:", 250},
    {"Privacy", "Titolare trattamento dati:", 50},
};

// The anamnesis block, after the clinical analysis lines.
constexpr Single anamnesis[] = {
    {"Peso", "Peso:", 20},
    {"Altezza", "Altezza:", 20},
    {"Gruppo", "Gruppo sanguigno:", 20},
    {"Asl", "ASL:", 30},
    {"Disfunzioni", "Disfunzioni articolari:", 250},
    {"Protesi", "Protesi:", 250},
    {"Handicap", "Handicap psicomotori:", 250},
    {"Interventi", "Interventi subiti:", 250},
    {"Vaccinazioni", "Vaccinazioni:", 250},
    {"Malattie", "Malattie infettive:", 250},
    {"Patologie", "Altre patologie:", 250},
    {"Terapie", "Terapie seguite:", 250},
    {"Farmaci", "Farmaci assunti:", 250},
    {"Allergie", "Allergie accertate:", 250},
    {"Raccomandazioni", "Raccomandazioni mediche:", 250},
};

template <size_t N> QList<FormField> formFields(const Single (&rows)[N]) {
    QList<FormField> list;
    for (const Single& row : rows)
        list.append({QString::fromLatin1(row.field), QString::fromUtf8(row.caption)});
    return list;
}

QList<RowColumn> columns(std::initializer_list<Single> rows) {
    QList<RowColumn> list;
    for (const Single& row : rows)
        list.append({QString::fromLatin1(row.field), QString::fromUtf8(row.caption), row.capacity});
    return list;
}

RecordLayout makeLayout() {
    RecordLayout l;
    for (const Single& row : personal)
        l.field(QString::fromLatin1(row.field), row.capacity);
    for (const RowColumn& c : therapyColumns())
        l.run(c.stem, therapyRows, c.capacity);
    for (const RowColumn& c : serviceColumns())
        l.run(c.stem, serviceRows, c.capacity);
    l.run(QStringLiteral("Dente"), analysisLines, 250);
    for (const Single& row : anamnesis)
        l.field(QString::fromLatin1(row.field), row.capacity);
    l.attachments();
    return l;
}

} // namespace

const RecordLayout& layout() {
    static const RecordLayout paziente = makeLayout();
    return paziente;
}

const QList<FormField>& personalFields() {
    static const QList<FormField> list = formFields(personal);
    return list;
}

const QList<FormField>& anamnesisFields() {
    static const QList<FormField> list = formFields(anamnesis);
    return list;
}

const QList<RowColumn>& serviceColumns() {
    static const QList<RowColumn> list =
        columns({{"DataPrest", "Data:", 10},
                 {"OraPrest", "Ora:", 5},
                 {"TipoPrest", "Prestazione eseguita ed esito:", 250},
                 {"ImpPrest", "Importo:", 12}});
    return list;
}

const QList<RowColumn>& therapyColumns() {
    static const QList<RowColumn> list = columns({{"InizioTerap", "Data inizio:", 10},
                                                  {"FineTerap", "Data fine:", 10},
                                                  {"Terapia", "Terapia:", 250},
                                                  {"Costo", "Costo:", 12}});
    return list;
}

QStringList moneyFields() {
    return runNames(QStringLiteral("ImpPrest"), serviceRows) +
           runNames(QStringLiteral("Costo"), therapyRows);
}

QStringList serviceFields() {
    QStringList fields;
    for (const RowColumn& c : serviceColumns())
        fields += runNames(c.stem, serviceRows);
    return fields;
}

const QStringList& provinceCodes() {
    static const QStringList codes =
        QStringLiteral("AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL "
                       "CN CO CR CS "
                       "CT CZ EE EN FC FE FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC "
                       "MD ME MI MN "
                       "MO MS MT NA NO NU OG OR OT PA PC PD PE PG PI PN PO PR PT PU PV PZ RA RC RE "
                       "RG RI RM RN "
                       "RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT VV")
            .split(u' ');
    return codes;
}

const QList<PrintRow>& printRows() {
    static const QList<PrintRow> rows = [] {
        const auto one = [](const char* caption, const char* field) {
            return PrintRow{QString::fromUtf8(caption), {{QString(), QString::fromLatin1(field)}}};
        };
        const auto two = [](const char* caption, const char* field, const char* between,
                            const char* second) {
            return PrintRow{QString::fromUtf8(caption),
                            {{QString(), QString::fromLatin1(field)},
                             {QString::fromLatin1(between), QString::fromLatin1(second)}}};
        };
        return QList<PrintRow>{
            one("Cognome paziente:", "Cognome"),
            one("Nome paziente:", "Nome"),
            two("Codice fiscale:", "CodFisc", "  -  Sesso: ", "Sesso"),
            one("Data di nascita:", "DataNasc"),
            two("Comune di nascita:", "ComuneNasc", "  -  Prov. ", "ProvNasc"),
            one("Partita IVA:", "Iva"),
            one("Via e numero civico:", "Indirizzo"),
            one("CAP:", "Cap"),
            two("Comune di residenza:", "ComuneRes", "  -  Prov. ", "ProvRes"),
            one("Tel. casa:", "TelCasa"),
            one("Tel. ufficio:", "TelUff"),
            one("Tel. cellulare:", "TelCel"),
            one("Fax:", "Fax"),
            one("Recapito preferenziale:", "Recapito"),
            one("E-mail:", "Email"),
            one("Giorni e orari preferiti:", "Orari"),
            one("Tessera sanitaria n.", "Tessera"),
            one("Modalità di pagamento:", "Pagamento"),
            one("Note:", "Note"),
            one("Professione:", "Professione"),
            one("IBAN:", "Iban"),
            one("Intestatario C/C:", "Intestatario"),
            one("Medico:", "Medico"),
            one("Raccomandazioni mediche:", "Raccomandazioni"),
        };
    }();
    return rows;
}

} // namespace tarvola::paziente
