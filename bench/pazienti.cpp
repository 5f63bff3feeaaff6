// Patients for the benchmark: cards as a practice fills them (personal data, some services
// and therapies, a few analysis lines, the anamnesis), and the windows that search,
// navigate and export Pazienti.pro.

#include "bench/archivekind.h"

#include "pazienti/pazienterecord.h"
#include "pazienti/tfrmexppazienti.h"
#include "pazienti/tfrmpazienti.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "platform/services.h"

#include <QDate>
#include <QStringList>

namespace tarvola::bench {

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

const QStringList surnames = words(
    "ROSSI|RUSSO|FERRARI|ESPOSITO|BIANCHI|ROMANO|COLOMBO|RICCI|MARINO|GRECO|BRUNO|GALLO|CONTI|"
    "DE LUCA|MANCINI|COSTA|GIORDANO|RIZZO|LOMBARDI|MORETTI|BARBIERI|FONTANA|SANTORO|MARIANI|"
    "RINALDI|CARUSO|FERRARA|GALLI|MARTINI|LEONE|LONGO|GENTILE|MARTINELLI|VITALE|LOMBARDO|SERRA|"
    "COPPOLA|DE SANTIS|D'ANGELO|MARCHETTI|PARISI|VILLA|CONTE|FERRO|FABBRI|BIANCO|MARINI|GRASSO");
const QStringList names = words(
    "MARIO|LUCA|GIUSEPPE|MARCO|ANDREA|FRANCESCO|ANTONIO|PAOLO|GIOVANNI|ROBERTO|MARIA|ANNA|GIULIA|"
    "FRANCESCA|SARA|LAURA|CHIARA|ELENA|MARTA|SILVIA|NICOLÒ|NICCOLÒ|ILARIA|FEDERICA|VALENTINA");
const QStringList towns =
    words("ROMA|MILANO|NAPOLI|TORINO|PALERMO|GENOVA|BOLOGNA|FIRENZE|BARI|CATANIA|VENEZIA|VERONA|"
          "MESSINA|PADOVA|TRIESTE|PERUGIA|FORLÌ|CITTÀ DI CASTELLO|CEFALÙ|AREZZO");
const QStringList provinces = words("RM|MI|NA|TO|PA|GE|BO|FI|BA|CT|VE|VR|ME|PD|TS|PG|FC|PG|PA|AR");
const QStringList services =
    words("Visita di controllo|Prima visita|Elettrocardiogramma|Ecografia addominale|Medicazione|"
          "Certificato medico|Prelievo|Vaccinazione antinfluenzale|Visita domiciliare");
const QStringList therapies = words(
    "Amoxicillina 1 g due volte al giorno|Ramipril 5 mg la mattina|Metformina 500 mg ai pasti|"
    "Paracetamolo 1 g al bisogno|Atorvastatina 20 mg la sera|Omeprazolo 20 mg a digiuno");
const QStringList notes = words(
    "|||Allergico alla penicillina|Preferisce essere chiamato al cellulare|Controllo ogni sei "
    "mesi|Diabetico, dieta ipoglucidica|Iperteso in trattamento");

void generate(Record& card, Random& random, qint64) {
    const int town = random.below(int(towns.size()));
    card.setValue(QStringLiteral("Cognome"), random.pick(surnames));
    card.setValue(QStringLiteral("Nome"), random.pick(names));
    card.setValue(QStringLiteral("CodFisc"), random.digits(6) + QStringLiteral("A01H501U"));
    card.setValue(QStringLiteral("Sesso"),
                  random.chance(0.5) ? QStringLiteral("F") : QStringLiteral("M"));
    card.setValue(
        QStringLiteral("DataNasc"),
        QDate(1930, 1, 1).addDays(random.below(33000)).toString(QStringLiteral("dd/MM/yyyy")));
    card.setValue(QStringLiteral("ComuneNasc"), random.pick(towns));
    card.setValue(QStringLiteral("ProvNasc"), random.pick(provinces));
    card.setValue(QStringLiteral("Indirizzo"),
                  QStringLiteral("Via Garibaldi ") + QString::number(random.between(1, 200)));
    card.setValue(QStringLiteral("Cap"), random.digits(5));
    card.setValue(QStringLiteral("ComuneRes"), towns[town]);
    card.setValue(QStringLiteral("ProvRes"), provinces[town]);
    card.setValue(QStringLiteral("TelCel"), QStringLiteral("3") + random.digits(9));
    card.setValue(QStringLiteral("Recapito"), QStringLiteral("3") + random.digits(9));
    card.setValue(QStringLiteral("Email"),
                  QStringLiteral("paziente%1@example.it").arg(random.below(100000)));
    card.setValue(QStringLiteral("Orari"), random.chance(0.5)
                                               ? QStringLiteral("Lunedì mattina")
                                               : QStringLiteral("Pomeriggio dopo le 16"));
    card.setValue(QStringLiteral("Tessera"), QStringLiteral("8038") + random.digits(16));
    card.setValue(QStringLiteral("Pagamento"),
                  random.chance(0.5) ? QStringLiteral("Contanti") : QStringLiteral("Bancomat"));
    card.setValue(QStringLiteral("Note"), random.pick(notes));
    const int visits = random.between(0, 30);
    for (int i = 1; i <= visits; ++i) {
        card.setValue(runName(QStringLiteral("DataPrest"), i), QStringLiteral("12/03/2025"));
        card.setValue(runName(QStringLiteral("OraPrest"), i), QStringLiteral("09:30"));
        card.setValue(runName(QStringLiteral("TipoPrest"), i), random.pick(services));
        card.setValue(runName(QStringLiteral("ImpPrest"), i), QStringLiteral("80,00"));
    }
    for (int i = 1; i <= random.between(0, 6); ++i) {
        card.setValue(runName(QStringLiteral("InizioTerap"), i), QStringLiteral("01/02/2025"));
        card.setValue(runName(QStringLiteral("Terapia"), i), random.pick(therapies));
        card.setValue(runName(QStringLiteral("Costo"), i), QStringLiteral("12,50"));
    }
    for (int i = 1; i <= random.between(0, 10); ++i)
        card.setValue(runName(QStringLiteral("Dente"), i), QStringLiteral("Glicemia 92 mg/dl"));
    card.setValue(QStringLiteral("Asl"),
                  QStringLiteral("RM") + QString::number(random.between(1, 6)));
    if (random.chance(0.2))
        card.setValue(QStringLiteral("Allergie"), QStringLiteral("Penicillina"));
    card.setValue(QStringLiteral("Raccomandazioni"), QStringLiteral("Dieta equilibrata"));
}

} // namespace

ArchiveKind pazientiKind() {
    ArchiveKind kind;
    kind.title = QStringLiteral("pazienti");
    kind.fileName = QString::fromLatin1(paziente::archiveName);
    kind.layout = &paziente::layout();
    kind.generate = generate;
    kind.grepWord = "ROSSI";
    kind.searchWindow = [](Services& services, std::function<void()> recalled) {
        auto window = std::make_unique<TfrmTrovaPazienti>(services);
        window->setTag(QStringLiteral("pazienti"));
        window->setRecallTarget([recalled](const Record&, qint64) { recalled(); });
        return std::unique_ptr<SearchWindow>(std::move(window));
    };
    // Patients of one surname living in one town.
    kind.twoFilters = {{QStringLiteral("txtCognome"), QStringLiteral("ross")},
                       {QStringLiteral("txtComuneRes"), QStringLiteral("roma")}};
    kind.exportWindow = [](Services& services) {
        return std::unique_ptr<ExportWindow>(std::make_unique<TfrmExpPazienti>(services));
    };
    kind.exportFile = QStringLiteral("Pazienti.xls");
    kind.editor = [](Services& services) {
        return std::unique_ptr<RecordEditor>(std::make_unique<TfrmPazienti>(services));
    };
    return kind;
}

} // namespace tarvola::bench
