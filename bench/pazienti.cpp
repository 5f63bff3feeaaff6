// Patients for the benchmark: cards as a practice fills them over the years (personal
// data, some anamnesis, analyses, therapies and a varying share of the 96 service rows),
// and the editor that navigates and saves Pazienti.pro.

#include "bench/archivekind.h"

#include "pazienti/pazienterecord.h"
#include "pazienti/tfrmexppazienti.h"
#include "pazienti/tfrmpazienti.h"
#include "pazienti/tfrmtrovapazienti.h"

#include <QStringList>

namespace tarvola::bench {

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString date(Random& random, int fromYear, int toYear) {
    return twoDigits(random.between(1, 28)) + u'/' + twoDigits(random.between(1, 12)) + u'/' +
           QString::number(random.between(fromYear, toYear));
}

QString amount(Random& random) {
    return QString::number(random.between(2, 40) * 5) + QStringLiteral(",00");
}

void generatePatient(Record& card, Random& random, qint64 n) {
    static const QStringList surnames =
        words("ROSSI|RUSSO|FERRARI|ESPOSITO|BIANCHI|ROMANO|COLOMBO|RICCI|MARINO|GRECO|BRUNO|"
              "GALLO|CONTI|DE LUCA|MANCINI|COSTA|GIORDANO|RIZZO|LOMBARDI|MORETTI|BARBIERI|"
              "FONTANA|SANTORO|MARIANI|RINALDI|CARUSO|FERRARA|GALLI|MARTINI|LEONE|LONGO");
    static const QStringList names =
        words("MARIO|GIUSEPPE|ANNA|MARIA|LUCA|FRANCESCA|GIOVANNI|PAOLA|MARCO|LAURA|ANDREA|"
              "GIULIA|STEFANO|SARA|ALESSANDRO|CHIARA|ROBERTO|ELENA|FRANCESCO|SILVIA");
    static const QStringList towns =
        words("Roma:RM|Milano:MI|Napoli:NA|Torino:TO|Palermo:PA|Genova:GE|Bologna:BO|"
              "Firenze:FI|Bari:BA|Catania:CT|Venezia:VE|Verona:VR|Padova:PD|Trieste:TS|"
              "Brescia:BS|Parma:PR|Modena:MO|Perugia:PG|Cagliari:CA|Pescara:PE");
    static const QStringList streets =
        words("Via Roma|Via Garibaldi|Corso Vittorio Emanuele|Via Mazzini|Piazza Duomo|"
              "Via Dante|Viale della Repubblica|Via Cavour|Via Verdi|Via XX Settembre");
    static const QStringList jobs =
        words("Impiegato|Insegnante|Pensionato|Commerciante|Ingegnere|Infermiera|Studente|"
              "Artigiano|Avvocato|Casalinga");
    static const QStringList services =
        words("Visita di controllo: esito regolare|Medicazione ferita|Controllo pressione "
              "arteriosa, valori nella norma|Prelievo per esami del sangue|Certificato medico "
              "sportivo|Visita domiciliare, febbre in calo|Elettrocardiogramma, tracciato "
              "regolare|Vaccinazione antinfluenzale|Rinnovo piano terapeutico|Ecografia "
              "addominale, nessuna alterazione");
    static const QStringList therapies =
        words("Ramipril 5 mg una compressa al mattino|Metformina 500 mg due volte al "
              "giorno|Atorvastatina 20 mg la sera|Ferro per via orale per tre mesi|Vitamina D "
              "25.000 UI una volta al mese|Fisioterapia per lombalgia, dieci sedute");
    static const QStringList analyses =
        words("Glicemia 92 mg/dl|Colesterolo totale 210 mg/dl|Emoglobina 13,8 g/dl|Creatinina "
              "0,9 mg/dl|TSH 2,1 mUI/l|PSA 1,2 ng/ml|Trigliceridi 140 mg/dl|Transaminasi nella "
              "norma|Vitamina D 18 ng/ml|Sideremia 60 ug/dl");
    static const QStringList allergies =
        words("Nessuna nota|Penicillina|Acido acetilsalicilico|Graminacee|Nichel|Lattosio");

    const auto set = [&card](const QString& field, const QString& text) {
        card.setValue(field, text);
    };
    const QString surname = random.pick(surnames);
    const QString name = random.pick(names);
    const QStringList birth = random.pick(towns).split(u':');
    const QStringList home = random.pick(towns).split(u':');
    set(QStringLiteral("Cognome"), surname);
    set(QStringLiteral("Nome"), name);
    set(QStringLiteral("CodFisc"), (surname.left(3) + name.left(3)).leftJustified(6, u'X') +
                                       random.digits(2) + QStringLiteral("A") + random.digits(2) +
                                       QStringLiteral("H") + random.digits(3) +
                                       QStringLiteral("U"));
    set(QStringLiteral("Sesso"), random.chance(0.5) ? QStringLiteral("M") : QStringLiteral("F"));
    set(QStringLiteral("DataNasc"), date(random, 1935, 2015));
    set(QStringLiteral("ComuneNasc"), birth[0]);
    set(QStringLiteral("ProvNasc"), birth[1]);
    if (random.chance(0.2))
        set(QStringLiteral("Iva"), random.digits(11));
    set(QStringLiteral("Indirizzo"),
        random.pick(streets) + u' ' + QString::number(random.between(1, 200)));
    set(QStringLiteral("Cap"), random.digits(5));
    set(QStringLiteral("ComuneRes"), home[0]);
    set(QStringLiteral("ProvRes"), home[1]);
    set(QStringLiteral("TelCasa"), QStringLiteral("0") + random.digits(9));
    set(QStringLiteral("TelCel"), QStringLiteral("3") + random.digits(9));
    set(QStringLiteral("Recapito"), QStringLiteral("Cellulare"));
    set(QStringLiteral("Email"), name.toLower() + u'.' + surname.toLower().remove(u' ') +
                                     QString::number(n) + QStringLiteral("@posta.it"));
    set(QStringLiteral("Orari"), random.chance(0.5) ? QStringLiteral("Lunedì e giovedì mattina")
                                                    : QStringLiteral("Pomeriggio dopo le 16"));
    set(QStringLiteral("Professione"), random.pick(jobs));
    set(QStringLiteral("Pagamento"),
        random.chance(0.6) ? QStringLiteral("Contanti") : QStringLiteral("Bonifico bancario"));
    set(QStringLiteral("Medico"), QStringLiteral("Dott. Verdi"));
    set(QStringLiteral("Tessera"), QStringLiteral("8038000") + random.digits(13));
    set(QStringLiteral("Privacy"), QStringLiteral("Dott. Luigi Verdi"));

    set(QStringLiteral("Peso"), QString::number(random.between(45, 110)) + QStringLiteral(" kg"));
    set(QStringLiteral("Altezza"),
        QString::number(random.between(150, 195)) + QStringLiteral(" cm"));
    set(QStringLiteral("Gruppo"), random.pick(words("A+|A-|B+|0+|0-|AB+")));
    set(QStringLiteral("Asl"), QStringLiteral("ASL ") + home[0]);
    set(QStringLiteral("Allergie"), random.pick(allergies));
    set(QStringLiteral("Raccomandazioni"),
        QStringLiteral("Attività fisica regolare, dieta povera di sale"));

    for (int i = 1, lines = random.between(0, 12); i <= lines; ++i)
        set(runName(QStringLiteral("Dente"), i), random.pick(analyses));
    for (int i = 1; i <= paziente::therapyRows; ++i) {
        const bool used = i <= random.between(0, 4);
        set(runName(QStringLiteral("Costo"), i), used ? amount(random) : QStringLiteral("0,00"));
        if (!used)
            continue;
        set(runName(QStringLiteral("InizioTerap"), i), date(random, 2015, 2025));
        set(runName(QStringLiteral("FineTerap"), i), date(random, 2016, 2026));
        set(runName(QStringLiteral("Terapia"), i), random.pick(therapies));
    }
    const int rows = random.between(0, paziente::serviceRows);
    for (int i = 1; i <= paziente::serviceRows; ++i) {
        set(runName(QStringLiteral("ImpPrest"), i),
            i <= rows ? amount(random) : QStringLiteral("0,00"));
        if (i > rows)
            continue;
        set(runName(QStringLiteral("DataPrest"), i), date(random, 2010, 2026));
        set(runName(QStringLiteral("OraPrest"), i),
            twoDigits(random.between(8, 19)) + u':' + twoDigits(random.below(4) * 15));
        set(runName(QStringLiteral("TipoPrest"), i), random.pick(services));
    }
}

} // namespace

ArchiveKind pazientiKind() {
    ArchiveKind kind;
    kind.title = QStringLiteral("pazienti");
    kind.fileName = QString::fromLatin1(paziente::archiveName);
    kind.layout = &paziente::layout();
    kind.generate = generatePatient;
    kind.grepWord = "ROSSI";
    kind.editor = [](Services& services) -> std::unique_ptr<RecordEditor> {
        return std::make_unique<TfrmPazienti>(services);
    };
    kind.searchWindow = [](Services& services, std::function<void()> recalled) {
        auto window = std::make_unique<TfrmTrovaPazienti>(services);
        window->setTag(QStringLiteral("pazienti"));
        window->setRecallTarget([recalled](const Record&, qint64) { recalled(); });
        return std::unique_ptr<SearchWindow>(std::move(window));
    };
    // Patients of one surname living in one town.
    kind.twoFilters = {{QStringLiteral("txtCognome"), QStringLiteral("ross")},
                       {QStringLiteral("txtComuneRes"), QStringLiteral("roma")}};
    // A card is 46 KB, but the search reads only its first 1 503 bytes and the export two
    // short ranges: both must cost a small part of reading the file.
    kind.searchTarget = 0.3;
    kind.exportWindow = [](Services& services) {
        return std::unique_ptr<ExportWindow>(std::make_unique<TfrmExpPazienti>(services));
    };
    kind.exportFile = QStringLiteral("Pazienti.xls");
    kind.exportLoadTarget = 0.5;
    return kind;
}

} // namespace tarvola::bench
