#include "help/helptopics.h"

namespace tarvola::help {

namespace {

QStringList pazienti() {
    return {
        QStringLiteral(
            "L'app Archivio Pazienti conserva, oltre ai dati anagrafici di ogni paziente, "
            "l'azienda sanitaria locale (ASL) di appartenenza, il codice del Servizio Sanitario "
            "Nazionale, i pagamenti effettuati o ancora in sospeso e una cartella clinica "
            "dettagliata. I dati dei pazienti possono essere importati durante la compilazione "
            "delle prescrizioni e delle ricette mediche rosse, senza doverli digitare di nuovo."),
        QStringLiteral(
            "La sezione Informazioni anagrafiche raccoglie i dati personali del paziente: codice "
            "fiscale, partita IVA, indirizzo, numeri di telefono e di fax, indirizzo e-mail, "
            "giorni e orari preferiti per gli appuntamenti, professione, modalità di pagamento, "
            "coordinate bancarie e carta di credito, medico curante e numero della tessera "
            "sanitaria. Da questa sezione si stampa anche, con il pulsante Modulo Privacy, il "
            "modulo per il consenso al trattamento dei dati personali da far firmare al "
            "paziente."),
        QStringLiteral(
            "La sezione Anamnesi medica riporta peso, altezza, gruppo sanguigno e ASL del "
            "paziente, le disfunzioni articolari, le protesi, gli handicap psicomotori, gli "
            "interventi subiti, le vaccinazioni, le malattie infettive, le altre patologie, le "
            "terapie seguite, i farmaci assunti, le allergie accertate e le raccomandazioni "
            "mediche."),
        QStringLiteral(
            "La sezione Analisi cliniche mette a disposizione 32 righi in cui annotare gli esiti "
            "delle analisi cliniche più importanti relative al paziente; la scheda delle analisi "
            "può essere visualizzata in anteprima e stampata."),
        QStringLiteral(
            "La sezione Prestazioni eseguite registra fino a 96 prestazioni, distribuite su sei "
            "pagine: per ciascuna si indicano la data e l'ora, la prestazione eseguita con il "
            "relativo esito e l'importo pagato. Con il pulsante Esporta l'elenco delle "
            "prestazioni viene esportato in un foglio di Microsoft Excel, da cui può essere "
            "stampato."),
        QStringLiteral(
            "La sezione Storico terapie registra fino a 18 terapie, ciascuna con la data di "
            "inizio, la data di fine, il tipo di terapia e il costo complessivo; lo storico delle "
            "terapie può essere stampato."),
        QStringLiteral(
            "La sezione Cartella clinica apre, con il pulsante Apri cartella, una cartella "
            "riservata al paziente in cui conservare documenti di ogni genere, ad esempio "
            "radiografie, referti o fotografie: per inserirli basta copiarli o trascinarli "
            "nella cartella."),
        QStringLiteral(
            "Per inserire una nuova scheda fare clic su Nuovo, compilare i campi e fare clic su "
            "Salva; il cognome del paziente è obbligatorio. Per aggiornare una scheda basta "
            "richiamarla, modificarla e fare clic su Salva. Le schede si richiamano con la "
            "funzione di ricerca oppure con le frecce, che visualizzano la scheda precedente, la "
            "successiva, la prima e l'ultima."),
        QStringLiteral(
            "Il pulsante Trova consente di cercare i pazienti con chiavi parziali e con più "
            "filtri contemporaneamente, ad esempio tutti i pazienti disponibili per un "
            "appuntamento in un certo giorno della settimana; l'elenco dei pazienti trovati può "
            "essere stampato."),
        QStringLiteral(
            "Quando le righe delle prestazioni eseguite di una scheda sono esaurite, il pulsante "
            "Duplica crea una seconda scheda per lo stesso paziente; per distinguere le due "
            "schede si consiglia di aggiungere il numero 2 dopo il nome."),
        QStringLiteral(
            "Il pulsante Allega file consente di allegare alla scheda di ogni paziente fino a "
            "tre file di qualsiasi tipo, ciascuno con una descrizione; ogni file allegato si "
            "apre con il relativo pulsante Apri."),
        QStringLiteral(
            "Accanto ai rispettivi campi si trovano i pulsanti che controllano il codice "
            "fiscale, il numero della carta di credito, l'IBAN e la partita IVA; di una partita "
            "IVA valida viene indicato anche l'ufficio provinciale che l'ha rilasciata. Il "
            "pulsante accanto al campo E-mail avvia il programma di posta elettronica con "
            "l'indirizzo del paziente già inserito."),
        QStringLiteral(
            "La scheda di ogni paziente può essere visualizzata in anteprima e stampata; "
            "l'intero archivio dei pazienti può essere esportato in un file di Microsoft Excel."),
    };
}

QStringList farmaci() {
    return {
        QStringLiteral(
            "L'app Archivio Farmaci serve soprattutto a importare i nomi dei farmaci nelle "
            "prescrizioni e nelle ricette mediche rosse, con gli appositi pulsanti posti accanto "
            "a ciascun rigo della prescrizione."),
        QStringLiteral(
            "Per ogni farmaco prescritto di frequente si compila una scheda che ne riporta il "
            "nome, il produttore, il principio attivo, la composizione, la categoria, il tipo di "
            "ricetta, il codice Minsan, la classe, la nota AIFA, il codice ATC, la forma "
            "farmaceutica, il regime S.S.N., la durata del trattamento, il periodo di validità, "
            "i dosaggi per bambini, adulti e anziani, la conservazione, la confezione e il "
            "prezzo, oltre alle indicazioni, alle controindicazioni, alle interazioni, alle "
            "avvertenze speciali e alle annotazioni."),
        QStringLiteral(
            "Spuntando la casella Da ordinare, un farmaco tenuto in ambulatorio viene inserito "
            "nell'elenco dei farmaci in esaurimento, che si visualizza con il pulsante con "
            "l'icona del telefono e può essere stampato."),
        QStringLiteral(
            "Per inserire una nuova scheda fare clic su Nuovo, compilare i campi e fare clic su "
            "Salva; il nome del farmaco è obbligatorio. Per aggiornare una scheda basta "
            "richiamarla, modificarla e fare clic su Salva. Le schede si richiamano con la "
            "funzione di ricerca oppure con le frecce, che visualizzano la scheda precedente, la "
            "successiva, la prima e l'ultima."),
        QStringLiteral(
            "Il pulsante Duplica è utile per archiviare un farmaco che differisce da uno già "
            "presente solo per pochi dettagli, ad esempio la confezione: richiamare la scheda, "
            "fare clic su Duplica, modificare i dati diversi e fare clic su Salva."),
        QStringLiteral(
            "Il pulsante Allega file consente di associare a ogni scheda fino a tre documenti "
            "esterni, ad esempio la fotografia del farmaco o il foglietto illustrativo, "
            "ciascuno con una descrizione; ogni file si apre con il relativo pulsante Apri."),
        QStringLiteral(
            "Il pulsante Trova consente di cercare i farmaci con più filtri contemporaneamente; "
            "la scheda di ogni farmaco può essere stampata e l'intero archivio può essere "
            "esportato in un file di Microsoft Excel."),
    };
}

QStringList prescrizioni() {
    return {
        QStringLiteral(
            "L'app Emissione Prescrizioni consente di emettere prescrizioni di farmaci o di "
            "esami clinici, stampate su fogli bianchi sotto il logo e l'intestazione dello "
            "studio. Le prescrizioni sono conservate in un archivio per ogni anno solare e "
            "ricevono un numero progressivo, il cui valore iniziale si imposta con il pulsante "
            "con la lettera N; a richiesta, dopo il numero può comparire anche l'anno."),
        QStringLiteral(
            "Per inserire una nuova prescrizione fare clic su Nuovo, compilare i campi e fare "
            "clic su Salva; sono obbligatori la denominazione dello studio medico, il numero, la "
            "data di emissione, la tipologia della prescrizione, il nome e il codice fiscale del "
            "paziente. Per aggiornare una prescrizione basta richiamarla, modificarla e fare "
            "clic su Salva. Le prescrizioni si richiamano con la funzione di ricerca oppure con "
            "le frecce, che visualizzano la prescrizione precedente, la successiva, la prima e "
            "l'ultima."),
        QStringLiteral(
            "Il pulsante Duplica consente di emettere rapidamente una prescrizione che "
            "differisce di poco da una precedente: richiamare la prescrizione, fare clic su "
            "Duplica, modificare i dati necessari e fare clic su Salva."),
        QStringLiteral(
            "Ogni prescrizione riporta i dati del paziente, il numero della tessera sanitaria, "
            "l'ASL di provenienza, l'indirizzo di residenza, l'eventuale esenzione, il medico "
            "prescrivente, la data e il luogo di emissione, la tipologia e la priorità della "
            "prescrizione e, quando la prestazione richiesta comprende la diagnosi, il quesito "
            "diagnostico."),
        QStringLiteral(
            "I dati del paziente possono essere importati dall'archivio dei pazienti con il "
            "pulsante posto a destra del nome; un apposito pulsante controlla il codice "
            "fiscale."),
        QStringLiteral(
            "I nomi dei farmaci o degli esami si scrivono direttamente oppure si importano "
            "dall'archivio dei farmaci con i pulsanti posti a destra di ciascun campo della "
            "colonna Prescrizione; per ogni rigo si indicano la quantità e, se necessario, una "
            "nota."),
        QStringLiteral(
            "Il logo e i dati dello studio medico stampati in testa alla prescrizione restano "
            "nei rispettivi campi anche quando si chiude la finestra, così non occorre inserirli "
            "ogni volta; il logo si imposta con il pulsante Logo."),
        QStringLiteral(
            "Il pulsante Allega file consente di allegare a ogni prescrizione fino a tre file, "
            "ad esempio una copia del referto medico, ciascuno con una descrizione. L'intero "
            "archivio delle prescrizioni dell'anno può essere esportato in un file di Microsoft "
            "Excel."),
    };
}

QStringList ricette() {
    return {
        QStringLiteral(
            "L'app Ricette Mediche Rosse consente di compilare e stampare le tradizionali "
            "ricette mediche rosse su carta, cioè i moduli stampati dal Poligrafico dello Stato "
            "e distribuiti alle aziende sanitarie locali di tutto il territorio nazionale."),
        QStringLiteral(
            "La compilazione è agevolata dalla possibilità di importare i dati dall'archivio dei "
            "pazienti e dall'archivio dei farmaci. L'indicazione del cognome e nome, del codice "
            "fiscale e dell'indirizzo del paziente è a discrezione del medico; il pulsante "
            "accanto al codice fiscale ne controlla la correttezza. La striscia adesiva che "
            "copre il nome e l'indirizzo dell'assistito va applicata solo su richiesta del "
            "paziente, facendo attenzione a non coprire le zone destinate alla lettura ottica."),
        QStringLiteral(
            "Per registrare una nuova ricetta fare clic su Nuovo, compilare i campi e fare clic "
            "su Salva: il nome dell'assistito, il primo farmaco prescritto e la data sono "
            "obbligatori. Per richiamare una ricetta già archiviata si può utilizzare la "
            "funzione di ricerca oppure scorrere l'archivio con le frecce, che visualizzano la "
            "ricetta precedente, la successiva, la prima e l'ultima."),
        QStringLiteral(
            "Si consiglia di scrivere i nomi dei farmaci o delle prestazioni in forma breve, in "
            "modo che rientrino nello spazio disponibile sul modulo cartaceo: quando occorre, "
            "utilizzare delle abbreviazioni ed eseguire alcune stampe di prova."),
        QStringLiteral(
            "I quattro righi dei dati del medico prescrivente vanno compilati quando si "
            "desidera stampare i dati del medico anziché apporre il timbro; il programma li "
            "ricorda e li ripropone a ogni nuova ricetta."),
        QStringLiteral(
            "Per la stampa va bene qualsiasi stampante: si possono impostare i margini superiore "
            "e sinistro e l'orientamento della pagina. Prima di stampare sui moduli conviene "
            "eseguire una stampa di prova su un normale foglio A4, per capire in che modo "
            "inserire i moduli nella stampante."),
        QStringLiteral(
            "Il pulsante Allega file consente di allegare a ogni ricetta fino a tre file di "
            "qualsiasi tipo, ciascuno con una descrizione; ogni file allegato si apre con il "
            "relativo pulsante Apri."),
        QStringLiteral(
            "Il pulsante Duplica consente di emettere una nuova ricetta con gli stessi farmaci "
            "di una ricetta precedente: richiamare la ricetta, fare clic su Duplica, modificare "
            "i dati necessari e fare clic su Salva. La nuova ricetta riporta la data del "
            "giorno."),
        QStringLiteral(
            "Il pulsante Trova consente di cercare le ricette con chiavi parziali e con più "
            "filtri contemporaneamente, ad esempio tutte le ricette di un paziente oppure tutte "
            "quelle emesse da un medico in una certa data; l'elenco delle ricette trovate può "
            "essere stampato."),
        QStringLiteral(
            "La casella Completata indica che la compilazione della ricetta è terminata; il "
            "pulsante con l'icona del segno di spunta visualizza l'elenco delle ricette ancora "
            "da completare."),
        QStringLiteral("L'intero archivio delle ricette emesse può essere esportato in un file di "
                       "Microsoft Excel."),
    };
}

// The three export topics of the archives share one text; only the archive's name changes.
QStringList esporta(const QString& schede) {
    return {
        QStringLiteral("Il pulsante Esporta archivio consente di esportare ") + schede +
            QStringLiteral(
                " in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con "
                "qualsiasi software in grado di gestire i file in formato XLS (ad esempio, con "
                "Open Office, Libre Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna "
                       "fare clic sull'icona di Excel. Questa operazione crea in tempo reale un "
                       "file in") +
            QStringLiteral(" formato XLS contenente le schede in archivio, che potrà essere "
                           "aperto immediatamente rispondendo affermativamente al messaggio di "
                           "domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                       "assegnandogli un nome qualsiasi."),
    };
}

QString titleOf(TopicId id) {
    switch (id) {
    case TopicId::Panoramica:
        return QStringLiteral("Uno sguardo a Tarvola 3.0");
    case TopicId::Pazienti:
        return QStringLiteral("App Archivio Pazienti");
    case TopicId::Farmaci:
        return QStringLiteral("App Archivio Farmaci");
    case TopicId::Prescrizioni:
        return QStringLiteral("App Emissione Prescrizioni");
    case TopicId::Ricette:
        return QStringLiteral("App Ricette Mediche Rosse");
    case TopicId::EsportaPazienti:
        return QStringLiteral("Esportazione archivio pazienti in Microsoft Excel");
    case TopicId::EsportaFarmaci:
        return QStringLiteral("Esportazione archivio farmaci in Microsoft Excel");
    case TopicId::EsportaPrescrizioni:
        return QStringLiteral("Esportazione archivio prescrizioni in Microsoft Excel");
    case TopicId::EsportaRicette:
        return QStringLiteral("Esportazione archivio ricette in Microsoft Excel");
    }
    return {};
}

} // namespace

QList<TopicId> allTopics() {
    return {TopicId::Panoramica,          TopicId::Pazienti,
            TopicId::EsportaPazienti,     TopicId::Farmaci,
            TopicId::EsportaFarmaci,      TopicId::Prescrizioni,
            TopicId::EsportaPrescrizioni, TopicId::Ricette,
            TopicId::EsportaRicette};
}

QStringList overviewOpening() {
    return {QStringLiteral(
        "Tarvola 3.0 è un software semplice da usare, pensato per medici, specialisti, "
        "ambulatori e cliniche private, che consente di compilare e stampare sia le ricette "
        "mediche rosse sia le prescrizioni su fogli bianchi con il logo dello studio. Il "
        "programma conserva inoltre i dati anagrafici dei pazienti, prepara i moduli per il "
        "consenso al trattamento dei dati personali da far firmare ai pazienti e gestisce un "
        "archivio dei farmaci prescritti più di frequente; l'importazione dei dati dagli archivi "
        "dei pazienti e dei farmaci rende molto più rapida la compilazione delle "
        "prescrizioni.")};
}

QStringList overviewClosing() {
    return {
        QStringLiteral(
            "Il programma è strettamente integrato con Microsoft Excel: le app esportano i "
            "propri archivi in questo formato, che può essere aperto da qualsiasi applicazione "
            "in grado di gestire i file XLS, come Open Office, Libre Office o Microsoft Office."),
        QStringLiteral(
            "L'accesso al programma è protetto, come richiesto dalla normativa sulla privacy, da "
            "una password di almeno otto caratteri, che l'utente autorizzato può cambiare in "
            "qualsiasi momento con il pulsante Cambia password della finestra di accesso. Per il "
            "primo accesso e dopo ogni installazione si utilizza la password \"chiaveiniziale\" "
            "(da digitare senza le virgolette)."),
        QStringLiteral(
            "Tarvola 3.0 può essere utilizzato anche in una rete locale, per condividere gli "
            "archivi tra più postazioni di lavoro: basta avviare da ogni postazione il programma "
            "installato nella cartella condivisa, avendo cura di non modificare la stessa scheda "
            "da due postazioni nello stesso momento."),
        QStringLiteral(
            "Il programma funziona anche da una chiavetta USB: basta copiare la cartella del "
            "programma sulla chiavetta e avviare il programma da lì. Copiare la cartella del "
            "programma su un dispositivo esterno è anche il modo più rapido per fare una copia "
            "di sicurezza di tutti gli archivi."),
        QStringLiteral(
            "Tarvola 3.0 è dunque lo strumento ideale per medici e specialisti che desiderano "
            "gestire in modo semplice e ordinato le prescrizioni e gli archivi del proprio "
            "studio, e non richiede praticamente alcun tempo di apprendimento."),
    };
}

QStringList paragraphs(TopicId id) {
    switch (id) {
    case TopicId::Panoramica:
        return overviewOpening() + pazienti() + farmaci() + prescrizioni() + ricette() +
               overviewClosing();
    case TopicId::Pazienti:
        return pazienti();
    case TopicId::Farmaci:
        return farmaci();
    case TopicId::Prescrizioni:
        return prescrizioni();
    case TopicId::Ricette:
        return ricette();
    case TopicId::EsportaPazienti:
        return esporta(QStringLiteral("i dati anagrafici di tutti i pazienti"));
    case TopicId::EsportaFarmaci:
        return esporta(QStringLiteral("le schede dell'archivio dei farmaci"));
    case TopicId::EsportaPrescrizioni:
        return esporta(QStringLiteral("le schede dell'archivio delle prescrizioni"));
    case TopicId::EsportaRicette:
        return esporta(QStringLiteral("le schede dell'archivio delle ricette"));
    }
    return {};
}

Topic topic(TopicId id) {
    return {titleOf(id), paragraphs(id).join(paragraphBreak())};
}

Topic overview() {
    return topic(TopicId::Panoramica);
}

} // namespace tarvola::help
