// Drugs for the benchmark: cards as a practice keeps them for the drugs it prescribes, and
// the windows that search, navigate and export Farmaci.pro.

#include "bench/archivekind.h"

#include "archive/textfield.h"
#include "farmaci/farmacorecord.h"
#include "farmaci/tfrmexpfarmaci.h"
#include "farmaci/tfrmfarmaci.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "platform/services.h"

#include <QStringList>

namespace tarvola::bench {

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

// An active ingredient as the practice's cards describe it: its brands with their makers,
// the strengths and forms it comes in, and the texts that go with it.
struct Ingredient {
    QString name;       // the active ingredient
    QString atc;        // ATC code
    QString category;   // therapeutic category
    QStringList brands; // "BRAND:PRODUCER"
    QStringList strengths;
    QStringList forms; // pharmaceutical forms, as the package says them
    QString indications;
    QString contraindications;
    QString interactions;
    QString adultDose;
    double price = 0; // of the smallest package, in euro
};

// The same as written below: lists with "|" between their items.
struct IngredientRow {
    const char* name;
    const char* atc;
    const char* category;
    const char* brands;
    const char* strengths;
    const char* forms;
    const char* indications;
    const char* contraindications;
    const char* interactions;
    const char* adultDose;
    double price;
};

const QList<Ingredient>& ingredients() {
    static const IngredientRow rows[] = {
        {"PARACETAMOLO", "N02BE01", "ANALGESICI E ANTIPIRETICI",
         "TACHIPIRINA:ANGELINI|EFFERALGAN:UPSA|PARACETAMOLO:DOC GENERICI|"
         "PARACETAMOLO:TEVA ITALIA|PARACETAMOLO:MYLAN",
         "500 MG|1000 MG|125 MG|250 MG",
         "COMPRESSE|COMPRESSE EFFERVESCENTI|SUPPOSTE|SCIROPPO|GRANULATO IN BUSTINE",
         "Trattamento sintomatico di stati febbrili e del dolore di intensità lieve o moderata.",
         "Ipersensibilità al principio attivo; grave insufficienza epatica.",
         "Cautela con anticoagulanti orali e con farmaci induttori enzimatici.",
         "1 compressa da 500 mg ogni 6 ore, non più di 3 g al giorno", 4.90},
        {"AMOXICILLINA", "J01CA04", "ANTIBATTERICI PER USO SISTEMICO",
         "ZIMOX:PFIZER ITALIA|AMOXICILLINA:SANDOZ|AMOXICILLINA:EG|VELAMOX:FIDIA",
         "1 G|500 MG|250 MG/5 ML",
         "COMPRESSE|COMPRESSE DISPERSIBILI|CAPSULE RIGIDE|POLVERE PER SOSPENSIONE ORALE",
         "Infezioni delle vie respiratorie, otiti, infezioni delle vie urinarie.",
         "Ipersensibilità alle penicilline; mononucleosi infettiva.",
         "Allopurinolo (eruzioni cutanee), anticoagulanti orali, metotrexato.",
         "1 g ogni 12 ore per 6 giorni", 7.35},
        {"AMOXICILLINA/ACIDO CLAVULANICO", "J01CR02", "ANTIBATTERICI PER USO SISTEMICO",
         "AUGMENTIN:GLAXOSMITHKLINE|CLAVULIN:GLAXOSMITHKLINE|AMOXICILLINA E ACIDO "
         "CLAVULANICO:DOC GENERICI|NEODUPLAMOX:PROCTER & GAMBLE",
         "875 MG/125 MG|500 MG/125 MG|400 MG/57 MG/5 ML",
         "COMPRESSE RIVESTITE CON FILM|POLVERE PER SOSPENSIONE ORALE|BUSTINE",
         "Sinusite batterica acuta, otite media acuta, riacutizzazioni di bronchite cronica.",
         "Ittero o disfunzione epatica da amoxicillina/acido clavulanico in anamnesi.",
         "Probenecid, metotrexato, micofenolato mofetile.", "1 compressa da 875/125 mg ogni 12 ore",
         9.90},
        {"ACIDO ACETILSALICILICO", "B01AC06", "ANTITROMBOTICI",
         "CARDIOASPIRIN:BAYER|ASPIRINETTA:BAYER|ACIDO ACETILSALICILICO:ABC FARMACEUTICI|"
         "ASCRIPTIN:RECORDATI",
         "100 MG|75 MG|160 MG", "COMPRESSE GASTRORESISTENTI|COMPRESSE",
         "Prevenzione degli eventi aterotrombotici maggiori dopo infarto o ictus.",
         "Ulcera peptica attiva, diatesi emorragica, ultimo trimestre di gravidanza.",
         "FANS, anticoagulanti, metotrexato a dosi elevate, SSRI.", "1 compressa al giorno", 2.75},
        {"LEVOTIROXINA SODICA", "H03AA01", "TERAPIA TIROIDEA",
         "EUTIROX:MERCK SERONO|TIROSINT:IBSA|SYNTROXINE:BRUNO FARMACEUTICI",
         "25 MCG|50 MCG|75 MCG|100 MCG|125 MCG",
         "COMPRESSE|CAPSULE MOLLI|SOLUZIONE ORALE IN CONTENITORE MONODOSE",
         "Ipotiroidismo, gozzo eutiroideo, terapia soppressiva nel carcinoma tiroideo.",
         "Ipertiroidismo non trattato, infarto miocardico acuto, miocardite acuta.",
         "Sali di calcio e di ferro, inibitori di pompa protonica: distanziare di 4 ore.",
         "1 compressa al mattino a digiuno", 3.15},
        {"PANTOPRAZOLO", "A02BC02", "FARMACI PER DISTURBI CORRELATI ALL'ACIDITÀ",
         "PANTORC:TAKEDA ITALIA|PANTECTA:TAKEDA ITALIA|PEPTAZOL:TAKEDA ITALIA|"
         "PANTOPRAZOLO:TEVA ITALIA|PANTOPRAZOLO:AUROBINDO",
         "20 MG|40 MG", "COMPRESSE GASTRORESISTENTI",
         "Malattia da reflusso gastroesofageo, ulcera duodenale e gastrica.",
         "Ipersensibilità al principio attivo o ai benzimidazoli sostituiti.",
         "Atazanavir, metotrexato, ketoconazolo.", "1 compressa da 40 mg al giorno", 6.20},
        {"METFORMINA CLORIDRATO", "A10BA02", "FARMACI USATI NEL DIABETE",
         "GLUCOPHAGE:MERCK SERONO|METFORAL:MENARINI|METBAY:BAYER|METFORMINA:DOC GENERICI",
         "500 MG|850 MG|1000 MG", "COMPRESSE RIVESTITE CON FILM|COMPRESSE",
         "Diabete mellito di tipo 2, specialmente in pazienti in sovrappeso.",
         "Chetoacidosi diabetica, insufficienza renale grave, disidratazione.",
         "Mezzi di contrasto iodati, alcol, diuretici dell'ansa.",
         "1 compressa da 850 mg due o tre volte al giorno dopo i pasti", 3.40},
        {"RAMIPRIL", "C09AA05", "SOSTANZE AD AZIONE SUL SISTEMA RENINA-ANGIOTENSINA",
         "TRIATEC:SANOFI|UNIPRIL:ABIOGEN|RAMIPRIL:MYLAN|RAMIPRIL:SANDOZ", "2,5 MG|5 MG|10 MG",
         "COMPRESSE|COMPRESSE DIVISIBILI",
         "Ipertensione arteriosa, prevenzione cardiovascolare, nefropatia.",
         "Angioedema in anamnesi, stenosi bilaterale dell'arteria renale, gravidanza.",
         "Diuretici risparmiatori di potassio, integratori di potassio, litio, FANS.",
         "5 mg una volta al giorno", 4.55},
        {"ATORVASTATINA", "C10AA05", "SOSTANZE MODIFICATRICI DEI LIPIDI",
         "TORVAST:PFIZER ITALIA|TOTALIP:ABBOTT|XARATOR:PFIZER ITALIA|"
         "ATORVASTATINA:TEVA ITALIA|ATORVASTATINA:KRKA",
         "10 MG|20 MG|40 MG|80 MG", "COMPRESSE RIVESTITE CON FILM",
         "Ipercolesterolemia primaria, prevenzione delle malattie cardiovascolari.",
         "Epatopatia in fase attiva, gravidanza e allattamento.",
         "Inibitori del CYP3A4, ciclosporina, gemfibrozil, succo di pompelmo.",
         "1 compressa da 20 mg alla sera", 8.75},
        {"FUROSEMIDE", "C03CA01", "DIURETICI", "LASIX:SANOFI|FUROSEMIDE:HEXAL|FUROSEMIDE:SALF",
         "25 MG|500 MG|20 MG/2 ML", "COMPRESSE|SOLUZIONE INIETTABILE",
         "Edemi da insufficienza cardiaca, epatica o renale; ipertensione.",
         "Anuria, ipokaliemia grave, coma epatico.",
         "Aminoglicosidi, litio, digitale, corticosteroidi.", "25 mg al mattino", 2.10},
        {"BISOPROLOLO EMIFUMARATO", "C07AB07", "BETABLOCCANTI",
         "CONGESCOR:RECORDATI|CONCOR:MERCK SERONO|BISOPROLOLO:EG", "1,25 MG|2,5 MG|5 MG|10 MG",
         "COMPRESSE|COMPRESSE RIVESTITE CON FILM",
         "Insufficienza cardiaca cronica stabile, ipertensione, angina pectoris.",
         "Scompenso acuto, blocco atrioventricolare di II e III grado, asma grave.",
         "Calcioantagonisti tipo verapamil, antiaritmici di classe I, clonidina.",
         "1 compressa al mattino", 5.60},
        {"AMLODIPINA", "C08CA01", "CALCIOANTAGONISTI",
         "NORVASC:PFIZER ITALIA|MONOPINA:FIDIA|AMLODIPINA:DOC GENERICI|AMLODIPINA:ZENTIVA",
         "5 MG|10 MG", "COMPRESSE",
         "Ipertensione arteriosa, angina pectoris cronica stabile e vasospastica.",
         "Ipotensione grave, shock cardiogeno, stenosi aortica di grado elevato.",
         "Inibitori del CYP3A4, simvastatina oltre 20 mg, tacrolimus.", "5 mg una volta al giorno",
         4.20},
        {"AZITROMICINA", "J01FA10", "ANTIBATTERICI PER USO SISTEMICO",
         "ZITROMAX:PFIZER ITALIA|RIBOTREM:DOMPÉ|AZITROMICINA:SANDOZ", "500 MG|250 MG|200 MG/5 ML",
         "COMPRESSE RIVESTITE CON FILM|POLVERE PER SOSPENSIONE ORALE",
         "Faringotonsilliti, sinusiti, bronchiti, infezioni della cute.",
         "Ipersensibilità ai macrolidi; grave insufficienza epatica.",
         "Derivati dell'ergot, digossina, antiacidi contenenti alluminio o magnesio.",
         "500 mg una volta al giorno per 3 giorni", 11.30},
        {"BETAMETASONE", "H02AB01", "CORTICOSTEROIDI SISTEMICI",
         "BENTELAN:ALFASIGMA|CELESTONE:MSD ITALIA", "1 MG|0,5 MG|4 MG/2 ML",
         "COMPRESSE EFFERVESCENTI|SOLUZIONE INIETTABILE",
         "Affezioni allergiche e infiammatorie acute che richiedono una terapia cortisonica.",
         "Infezioni sistemiche non controllate, ulcera peptica attiva.",
         "FANS, diuretici ipokaliemizzanti, anticoagulanti orali, vaccini vivi.",
         "Da 1 a 4 mg al giorno secondo giudizio medico", 3.85},
        {"KETOPROFENE SALE DI LISINA", "M01AE03", "FARMACI ANTINFIAMMATORI E ANTIREUMATICI",
         "OKI:DOMPÉ|ARTROSILENE:DOMPÉ|KETOPROFENE:EG", "80 MG|160 MG|320 MG",
         "GRANULATO PER SOLUZIONE ORALE|CAPSULE RIGIDE A RILASCIO PROLUNGATO|GEL",
         "Affezioni infiammatorie dolorose di varia natura, dolore post operatorio.",
         "Ulcera peptica, insufficienza renale grave, terzo trimestre di gravidanza.",
         "Altri FANS, anticoagulanti, litio, metotrexato, diuretici.",
         "1 bustina da 80 mg fino a tre volte al giorno a stomaco pieno", 7.90},
        {"COLECALCIFEROLO", "A11CC05", "VITAMINE",
         "DIBASE:ABIOGEN|DOVITA:MEDIOLANUM FARMACEUTICI|VITAMINA D3:IBSA",
         "25.000 UI|50.000 UI|10.000 UI/ML", "SOLUZIONE ORALE|GOCCE ORALI, SOLUZIONE|CAPSULE MOLLI",
         "Prevenzione e trattamento della carenza di vitamina D.",
         "Ipercalcemia, ipercalciuria, calcolosi calcica.",
         "Diuretici tiazidici, digitale, antiepilettici, colestiramina.",
         "25.000 UI una volta al mese", 6.45},
        {"RIVAROXABAN", "B01AF01", "ANTITROMBOTICI", "XARELTO:BAYER", "20 MG|15 MG|10 MG|2,5 MG",
         "COMPRESSE RIVESTITE CON FILM",
         "Prevenzione dell'ictus nella fibrillazione atriale non valvolare; TVP ed EP.",
         "Sanguinamento in atto clinicamente significativo, epatopatia con coagulopatia.",
         "Azoli antimicotici, inibitori della proteasi HIV, altri anticoagulanti.",
         "20 mg una volta al giorno con il pasto", 78.50},
        {"WARFARIN SODICO", "B01AA03", "ANTITROMBOTICI", "COUMADIN:TARO PHARMACEUTICALS",
         "5 MG|1 MG", "COMPRESSE DIVISIBILI",
         "Profilassi e terapia della trombosi venosa profonda e dell'embolia polmonare.",
         "Gravidanza, emorragie in atto, ipertensione grave non controllata.",
         "Moltissime: antibiotici, FANS, amiodarone, statine, alimenti ricchi di vitamina K.",
         "Secondo INR, di norma da 2,5 a 10 mg al giorno", 3.05},
        {"ALPRAZOLAM", "N05BA12", "ANSIOLITICI",
         "XANAX:PFIZER ITALIA|FRONTAL:PFIZER ITALIA|ALPRAZOLAM:MYLAN",
         "0,25 MG|0,50 MG|1 MG|0,75 MG/ML", "COMPRESSE|GOCCE ORALI, SOLUZIONE",
         "Ansia, tensione e altri disturbi somatici o psichiatrici associati con ansia.",
         "Miastenia grave, grave insufficienza respiratoria, sindrome da apnea notturna.",
         "Alcol, altri depressori del SNC, ketoconazolo, itraconazolo.",
         "Da 0,25 a 0,5 mg tre volte al giorno", 5.10},
        {"IBUPROFENE", "M01AE01", "FARMACI ANTINFIAMMATORI E ANTIREUMATICI",
         "BRUFEN:MYLAN|MOMENT:ANGELINI|NUROFEN:RECKITT BENCKISER|IBUPROFENE:ZENTIVA",
         "200 MG|400 MG|600 MG|100 MG/5 ML",
         "COMPRESSE RIVESTITE|GRANULATO EFFERVESCENTE|SOSPENSIONE ORALE|CAPSULE MOLLI",
         "Dolori di varia origine e natura, febbre, affezioni reumatiche.",
         "Ulcera peptica attiva, grave insufficienza cardiaca, ultimo trimestre di gravidanza.",
         "Acido acetilsalicilico, anticoagulanti, corticosteroidi, ACE inibitori.",
         "400 mg fino a tre volte al giorno", 5.50},
        {"DICLOFENAC SODICO", "M01AB05", "FARMACI ANTINFIAMMATORI E ANTIREUMATICI",
         "VOLTAREN:NOVARTIS|DICLOREUM:ALFASIGMA|DICLOFENAC:DOC GENERICI",
         "75 MG/3 ML|50 MG|100 MG|1%",
         "SOLUZIONE INIETTABILE|COMPRESSE GASTRORESISTENTI|EMULGEL|CEROTTO MEDICATO",
         "Affezioni reumatiche infiammatorie e degenerative, dolore acuto.",
         "Ulcera gastrica o intestinale, insufficienza cardiaca congestizia accertata.",
         "Litio, digossina, diuretici, anticoagulanti, ciclosporina.",
         "1 fiala intramuscolo al giorno per non più di 2 giorni", 6.80},
        {"SALMETEROLO/FLUTICASONE", "R03AK06", "FARMACI PER LE SINDROMI OSTRUTTIVE",
         "SERETIDE:GLAXOSMITHKLINE|ALIFLUS:MENARINI|AIRFLUSAL:SANDOZ",
         "50/100 MCG|50/250 MCG|50/500 MCG|25/125 MCG",
         "POLVERE PER INALAZIONE|SOSPENSIONE PRESSURIZZATA PER INALAZIONE",
         "Asma, broncopneumopatia cronica ostruttiva.",
         "Ipersensibilità ai principi attivi o al lattosio.",
         "Beta bloccanti, ritonavir e altri forti inibitori del CYP3A4.",
         "1 inalazione due volte al giorno", 38.90},
        {"OMEPRAZOLO", "A02BC01", "FARMACI PER DISTURBI CORRELATI ALL'ACIDITÀ",
         "MEPRAL:BRACCO|ANTRA:ASTRAZENECA|OMEPRAZEN:MALESCI|OMEPRAZOLO:EG", "10 MG|20 MG|40 MG",
         "CAPSULE RIGIDE GASTRORESISTENTI",
         "Ulcera duodenale e gastrica, esofagite da reflusso, eradicazione di H. pylori.",
         "Uso concomitante di nelfinavir.", "Clopidogrel, metotrexato, digossina, tacrolimus.",
         "20 mg una volta al giorno prima di colazione", 5.95},
        {"LEVOFLOXACINA", "J01MA12", "ANTIBATTERICI PER USO SISTEMICO",
         "LEVOXACIN:SANOFI|TAVANIC:SANOFI|LEVOFLOXACINA:AUROBINDO", "500 MG|750 MG|250 MG",
         "COMPRESSE RIVESTITE CON FILM",
         "Polmonite acquisita in comunità, pielonefrite, prostatite batterica cronica.",
         "Epilessia, disturbi tendinei da fluorochinoloni, età inferiore a 18 anni.",
         "Sali di ferro, antiacidi, teofillina, FANS, anticoagulanti.",
         "500 mg una volta al giorno per 7 giorni", 12.60},
        {"SIMVASTATINA", "C10AA01", "SOSTANZE MODIFICATRICI DEI LIPIDI",
         "SIVASTIN:SIGMA TAU|ZOCOR:MSD ITALIA|SINVACOR:MSD ITALIA|SIMVASTATINA:TEVA ITALIA",
         "10 MG|20 MG|40 MG", "COMPRESSE RIVESTITE CON FILM",
         "Ipercolesterolemia, prevenzione cardiovascolare.",
         "Epatopatia attiva, gravidanza, inibitori potenti del CYP3A4.",
         "Gemfibrozil, ciclosporina, amiodarone, amlodipina, succo di pompelmo.", "20 mg alla sera",
         6.30},
        {"ENOXAPARINA SODICA", "B01AB05", "ANTITROMBOTICI",
         "CLEXANE:SANOFI|INHIXA:TECHDOW|ENOXAPARINA:ROVI", "4.000 UI|6.000 UI|8.000 UI|2.000 UI",
         "SOLUZIONE INIETTABILE IN SIRINGA PRERIEMPITA",
         "Profilassi della trombosi venosa profonda in chirurgia e in pazienti allettati.",
         "Trombocitopenia da eparina, sanguinamento attivo clinicamente rilevante.",
         "Antiaggreganti, FANS, altri anticoagulanti, destrano.",
         "4.000 UI sottocute una volta al giorno", 29.40},
        {"LORAZEPAM", "N05BA06", "ANSIOLITICI",
         "TAVOR:PFIZER ITALIA|CONTROL:ALFASIGMA|LORAZEPAM:MYLAN", "1 MG|2,5 MG|2 MG/ML",
         "COMPRESSE|GOCCE ORALI, SOLUZIONE", "Disturbi d'ansia, insonnia associata ad ansia.",
         "Miastenia grave, insufficienza respiratoria grave, glaucoma ad angolo chiuso.",
         "Alcol, oppioidi, antistaminici sedativi, clozapina.", "1 mg due o tre volte al giorno",
         4.65},
        {"ACIDO FOLICO", "B03BB01", "PREPARATI ANTIANEMICI", "FOLINA:TEOFARMA", "5 MG|400 MCG",
         "CAPSULE MOLLI|COMPRESSE",
         "Carenza di acido folico, prevenzione dei difetti del tubo neurale.",
         "Anemia perniciosa non trattata.", "Metotrexato, fenitoina, trimetoprim.",
         "1 capsula al giorno", 2.95},
        {"TRAMADOLO CLORIDRATO", "N02AX02", "ANALGESICI OPPIOIDI",
         "CONTRAMAL:GRÜNENTHAL|FORTRADOL:GRÜNENTHAL|TRAMADOLO:EG", "50 MG|100 MG|100 MG/ML|150 MG",
         "CAPSULE RIGIDE|COMPRESSE A RILASCIO PROLUNGATO|GOCCE ORALI, SOLUZIONE",
         "Dolore di intensità da moderata a grave.",
         "Epilessia non controllata, uso di IMAO, intossicazione acuta da alcol.",
         "IMAO, SSRI (sindrome serotoninergica), carbamazepina, warfarin.",
         "50-100 mg ogni 6 ore, non oltre 400 mg al giorno", 8.20},
    };
    static const QList<Ingredient> list = [] {
        QList<Ingredient> l;
        for (const IngredientRow& r : rows) {
            l.append({QString::fromUtf8(r.name), QString::fromUtf8(r.atc),
                      QString::fromUtf8(r.category), words(r.brands), words(r.strengths),
                      words(r.forms), QString::fromUtf8(r.indications),
                      QString::fromUtf8(r.contraindications), QString::fromUtf8(r.interactions),
                      QString::fromUtf8(r.adultDose), r.price});
        }
        return l;
    }();
    return list;
}

const QStringList classes = words("A|A|A|C|C|H|A (PHT)|C (NOTA 66)|A (PIANO TERAPEUTICO)");
const QStringList prescriptionKinds =
    words("RICETTA RIPETIBILE|RICETTA NON RIPETIBILE|SENZA OBBLIGO DI RICETTA|"
          "RICETTA MEDICA LIMITATIVA|RICETTA NON RIPETIBILE (TABELLA 2D)");
const QStringList aifaNotes = words("NOTA 1|NOTA 13|NOTA 48|NOTA 66|NOTA 79|NOTA 96|NOTA 97");
const QStringList regimes = words("RR|RNR|SOP|OTC|RRL|OSP");
const QStringList durations =
    words("3 GIORNI|5 GIORNI|6 GIORNI|7 GIORNI|10 GIORNI|14 GIORNI|1 MESE|3 MESI|"
          "TERAPIA CRONICA|AL BISOGNO");
const QStringList validities = words("24 MESI|36 MESI|48 MESI|60 MESI|18 MESI");
const QStringList childDoses =
    words("NON INDICATO SOTTO I 12 ANNI|10 MG/KG OGNI 6 ORE|SECONDO IL PESO CORPOREO|"
          "NON RACCOMANDATO|METÀ DELLA DOSE ADULTI");
const QStringList elderDoses =
    words("COME ADULTI|RIDURRE LA DOSE DEL 50%|ADATTARE ALLA FUNZIONE RENALE|"
          "INIZIARE CON LA DOSE MINIMA|CONTROLLO PERIODICO DELLA CREATININA");
const QStringList storage =
    words("A TEMPERATURA INFERIORE A 25 °C|A TEMPERATURA INFERIORE A 30 °C|"
          "IN FRIGORIFERO (2 °C - 8 °C)|NELLA CONFEZIONE ORIGINALE, AL RIPARO DALLA LUCE|"
          "NESSUNA PARTICOLARE CONDIZIONE");
const QStringList packages = words("10|12|14|20|28|30|40|50|60|90");
const QStringList warnings =
    words("Può ridurre la capacità di guidare veicoli o di usare macchinari.|"
          "Non superare la dose consigliata; in caso di sovradosaggio rivolgersi al medico.|"
          "Contiene lattosio: non somministrare in caso di intolleranza al galattosio.|"
          "Usare con cautela negli anziani e nei pazienti con insufficienza renale.|"
          "Evitare l'esposizione al sole e ai raggi UV durante il trattamento.|"
          "In gravidanza solo in caso di effettiva necessità e sotto controllo medico.");
const QStringList remarks =
    words("Campioni gratuiti nell'armadio dello studio.|Disponibile anche equivalente a "
          "minor prezzo.|Prescrivere con piano terapeutico del cardiologo.|"
          "Chiedere conferma al paziente sulla tollerabilità.|Carenza segnalata dal "
          "distributore: verificare la disponibilità.|Rimborsabile con nota AIFA.|"
          "Preferire la formulazione in bustine per i pazienti con disfagia.");
const QStringList attachments =
    words("scheda_tecnica.pdf|foglio_illustrativo.pdf|confezione.jpg|piano_terapeutico.pdf|"
          "nota_aifa.pdf");
const QStringList attachmentNotes =
    words("Scheda tecnica del farmaco|Foglio illustrativo|Foto della confezione|"
          "Piano terapeutico AIFA|Testo della nota AIFA");

QString piecesOf(const QString& form) {
    if (form.startsWith(QStringLiteral("COMPRESSE")))
        return QStringLiteral("COMPRESSE");
    if (form.startsWith(QStringLiteral("CAPSULE")))
        return QStringLiteral("CAPSULE");
    if (form.contains(QStringLiteral("BUSTINE")) || form.startsWith(QStringLiteral("GRANULATO")))
        return QStringLiteral("BUSTINE");
    if (form.contains(QStringLiteral("INIETTABILE")))
        return QStringLiteral("FIALE");
    if (form.startsWith(QStringLiteral("SUPPOSTE")))
        return QStringLiteral("SUPPOSTE");
    return {};
}

// The price as the editor stores it: digits, a comma and two decimals ("12,50").
QString price(double euro) {
    return QString::number(euro, 'f', 2).replace(u'.', u',');
}

void generate(Record& card, Random& random, qint64) {
    const Ingredient& drug = random.pick(ingredients());
    const QStringList brand = random.pick(drug.brands).split(u':');
    const int strengthIndex = random.below(int(drug.strengths.size()));
    const QString& strength = drug.strengths[strengthIndex];
    const QString& form = random.pick(drug.forms);
    const QString count = random.pick(packages);
    const QString pieces = piecesOf(form);
    const QString package = pieces.isEmpty()
                                ? QStringLiteral("1 FLACONE")
                                : count + u' ' + pieces + QStringLiteral(" DA ") + strength;

    // "TACHIPIRINA 500 MG 20 COMPRESSE": brand, strength and package, as the box says it.
    card.setValue(QStringLiteral("Farmaco"), (brand[0] + u' ' + strength + u' ' +
                                              (pieces.isEmpty() ? form : count + u' ' + pieces))
                                                 .left(50));
    card.setValue(QStringLiteral("Produttore"), brand[1]);
    card.setValue(QStringLiteral("Principio"), drug.name);
    card.setValue(QStringLiteral("Composizione"),
                  QStringLiteral("Ogni unità contiene: %1 %2. Eccipienti: %3.")
                      .arg(drug.name.toLower(), strength.toLower(),
                           random.pick(words("lattosio monoidrato, magnesio stearato|"
                                             "cellulosa microcristallina, amido di mais|"
                                             "saccarosio, aroma arancia, acqua depurata|"
                                             "povidone, talco, biossido di titanio (E171)"))));
    card.setValue(QStringLiteral("Categoria"), drug.category);
    card.setValue(QStringLiteral("TipoRic"), random.pick(prescriptionKinds));
    card.setValue(QStringLiteral("CodMin"), QStringLiteral("0") + random.digits(8));
    card.setValue(QStringLiteral("Classe"), random.pick(classes));
    if (random.chance(0.3))
        card.setValue(QStringLiteral("NotaAifa"), random.pick(aifaNotes));
    card.setValue(QStringLiteral("Atc"), drug.atc);
    card.setValue(QStringLiteral("Forma"), form);
    card.setValue(QStringLiteral("Regime"), random.pick(regimes));
    card.setValue(QStringLiteral("Durata"), random.pick(durations));
    card.setValue(QStringLiteral("Periodo"), random.pick(validities));
    if (random.chance(0.6))
        card.setValue(QStringLiteral("DosaggioBam"), random.pick(childDoses));
    card.setValue(QStringLiteral("DosaggioAdu"), drug.adultDose.toUpper().left(50));
    if (random.chance(0.7))
        card.setValue(QStringLiteral("DosaggioAnz"), random.pick(elderDoses));
    card.setValue(QStringLiteral("Conservazione"), random.pick(storage));
    card.setValue(QStringLiteral("Confezione"), package);
    // Larger packages and higher strengths cost more; a few cents of spread between makers.
    const double euro = drug.price * (1 + 0.35 * strengthIndex) * (count.toInt() / 20.0 + 0.5) +
                        random.below(150) / 100.0;
    card.setValue(QStringLiteral("Prezzo"), price(euro));
    card.setValue(QStringLiteral("Indicazioni"), drug.indications);
    if (random.chance(0.9))
        card.setValue(QStringLiteral("Controindicazioni"), drug.contraindications);
    if (random.chance(0.8))
        card.setValue(QStringLiteral("Interazioni"), drug.interactions);
    if (random.chance(0.5))
        card.setValue(QStringLiteral("Avvertenze"), random.pick(warnings));
    if (random.chance(0.25))
        card.setValue(QStringLiteral("Annotazioni"), random.pick(remarks));
    card.setValue(QStringLiteral("DaOrdinare"), textfield::flag(random.chance(0.1)));

    for (int slot = 1; slot <= 3 && random.chance(slot == 1 ? 0.05 : 0.3); ++slot) {
        const int which = random.below(int(attachments.size()));
        card.setValue(runName(QStringLiteral("File"), slot),
                      QStringLiteral("%1_%2").arg(random.digits(6), attachments[which]));
        card.setValue(runName(QStringLiteral("Desc"), slot), attachmentNotes[which]);
    }
}

} // namespace

ArchiveKind farmaciKind() {
    ArchiveKind kind;
    kind.title = QStringLiteral("farmaci");
    kind.fileName = QString::fromLatin1(farmaco::archiveName);
    kind.layout = &farmaco::layout();
    kind.generate = generate;
    kind.grepWord = "COMPRESSE";
    kind.searchWindow = [](Services& services, std::function<void()> recalled) {
        auto window = std::make_unique<TfrmTrovaFarmaci>(services);
        window->setTag(QStringLiteral("farmaci"));
        window->setRecallTarget([recalled](const Record&, qint64) { recalled(); });
        return std::unique_ptr<SearchWindow>(std::move(window));
    };
    // Drugs of one maker that come as tablets.
    kind.twoFilters = {{QStringLiteral("txtProduttore"), QStringLiteral("pfizer")},
                       {QStringLiteral("txtForma"), QStringLiteral("compresse")}};
    kind.exportWindow = [](Services& services) {
        return std::unique_ptr<ExportWindow>(std::make_unique<TfrmExpFarmaci>(services));
    };
    kind.exportFile = QStringLiteral("Archivio_Farmaci.xls");
    kind.editor = [](Services& services) {
        return std::unique_ptr<RecordEditor>(std::make_unique<TfrmFarmaci>(services));
    };
    return kind;
}

} // namespace tarvola::bench
