#include "ricette/tfrmricette.h"

#include "archive/settings.h"
#include "checks/verifica.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "help/tfrmguida.h"
#include "pazienti/tfrmtrovapazienti.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "ricette/boxkeys.h"
#include "ricette/ricettapaper.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmselezionate.h"
#include "ricette/tfrmstamparicetta.h"
#include "ricette/tfrmtrovaricette.h"
#include "ricette/toggle.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>

namespace tarvola {

namespace {

const QString importPatient = QStringLiteral("Importa i dati dall'archivio dei pazienti.");
const QString importDrug = QStringLiteral("Importa i dati dall'archivio dei farmaci.");

// Where the boxes sit on the paper, in millimetres: rows of one-character boxes 4 wide and
// 4.4 tall, numbered from first.
struct BoxRow {
    const char* stem;
    int first;
    qreal top;
    QList<qreal> lefts;
};

const QList<BoxRow>& boxRowsBefore() {
    static const QList<BoxRow> rows{
        {"Ese", 1, 40.0, {19.0, 24.8, 30.6, 36.4, 41.8, 47.2}},
        {"Prov", 1, 40.0, {112.0, 117.0}},
        {"Asl", 1, 40.0, {123.0, 128.0, 133.4}},
        {"Num", 1, 40.0, {149.0, 154.0, 160.0, 166.0, 171.0, 176.0, 181.0, 186.0}},
    };
    return rows;
}

const QList<BoxRow>& boxRowsAfter() {
    static const QList<BoxRow> rows{
        {"Cuf", 1, 52.0, {140.4, 146.6, 152.2}},
        {"Cuf", 4, 60.0, {140.4, 146.6, 152.2}},
        {"Conf", 1, 87.0, {18.8, 24.4, 30.0}},
        {"TipoRic", 1, 87.0, {63.6, 69.2}},
        {"Data", 1, 87.4, {102.8, 108.6, 114.4, 120.4, 126.2, 131.2}},
    };
    return rows;
}

struct TogglePlace {
    const char* stem;
    qreal left, top;
};

constexpr TogglePlace togglePlaces[] = {
    {"NonEsente", 9.0, 40.0}, {"Reddito", 56.0, 40.0}, {"Sugg", 163.4, 51.4},
    {"Ricov", 175.8, 51.4},   {"Altro", 187.4, 51.4},  {"U", 163.4, 60.0},
    {"B", 171.4, 60.0},       {"D", 179.6, 60.0},      {"P", 187.4, 60.0},
};

// The codice fiscale's sixteen boxes, from the left edge of the first.
const QList<qreal> codeBoxes{0, 5, 10, 16, 21, 26.4, 32, 37, 42, 47, 53, 59, 64, 69, 74, 79};

constexpr qreal boxWidth = 4.0;
constexpr qreal boxHeight = 4.4;
constexpr qreal lineFont = 2.7;
constexpr qreal boxFont = 3.0;

const QString formStyle =
    QStringLiteral("QLineEdit { background: #f3f8ff; border: 1px solid #a8c8ee; border-radius: 0;"
                   " padding: 0 2px; color: #101010; selection-background-color: #8ab4f0; }"
                   "QLineEdit[paperBox=\"true\"] { padding: 0; }"
                   "QLineEdit:focus { background: #fff36a; border: 1px solid #d8b000; }"
                   "QToolButton { border: none; background: transparent; }"
                   "QCheckBox { color: #8a0c20; font-weight: bold; }");

QList<QString> drugLines() {
    return runNames(QStringLiteral("Presc"), 9);
}

// The red form's fields are named by the printed captions of their groups; the boxes of one
// group (and its hidden summary) share the caption, the lines of a group add their number.
QString redFormFieldLabel(const QString& field) {
    struct Group {
        const char* stem;
        const char* caption;
        bool numbered;
    };
    static const Group groups[] = {
        {"Ese", "CODICE ESENZIONE", false},
        {"Prov", "SIGLA PROV.", false},
        {"Asl", "CODICE ASL", false},
        {"Num", "NUMERO (caselle sotto SIGLA PROV. e CODICE ASL)", false},
        {"Presc", "PRESCRIZIONE", true},
        {"Cuf", "NOTA CUF", false},
        {"Conf", "N. CONFEZIONI", false},
        {"TipoRic", "TIPO RICETTA", false},
        {"Data", "DATA", false},
        {"Medico", "DATI MEDICO PRESCRIVENTE", true},
    };
    for (const Group& g : groups) {
        const QString stem = QString::fromLatin1(g.stem);
        const QString caption = QString::fromLatin1(g.caption);
        if (field == stem)
            return caption;
        if (const int n = runNumber(field, stem))
            return g.numbered ? QStringLiteral("%1 %2").arg(caption).arg(n) : caption;
    }
    static const std::pair<const char*, const char*> single[] = {
        {"Assistito", "COGNOME E NOME DELL'ASSISTITO (O INIZIALI)"},
        {"Indirizzo", "INDIRIZZO"},
        {"CodFisc", "CODICE FISCALE"},
        {"NonEsente", "NON ESENTE"},
        {"Reddito", "REDDITO"},
        {"Sugg", "SUGG."},
        {"Ricov", "RICOV."},
        {"Altro", "ALTRO"},
        {"U", "PRIORITA' DELLA PRESTAZIONE U"},
        {"B", "PRIORITA' DELLA PRESTAZIONE B"},
        {"D", "PRIORITA' DELLA PRESTAZIONE D"},
        {"P", "PRIORITA' DELLA PRESTAZIONE P"},
    };
    for (const auto& [name, caption] : single) {
        if (field == QLatin1String(name))
            return QString::fromLatin1(caption);
    }
    return {};
}

EditorSetup ricetteSetup() {
    EditorSetup setup;
    setup.fieldLabel = redFormFieldLabel;
    setup.derivedFields = ricetta::summaryFields();
    setup.derive = ricetta::computeSummaries;
    setup.layout = &ricetta::layout();
    setup.archiveName = QString::fromLatin1(ricetta::archiveName);
    setup.attachmentTag = QStringLiteral("ricetta");
    setup.firstField = QStringLiteral("txtAssistito");
    setup.required = {
        {{QStringLiteral("Assistito")},
         QStringLiteral("txtAssistito"),
         QStringLiteral("Attenzione: per salvare la ricetta è necessario indicare il nome "
                        "dell'assistito.")},
        {{QStringLiteral("Presc01")},
         QStringLiteral("txtPresc01"),
         QStringLiteral("Attenzione: per salvare la ricetta è necessario indicare il nome del "
                        "farmaco prescritto.")},
        {runNames(QStringLiteral("Data"), 6), QStringLiteral("txtData01"),
         QStringLiteral("Attenzione: per salvare la ricetta è necessario indicare la data "
                        "della prescrizione.")},
    };
    setup.keptOnClear = runNames(QStringLiteral("Medico"), 4);
    setup.emptiedOnDuplicate = runNames(QStringLiteral("File"), 3) +
                               runNames(QStringLiteral("Desc"), 3) +
                               QStringList{QStringLiteral("Completata")};
    setup.commonTexts(QStringLiteral("ricetta"), QStringLiteral("ricette"));
    setup.hint("cmdNuovo", "Prepara la schermata per la registrazione di una nuova ricetta.");
    setup.hint("cmdDuplica", "Prepara la schermata per la registrazione di una nuova ricetta "
                             "duplicando i dati correnti.");
    setup.hint("cmdSalva", "Salva la ricetta corrente in archivio.");
    setup.hint("cmdTrova", "Trova una ricetta in archivio.");
    setup.hint("cmdFile", "Allega file alla ricetta corrente.");
    setup.hint("cmdStampa", "Stampa la ricetta corrente.");
    setup.hint("cmdIncompleti", "Visualizza l'elenco delle ricette da completare.");
    setup.hints.append({QStringLiteral("impPaziente"), importPatient});
    for (const QString& line : drugLines())
        setup.hints.append({QStringLiteral("imp") + line, importDrug});
    setup.hint("btnCodFisc", "Controlla il codice fiscale.");
    setup.hint("chkCompletata", "Spunta questa casella per indicare che la compilazione della "
                                "ricetta è stata completata.");
    return setup;
}

} // namespace

TfrmRicette::TfrmRicette(Services& services, QWidget* parent)
    : RecordEditor(services, ricetteSetup(), parent) {
    setObjectName(QStringLiteral("TfrmRicette"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Ricette Mediche Rosse"));
    resize(1240, 860);
    setWindowState(Qt::WindowMaximized);

    auto* open = makeCommand(QStringLiteral("cmdIncompleti"), QStringLiteral("incompleti"),
                             QStringLiteral("Da completare"));
    setArchiveToolbar(open);
    auto* help = command(QStringLiteral("cmdGuida"));
    auto* find = command(QStringLiteral("cmdTrova"));
    auto* print = command(QStringLiteral("cmdStampa"));
    auto* exportButton = command(QStringLiteral("cmdEsporta"));

    auto* paper = new RicettaPaper;
    paper->setStyleSheet(formStyle);
    buildForm(paper);
    auto* scroller = new QScrollArea(this);
    scroller->setWidget(paper);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    setForm(scroller);
    addHintBackground(paper);
    addHintBackground(scroller->viewport());

    // The summary fields travel with the card but are never shown.
    for (const QString& field : ricetta::summaryFields())
        named(new QLabel(this), QStringLiteral("lbl") + field)->hide();

    installEnterOrder(m_order);
    for (QLineEdit* box : std::as_const(m_boxes))
        installBoxKeys(box, m_order);
    for (qsizetype i = 1; i < m_order.size(); ++i)
        setTabOrder(m_order[i - 1], m_order[i]);

    connect(help, &QToolButton::clicked, this, &TfrmRicette::showHelp);
    connect(find, &QToolButton::clicked, this, &TfrmRicette::showSearch);
    connect(open, &QToolButton::clicked, this, &TfrmRicette::showOpenList);
    connect(exportButton, &QToolButton::clicked, this, [this] {
        TfrmExpRicette window(m_services, this);
        window.exec();
    });
    connect(print, &QToolButton::clicked, this, [this] {
        TfrmStampaRicetta window(m_services, this);
        window.exec();
    });
    bindFields();
}

void TfrmRicette::buildForm(RicettaPaper* paper) {
    addLine(paper, QStringLiteral("txtAssistito"), {8, 5.2, 80, 4.4}, 50, lineFont);
    addLine(paper, QStringLiteral("txtIndirizzo"), {8, 13, 80, 4.4}, 120, lineFont);
    auto* code = new CodeBoxesEdit(paper);
    code->setObjectName(QStringLiteral("txtCodFisc"));
    code->setMaxLength(16);
    code->setBoxes(codeBoxes, boxWidth);
    keepTrimmedUpper(code);
    paper->place(code, {107, 30.8, 83, 4.4}, RicettaPaper::Kind::Code);
    m_order << code;

    for (const BoxRow& row : boxRowsBefore()) {
        for (int i = 0; i < row.lefts.size(); ++i)
            addBox(paper,
                   QStringLiteral("txt") + runName(QString::fromLatin1(row.stem), row.first + i),
                   {row.lefts[i], row.top, boxWidth, boxHeight});
    }

    // Prescription lines 1 to 8 in two columns, odd lines left; line 9 full width. The
    // import button of each line sits at its right end.
    const qreal tops[] = {51, 57, 64, 71};
    for (int n = 1; n <= 9; ++n) {
        const QRectF mm =
            n == 9 ? QRectF(9, 78, 126, 4.4) : QRectF(n % 2 ? 9 : 75, tops[(n - 1) / 2], 60, 4.4);
        const QString line = runName(QStringLiteral("Presc"), n);
        addLine(paper, QStringLiteral("txt") + line, mm, n == 9 ? 120 : 50, lineFont);
        auto* import =
            makeCommand(QStringLiteral("imp") + line, QStringLiteral("importa"), QString(), paper);
        paper->place(import, {mm.right() + 0.4, mm.top() + 0.4, 3.4, 3.6},
                     RicettaPaper::Kind::Button);
        // The drug search writes the chosen name into the line its tag names, this one.
        connect(import, &QToolButton::clicked, this, [this, n] {
            TfrmTrovaFarmaci search(m_services, this);
            search.setTag(runName(QStringLiteral("presc_"), n));
            search.setImportTarget(farmaco::LineImport::Editor::RicettaRossa,
                                   [this](int target, const QString& name) {
                                       setFieldText(runName(QStringLiteral("Presc"), target), name);
                                   });
            search.exec();
        });
    }

    for (const BoxRow& row : boxRowsAfter()) {
        for (int i = 0; i < row.lefts.size(); ++i)
            addBox(paper,
                   QStringLiteral("txt") + runName(QString::fromLatin1(row.stem), row.first + i),
                   {row.lefts[i], row.top, boxWidth, boxHeight});
    }
    for (int n = 1; n <= 4; ++n)
        addLine(paper, QStringLiteral("txt") + runName(QStringLiteral("Medico"), n),
                {142, 70 + 3.8 * (n - 1), 48, 3.6}, 50, 2.3);

    for (const TogglePlace& t : togglePlaces)
        addToggle(paper, QString::fromLatin1(t.stem), {t.left, t.top, boxWidth, boxHeight});

    auto* patient =
        makeCommand(QStringLiteral("impPaziente"), QStringLiteral("importa"), QString(), paper);
    paper->place(patient, {88.4, 5.4, 3.6, 3.8}, RicettaPaper::Kind::Button);
    // The patient search writes the name, codice fiscale and address of the chosen card.
    connect(patient, &QToolButton::clicked, this, [this] {
        TfrmTrovaPazienti search(m_services, this);
        search.setTag(QStringLiteral("ricette"));
        search.setImportTarget(paziente::ImportEditor::RicettaRossa,
                               [this](const QString& control, const QString& value) {
                                   setFieldText(control.mid(3), value);
                               });
        search.exec();
    });
    auto* check =
        makeCommand(QStringLiteral("btnCodFisc"), QStringLiteral("verifica"), QString(), paper);
    paper->place(check, {191.0, 30.6, 6.0, 4.8}, RicettaPaper::Kind::Button);
    connect(check, &QToolButton::clicked, this,
            [this, code] { openTaxCodeCheck(m_services, this, code->text()); });

    // Below the paper: the arrows with the position between them, and the tick box.
    navigator()->setParent(paper);
    paper->place(navigator(), {0, 97.2, 40, 7}, RicettaPaper::Kind::Other);
    auto* done =
        named(new QCheckBox(QStringLiteral("Completata"), paper), QStringLiteral("chkCompletata"));
    done->setFocusPolicy(Qt::NoFocus);
    paper->place(done, {160, 98, 38, 5}, RicettaPaper::Kind::Other, 2.6);
}

QLineEdit* TfrmRicette::addLine(RicettaPaper* paper, const QString& name, const QRectF& mm,
                                int length, qreal fontMm) {
    auto* edit = named(new QLineEdit(paper), name);
    edit->setMaxLength(length);
    paper->place(edit, mm, RicettaPaper::Kind::Line, fontMm);
    m_order << edit;
    return edit;
}

QLineEdit* TfrmRicette::addBox(RicettaPaper* paper, const QString& name, const QRectF& mm) {
    auto* box = named(new QLineEdit(paper), name);
    box->setMaxLength(1);
    box->setAlignment(Qt::AlignCenter);
    keepTrimmedUpper(box);
    paper->place(box, mm, RicettaPaper::Kind::Box, boxFont);
    m_order << box;
    m_boxes << box;
    return box;
}

void TfrmRicette::addToggle(RicettaPaper* paper, const QString& stem, const QRectF& mm) {
    auto* toggle = new Toggle(paper, stem);
    paper->place(toggle, mm);
    bindField(stem, toggle->binding());
}

void TfrmRicette::putTodayInDateBoxes() {
    const QString digits = m_services.clock().today().toString(QStringLiteral("ddMMyy"));
    for (int i = 0; i < 6; ++i)
        setFieldText(runName(QStringLiteral("Data"), i + 1), digits.mid(i, 1));
}

void TfrmRicette::clearExtras() {
    putTodayInDateBoxes();
}

void TfrmRicette::duplicateResets() {
    putTodayInDateBoxes();
}

void TfrmRicette::beforeSave() {
    Record record = formRecord();
    ricetta::computeSummaries(record);
    for (const QString& field : ricetta::summaryFields())
        setFieldText(field, record.value(field));
}

void TfrmRicette::showing() {
    for (int i = 0; i < 4; ++i)
        setFieldText(runName(QStringLiteral("Medico"), i + 1),
                     settings::read(m_services.programFolder(), settings::medicoPrescrivente[i]));
}

void TfrmRicette::leaving() {
    for (int i = 0; i < 4; ++i) {
        const SettingKey& key = settings::medicoPrescrivente[i];
        if (!settings::write(m_services.programFolder(), key,
                             fieldText(runName(QStringLiteral("Medico"), i + 1)))) {
            m_services.messages().warning(this, settings::writeFailedMessage(key));
            return;
        }
    }
}

void TfrmRicette::showHelp() {
    openHelp(m_services, this, help::TopicId::Ricette);
}

void TfrmRicette::showSearch() {
    TfrmTrovaRicette window(m_services, this);
    window.setTag(QStringLiteral("ricette"));
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

void TfrmRicette::showOpenList() {
    TfrmSelezionate window(m_services, this);
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

} // namespace tarvola
