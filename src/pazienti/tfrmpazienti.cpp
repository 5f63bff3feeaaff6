#include "pazienti/tfrmpazienti.h"

#include "archive/settings.h"
#include "checks/codicefiscale.h"
#include "checks/places.h"
#include "checks/tfrmcarta.h"
#include "checks/tfrmiban.h"
#include "checks/tfrmpartitaiva.h"
#include "checks/verifica.h"
#include "help/tfrmguida.h"
#include "pazienti/pazienterecord.h"
#include "pazienti/placecompleter.h"
#include "pazienti/tfrmanteprimadentale.h"
#include "pazienti/tfrmexppazienti.h"
#include "pazienti/tfrmexpprestazioni.h"
#include "pazienti/tfrmprivacy.h"
#include "pazienti/tfrmstampadentale.h"
#include "pazienti/tfrmstampaterapia.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "pazienti/typingrules.h"
#include "platform/files.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "report/documentprint.h"
#include "report/reporttemplate.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

// The views the common operations bring on screen.
const QString personalView = QStringLiteral("sezione01");
const QString firstPageView = QStringLiteral("pagina01");

struct SectionDef {
    const char* selector;
    const char* twin;
    const char* icon;
    const char* caption;
    const char* title;
    const char* focus;
};

// The six sections, in the selector's order.
constexpr SectionDef sectionDefs[] = {
    {"cmdAnagrafe", "tmpAnagrafe", "sez_anagrafe", "Anagrafe", "INFORMAZIONI ANAGRAFICHE",
     "txtCognome"},
    {"cmdAnamnesi", "tmpAnamnesi", "sez_anamnesi", "Anamnesi", "ANAMNESI MEDICA", "txtPeso"},
    {"cmdDentale", "tmpDentale", "sez_analisi", "Analisi", "ANALISI CLINICHE", "txtDente01"},
    {"cmdPrestazioni", "tmpPrestazioni", "sez_prestazioni", "Prestazioni", "PRESTAZIONI ESEGUITE",
     "txtDataPrest01"},
    {"cmdTerapie", "tmpTerapie", "sez_terapie", "Terapie", "STORICO TERAPIE", "txtInizioTerap01"},
    {"cmdLastre", "tmpLastre", "sez_cartella", "Cartella", "CARTELLA CLINICA", "btnCartella"},
};
constexpr int sectionCount = int(std::size(sectionDefs));

// The personal data on a grid of twelve columns: each row's fields and their widths.
const QList<QList<std::pair<const char*, int>>> personalRows{
    {{"Cognome", 6}, {"Nome", 6}},
    {{"CodFisc", 4}, {"Sesso", 1}, {"DataNasc", 3}, {"Iva", 4}},
    {{"ComuneNasc", 5}, {"ProvNasc", 2}, {"Professione", 5}},
    {{"Indirizzo", 5}, {"Cap", 2}, {"ComuneRes", 3}, {"ProvRes", 2}},
    {{"TelCasa", 3}, {"TelUff", 3}, {"TelCel", 3}, {"Fax", 3}},
    {{"Recapito", 5}, {"Email", 7}},
    {{"Orari", 12}},
    {{"Iban", 6}, {"Intestatario", 6}},
    {{"Carta", 5}, {"ScadeCarta", 2}, {"Pagamento", 5}},
    {{"Medico", 4}, {"Tessera", 3}, {"Note", 5}},
    {{"Privacy", 8}},
};

const QList<QList<std::pair<const char*, int>>> anamnesisRows{
    {{"Peso", 3}, {"Altezza", 3}, {"Gruppo", 3}, {"Asl", 3}},
    {{"Disfunzioni", 6}, {"Protesi", 6}},
    {{"Handicap", 6}, {"Interventi", 6}},
    {{"Vaccinazioni", 12}},
    {{"Malattie", 12}},
    {{"Patologie", 12}},
    {{"Terapie", 12}},
    {{"Farmaci", 12}},
    {{"Allergie", 12}},
    {{"Raccomandazioni", 12}},
};

// The small check buttons beside their edits: button, picture, edit.
struct SideButton {
    const char* button;
    const char* icon;
    const char* field;
};
constexpr SideButton sideButtons[] = {
    {"btnCodFisc", "verifica", "CodFisc"}, {"btnCalcolaCodFisc", "calcola", "CodFisc"},
    {"btnIva", "verifica", "Iva"},         {"btnEmail", "email", "Email"},
    {"btnIvaMan", "verifica", "Iban"},     {"btnCarta", "verifica", "Carta"},
};

// What the privacy window's patient block gets from the card: its control, the fields.
struct PrivacyValue {
    const char* control;
    QList<const char*> fields; // joined by a blank
};
const QList<PrivacyValue> privacyValues{
    {"txtPaziente", {"Cognome", "Nome"}},
    {"txtComuneNasc", {"ComuneNasc"}},
    {"txtProvNasc", {"ProvNasc"}},
    {"txtDataNasc", {"DataNasc"}},
    {"txtComuneRes", {"ComuneRes"}},
    {"txtProvRes", {"ProvRes"}},
    {"txtCapRes", {"Cap"}},
    {"txtIndirizzo", {"Indirizzo"}},
    {"txtCodFisc", {"CodFisc"}},
    {"txtRecapito", {"Recapito"}},
    {"txtPrivacy", {"Privacy"}},
};

const QString folderWarning =
    QStringLiteral("Attenzione: l'abbinamento di una cartella ad un paziente può avvenire soltanto "
                   "dopo che la scheda è stata inserita in archivio.");

const QString formStyle = QStringLiteral(
    "#panContenitore { background: #ffffff; border: 1px solid #c9d6ea; border-radius: 8px; }"
    "#panContenitore QLabel { color: #26364f; }"
    "#panContenitore QLabel[title=\"true\"] { color: #ffffff; background: #1c56a8; font-weight: "
    "bold;"
    " padding: 4px 10px; border-radius: 4px; }"
    "#panContenitore QLabel[twin=\"true\"] { background: #fff1cf; border: 2px solid #e09a1a; "
    "border-radius: 6px;"
    " color: #8a4b08; font-weight: bold; }"
    "#panContenitore QLineEdit, #panContenitore QComboBox { background: #f7faff;"
    " border: 1px solid #b9cbe6; border-radius: 3px; padding: 2px 4px; }"
    "#panContenitore QLineEdit:focus, #panContenitore QComboBox:focus { background: #fffde8;"
    " border: 1px solid #d89a20; }"
    "#panContenitore QLabel[note=\"true\"] { color: #5a6b85; font-style: italic; }"
    "#panContenitore QLabel[step=\"true\"] { background: #f3f7fd; border: 1px solid #c9d6ea; "
    "border-radius: 6px;"
    " padding: 8px; }");

QStringList fieldsOf(const QList<paziente::FormField>& list) {
    QStringList fields;
    for (const paziente::FormField& f : list)
        fields << f.field;
    return fields;
}

QString editName(const QString& field) {
    return QStringLiteral("txt") + field;
}

QString pageText(int page) {
    return QStringLiteral("pag. %1 / %2").arg(page).arg(paziente::servicePages);
}

QPushButton* textButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The rows of services and therapies are named by their row and column ("Prestazione 12 -
// Importo"), the analysis lines by their number; the two province pickers, both captioned
// "Prov.", by what they belong to. The other captions name their fields as they stand.
QString patientFieldLabel(const QString& field) {
    const auto rowLabel = [&field](const QList<paziente::RowColumn>& columns,
                                   const QString& row) -> QString {
        for (const paziente::RowColumn& c : columns) {
            if (const int n = runNumber(field, c.stem)) {
                QString column = c.caption;
                column.chop(column.endsWith(u':') ? 1 : 0);
                return QStringLiteral("%1 %2 - %3").arg(row).arg(n).arg(column);
            }
        }
        return {};
    };
    if (QString label = rowLabel(paziente::serviceColumns(), QStringLiteral("Prestazione"));
        !label.isEmpty())
        return label;
    if (QString label = rowLabel(paziente::therapyColumns(), QStringLiteral("Terapia"));
        !label.isEmpty())
        return label;
    if (const int n = runNumber(field, QStringLiteral("Dente")))
        return QStringLiteral("Analisi clinica %1").arg(n);
    if (field == QStringLiteral("ProvNasc"))
        return QStringLiteral("Prov. di nascita");
    if (field == QStringLiteral("ProvRes"))
        return QStringLiteral("Prov. di residenza");
    return {};
}

EditorSetup pazientiSetup() {
    EditorSetup setup;
    setup.fieldLabel = patientFieldLabel;
    setup.layout = &paziente::layout();
    setup.archiveName = QString::fromLatin1(paziente::archiveName);
    setup.attachmentTag = QStringLiteral("pazienti");
    setup.firstField = QStringLiteral("txtCognome");
    setup.required = {{{QStringLiteral("Cognome")},
                       QStringLiteral("txtCognome"),
                       QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                      "cognome del paziente.")}};
    setup.keptOnClear = {QStringLiteral("Privacy")};
    for (const QString& field : paziente::moneyFields())
        setup.startTexts.insert(field, QStringLiteral("0,00"));
    // The attachments go before the archive is opened, the service rows once it opened.
    setup.emptiedOnDuplicate =
        runNames(QStringLiteral("File"), 3) + runNames(QStringLiteral("Desc"), 3);
    setup.emptiedOnDuplicateOnceOpen = paziente::serviceFields();
    setup.duplicateFailure = MessageKind::Error;
    setup.viewsOnClear = {personalView, firstPageView};
    setup.viewsOnDuplicate = {personalView};
    setup.viewsOnRefusedSave = {personalView, firstPageView};
    setup.commonTexts(QStringLiteral("scheda"), QStringLiteral("schede"));
    setup.hint("cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda.");
    setup.hint("cmdDuplica",
               "Prepara la schermata per l'inserimento di una nuova scheda duplicando i "
               "dati correnti.");
    setup.hint("cmdSalva", "Salva la scheda corrente in archivio.");
    setup.hint("cmdTrova", "Trova una scheda in archivio.");
    setup.hint("cmdFile", "Allega file alla scheda corrente.");
    setup.hint("cmdAnteprima", "Visualizza l'anteprima di stampa della scheda corrente.");
    setup.hint("cmdStampa", "Stampa la scheda corrente.");
    setup.hint("btnCodFisc", "Controlla il codice fiscale.");
    setup.hint("btnCalcolaCodFisc", "Calcola il codice fiscale dai dati anagrafici.");
    setup.hint("btnIva", "Controlla il numero di partita IVA.");
    setup.hint("btnEmail", "Invia una e-mail all'indirizzo indicato.");
    setup.hint("btnIvaMan", "Controlla l'IBAN.");
    setup.hint("btnCarta", "Controlla il numero di carta di credito.");
    setup.hint("btnPrivacy", "Stampa il modulo per il consenso al trattamento dei dati personali e "
                             "sensibili.");
    setup.hint("btnAnteprimaDentale",
               "Visualizza l'anteprima di stampa delle analisi cliniche del paziente corrente.");
    setup.hint("btnStampaDentale", "Stampa le analisi cliniche del paziente corrente.");
    setup.hint("btnEsportaPrest",
               "Esporta in un foglio di Excel l'elenco delle prestazioni eseguite a "
               "favore del paziente.");
    setup.hint("btnStampaTerapie", "Stampa lo storico delle terapie del paziente corrente.");
    setup.hint("btnCartella",
               "Apri la cartella abbinata al paziente per aggiungere o rimuovere documenti.");
    setup.hint("icoCartella", "Apri cartella abbinata al paziente.");
    return setup;
}

} // namespace

TfrmPazienti::TfrmPazienti(Services& services, QWidget* parent)
    : RecordEditor(services, pazientiSetup(), parent) {
    setObjectName(QStringLiteral("TfrmPazienti"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Pazienti"));
    resize(1180, 860);
    setWindowState(Qt::WindowMaximized);

    auto* preview = makeCommand(QStringLiteral("cmdAnteprima"), QStringLiteral("anteprima"),
                                QStringLiteral("Anteprima"));
    setArchiveToolbar(nullptr, preview);

    auto* scroller = new QScrollArea(this);
    scroller->setWidget(buildForm());
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setStyleSheet(QStringLiteral("QScrollArea, #panSfondo { background: #eef3fb; }"));
    setForm(scroller);
    addHintBackground(scroller->viewport());

    connect(command(QStringLiteral("cmdTrova")), &QToolButton::clicked, this,
            &TfrmPazienti::showSearch);
    connect(preview, &QToolButton::clicked, this, [this] { printCard(DocumentOutput::Preview); });
    connect(command(QStringLiteral("cmdStampa")), &QToolButton::clicked, this,
            [this] { printCard(DocumentOutput::Print); });
    connect(command(QStringLiteral("cmdEsporta")), &QToolButton::clicked, this, [this] {
        TfrmExpPazienti window(m_services, this);
        window.exec();
    });
    connect(command(QStringLiteral("cmdGuida")), &QToolButton::clicked, this,
            [this] { openHelp(m_services, this, help::TopicId::Pazienti); });
    wireChecks();
    bindFields();
    for (const char* name : {"txtCognome", "txtNome"})
        connect(findChild<QLineEdit*>(QString::fromLatin1(name)), &QLineEdit::textChanged, this,
                &TfrmPazienti::updateTitles);
    setBareTitles();
    selectSection(1);
}

QWidget* TfrmPazienti::buildForm() {
    auto* background = named(new QWidget, QStringLiteral("panSfondo"));
    auto* box = named(new QFrame(background), QStringLiteral("panContenitore"));
    box->setStyleSheet(formStyle);
    box->setMaximumSize(995, 692);
    box->setMinimumWidth(995);
    addHintBackground(background);
    addHintBackground(box);

    // The selector down the left: each button with its highlighted twin in the same place.
    auto* selector = new QVBoxLayout;
    selector->setSpacing(6);
    for (int i = 0; i < sectionCount; ++i) {
        const SectionDef& d = sectionDefs[i];
        auto* button = makeCommand(QString::fromLatin1(d.selector), QString::fromLatin1(d.icon),
                                   QString::fromLatin1(d.caption), box);
        button->setFixedSize(104, 66);
        // No tooltip or status-line hint, but screen readers name the section it shows.
        button->setAccessibleName(QString::fromLatin1(d.caption));
        button->setAccessibleDescription(
            QStringLiteral("Mostra la sezione %1").arg(QString::fromLatin1(d.caption)));
        auto* twin = named(new QLabel(box), QString::fromLatin1(d.twin));
        twin->setProperty("twin", true);
        twin->setAlignment(Qt::AlignCenter);
        twin->setText(
            QStringLiteral("<img src=\":/images/%1.svg\" width=\"32\" height=\"32\"><br>%2")
                .arg(QString::fromLatin1(d.icon), QString::fromLatin1(d.caption)));
        twin->setFixedSize(104, 66);
        twin->hide();
        addHintBackground(twin);
        auto* cell = new QGridLayout;
        cell->addWidget(button, 0, 0);
        cell->addWidget(twin, 0, 0);
        selector->addLayout(cell);
        m_selectors << button;
        m_twins << twin;
        connect(button, &QToolButton::clicked, this, [this, i] { selectSection(i + 1); });
    }
    selector->addStretch();

    QWidget* contents[] = {buildPersonal(), buildAnamnesis(), buildAnalyses(),
                           buildServices(), buildTherapies(), buildFolder()};
    auto* stack = new QGridLayout;
    for (int i = 0; i < sectionCount; ++i) {
        QWidget* corner = nullptr;
        if (i == 3)
            corner = textButton(box, QStringLiteral("btnEsportaPrest"), QStringLiteral("Esporta"));
        else if (i == 4)
            corner = textButton(box, QStringLiteral("btnStampaTerapie"), QStringLiteral("Stampa"));
        QFrame* section = buildSection(i + 1, contents[i], corner);
        section->setParent(box);
        stack->addWidget(section, 0, 0);
        section->setVisible(i == 0);
    }

    navigator()->setParent(box);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(navigator());

    auto* right = new QVBoxLayout;
    right->addLayout(stack, 1);
    right->addLayout(bottom);
    auto* inner = new QHBoxLayout(box);
    inner->setContentsMargins(12, 12, 16, 10);
    inner->setSpacing(14);
    inner->addLayout(selector);
    inner->addLayout(right, 1);

    // Centred, and as tall as the screen allows up to its full height, so that a laptop
    // screen shows it whole without scrolling.
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto* outer = new QGridLayout(background);
    outer->setContentsMargins(12, 8, 12, 8);
    outer->addWidget(box, 1, 1);
    outer->setRowStretch(0, 1);
    outer->setRowStretch(1, 1000);
    outer->setRowStretch(2, 1);
    outer->setColumnStretch(0, 1);
    outer->setColumnStretch(2, 1);
    return background;
}

QFrame* TfrmPazienti::buildSection(int number, QWidget* contents, QWidget* corner) {
    auto* section = named(new QFrame, runName(QStringLiteral("panSezione"), number));
    addHintBackground(section);
    auto* title = named(new QLabel(section), runName(QStringLiteral("lblTitoloSez"), number));
    title->setProperty("title", true);
    m_titles << title;
    auto* head = new QHBoxLayout;
    head->addWidget(title, 1);
    if (corner) {
        corner->setParent(section);
        head->addWidget(corner);
    }
    contents->setParent(section);
    addHintBackground(contents);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addLayout(head);
    layout->addWidget(contents, 1);
    m_sections << section;
    return section;
}

QWidget* TfrmPazienti::buildFieldGrid(const QList<QList<std::pair<const char*, int>>>& rows,
                                      const QStringList& order) {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(1);
    for (int c = 0; c < 12; ++c)
        grid->setColumnStretch(c, 1);
    QHash<QString, QString> captions;
    for (const auto& f : paziente::personalFields() + paziente::anamnesisFields())
        captions.insert(f.field, f.caption);
    const RecordLayout& layout = paziente::layout();

    for (int r = 0; r < rows.size(); ++r) {
        int column = 0;
        for (const auto& [name, span] : rows[r]) {
            const QString field = QString::fromLatin1(name);
            const int capacity = layout.at(layout.indexOf(field)).capacity;
            QWidget* control = nullptr;
            if (field.startsWith(QStringLiteral("Prov"))) {
                auto* picker = named(new QComboBox(panel), editName(field));
                makeProvincePicker(picker);
                control = picker;
            } else {
                auto* edit = named(new QLineEdit(panel), editName(field));
                edit->setMaxLength(capacity);
                control = edit;
            }
            attachFocusFrame(control, QStringLiteral("eff") + field);
            auto* caption = new QLabel(captions.value(field), panel);
            caption->setBuddy(control);
            auto* cell = new QHBoxLayout;
            cell->setSpacing(3);
            cell->addWidget(control, 1);
            for (const SideButton& b : sideButtons) {
                if (field == QLatin1String(b.field))
                    cell->addWidget(makeCommand(QString::fromLatin1(b.button),
                                                QString::fromLatin1(b.icon), QString(), panel));
            }
            if (field == QStringLiteral("Privacy")) {
                auto* privacy = named(new QPushButton(QStringLiteral("Modulo Privacy"), panel),
                                      QStringLiteral("btnPrivacy"));
                privacy->setAutoDefault(false);
                privacy->setFocusPolicy(Qt::NoFocus);
                connect(privacy, &QPushButton::clicked, this, &TfrmPazienti::openPrivacy);
                cell->addSpacing(8);
                cell->addWidget(privacy);
            }
            grid->addWidget(caption, 2 * r, column, 1, span);
            grid->addLayout(cell, 2 * r + 1, column, 1, span);
            column += span;
        }
        grid->setRowMinimumHeight(2 * r + 1, 30);
    }
    grid->setRowStretch(2 * int(rows.size()), 1);

    QList<QWidget*> chain;
    for (const QString& field : order)
        chain << panel->findChild<QWidget*>(editName(field));
    installEnterOrder(chain);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    return panel;
}

QWidget* TfrmPazienti::buildPersonal() {
    QWidget* panel = buildFieldGrid(personalRows, fieldsOf(paziente::personalFields()));
    for (const char* name : {"txtCodFisc", "txtSesso", "txtIban"})
        tidyWhileTyping(panel->findChild<QLineEdit*>(QString::fromLatin1(name)), true);
    auto* email = panel->findChild<QLineEdit*>(QStringLiteral("txtEmail"));
    tidyWhileTyping(email, false);
    connect(email, &QLineEdit::editingFinished, email,
            [email] { email->setText(trimText(email->text())); });
    for (const char* name : {"txtCarta", "txtIva"})
        acceptDigitsOnly(panel->findChild<QLineEdit*>(QString::fromLatin1(name)));
    auto* surname = panel->findChild<QLineEdit*>(QStringLiteral("txtCognome"));
    QFont bold = surname->font();
    bold.setBold(true);
    surname->setFont(bold);
    panel->findChild<QLineEdit*>(QStringLiteral("txtNome"))->setFont(bold);
    return panel;
}

QWidget* TfrmPazienti::buildAnamnesis() {
    QWidget* panel = buildFieldGrid(anamnesisRows, fieldsOf(paziente::anamnesisFields()));
    for (const char* name : {"txtPeso", "txtAltezza", "txtGruppo"})
        panel->findChild<QLineEdit*>(QString::fromLatin1(name))->setAlignment(Qt::AlignCenter);
    return panel;
}

QWidget* TfrmPazienti::buildAnalyses() {
    auto* panel = new QWidget;
    auto* intro = new QLabel(QStringLiteral("Utilizzare i campi di testo per annotare gli esiti "
                                            "delle analisi cliniche più importanti relative al "
                                            "paziente."),
                             panel);
    intro->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(2, 40);
    grid->setColumnStretch(2, 1);
    QList<QWidget*> chain;
    for (int i = 1; i <= paziente::analysisLines; ++i) {
        // Four blocks of eight: 1-8 left, 9-16 right, then 17-24 left and 25-32 right below.
        const int block = (i - 1) / 8;
        const int row = (block / 2) * 9 + (i - 1) % 8;
        const int column = (block % 2) * 3;
        auto* number = new QLabel(QStringLiteral("%1.").arg(i), panel);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = named(new QLineEdit(panel), editName(runName(QStringLiteral("Dente"), i)));
        edit->setMaxLength(250);
        edit->setFixedWidth(275);
        number->setBuddy(edit);
        grid->addWidget(number, row, column);
        grid->addWidget(edit, row, column + 1);
        chain << edit;
    }
    grid->setRowMinimumHeight(8, 12);
    installEnterOrder(chain);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    auto* preview =
        textButton(panel, QStringLiteral("btnAnteprimaDentale"), QStringLiteral("Anteprima"));
    auto* print = textButton(panel, QStringLiteral("btnStampaDentale"), QStringLiteral("Stampa"));
    connect(preview, &QPushButton::clicked, this, [this] {
        TfrmAnteprimaDentale window(m_services, this);
        window.exec();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        TfrmStampaDentale window(m_services, this);
        window.exec();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(preview);
    buttons->addWidget(print);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    return panel;
}

// A page of rows of four columns (services or therapies), rows first to first + rows - 1:
// the column captions, then each row's edits in Tab order.
QWidget* TfrmPazienti::buildRows(const QString& name, int rows, int first, bool services) {
    auto* page = named(new QWidget, name);
    const QList<paziente::RowColumn>& columns =
        services ? paziente::serviceColumns() : paziente::therapyColumns();
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(2, 1);
    const int widths[] = {92, services ? 60 : 92, 0, 96};
    for (int c = 0; c < columns.size(); ++c) {
        auto* caption = new QLabel(columns[c].caption, page);
        caption->setAlignment(c == 3 ? Qt::AlignRight : (c == 2 ? Qt::AlignLeft : Qt::AlignCenter));
        grid->addWidget(caption, 0, c);
    }
    QWidget* previous = nullptr;
    for (int n = first; n < first + rows; ++n) {
        for (int c = 0; c < columns.size(); ++c) {
            auto* edit = named(new QLineEdit(page), editName(runName(columns[c].stem, n)));
            edit->setMaxLength(columns[c].capacity);
            if (widths[c])
                edit->setFixedWidth(widths[c]);
            edit->setAlignment(c == 3 ? Qt::AlignRight
                                      : (c == 2 ? Qt::AlignLeft : Qt::AlignCenter));
            grid->addWidget(edit, n - first + 1, c);
            if (previous)
                setTabOrder(previous, edit);
            previous = edit;
        }
    }
    return page;
}

QWidget* TfrmPazienti::buildServices() {
    auto* panel = new QWidget;
    auto* pages = new QGridLayout;
    for (int p = 1; p <= paziente::servicePages; ++p) {
        QWidget* page =
            buildRows(runName(QStringLiteral("panPrestazioni"), p), paziente::servicePageRows,
                      (p - 1) * paziente::servicePageRows + 1, true);
        page->setParent(panel);
        addHintBackground(page);
        pages->addWidget(page, 0, 0);
        page->setVisible(p == 1);
        m_pages << page;
    }
    auto* note = new QLabel(QStringLiteral("P.S. Indicare la data di ogni prestazione nel formato "
                                           "gg/mm/aaaa e l'ora nel formato hh:mm."),
                            panel);
    note->setProperty("note", true);
    auto* back =
        textButton(panel, QStringLiteral("btnIndietroPrest"), QStringLiteral("<<  Indietro"));
    auto* forward =
        textButton(panel, QStringLiteral("btnAvantiPrest"), QStringLiteral("Avanti  >>"));
    m_pageLabel = named(new QLabel(pageText(1), panel), QStringLiteral("lblPagPrest"));
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_pageLabel->setMinimumWidth(90);
    connect(back, &QPushButton::clicked, this, [this] { stepServicesPage(-1); });
    connect(forward, &QPushButton::clicked, this, [this] { stepServicesPage(+1); });
    auto* turn = new QHBoxLayout;
    turn->addStretch();
    turn->addWidget(back);
    turn->addWidget(m_pageLabel);
    turn->addWidget(forward);
    turn->addStretch();

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addLayout(pages);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(turn);
    return panel;
}

QWidget* TfrmPazienti::buildTherapies() {
    auto* panel = new QWidget;
    QWidget* rows = buildRows(QStringLiteral("panTerapie"), paziente::therapyRows, 1, false);
    rows->setParent(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(rows);
    layout->addStretch();
    return panel;
}

QWidget* TfrmPazienti::buildFolder() {
    auto* panel = new QWidget;
    auto* picture = named(new ClickableLabel(panel), QStringLiteral("icoCartella"));
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/cartella_clinica.svg"), QSize(200, 162)));
    auto* open = named(new QPushButton(QStringLiteral("Apri cartella"), panel),
                       QStringLiteral("btnCartella"));
    open->setAutoDefault(false);
    open->setMinimumWidth(160);
    connect(picture, &ClickableLabel::clicked, this, &TfrmPazienti::openFolder);
    connect(open, &QPushButton::clicked, this, &TfrmPazienti::openFolder);

    const char* steps[] = {
        "1. Salvare la scheda del paziente in archivio.",
        "2. Fare clic su Apri cartella: si apre la cartella riservata al paziente.",
        "3. Copiare o trascinare nella cartella radiografie, referti e altri documenti.",
    };
    auto* instructions = new QVBoxLayout;
    int n = 1;
    for (const char* step : steps) {
        auto* label = named(new QLabel(QString::fromUtf8(step), panel),
                            runName(QStringLiteral("imgIstruzioni"), n++));
        label->setProperty("step", true);
        label->setWordWrap(true);
        addHintBackground(label);
        instructions->addWidget(label);
    }
    auto* decoration = named(new QLabel(panel), QStringLiteral("imgCartellaClinica"));
    decoration->setPixmap(svgPixmap(QStringLiteral(":/images/sez_cartella.svg"), QSize(64, 64)));
    addHintBackground(decoration);

    auto* left = new QVBoxLayout;
    left->addWidget(picture, 0, Qt::AlignHCenter);
    left->addWidget(open, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addLayout(left);
    row->addSpacing(40);
    row->addLayout(instructions, 1);
    row->addStretch();
    auto* layout = new QVBoxLayout(panel);
    layout->addSpacing(30);
    layout->addWidget(decoration, 0, Qt::AlignHCenter);
    layout->addSpacing(20);
    layout->addLayout(row);
    layout->addStretch();
    return panel;
}

void TfrmPazienti::wireChecks() {
    const auto clicked = [this](const char* name, auto action) {
        connect(command(QString::fromLatin1(name)), &QToolButton::clicked, this, action);
    };
    clicked("btnCodFisc", [this] { openTaxCodeCheck(m_services, this, trimmedField("CodFisc")); });
    clicked("btnCalcolaCodFisc", [this] { computeTaxCode(); });
    command(QStringLiteral("btnCalcolaCodFisc"))
        ->setAccessibleName(QStringLiteral("Calcola il codice fiscale"));
    // Picking a town writes its name, and its province where none is chosen yet.
    for (const auto& [field, province, withCeased] :
         {std::tuple{"ComuneNasc", "ProvNasc", true}, std::tuple{"ComuneRes", "ProvRes", false}}) {
        auto* edit = findChild<QLineEdit*>(editName(QString::fromLatin1(field)));
        attachPlaceCompleter(edit, withCeased,
                             [this, field, province](const QString& name, const QString& prov) {
                                 setFieldText(QString::fromLatin1(field), name);
                                 if (trimmedField(province).isEmpty())
                                     setFieldText(QString::fromLatin1(province), prov);
                             });
    }
    clicked("btnIva", [this] {
        TfrmPartitaIva window(m_services, this);
        window.setCode(trimmedField("Iva"));
        window.exec();
    });
    clicked("btnIvaMan", [this] {
        TfrmIban window(m_services, this);
        window.setCode(trimmedField("Iban"));
        window.exec();
    });
    clicked("btnCarta", [this] {
        TfrmCarta window(m_services, this);
        window.setCode(trimmedField("Carta"));
        window.exec();
    });
    clicked("btnEmail", [this] { writeEmail(); });
    connect(findChild<QPushButton*>(QStringLiteral("btnEsportaPrest")), &QPushButton::clicked, this,
            [this] {
                TfrmExpPrestazioni window(m_services, this);
                window.exec();
            });
    connect(findChild<QPushButton*>(QStringLiteral("btnStampaTerapie")), &QPushButton::clicked,
            this, [this] {
                TfrmStampaTerapia window(m_services, this);
                window.exec();
            });
}

QString TfrmPazienti::trimmedField(const char* field) const {
    return trimText(fieldText(QString::fromLatin1(field)));
}

void TfrmPazienti::computeTaxCode() {
    const QString surname = trimmedField("Cognome");
    const QString name = trimmedField("Nome");
    const QString sex = trimmedField("Sesso").toUpper();
    const QDate birth = QDate::fromString(trimmedField("DataNasc"), QStringLiteral("dd/MM/yyyy"));
    const QString place = trimmedField("ComuneNasc");
    const QString province = trimmedField("ProvNasc").toUpper();

    // Every field to fill in or correct, in the order of the card; the focus goes to the first.
    QStringList wrong;
    QString first;
    const auto check = [&](bool ok, const char* field, const char* caption) {
        if (ok)
            return;
        wrong << QString::fromUtf8(caption);
        if (first.isEmpty())
            first = editName(QString::fromLatin1(field));
    };
    check(!checks::codiceFiscaleLetters(surname).isEmpty(), "Cognome", "Cognome");
    check(!checks::codiceFiscaleLetters(name).isEmpty(), "Nome", "Nome");
    check(sex == u"M"_qs || sex == u"F"_qs, "Sesso", "Sesso (M o F)");
    check(birth.isValid() && birth <= m_services.clock().today(), "DataNasc",
          "Data di nascita (gg/mm/aaaa)");
    check(!place.isEmpty(), "ComuneNasc", "Comune di nascita");
    if (!wrong.isEmpty()) {
        m_services.messages().warning(
            this, QStringLiteral("Per calcolare il codice fiscale compila o correggi: ") +
                      wrong.join(QStringLiteral(", ")) + u'.');
        focusControl(first);
        return;
    }

    const checks::PlaceTable& places = checks::PlaceTable::builtIn();
    const bool abroad = province == u"EE"_qs;
    const checks::PlaceLookup where =
        abroad ? places.state(place) : places.town(place, province, birth);
    if (where.kind == checks::PlaceLookup::Kind::NeedsProvince) {
        m_services.messages().warning(
            this, QStringLiteral("Il comune di nascita \"%1\" esiste in più province (%2): indica "
                                 "la provincia di nascita.")
                      .arg(place, where.provinces.join(QStringLiteral(", "))));
        focusControl(editName(QStringLiteral("ProvNasc")));
        return;
    }
    if (where.kind == checks::PlaceLookup::Kind::NotFound) {
        m_services.messages().warning(
            this, abroad
                      ? QStringLiteral("Lo stato di nascita \"%1\" non è stato trovato.").arg(place)
                      : QStringLiteral("Il comune di nascita \"%1\" non è stato trovato tra i "
                                       "comuni italiani alla data di nascita. Per una nascita "
                                       "all'estero indica lo stato e la provincia EE.")
                            .arg(place));
        focusControl(editName(QStringLiteral("ComuneNasc")));
        return;
    }

    const QString computed = checks::computeCodiceFiscale(surname, name, birth, sex[0], where.code);
    const QString typed = trimmedField("CodFisc").toUpper();
    if (typed.isEmpty()) {
        setFieldText(QStringLiteral("CodFisc"), computed);
    } else if (checks::codiceFiscaleBelongs(typed, computed)) {
        m_services.messages().information(
            this, QStringLiteral("Il codice fiscale corrisponde ai dati anagrafici."));
    } else if (m_services.messages().ask(
                   this, QStringLiteral("Il codice fiscale indicato (%1) non corrisponde ai dati "
                                        "anagrafici, da cui risulta %2.\r\n\r\nSostituirlo con "
                                        "il codice calcolato?")
                             .arg(typed, computed)) == Answer::Yes) {
        setFieldText(QStringLiteral("CodFisc"), computed);
    }
}

int TfrmPazienti::section() const {
    for (int i = 0; i < m_sections.size(); ++i) {
        if (!m_sections[i]->isHidden())
            return i + 1;
    }
    return 0;
}

int TfrmPazienti::servicesPage() const {
    for (int p = 1; p <= paziente::servicePages; ++p) {
        if (trimText(m_pageLabel->text()) == pageText(p))
            return p;
    }
    return 0;
}

void TfrmPazienti::selectSection(int number) {
    for (int i = 0; i < sectionCount; ++i) {
        const bool chosen = i + 1 == number;
        m_selectors[i]->setVisible(!chosen);
        m_twins[i]->setVisible(chosen);
        m_sections[i]->setVisible(chosen);
    }
    if (number == 4)
        showServicesPage(1);
    focusControl(QString::fromLatin1(sectionDefs[number - 1].focus));
}

void TfrmPazienti::showServicesPage(int page) {
    for (int p = 1; p <= m_pages.size(); ++p)
        m_pages[p - 1]->setVisible(p == page);
    m_pageLabel->setText(pageText(page));
}

void TfrmPazienti::stepServicesPage(int step) {
    const int page = servicesPage() + step;
    if (servicesPage() > 0 && page >= 1 && page <= paziente::servicePages)
        showServicesPage(page);
}

void TfrmPazienti::showView(const QString& view) {
    if (view == personalView)
        selectSection(1);
    else if (view == firstPageView)
        showServicesPage(1);
}

void TfrmPazienti::updateTitles() {
    const QString name = trimText(fieldText(QStringLiteral("Cognome"))) + u' ' +
                         trimText(fieldText(QStringLiteral("Nome")));
    for (int i = 0; i < sectionCount; ++i)
        m_titles[i]->setText(QString::fromLatin1(sectionDefs[i].title) + QStringLiteral(" - ") +
                             name);
}

void TfrmPazienti::setBareTitles() {
    for (int i = 0; i < sectionCount; ++i)
        m_titles[i]->setText(QString::fromLatin1(sectionDefs[i].title));
}

void TfrmPazienti::clearExtras() {
    for (const char* name : {"txtProvNasc", "txtProvRes"})
        findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(-1);
    setBareTitles();
}

void TfrmPazienti::showing() {
    setFieldText(QStringLiteral("Privacy"),
                 settings::read(m_services.programFolder(), settings::privacyTitolare));
}

void TfrmPazienti::leaving() {
    if (!settings::write(m_services.programFolder(), settings::privacyTitolare,
                         fieldText(QStringLiteral("Privacy"))))
        m_services.messages().warning(this,
                                      settings::writeFailedMessage(settings::privacyTitolare));
}

void TfrmPazienti::openFolder() {
    const QString position = trimText(positionText());
    if (position.isEmpty()) {
        m_services.messages().warning(this, folderWarning);
        return;
    }
    const QString path = m_services.path(QStringLiteral("Paziente_") + position);
    // A folder that cannot be made is the shell's to report when it is asked to open it.
    if (!files::makeFolder(path))
        qWarning("cannot create the clinical folder %s", qUtf8Printable(path));
    m_services.shell().open(u'"' + path + u'"');
}

void TfrmPazienti::writeEmail() {
    m_services.shell().open(QStringLiteral("\"mailto:") +
                            trimText(fieldText(QStringLiteral("Email"))) + u'"');
}

void TfrmPazienti::openPrivacy() {
    TfrmPrivacy window(m_services, this);
    const auto fill = [&window](const QString& name, const QString& text) {
        if (auto* control = window.findChild<QWidget*>(name))
            textBinding(control).show(text);
        else
            qWarning("TfrmPrivacy: no control %s", qUtf8Printable(name));
    };
    for (const PrivacyValue& v : privacyValues) {
        QStringList parts;
        for (const char* field : v.fields)
            parts << trimText(fieldText(QString::fromLatin1(field)));
        fill(QString::fromLatin1(v.control), trimText(parts.join(u' ')));
    }
    fill(QStringLiteral("txtData"),
         m_services.clock().today().toString(QString::fromLatin1(dateFormat)));
    window.exec();
}

void TfrmPazienti::printCard(DocumentOutput output) {
    printDocument(
        m_services, this, report::templates::schedaPaziente,
        [this](report::ReportTemplate& form) {
            form.memo(QStringLiteral("txtTitolo"))
                .setText(QStringLiteral("SCHEDA ANAGRAFICA PAZIENTE"));
            int n = 1;
            for (const paziente::PrintRow& row : paziente::printRows()) {
                QString value;
                for (const auto& [leading, field] : row.parts)
                    value += leading + trimText(fieldText(field));
                form.memo(runName(QStringLiteral("titCampo"), n)).setText(row.caption);
                form.memo(runName(QStringLiteral("txtCampo"), n)).setText(value);
                ++n;
            }
        },
        output);
}

void TfrmPazienti::showSearch() {
    TfrmTrovaPazienti window(m_services, this);
    window.setTag(QStringLiteral("pazienti"));
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

} // namespace tarvola
