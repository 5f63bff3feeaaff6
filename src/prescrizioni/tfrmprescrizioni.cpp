#include "prescrizioni/tfrmprescrizioni.h"

#include "archive/archivefile.h"
#include "archive/settings.h"
#include "archive/tfrmlogo.h"
#include "checks/verifica.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "help/tfrmguida.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "prescrizioni/prescrizionerecord.h"
#include "prescrizioni/tfrmanteprimapresc.h"
#include "prescrizioni/tfrmexpprescrizioni.h"
#include "prescrizioni/tfrmnumerazione.h"
#include "prescrizioni/tfrmstampapresc.h"
#include "prescrizioni/tfrmtrovaprescrizioni.h"
#include "ricette/boxkeys.h"

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

constexpr int lineCount = 7;
const QString yearCaption = QStringLiteral(" Tarvola 3.0 - Archivio prescrizioni anno ");
const QString importDrugHint = QStringLiteral("Importa i dati dall'Archivio Farmaci.");
const QString checkHint = QStringLiteral("Controlla il codice fiscale.");

// The practice keys of Velmora.ini and the fields they fill.
struct Remembered {
    const char* field;
    const SettingKey& key;
};

const Remembered remembered[] = {
    {"StudioMedico", settings::denominazione},
    {"IntRigo02", settings::rigo2},
    {"IntRigo03", settings::rigo3},
    {"IntRigo04", settings::rigo4},
    {"Luogo", settings::luogo},
    {"Medico", settings::medico},
    {"CodFiscMed", settings::codiceMedico},
};

// The form in sections of rows; a row holds one field across the width or two side by side.
struct Section {
    const char* title;
    QList<QList<const char*>> rows;
};

const QList<Section>& sections() {
    static const QList<Section> list{
        {"Intestazione e dati della prescrizione",
         {{"StudioMedico", "NumFatt"},
          {"IntRigo02", "Data"},
          {"IntRigo03", "Luogo"},
          {"IntRigo04", "Medico"},
          {"", "CodFiscMed"}}},
        {"Richiesta", {{"Tipologia"}, {"Priorita"}, {"Quesito"}}},
        {"Dati paziente",
         {{"Paziente", "Sesso"},
          {"DataNasc", "CodFisc"},
          {"Recapito", "Tessera"},
          {"Asl", "Esenzione"},
          {"Indirizzo"}}},
    };
    return list;
}

const QString formStyle = QStringLiteral(
    "#panScheda { background: #ffffff; border: 1px solid #c9d6ea; border-radius: 8px; }"
    "#panScheda QLabel { color: #26364f; }"
    "#panScheda QLabel[section=\"true\"] { color: #1d5f9e; font-weight: bold;"
    " border-bottom: 1px solid #d5e1f0; padding-bottom: 2px; }"
    "#panScheda QLabel[column=\"true\"] { color: #1d3f66; font-weight: bold;"
    " background: #f0f8ff; border: 1px solid #c9d6ea; padding: 2px; }"
    "#panScheda QLineEdit { background: #f7faff; border: 1px solid #b9cbe6; border-radius: 3px;"
    " padding: 3px 5px; }"
    "#panScheda QLineEdit:focus { background: #fffde8; border: 1px solid #d89a20; }");

// The seven lines are named by their number and column; the other fields by their captions.
QString prescriptionFieldLabel(const QString& field) {
    const std::pair<const char*, const char*> columns[] = {
        {"Presc", "Prescrizione"}, {"Quant", "Q.tà"}, {"Nota", "Nota"}};
    for (const auto& [stem, column] : columns) {
        if (const int n = runNumber(field, QString::fromLatin1(stem)))
            return QStringLiteral("Riga %1 - %2").arg(n).arg(QString::fromUtf8(column));
    }
    return {};
}

EditorSetup prescrizioniSetup() {
    EditorSetup setup;
    setup.fieldLabel = prescriptionFieldLabel;
    setup.layout = &prescrizione::layout();
    setup.archivePathLabel = QStringLiteral("lblFile");
    setup.attachmentTag = QStringLiteral("prescrizioni");
    setup.firstField = QStringLiteral("txtTipologia");
    setup.duplicateFocus = QStringLiteral("txtNumFatt");
    const auto required = [&setup](const char* field, const char* warning) {
        const QString name = QString::fromLatin1(field);
        setup.required.append({{name}, QStringLiteral("txt") + name, QString::fromUtf8(warning)});
    };
    required("StudioMedico", "Attenzione: per salvare la prescrizione è necessario indicare la "
                             "denominazione dello Studio Medico.");
    required("NumFatt", "Attenzione: per salvare la scheda è necessario indicare il numero "
                        "progressivo della prescrizione.");
    required("Data", "Attenzione: per salvare la scheda è necessario indicare la data di "
                     "emissione della prescrizione.");
    required("Tipologia", "Attenzione: per salvare la scheda è necessario indicare la tipologia "
                          "di prescrizione.");
    required("Paziente", "Attenzione: per salvare la prescrizione è necessario indicare il nome "
                         "del paziente.");
    required("CodFisc", "Attenzione: per salvare la prescrizione è necessario indicare il codice "
                        "fiscale del paziente.");
    setup.required.append({{QStringLiteral("Data")},
                           QStringLiteral("txtData"),
                           QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer "
                                          "poter salvare la scheda è necessario indicare una data "
                                          "valida nel formato gg/mm/anno."),
                           &prescrizione::isRealDate});
    setup.keptOnClear = prescrizione::headerFields();
    setup.emptiedOnDuplicate = runNames(QStringLiteral("File"), 3) +
                               runNames(QStringLiteral("Desc"), 3) +
                               QStringList{QStringLiteral("NumFatt")};
    // A duplicate is made on screen only; the save that follows opens the archive.
    setup.duplicateOpensArchive = false;
    setup.commonTexts(QStringLiteral("prescrizione"), QStringLiteral("prescrizioni"));
    setup.hint("cmdNuovo", "Prepara la schermata per l'emissione di una nuova prescrizione.");
    setup.hint("cmdDuplica", "Prepara la schermata per l'emissione di una nuova prescrizione "
                             "duplicando i dati correnti.");
    setup.hint("cmdSalva", "Salva la prescrizione corrente in archivio.");
    setup.hint("cmdTrova", "Trova una prescrizione in archivio.");
    setup.hint("cmdAnteprima", "Visualizza l'anteprima di stampa della prescrizione corrente.");
    setup.hint("cmdStampa", "Stampa la prescrizione corrente.");
    setup.hint("cmdFile", "Allega file alla prescrizione corrente.");
    setup.hint("cmdNumerazione",
               "Imposta il numero iniziale per la numerazione delle prescrizioni.");
    setup.hint("btnLogo", "Carica il logo dello Studio Medico.");
    setup.hint("impData", "Inserisci la data corrente.");
    setup.hint("impPaziente", "Importa i dati dall'archivio dei pazienti.");
    for (int i = 1; i <= lineCount; ++i)
        setup.hints.append({runName(QStringLiteral("impFarmaci"), i), importDrugHint});
    setup.hints.append({QStringLiteral("btnCodFisc"), checkHint});
    setup.hints.append({QStringLiteral("btnCodFiscMed"), checkHint});
    return setup;
}

QLabel* hiddenLabel(QWidget* parent, const QString& name) {
    auto* label = named(new QLabel(parent), name);
    label->hide();
    return label;
}

} // namespace

TfrmPrescrizioni::TfrmPrescrizioni(Services& services, QWidget* parent)
    : RecordEditor(services, prescrizioniSetup(), parent) {
    setObjectName(QStringLiteral("TfrmPrescrizioni"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Prescrizioni"));
    resize(1180, 860);
    setWindowState(Qt::WindowMaximized);

    auto* numbering =
        makeCommand(QStringLiteral("cmdNumerazione"), QStringLiteral("nuovo"), QStringLiteral("N"));
    auto* preview = makeCommand(QStringLiteral("cmdAnteprima"), QStringLiteral("pdf"),
                                QStringLiteral("Anteprima"));
    setArchiveToolbar(numbering, preview);

    // What the year window and the numbering leave here, never shown.
    for (const char* name : {"lblFile", "lblInizio", "lblSolare"})
        hiddenLabel(this, QString::fromLatin1(name));

    auto* scroller = new QScrollArea(this);
    scroller->setWidget(buildForm());
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setStyleSheet(QStringLiteral("QScrollArea, #panSfondo { background: #eef3fb; }"));
    setForm(scroller);
    addHintBackground(scroller->viewport());

    installEnterOrder(m_order);
    for (qsizetype i = 1; i < m_order.size(); ++i)
        setTabOrder(m_order[i - 1], m_order[i]);

    connect(command(QStringLiteral("cmdTrova")), &QToolButton::clicked, this,
            &TfrmPrescrizioni::showSearch);
    connect(numbering, &QToolButton::clicked, this, &TfrmPrescrizioni::showNumbering);
    connect(command(QStringLiteral("cmdStampa")), &QToolButton::clicked, this, [this] {
        TfrmStampaPresc window(m_services, this);
        window.exec();
    });
    connect(preview, &QToolButton::clicked, this, [this] {
        TfrmAnteprimaPresc window(m_services, this);
        window.exec();
    });
    connect(command(QStringLiteral("cmdEsporta")), &QToolButton::clicked, this, [this] {
        TfrmExpPrescrizioni window(m_services, this);
        window.setArchive(archivePath());
        window.exec();
    });
    connect(command(QStringLiteral("cmdGuida")), &QToolButton::clicked, this,
            [this] { openHelp(m_services, this, help::TopicId::Prescrizioni); });
    bindFields();
}

QLineEdit* TfrmPrescrizioni::addEdit(QWidget* parent, QGridLayout* grid, const QString& field,
                                     int row, int column, int span) {
    const RecordLayout& layout = prescrizione::layout();
    QString caption;
    for (const prescrizione::FormField& f : prescrizione::formFields()) {
        if (f.field == field)
            caption = f.caption;
    }
    auto* edit = named(new QLineEdit(parent), QStringLiteral("txt") + field);
    edit->setMaxLength(layout.at(layout.indexOf(field)).capacity);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    attachFocusFrame(edit, QStringLiteral("eff") + field);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
    return edit;
}

QWidget* TfrmPrescrizioni::buildForm() {
    auto* background = named(new QWidget, QStringLiteral("panSfondo"));
    auto* card = named(new QFrame(background), QStringLiteral("panScheda"));
    card->setStyleSheet(formStyle);
    card->setMaximumWidth(1180);
    card->setMinimumWidth(980);
    addHintBackground(background);
    addHintBackground(card);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    // caption, edit, button | gap | caption, edit, button
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(5, 2);
    grid->setColumnMinimumWidth(3, 16);

    QHash<QString, QLineEdit*> edits;
    int row = 0;
    for (const Section& section : sections()) {
        auto* title = new QLabel(QString::fromUtf8(section.title), card);
        title->setProperty("section", true);
        grid->addWidget(title, row++, 0, 1, 7);
        for (const QList<const char*>& fields : section.rows) {
            for (int i = 0; i < fields.size(); ++i) {
                const QString field = QString::fromLatin1(fields[i]);
                if (field.isEmpty())
                    continue;
                const bool alone = fields.size() == 1;
                edits.insert(field, addEdit(card, grid, field, row, 4 * i, alone ? 5 : 1));
            }
            ++row;
        }
        grid->setRowMinimumHeight(row++, 4);
    }
    // Keyboard order: the record's order of the fields, then the lines.
    for (const prescrizione::FormField& f : prescrizione::formFields())
        m_order << edits.value(f.field);

    QLineEdit* number = edits.value(QStringLiteral("NumFatt"));
    number->setAlignment(Qt::AlignCenter);
    QFont bold = number->font();
    bold.setBold(true);
    number->setFont(bold);
    for (const char* field : {"CodFisc", "CodFiscMed", "Sesso"})
        keepTrimmedUpper(edits.value(QString::fromLatin1(field)));

    // The buttons beside their edits: in the column after the edit.
    const auto place = [&](QWidget* button, const QString& field) {
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(edits.value(field)), &r, &c, &rs, &cs);
        grid->addWidget(button, r, c + cs);
    };
    auto* date = makeCommand(QStringLiteral("impData"), QStringLiteral("importa"), QString(), card);
    place(date, QStringLiteral("Data"));
    connect(date, &QToolButton::clicked, this,
            [this] { setFieldText(QStringLiteral("Data"), today()); });
    auto* patient =
        makeCommand(QStringLiteral("impPaziente"), QStringLiteral("importa"), QString(), card);
    place(patient, QStringLiteral("Paziente"));
    connect(patient, &QToolButton::clicked, this, &TfrmPrescrizioni::importPatient);
    for (const char* field : {"CodFisc", "CodFiscMed"}) {
        const QString name = QString::fromLatin1(field);
        auto* check =
            makeCommand(QStringLiteral("btn") + name, QStringLiteral("verifica"), QString(), card);
        place(check, name);
        connect(check, &QToolButton::clicked, this,
                [this, name] { openTaxCodeCheck(m_services, this, fieldText(name)); });
    }
    auto* logo = named(new QPushButton(QStringLiteral("Logo"), card), QStringLiteral("btnLogo"));
    logo->setFocusPolicy(Qt::NoFocus);
    logo->setIcon(QIcon(QStringLiteral(":/images/caduceo.svg")));
    logo->setIconSize(QSize(20, 20));
    {
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(edits.value(QStringLiteral("CodFiscMed"))), &r, &c, &rs,
                              &cs);
        grid->addWidget(logo, r, 1, Qt::AlignLeft);
    }
    connect(logo, &QPushButton::clicked, this, [this] {
        TfrmLogo window(m_services, this);
        window.exec();
    });

    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(6);
    lines->setVerticalSpacing(6);
    addLines(card, lines, 0);

    navigator()->setParent(card);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(navigator());

    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 16, 24, 16);
    cardLayout->addLayout(grid);
    cardLayout->addLayout(lines);
    cardLayout->addSpacing(6);
    cardLayout->addLayout(bottom);

    auto* outer = new QHBoxLayout(background);
    outer->setContentsMargins(18, 16, 18, 16);
    outer->addWidget(card, 0, Qt::AlignTop | Qt::AlignHCenter);
    return background;
}

void TfrmPrescrizioni::addLines(QWidget* parent, QGridLayout* grid, int row) {
    const RecordLayout& layout = prescrizione::layout();
    const char* heads[] = {"PRESCRIZIONE", "", "Q.TA'", "NOTA"};
    for (int c = 0; c < 4; ++c) {
        if (!*heads[c])
            continue;
        auto* head = new QLabel(QString::fromLatin1(heads[c]), parent);
        head->setProperty("column", true);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, row, c);
    }
    grid->setColumnStretch(0, 6);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 3);
    for (int i = 1; i <= lineCount; ++i) {
        const int r = row + i;
        int column = 0;
        for (const QString& stem :
             {QStringLiteral("Presc"), QStringLiteral("Quant"), QStringLiteral("Nota")}) {
            const QString field = runName(stem, i);
            auto* edit = named(new QLineEdit(parent), QStringLiteral("txt") + field);
            edit->setMaxLength(layout.at(layout.indexOf(field)).capacity);
            attachFocusFrame(edit, QStringLiteral("eff") + field);
            if (stem == QStringLiteral("Quant"))
                edit->setAlignment(Qt::AlignCenter);
            grid->addWidget(edit, r, column);
            m_order << edit;
            column += column == 0 ? 2 : 1;
        }
        // The drug search writes the chosen name into the line its tag names, this one.
        auto* import = named(new QToolButton(parent), runName(QStringLiteral("impFarmaci"), i));
        import->setText(QStringLiteral("<<"));
        import->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(import, r, 1);
        connect(import, &QToolButton::clicked, this, [this, i] { importDrug(i); });
    }
}

void TfrmPrescrizioni::openYear(const QString& archivePath, const QString& year) {
    findChild<QLabel*>(QStringLiteral("lblFile"))->setText(archivePath);
    setWindowTitle(yearCaption + year);
}

QString TfrmPrescrizioni::today() const {
    return m_services.clock().today().toString(QString::fromLatin1(dateFormat));
}

void TfrmPrescrizioni::newCard() {
    const QString folder = m_services.programFolder();
    const QString start = settings::read(folder, settings::inizioNumerazione);
    const QString flag = settings::read(folder, settings::annoSolare);
    findChild<QLabel*>(QStringLiteral("lblInizio"))
        ->setText(trimText(start).isEmpty() ? QStringLiteral("1") : start);
    findChild<QLabel*>(QStringLiteral("lblSolare"))->setText(flag);
    std::optional<QString> number;
    try {
        ArchiveFile file(archivePath(), prescrizione::layout());
        const qint64 stored = file.count();
        file.close();
        number = prescrizione::nextNumber(start, flag, stored, m_services.clock().today());
        if (!number)
            throw ArchiveError("the numbering start value is not a whole number");
    } catch (const ArchiveError& error) {
        qWarning("%s", error.what());
        m_services.messages().error(this, archiveAccessMessage());
        return;
    }
    RecordEditor::newCard();
    setFieldText(QStringLiteral("NumFatt"), *number);
    setFieldText(QStringLiteral("Data"), today());
    focusControl(QStringLiteral("txtTipologia"));
}

void TfrmPrescrizioni::duplicateResets() {
    setFieldText(QStringLiteral("Data"), today());
}

void TfrmPrescrizioni::showing() {
    const QString folder = m_services.programFolder();
    for (const Remembered& r : remembered)
        setFieldText(QString::fromLatin1(r.field), settings::read(folder, r.key));
}

void TfrmPrescrizioni::leaving() {
    // The header on screen, the stored one of a prescription browsed to included, is what
    // the editor shows at its next opening.
    const QString folder = m_services.programFolder();
    for (const Remembered& r : remembered) {
        if (!settings::write(folder, r.key, trimText(fieldText(QString::fromLatin1(r.field))))) {
            m_services.messages().warning(this, settings::writeFailedMessage(r.key));
            return;
        }
    }
}

void TfrmPrescrizioni::showSearch() {
    TfrmTrovaPrescrizioni window(m_services, this);
    window.setTag(QStringLiteral("prescrizioni"));
    window.setArchive(archivePath());
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

void TfrmPrescrizioni::showNumbering() {
    TfrmNumerazione window(m_services, this);
    window.setTag(QStringLiteral("prescrizioni"));
    window.setWindowTitle(QStringLiteral(" Impostazione inizio numerazione prescrizioni"));
    window.exec();
}

void TfrmPrescrizioni::importDrug(int line) {
    TfrmTrovaFarmaci search(m_services, this);
    search.setTag(runName(QStringLiteral("presc"), line));
    search.setImportTarget(farmaco::LineImport::Editor::Prescrizione,
                           [this](int target, const QString& name) {
                               setFieldText(runName(QStringLiteral("Presc"), target), name);
                           });
    search.exec();
}

void TfrmPrescrizioni::importPatient() {
    // The patient search writes the chosen patient's values into the controls it names.
    TfrmTrovaPazienti search(m_services, this);
    search.setTag(QStringLiteral("prescrizioni"));
    search.setImportTarget(paziente::ImportEditor::Prescrizione,
                           [this](const QString& control, const QString& value) {
                               setFieldText(control.mid(3), value);
                           });
    search.exec();
}

} // namespace tarvola
