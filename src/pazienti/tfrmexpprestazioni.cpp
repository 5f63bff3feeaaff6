#include "pazienti/tfrmexpprestazioni.h"

#include "archive/recordlayout.h"
#include "archive/spreadsheet.h"
#include "pazienti/patientdocument.h"
#include "pazienti/pazienterecord.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "report/documentprint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace tarvola {

namespace {

const QString confirmMessage = QStringLiteral(
    "Questa operazione esporterà in un foglio di Excel l'elenco delle prestazioni eseguite a "
    "favore del paziente.\r\n\r\nSi conferma l'esportazione dei dati?");
const QString doneMessage = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di "
    "Excel?");
const QString failedMessage =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");

const QList<SheetColumn> sheetColumns{{QStringLiteral("Data"), 150},
                                      {QStringLiteral("Ora"), 150},
                                      {QStringLiteral("Prestazione eseguita ed esito"), 500},
                                      {QStringLiteral("Importo"), 200, true}};

// The editor's controls of one row, in the sheet's column order.
const char* const rowStems[] = {"txtDataPrest", "txtOraPrest", "txtTipoPrest", "txtImpPrest"};

} // namespace

TfrmExpPrestazioni::TfrmExpPrestazioni(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_editor(parent) {
    setObjectName(QStringLiteral("TfrmExpPrestazioni"));
    setWindowTitle(QStringLiteral(" Esporta e stampa dati in Microsoft Excel"));
    makeFixedDialog(this);

    auto* picture = named(new QLabel(this), QStringLiteral("imgEsporta"));
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/excel.svg"), QSize(96, 96)));
    auto* caption = new QLabel(QStringLiteral("Esporta in un foglio di Excel le prestazioni "
                                              "eseguite a favore del paziente visualizzato,\n"
                                              "da aprire e stampare con il programma di calcolo."),
                               this);
    caption->setAlignment(Qt::AlignCenter);
    QPushButton* run =
        layOutActionDialog(this, picture, caption, QStringLiteral("Esporta e stampa"));
    connect(run, &QPushButton::clicked, this, &TfrmExpPrestazioni::exportRows);
}

void TfrmExpPrestazioni::exportRows() {
    if (m_services.messages().ask(this, confirmMessage) == Answer::No)
        return;
    const QString path = m_services.path(QStringLiteral("Prestazioni.xls"));
    bool written = false;
    try {
        QList<QStringList> rows;
        for (int i = 1; i <= paziente::serviceRows; ++i) {
            QStringList row;
            for (const char* stem : rowStems)
                row << editorText(m_editor, runName(QString::fromLatin1(stem), i));
            rows << row;
        }
        qsizetype next = 0;
        written = writeSpreadsheet(path, QStringLiteral("Riepilogo Prestazioni"), sheetColumns,
                                   [&](QStringList& row) {
                                       if (next == rows.size())
                                           return false;
                                       row = rows[next++];
                                       return true;
                                   });
    } catch (const std::exception&) {
        written = false; // a missing control: nothing written, the earlier file kept
    }
    if (!written) {
        m_services.messages().plain(this, failedMessage);
        return;
    }
    if (m_services.messages().ask(this, doneMessage) == Answer::No)
        return;
    m_services.shell().open(u'"' + path + u'"');
    accept();
}

} // namespace tarvola
