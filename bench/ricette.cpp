// Red prescriptions for the benchmark: cards as a practice fills them in, and the windows
// that search, navigate and export Archivio_Ricette.pro.

#include "bench/archivekind.h"

#include "archive/textfield.h"
#include "checks/identifiers.h"
#include "platform/services.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmricette.h"
#include "ricette/tfrmtrovaricette.h"

#include <QDate>
#include <QStringList>

namespace tarvola::bench {

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

struct Town {
    QString name;
    QString province;
    QString cap;
    QString belfiore; // the town's code inside a codice fiscale
};

const QList<Town>& towns() {
    static const QList<Town> list = [] {
        QList<Town> t;
        const char* rows[] = {"Milano,MI,20121,F205",
                              "Roma,RM,00184,H501",
                              "Napoli,NA,80133,F839",
                              "Torino,TO,10121,L219",
                              "Palermo,PA,90133,G273",
                              "Genova,GE,16121,D969",
                              "Bologna,BO,40121,A944",
                              "Firenze,FI,50122,D612",
                              "Bari,BA,70121,A662",
                              "Catania,CT,95121,C351",
                              "Venezia,VE,30121,L736",
                              "Verona,VR,37121,L781",
                              "Padova,PD,35121,G224",
                              "Trieste,TS,34121,L424",
                              "Brescia,BS,25121,B157",
                              "Parma,PR,43121,G337",
                              "Modena,MO,41121,F257",
                              "Perugia,PG,06121,G478",
                              "Cagliari,CA,09124,B354",
                              "Forlì,FC,47121,D704",
                              "Cantù,CO,22063,B639",
                              "Reggio Calabria,RC,89125,H224",
                              "San Donà di Piave,VE,30027,H823",
                              "Lecce,LE,73100,E506",
                              "Salerno,SA,84121,H703",
                              "Sassari,SS,07100,I452"};
        for (const char* row : rows) {
            const QStringList p = QString::fromUtf8(row).split(u',');
            t.append({p[0], p[1], p[2], p[3]});
        }
        return t;
    }();
    return list;
}

const QStringList surnames =
    words("ROSSI|RUSSO|FERRARI|ESPOSITO|BIANCHI|ROMANO|COLOMBO|RICCI|MARINO|GRECO|BRUNO|GALLO|"
          "CONTI|DE LUCA|MANCINI|COSTA|GIORDANO|RIZZO|LOMBARDI|MORETTI|BARBIERI|FONTANA|SANTORO|"
          "MARIANI|RINALDI|CARUSO|FERRARA|GALLI|MARTINI|LEONE|LONGO|GENTILE|MARTINELLI|VITALE|"
          "LOMBARDO|SERRA|COPPOLA|DE SANTIS|D'ANGELO|MARCHETTI|PARISI|VILLA|CONTE|FERRO|FABBRI|"
          "BIANCO|MARINI|GRASSO|VALENTINI|MESSINA|SALA|DE ANGELIS|GATTI|PELLEGRINI|PALUMBO|SANNA|"
          "FARINA|RIZZI|MONTI|CATTANEO|MORELLI|AMATO|SILVESTRI|MAZZA|TESTA|CARBONE|GIULIANI|"
          "BENEDETTI|BARONE|ROSSETTI|CAPUTO|MONTANARI|GUERRA|PALMIERI|BERNARDI|FIORE|DE ROSA|"
          "FERRETTI|BELLINI|BASILE|RIVA|DONATI|PIRAS|BATTAGLIA|SARTORI|NERI|MILANI|PAGANO|"
          "RUGGIERO|SORRENTINO|D'AMICO|ORLANDO|NEGRI|SCARPA|ZANETTI|DELL'ORTO|LA ROSA|LO BIANCO");
const QStringList menNames =
    words("MARIO|GIUSEPPE|LUCA|FRANCESCO|ANDREA|ALESSANDRO|LORENZO|GIOVANNI|ANTONIO|PAOLO|MARCO|"
          "STEFANO|ROBERTO|GIORGIO|SALVATORE|FABIO|DAVIDE|MATTEO|NICOLÒ|GIANLUCA|PIER PAOLO|"
          "VINCENZO|CARLO|ENRICO|FRANCO|SERGIO|MASSIMO|EMANUELE|RICCARDO|TOMMASO");
const QStringList womenNames =
    words("MARIA|ANNA|GIULIA|FRANCESCA|CHIARA|SARA|LAURA|VALENTINA|ELENA|SILVIA|MARTINA|ROSA|"
          "GIOVANNA|PAOLA|LUCIA|ANGELA|TERESA|CRISTINA|FEDERICA|ALESSIA|ANNA MARIA|MARIA GRAZIA|"
          "ROSARIA|CARMELA|ILARIA|BEATRICE|NOEMI|ASSUNTA|CONCETTA|AGNESE");
const QStringList streetKinds = words("Via|Via|Via|Viale|Piazza|Corso|Vicolo|Largo|Strada");
const QStringList streets = words(
    "Garibaldi|Roma|Mazzini|Cavour|Dante Alighieri|Vittorio Emanuele II|XX Settembre|dei Mille|"
    "Giuseppe Verdi|Alessandro Manzoni|Giacomo Matteotti|Guglielmo Marconi|della Repubblica|"
    "San Francesco d'Assisi|Santa Lucia|delle Rose|Nazionale|Italia|della Libertà|"
    "Antonio Gramsci|IV Novembre|Aldo Moro|Trento e Trieste|dei Caduti|Papa Giovanni XXIII|"
    "Sant'Antonio|del Popolo|Umberto I|Leonardo da Vinci|Cesare Battisti|Fratelli Bandiera");
const QStringList drugs =
    words("AMOXICILLINA 1 G 12 CPR|TACHIPIRINA 500 MG 20 CPR|CARDIOASPIRIN 100 MG 30 CPR GASTRORES|"
          "EUTIROX 50 MCG 50 CPR|PANTOPRAZOLO 40 MG 28 CPR|METFORMINA 850 MG 40 CPR|"
          "RAMIPRIL 5 MG 28 CPR|ATORVASTATINA 20 MG 30 CPR|AUGMENTIN 875 MG/125 MG 12 CPR|"
          "LASIX 25 MG 30 CPR|CONGESCOR 1,25 MG 28 CPR|TRIATEC 5 MG 28 CPR|NORVASC 5 MG 28 CPR|"
          "ZITROMAX 500 MG 3 CPR|BENTELAN 1 MG 10 CPR EFF|OKI 80 MG 30 BUSTINE|"
          "DIBASE 25.000 UI 4 FLACONCINI|SERETIDE DISKUS 50/250 MCG|XARELTO 20 MG 28 CPR|"
          "COUMADIN 5 MG 30 CPR|LANSOPRAZOLO 30 MG 28 CPS|OMEPRAZOLO 20 MG 14 CPS|"
          "BISOPROLOLO 2,5 MG 28 CPR|AMLODIPINA 10 MG 28 CPR|SIMVASTATINA 20 MG 28 CPR|"
          "LEVOFLOXACINA 500 MG 5 CPR|CIPROXIN 500 MG 6 CPR|ALPRAZOLAM 0,25 MG 20 CPR|"
          "BRUFEN 600 MG 30 CPR|VOLTAREN 75 MG/3 ML 6 FIALE|TRAVOCORT CREMA 15 G|"
          "EMOCROMO COMPLETO|GLICEMIA|COLESTEROLO TOTALE E HDL|TRIGLICERIDI|CREATININA|"
          "TSH REFLEX|ESAME URINE COMPLETO|PSA TOTALE|ECG CON REFERTO|RX TORACE 2 PROIEZIONI|"
          "ECOGRAFIA ADDOME COMPLETO|VISITA CARDIOLOGICA|VISITA OCULISTICA|SPIROMETRIA SEMPLICE|"
          "ECOCOLORDOPPLER TSA|HOLTER PRESSORIO 24 ORE|TAC ENCEFALO SENZA MDC");
const QStringList doses =
    words("1 CPR AL GIORNO|1 CPR MATTINA E SERA|1 CPR OGNI 8 ORE|AL BISOGNO|A STOMACO VUOTO|"
          "PER 6 GIORNI|DOPO I PASTI|2 SPRUZZI DUE VOLTE AL DÌ");
const QStringList questions =
    words("SOSPETTA INFEZIONE VIE URINARIE|CONTROLLO ANNUALE|IPERTENSIONE ARTERIOSA|"
          "DIABETE MELLITO TIPO 2|DOLORE TORACICO ATIPICO|DISPNEA DA SFORZO|FOLLOW UP POST "
          "OPERATORIO");
const QStringList exemptions = words("E01|E02|E30|E40|048|013|031|0A31|C01|5G1");
const QStringList notes = words("001|004|013|066|079|083|096");
const QStringList kinds = words("N|R|S|H|NR|NS|RN");
const QStringList attachments = words(
    "referto_ecg.pdf|esami_sangue.pdf|rx_torace.jpg|lettera_dimissione.pdf|piano_terapeutico.pdf|"
    "certificato.pdf|ecografia.png");
const QStringList attachmentNotes =
    words("Referto ECG|Esami del sangue|Radiografia del torace|Lettera di dimissione ospedaliera|"
          "Piano terapeutico AIFA|Certificato medico|Immagine ecografica");

// A practice has a handful of doctors signing prescriptions.
const QList<QStringList>& doctors() {
    static const QList<QStringList> list = {
        words("DOTT. MARIO BIANCHI|MEDICO CHIRURGO - MEDICINA GENERALE|VIA ROMA 12 - 20121 "
              "MILANO|TEL. 02 8765432 - COD. REG. 103456"),
        words("DOTT.SSA ANNA VERDI|SPECIALISTA IN CARDIOLOGIA|CORSO ITALIA 5 - 20122 MILANO|"
              "TEL. 02 5551234"),
        words("DOTT. LUCA FERRARI|MEDICINA GENERALE|PIAZZA DUOMO 1 - 40121 BOLOGNA|"
              "COD. REG. 080011"),
        words("DOTT. GIUSEPPE ESPOSITO|MEDICO DI FAMIGLIA|VIA TOLEDO 256 - 80134 NAPOLI|"
              "TEL. 081 5512345"),
        words("DOTT.SSA CHIARA COLOMBO|PEDIATRA DI LIBERA SCELTA|VIA GARIBALDI 7 - 10122 TORINO|"
              "TEL. 011 4567890"),
        words("DOTT. NICOLÒ RICCI|MEDICINA INTERNA|VIALE DELLA LIBERTÀ 44 - 90143 PALERMO|"
              "COD. REG. 190777")};
    return list;
}

// The consonants of a name, then its vowels, then X, as a codice fiscale takes them.
QString letters(const QString& name, bool firstName) {
    QString consonants;
    QString vowels;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < u'A' || u > u'Z')
            continue;
        (QStringLiteral("AEIOU").contains(c) ? vowels : consonants) += c;
    }
    if (firstName && consonants.size() >= 4)
        consonants = consonants.left(1) + consonants.mid(2, 2);
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QString codiceFiscale(const QString& surname, const QString& name, bool woman, const QDate& born,
                      const Town& town) {
    static const QString months = QStringLiteral("ABCDEHLMPRST");
    QString code =
        letters(surname, false) + letters(name, true) +
        QStringLiteral("%1").arg(born.year() % 100, 2, 10, QLatin1Char('0')) +
        months[born.month() - 1] +
        QStringLiteral("%1").arg(born.day() + (woman ? 40 : 0), 2, 10, QLatin1Char('0')) +
        town.belfiore;
    const std::optional<QChar> check = checks::codiceFiscaleCheckChar(code);
    return check ? code + *check : code;
}

void setBoxes(Record& card, const QString& stem, int count, const QString& text) {
    for (int i = 1; i <= count; ++i)
        card.setValue(runName(stem, i), i <= text.size() ? QString(text[i - 1]) : QString());
}

QString titleCase(const QString& text) {
    QString out = text.toLower();
    bool start = true;
    for (QChar& c : out) {
        if (start)
            c = c.toUpper();
        start = c == u' ' || c == u'\'';
    }
    return out;
}

void generate(Record& card, Random& random, qint64) {
    const bool woman = random.chance(0.52);
    const QString surname = random.pick(surnames);
    const QString name = random.pick(woman ? womenNames : menNames);
    const Town& home = random.pick(towns());
    const Town& birth = random.chance(0.7) ? home : random.pick(towns());
    const QDate born = QDate(1930, 1, 1).addDays(random.below(33000));

    // Most cards are typed in capitals; some practices write names as they are spelt.
    const QString patient = surname + u' ' + name;
    card.setValue(QStringLiteral("Assistito"), random.chance(0.75) ? patient : titleCase(patient));
    QString address = random.pick(streetKinds) + u' ' + random.pick(streets) + u' ' +
                      QString::number(random.between(1, 220));
    if (random.chance(0.8))
        address += QStringLiteral(", ") + home.cap + u' ' + home.name + QStringLiteral(" (") +
                   home.province + u')';
    card.setValue(QStringLiteral("Indirizzo"), random.chance(0.6) ? address.toUpper() : address);
    if (random.chance(0.97))
        card.setValue(QStringLiteral("CodFisc"), codiceFiscale(surname, name, woman, born, birth));

    if (random.chance(0.35))
        setBoxes(card, QStringLiteral("Ese"), 6, random.pick(exemptions));
    setBoxes(card, QStringLiteral("Prov"), 2, home.province);
    setBoxes(card, QStringLiteral("Asl"), 3, QString::number(random.between(101, 120)));
    if (random.chance(0.5))
        setBoxes(card, QStringLiteral("Num"), 8, random.digits(8));

    // Line 1 is always there; each further line is rarer.
    double more = 0.6;
    for (int line = 1; line <= 8; ++line) {
        if (line > 1 && !random.chance(more))
            break;
        more *= 0.55;
        QString text = random.pick(drugs);
        if (random.chance(0.3))
            text += u' ' + random.pick(doses);
        card.setValue(runName(QStringLiteral("Presc"), line), text);
    }
    if (random.chance(0.08))
        card.setValue(QStringLiteral("Presc09"),
                      QStringLiteral("QUESITO DIAGNOSTICO: ") + random.pick(questions));

    if (random.chance(0.2))
        setBoxes(card, QStringLiteral("Cuf"), 6, random.pick(notes));
    setBoxes(card, QStringLiteral("Conf"), 3, QString::number(random.between(1, 3)));
    setBoxes(card, QStringLiteral("TipoRic"), 2, random.pick(kinds));
    const QDate issued = QDate(2004, 1, 1).addDays(random.below(8100));
    setBoxes(card, QStringLiteral("Data"), 6, issued.toString(QStringLiteral("ddMMyy")));

    const QStringList& doctor = random.pick(doctors());
    for (int i = 0; i < doctor.size(); ++i)
        card.setValue(runName(QStringLiteral("Medico"), i + 1), doctor[i]);

    card.setValue(QStringLiteral("NonEsente"), textfield::flag(random.chance(0.6)));
    card.setValue(QStringLiteral("Reddito"), textfield::flag(random.chance(0.1)));
    for (const char* flag : {"Sugg", "Ricov", "Altro"})
        card.setValue(QString::fromLatin1(flag), textfield::flag(random.chance(0.05)));
    const int priority = random.below(10); // mostly none
    for (int i = 0; i < 4; ++i)
        card.setValue(QString(QChar(u"UBDP"[i])), textfield::flag(priority == i));
    card.setValue(QStringLiteral("Completata"), textfield::flag(random.chance(0.85)));

    for (int slot = 1; slot <= 3 && random.chance(slot == 1 ? 0.06 : 0.3); ++slot) {
        const int which = random.below(int(attachments.size()));
        card.setValue(runName(QStringLiteral("File"), slot),
                      QStringLiteral("%1_%2").arg(random.digits(6), attachments[which]));
        card.setValue(runName(QStringLiteral("Desc"), slot), attachmentNotes[which]);
    }
    ricetta::computeSummaries(card);
}

} // namespace

ArchiveKind ricetteKind() {
    ArchiveKind kind;
    kind.title = QStringLiteral("ricette");
    kind.fileName = QString::fromLatin1(ricetta::archiveName);
    kind.layout = &ricetta::layout();
    kind.generate = generate;
    kind.grepWord = "ROSSI";
    kind.searchWindow = [](Services& services, std::function<void()> recalled) {
        auto window = std::make_unique<TfrmTrovaRicette>(services);
        window->setTag(QStringLiteral("ricette"));
        window->setRecallTarget([recalled](const Record&, qint64) { recalled(); });
        return std::unique_ptr<SearchWindow>(std::move(window));
    };
    // Patients whose name holds "ross", prescribed in March of any year.
    kind.twoFilters = {{QStringLiteral("txtAssistito"), QStringLiteral("ross")},
                       {QStringLiteral("txtData"), QStringLiteral("/03/")}};
    kind.exportWindow = [](Services& services) {
        return std::unique_ptr<ExportWindow>(std::make_unique<TfrmExpRicette>(services));
    };
    kind.exportFile = QStringLiteral("Archivio_Ricette.xls");
    kind.editor = [](Services& services) {
        return std::unique_ptr<RecordEditor>(std::make_unique<TfrmRicette>(services));
    };
    return kind;
}

} // namespace tarvola::bench
