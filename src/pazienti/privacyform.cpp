#include "pazienti/privacyform.h"

#include "platform/cp1252.h"
#include "platform/text.h"

namespace tarvola::privacy {

namespace {

// The 50 pieces of the document in order, UTF-8. A control's value goes where its name
// stands between two "@".
const char* const pieces[] = {
    R"seg({\rtf1\ansi\ansicpg1252\deff0\deflang1040{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f1\fnil Verdana;}})seg",
    R"seg({\colortbl ;\red0\green0\blue0;})seg",
    R"seg(\viewkind4\uc1\pard\qc\b\f0\fs40 Consenso al trattamento dei dati personali e sensibili)seg",
    R"seg(\par \b0\fs28 (Informativa ai sensi del Regolamento UE 2016/679))seg",
    R"seg(\par ______________________________________________________)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qj\fs24 Ai sensi del Regolamento UE 2016/679 (Regolamento Generale sulla Protezione dei Dati - General Data Protection Regulation - GDPR), il presente Studio Medico \b @txtStudioDent@\b0 , con sede a \b @txtCittaDent@\b0  (\b @txtProvDent@\b0 ), CAP: \b @txtCapDent@\b0 , in \b @txtIndirizzoDent@\b0 , codice fiscale: \b @txtCodFiscDent@\b0 , partita IVA: \b @txtIvaDent@\b0 , recapiti telefonici: \b @txtTelDent@\b0 , informa che i dati anagrafici e sanitari qualificati come personali dalla legge (ivi compresi dati personali inerenti allo stato di salute, alla vita sessuale e all'origine razziale ed etnica), ad esso forniti dal Paziente Sig. \b @txtPaziente@\b0 , nato a \b @txtComuneNasc@\b0  (\b @txtProvNasc@\b0 ) il \b @txtDataNasc@\b0 , residente a \b @txtComuneRes@\b0  (\b @txtProvRes@\b0 ), CAP: \b @txtCapRes@\b0  in \b @txtIndirizzo@\b0 , codice fiscale: \b @txtCodFisc@\b0 , recapito telefonico: \b @txtRecapito@\b0 , saranno trattati come di seguito descritto:)seg",
    R"seg(\par)seg",
    R"seg(\par \b 1. Finalit\'e0 e modalit\'e0 del trattamento cui sono destinati i dati.)seg",
    R"seg(\par \b0 I dati personali e sanitari sono trattati per le finalità connesse ai rapporti contrattuali tra lo Studio Medico e il Paziente e per l'adempimento degli obblighi legali e contrattuali che ne derivano, quali l'amministrazione, la contabilità, la fatturazione, il recupero dei crediti e l'archiviazione storica. Il trattamento avviene su supporti cartacei, informatici o telematici, con modalità idonee a garantirne la sicurezza e la riservatezza, per tutta la durata del rapporto e, successivamente, per l'adempimento degli obblighi di legge e fiscali che intercorrono tra lo Studio Medico e il Paziente.)seg",
    R"seg(\par)seg",
    R"seg(\par \b 2. Natura obbligatoria o facoltativa del conferimento e conseguenze al rifiuto del consenso.)seg",
    R"seg(\par \b0 Il conferimento dei dati è obbligatorio nella misura in cui è richiesto dagli obblighi legali e contrattuali; l'eventuale rifiuto di fornirli può rendere impossibile allo Studio Medico la prosecuzione del rapporto. L'eventuale rifiuto di conferire dati ulteriori sarà valutato di volta in volta dallo Studio Medico.)seg",
    R"seg(\par)seg",
    R"seg(\par \b 3. Soggetti che possono venire a conoscenza dei dati.)seg",
    R"seg(\par \b0 Per le finalità indicate, i dati possono essere comunicati o resi noti a medici sostituti, laboratori di analisi, medici specialisti, farmacisti, strutture ospedaliere, case di cura private e consulenti fiscali; per obbligo di legge, all'Agenzia delle Entrate, alle autorità sanitarie, al Servizio Sanitario Nazionale, all'INPS e all'INAIL; infine a soggetti terzi che prestano servizi allo Studio Medico sul territorio italiano. I dati non sono trasferiti all'estero né diffusi. Hanno accesso ai dati, in qualità di incaricati del trattamento, i medici e il personale amministrativo dello Studio Medico, tenuti al segreto professionale e al segreto d'ufficio ai sensi del codice civile e del codice penale.)seg",
    R"seg(\par)seg",
    R"seg(\par \b 4. Diritti degli interessati.)seg",
    R"seg(\par \b0 Gli interessati possono esercitare i diritti riconosciuti dal Regolamento Generale sulla Protezione dei Dati, nei limiti e alle condizioni da esso previsti.)seg",
    R"seg(\par)seg",
    R"seg(\par \b 5. Titolare del trattamento dati.)seg",
    R"seg(\par \b0 Titolare del trattamento dei dati, nonché Responsabile del trattamento e Responsabile protezione dati (RPD) o Data Protection Officer (DPO) è lo Studio Medico, rappresentato dal Dott. \b @txtPrivacy@\b0 , domiciliato per la carica nella sede dello stesso Studio.)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qc\b Consenso dell'interessato)seg",
    R"seg(\par \pard\qj\b0 Il Paziente, informato ai sensi del Regolamento UE 2016/679, acconsente al trattamento e alla comunicazione dei propri dati personali nei limiti, per le finalità e per la durata indicati nella presente informativa, consapevole che il rifiuto del consenso obbliga lo Studio Medico a non erogare le prestazioni richieste. Il consenso al trattamento dei dati sensibili deve essere espresso in forma scritta; la documentazione clinica è conservata per il tempo previsto dalla normativa sanitaria e i dati fiscali per dieci anni, come richiesto dalla normativa tributaria.)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qc\b Diritto di accesso ai dati personali ed altri diritti)seg",
    R"seg(\par \pard\qj 1.\b0  L'interessato ha diritto di ottenere la conferma dell'esistenza o meno di dati personali che lo riguardano, anche se non ancora registrati, e la loro comunicazione in forma intelligibile.)seg",
    R"seg(\par \b 2.\b0  L'interessato ha diritto di ottenere l'indicazione: a) dell'origine dei dati personali; b) delle finalità e delle modalità del trattamento; c) della logica applicata in caso di trattamento effettuato con l'ausilio di strumenti elettronici; d) degli estremi identificativi del titolare e dei responsabili del trattamento; e) dei soggetti o delle categorie di soggetti ai quali i dati personali possono essere comunicati o che possono venirne a conoscenza.)seg",
    R"seg(\par \b 3.\b0  L'interessato ha diritto di ottenere: a) l'aggiornamento, la rettificazione ovvero, quando vi ha interesse, l'integrazione dei dati; b) la cancellazione, la trasformazione in forma anonima o il blocco dei dati trattati in violazione di legge; c) l'attestazione che le operazioni di cui alle lettere a) e b) sono state portate a conoscenza di coloro ai quali i dati sono stati comunicati; d) la portabilità dei dati.)seg",
    R"seg(\par \b 4.\b0  L'interessato ha diritto di opporsi, in tutto o in parte: a) per motivi legittimi, al trattamento dei dati personali che lo riguardano; b) al trattamento dei dati a fini di invio di materiale pubblicitario, di vendita diretta, di ricerche di mercato o di comunicazione commerciale. L'interessato ha inoltre il diritto di revocare il consenso in qualsiasi momento e di proporre reclamo all'autorità di controllo; per l'esercizio di questi diritti può rivolgersi al titolare del trattamento.)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qc\b DICHIARAZIONE DEL PAZIENTE)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qj\b0 Io sottoscritto \b @txtPaziente@\b0 , nato a \b @txtComuneNasc@\b0  (\b @txtProvNasc@\b0 ) il \b @txtDataNasc@\b0 , residente a \b @txtComuneRes@\b0  (\b @txtProvRes@\b0 ), CAP: \b @txtCapRes@\b0  in \b @txtIndirizzo@\b0 , codice fiscale: \b @txtCodFisc@\b0 , esprimo il mio libero consenso al trattamento dei dati personali e particolari. A tal fine dichiaro di essere stato informato su:)seg",
    R"seg(\par \b 1)\b0  le finalità e le modalità del trattamento cui sono destinati i dati, connesse alle attività di prevenzione, diagnosi, cura e riabilitazione svolte dal medico;)seg",
    R"seg(\par \b 2)\b0  i soggetti o le categorie di soggetti ai quali i dati possono essere comunicati, come indicati al punto 3 dell'informativa;)seg",
    R"seg(\par \b 3)\b0  il diritto di accesso ai dati e il diritto di chiederne l'aggiornamento, la rettificazione, l'integrazione e la cancellazione, nonché di opporsi all'invio di comunicazioni commerciali;)seg",
    R"seg(\par \b 4)\b0  il nome del medico titolare del trattamento dei dati, Dott. @txtPrivacy@, domiciliato per la carica presso la sede dello Studio Medico;)seg",
    R"seg(\par \b 5)\b0  la necessità di fornire i dati richiesti per poter ricevere prestazioni mediche adeguate.)seg",
    R"seg(\par Con la presente, esprimo il mio consenso al trattamento dei dati personali e sensibili al Dottor \b @txtPrivacy@\b0  esclusivamente per le attivit\'e0 di prevenzione, diagnosi, cura e riabilitazione svolte a tutela della mia salute.)seg",
    R"seg(\par)seg",
    R"seg(\par \b @txtLuogo@\b0 , \b @txtData@\b0 .)seg",
    R"seg(\par)seg",
    R"seg(\par \pard\qr\b Firma del Paziente per accettazione)seg",
    R"seg(\par)seg",
    R"seg(\par _______________________________)seg",
    R"seg(\par \b0)seg",
    R"seg(\par \pard\cf1\b\f1)seg",
    R"seg(\par })seg",
};
static_assert(std::size(pieces) == segmentCount);

} // namespace

QString escapeValue(const QString& text) {
    // Backslash and braces would start a control word or a group of the document: a name
    // such as "Rossi {Mario}" or a folder path would break it or slip commands into it.
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'{' || c == u'}')
            out += u'\\';
        out += c;
    }
    return out;
}

QList<QByteArray> segments(const Values& values) {
    QList<QByteArray> out;
    out.reserve(segmentCount);
    for (const char* piece : pieces) {
        const QStringList parts = QString::fromUtf8(piece).split(u'@');
        QString text;
        // Odd parts are the names of the controls whose values stand there.
        for (qsizetype i = 0; i < parts.size(); ++i)
            text += i % 2 ? escapeValue(trimText(values.value(parts[i]))) : parts[i];
        out.append(toCp1252(text));
    }
    return out;
}

QByteArray document(const Values& values) {
    return segments(values).join();
}

} // namespace tarvola::privacy
