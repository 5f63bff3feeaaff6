#include "ricette/ricettehelp.h"

#include <QStringList>

namespace tarvola {

QString ricetteHelpTitle() {
    return QStringLiteral("App Ricette Mediche Rosse");
}

QString ricetteHelpText() {
    const QStringList paragraphs{
        QStringLiteral(
            "L'app Ricette Mediche Rosse permette di compilare e stampare le tradizionali "
            "ricette rosse cartacee, utilizzando i moduli prodotti dall'Istituto Poligrafico "
            "e Zecca dello Stato e distribuiti alle Aziende Sanitarie Locali di tutta Italia."),
        QStringLiteral(
            "La compilazione è agevolata dall'importazione dei dati dall'archivio dei pazienti "
            "e dall'archivio dei farmaci. L'indicazione del nome, del codice fiscale e "
            "dell'indirizzo dell'assistito è a discrezione del medico; un apposito pulsante "
            "consente di controllare la correttezza del codice fiscale. La striscia adesiva "
            "che copre il nome e l'indirizzo dell'assistito va applicata soltanto su richiesta "
            "dell'assistito stesso, facendo attenzione a non coprire le zone destinate alla "
            "lettura ottica."),
        QStringLiteral(
            "Per emettere una nuova ricetta premere Nuovo, compilare i campi del modulo e "
            "premere Salva. Il nome dell'assistito, il primo farmaco prescritto e la data "
            "sono obbligatori. Una ricetta già inserita in archivio può essere richiamata "
            "con la funzione Trova oppure con le frecce di spostamento (precedente, "
            "successiva, prima e ultima)."),
        QStringLiteral(
            "Si consiglia di indicare i nomi dei farmaci e delle prestazioni in forma breve, "
            "in modo che rientrino nello spazio a loro riservato sul modulo cartaceo: "
            "utilizzare le abbreviazioni più comuni ed eseguire alcune stampe di prova."),
        QStringLiteral(
            "Le quattro righe dei dati del medico prescrivente vanno compilate quando si "
            "desidera stampare i dati del medico sulla ricetta anziché apporre il timbro. Il "
            "programma le ricorda e le propone a ogni nuova ricetta."),
        QStringLiteral(
            "La stampa può essere eseguita con qualsiasi stampante: è possibile regolare il "
            "margine superiore, il margine sinistro e l'orientamento della pagina. Prima di "
            "utilizzare i moduli si consiglia di eseguire una stampa di prova su un foglio "
            "bianco in formato A4, per capire come inserire i moduli nella stampante."),
        QStringLiteral(
            "Con il pulsante Allega file è possibile allegare alla ricetta fino a tre file di "
            "qualsiasi tipo, ciascuno con la propria descrizione; i file allegati si aprono "
            "con il pulsante Apri."),
        QStringLiteral("La funzione Duplica consente di emettere una nuova ricetta con gli stessi "
                       "farmaci di una ricetta precedente: richiamare la ricetta, premere Duplica, "
                       "apportare le modifiche desiderate e premere Salva."),
        QStringLiteral(
            "La funzione Trova ricerca le ricette in archivio in base a chiavi anche parziali "
            "e a più filtri contemporaneamente, ad esempio tutte le ricette di un assistito "
            "oppure tutte quelle di un medico in una certa data. L'elenco delle ricette "
            "trovate può essere stampato."),
        QStringLiteral(
            "La casella Completata indica che la compilazione della ricetta è terminata; il "
            "pulsante con l'icona del segno di spunta visualizza l'elenco delle ricette "
            "ancora da completare."),
        QStringLiteral("L'intero archivio delle ricette emesse può essere esportato in un file di "
                       "Microsoft Excel."),
    };
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

} // namespace tarvola
