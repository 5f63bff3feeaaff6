// Prescriptions for the benchmark: a year's archive as a practice issues them, and the
// windows that search, navigate and export it.

#include "bench/archivekind.h"

#include "platform/services.h"
#include "prescrizioni/prescrizionerecord.h"
#include "prescrizioni/tfrmexpprescrizioni.h"
#include "prescrizioni/tfrmprescrizioni.h"
#include "prescrizioni/tfrmtrovaprescrizioni.h"

#include <QDate>
#include <QStringList>

namespace tarvola::bench {

namespace {

const QString year = QStringLiteral("2024");
const QString archiveFile = year + QStringLiteral(".med");

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

const QStringList surnames =
    words("ROSSI|RUSSO|FERRARI|ESPOSITO|BIANCHI|ROMANO|COLOMBO|RICCI|MARINO|GRECO|BRUNO|GALLO|"
          "CONTI|DE LUCA|MANCINI|COSTA|GIORDANO|RIZZO|LOMBARDI|MORETTI|BARBIERI|FONTANA|SANTORO|"
          "MARIANI|RINALDI|CARUSO|FERRARA|GALLI|MARTINI|LEONE|LONGO|GENTILE|D'ANGELO|VITALE");
const QStringList names =
    words("MARIO|GIUSEPPE|LUCA|FRANCESCO|ANDREA|GIOVANNI|ANTONIO|PAOLO|NICOLÒ|MARIA|ANNA|"
          "GIULIA|FRANCESCA|CHIARA|SARA|LAURA|ELENA|ROSA|LUCIA|ANNA MARIA");
const QStringList towns = words("Milano|Roma|Napoli|Torino|Bologna|Firenze|Bari|Forlì|Cantù");
const QStringList streets =
    words("Via Garibaldi|Via Roma|Corso Cavour|Viale Mazzini|Piazza Dante|Via XX Settembre|"
          "Via della Libertà|Largo Marconi|Vicolo Santa Lucia");
const QStringList kindsOfPrescription =
    words("Prescrizione farmaceutica|Esami di laboratorio|Visita specialistica|"
          "Diagnostica per immagini|Prestazione ambulatoriale|Fisioterapia");
const QStringList priorities =
    words("U - Urgente|B - Breve|D - Differibile|P - Programmata|P - Programmata|");
const QStringList questions =
    words("Controllo annuale|Sospetta infezione delle vie urinarie|Ipertensione arteriosa|"
          "Diabete mellito tipo 2 in compenso|Dolore toracico atipico|Dispnea da sforzo|"
          "Follow up post operatorio|Lombosciatalgia destra|");
const QStringList lines =
    words("AMOXICILLINA 1 G 12 CPR|TACHIPIRINA 500 MG 20 CPR|CARDIOASPIRIN 100 MG 30 CPR|"
          "EUTIROX 50 MCG 50 CPR|PANTOPRAZOLO 40 MG 28 CPR|METFORMINA 850 MG 40 CPR|"
          "EMOCROMO COMPLETO|GLICEMIA|COLESTEROLO TOTALE E HDL|CREATININA|TSH REFLEX|"
          "ESAME URINE COMPLETO|ECG CON REFERTO|RX TORACE 2 PROIEZIONI|ECOGRAFIA ADDOME "
          "COMPLETO|VISITA CARDIOLOGICA|SPIROMETRIA SEMPLICE|HOLTER PRESSORIO 24 ORE");
const QStringList lineNotes =
    words("dopo i pasti|a digiuno|entro 30 giorni|al bisogno|per 6 giorni");
const QStringList exemptions = words("E01|E02|E30|048|013|0A31|C01");

struct Practice {
    const char* header[4];
    const char* place;
    const char* doctor;
    const char* code;
};

// The header changes now and then: the practice moves, a doctor takes over.
constexpr Practice practices[] = {
    {{"Studio Medico Bianchi", "Via Roma 12 - 20121 Milano", "Tel. 02 8765432",
      "P. IVA 01234567890"},
     "Milano",
     "Dott. Mario Bianchi",
     "BNCMRA60A01F205X"},
    {{"Studio Medico Associato Verdi", "Corso Italia 5 - 20122 Milano", "Tel. 02 5551234", ""},
     "Milano",
     "Dott.ssa Anna Verdi",
     "VRDNNA70A41F205Z"},
    {{"Ambulatorio Ferrari", "Piazza Duomo 1 - 40121 Bologna", "Cod. reg. 080011", ""},
     "Bologna",
     "Dott. Luca Ferrari",
     "FRRLCU75B02A944K"},
};

void generate(Record& card, Random& random, qint64 n) {
    const Practice& practice = practices[n / 5000 % 3];
    const QStringList fields{QStringLiteral("StudioMedico"), QStringLiteral("IntRigo02"),
                             QStringLiteral("IntRigo03"), QStringLiteral("IntRigo04")};
    for (int i = 0; i < 4; ++i)
        card.setValue(fields[i], QString::fromUtf8(practice.header[i]));
    card.setValue(QStringLiteral("NumFatt"), QStringLiteral("%1/%2").arg(n + 1).arg(year));
    card.setValue(
        QStringLiteral("Data"),
        QDate(2024, 1, 1).addDays(random.below(366)).toString(QStringLiteral("dd/MM/yyyy")));
    card.setValue(QStringLiteral("Luogo"), QString::fromUtf8(practice.place));
    card.setValue(QStringLiteral("Medico"), QString::fromUtf8(practice.doctor));
    card.setValue(QStringLiteral("CodFiscMed"), QString::fromLatin1(practice.code));
    card.setValue(QStringLiteral("Tipologia"), random.pick(kindsOfPrescription));
    card.setValue(QStringLiteral("Priorita"), random.pick(priorities));
    card.setValue(QStringLiteral("Quesito"), random.pick(questions));

    const bool woman = random.chance(0.52);
    const QString surname = random.pick(surnames);
    card.setValue(QStringLiteral("Paziente"), surname + u' ' + random.pick(names));
    card.setValue(QStringLiteral("Sesso"), woman ? QStringLiteral("F") : QStringLiteral("M"));
    const QDate born = QDate(1930, 1, 1).addDays(random.below(33000));
    card.setValue(QStringLiteral("DataNasc"), born.toString(QStringLiteral("dd/MM/yyyy")));
    card.setValue(
        QStringLiteral("CodFisc"),
        (surname.left(3) + QStringLiteral("XXX")).left(3) + QStringLiteral("MRA") +
            born.toString(QStringLiteral("yy")) + QStringLiteral("A") +
            QStringLiteral("%1").arg(born.day() + (woman ? 40 : 0), 2, 10, QLatin1Char('0')) +
            QStringLiteral("F205") + QChar(u'A' + random.below(26)));
    if (random.chance(0.8))
        card.setValue(QStringLiteral("Recapito"),
                      QStringLiteral("3") + random.digits(2) + u' ' + random.digits(7));
    card.setValue(QStringLiteral("Tessera"), QStringLiteral("80380") + random.digits(15));
    card.setValue(QStringLiteral("Asl"),
                  QStringLiteral("ASL %1 %2").arg(random.pick(towns)).arg(random.between(1, 9)));
    card.setValue(QStringLiteral("Indirizzo"), random.pick(streets) + u' ' +
                                                   QString::number(random.between(1, 220)) +
                                                   QStringLiteral(", ") + random.pick(towns));
    if (random.chance(0.3))
        card.setValue(QStringLiteral("Esenzione"), random.pick(exemptions));

    // Line 1 is always there; each further line is rarer.
    double more = 0.6;
    for (int line = 1; line <= 7; ++line) {
        if (line > 1 && !random.chance(more))
            break;
        more *= 0.55;
        card.setValue(runName(QStringLiteral("Presc"), line), random.pick(lines));
        card.setValue(runName(QStringLiteral("Quant"), line),
                      QString::number(random.between(1, 3)));
        if (random.chance(0.3))
            card.setValue(runName(QStringLiteral("Nota"), line), random.pick(lineNotes));
    }
    if (random.chance(0.05)) {
        card.setValue(QStringLiteral("File01"), random.digits(6) + QStringLiteral("_referto.pdf"));
        card.setValue(QStringLiteral("Desc01"), QStringLiteral("Referto"));
    }
}

} // namespace

ArchiveKind prescrizioniKind() {
    ArchiveKind kind;
    kind.title = QStringLiteral("prescrizioni");
    kind.fileName = archiveFile;
    kind.layout = &prescrizione::layout();
    kind.generate = generate;
    kind.grepWord = "ECG";
    kind.searchWindow = [](Services& services, std::function<void()> recalled) {
        auto window = std::make_unique<TfrmTrovaPrescrizioni>(services);
        window->setTag(QStringLiteral("prescrizioni"));
        window->setArchive(services.path(archiveFile));
        window->setRecallTarget([recalled](const Record&, qint64) { recalled(); });
        return std::unique_ptr<SearchWindow>(std::move(window));
    };
    // Laboratory tests of the patients of one family name.
    kind.twoFilters = {{QStringLiteral("txtTipologia"), QStringLiteral("laboratorio")},
                       {QStringLiteral("txtPaziente"), QStringLiteral("rossi")}};
    kind.exportWindow = [](Services& services) {
        auto window = std::make_unique<TfrmExpPrescrizioni>(services);
        window->setArchive(services.path(archiveFile));
        return std::unique_ptr<ExportWindow>(std::move(window));
    };
    kind.exportFile = QStringLiteral("Archivio_Prescrizioni.xls");
    kind.editor = [](Services& services) {
        auto editor = std::make_unique<TfrmPrescrizioni>(services);
        editor->openYear(services.path(archiveFile), year);
        return std::unique_ptr<RecordEditor>(std::move(editor));
    };
    return kind;
}

} // namespace tarvola::bench
