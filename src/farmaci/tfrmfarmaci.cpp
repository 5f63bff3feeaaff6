#include "farmaci/tfrmfarmaci.h"

#include "farmaci/farmacorecord.h"
#include "farmaci/prezzo.h"
#include "farmaci/tfrmdaordinare.h"
#include "farmaci/tfrmexpfarmaci.h"
#include "farmaci/tfrmstampafarmaco.h"
#include "farmaci/tfrmtrovafarmaci.h"
#include "help/tfrmguida.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QString priceField = QStringLiteral("Prezzo");

// The form in sections; a row holds one field across the width or two side by side, in
// record order, which is also the order of the Enter key.
struct Section {
    const char* title;
    QList<QList<const char*>> rows;
};

const QList<Section>& sections() {
    static const QList<Section> list{
        {"Farmaco",
         {{"Farmaco"},
          {"Produttore", "Principio"},
          {"Composizione"},
          {"Categoria", "TipoRic"},
          {"CodMin", "Classe"},
          {"NotaAifa", "Atc"},
          {"Forma", "Regime"}}},
        {"Posologia e confezione",
         {{"Durata", "Periodo"},
          {"DosaggioBam", "DosaggioAdu"},
          {"DosaggioAnz", "Conservazione"},
          {"Confezione", "Prezzo"}}},
        {"Informazioni cliniche",
         {{"Indicazioni"},
          {"Controindicazioni"},
          {"Interazioni"},
          {"Avvertenze"},
          {"Annotazioni"}}},
    };
    return list;
}

const QString formStyle = QStringLiteral(
    "#panScheda { background: #ffffff; border: 1px solid #c9d6ea; border-radius: 8px; }"
    "#panScheda QLabel { color: #26364f; }"
    "#panScheda QLabel[section=\"true\"] { color: #197356; font-weight: bold;"
    " border-bottom: 1px solid #d5e5dc; padding-bottom: 2px; }"
    "#panScheda QLineEdit { background: #f7faff; border: 1px solid #b9cbe6; border-radius: 3px;"
    " padding: 3px 5px; }"
    "#panScheda QLineEdit:focus { background: #fffde8; border: 1px solid #d89a20; }"
    "#panScheda QCheckBox { color: #8a4b08; font-weight: bold; }");

// The price takes digits and the comma; other characters typed are dropped, while editing
// keys and shortcuts work as usual. Leaving the field writes the price in its stored form.
class PriceEntry final : public QObject {
public:
    explicit PriceEntry(QLineEdit* edit)
        : QObject(edit)
        , m_edit(edit) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            const bool character =
                !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7f;
            return character && !farmaco::isPriceCharacter(text[0]);
        }
        if (event->type() == QEvent::FocusOut) {
            // A context menu or another window taking the keyboard is no leaving.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                m_edit->setText(farmaco::normalizedPrice(m_edit->text()));
        }
        return false;
    }

private:
    QLineEdit* m_edit;
};

EditorSetup farmaciSetup() {
    EditorSetup setup;
    setup.layout = &farmaco::layout();
    setup.archiveName = QString::fromLatin1(farmaco::archiveName);
    setup.attachmentTag = QStringLiteral("farmaci");
    setup.firstField = QStringLiteral("txtFarmaco");
    setup.required = {{{QStringLiteral("Farmaco")},
                       QStringLiteral("txtFarmaco"),
                       QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                      "nome del farmaco.")}};
    setup.emptiedOnDuplicate = runNames(QStringLiteral("File"), 3) +
                               runNames(QStringLiteral("Desc"), 3) +
                               QStringList{QStringLiteral("DaOrdinare")};
    setup.commonTexts(QStringLiteral("scheda"), QStringLiteral("schede"));
    setup.hint("cmdNuovo", "Predispone la schermata per l'inserimento di una nuova scheda.");
    setup.hint("cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda "
                             "duplicando i dati correnti.");
    setup.hint("cmdSalva", "Salva la scheda corrente in archivio.");
    setup.hint("cmdTrova", "Trova una scheda in archivio.");
    setup.hint("cmdStampa", "Stampa la scheda corrente.");
    setup.hint("cmdDisponibili", "Visualizza il riepilogo dei farmaci da ordinare.");
    setup.hint("cmdFile", "Allega file alla scheda corrente.");
    setup.hint("chkDaOrdinare", "Spunta questa casella per indicare che il farmaco va ordinato.");
    return setup;
}

} // namespace

TfrmFarmaci::TfrmFarmaci(Services& services, QWidget* parent)
    : RecordEditor(services, farmaciSetup(), parent) {
    setObjectName(QStringLiteral("TfrmFarmaci"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Archivio Farmaci"));
    resize(1180, 860);
    setWindowState(Qt::WindowMaximized);

    auto* toOrder = makeCommand(QStringLiteral("cmdDisponibili"), QStringLiteral("telefono"),
                                QStringLiteral("Da ordinare"));
    setArchiveToolbar(toOrder);
    auto* help = command(QStringLiteral("cmdGuida"));
    auto* find = command(QStringLiteral("cmdTrova"));
    auto* print = command(QStringLiteral("cmdStampa"));
    auto* exportButton = command(QStringLiteral("cmdEsporta"));

    auto* scroller = new QScrollArea(this);
    scroller->setWidget(buildForm());
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setStyleSheet(QStringLiteral("QScrollArea, #panSfondo { background: #eef3fb; }"));
    setForm(scroller);
    addHintBackground(scroller->viewport());

    connect(find, &QToolButton::clicked, this, &TfrmFarmaci::showSearch);
    connect(toOrder, &QToolButton::clicked, this, &TfrmFarmaci::showToOrder);
    connect(print, &QToolButton::clicked, this, [this] {
        TfrmStampaFarmaco window(m_services, this);
        window.exec();
    });
    connect(exportButton, &QToolButton::clicked, this, [this] {
        TfrmExpFarmaci window(m_services, this);
        window.exec();
    });
    connect(help, &QToolButton::clicked, this,
            [this] { openHelp(m_services, this, help::TopicId::Farmaci); });
    bindFields();
}

QWidget* TfrmFarmaci::buildForm() {
    auto* background = named(new QWidget, QStringLiteral("panSfondo"));
    auto* card = named(new QFrame(background), QStringLiteral("panScheda"));
    card->setStyleSheet(formStyle);
    card->setMaximumWidth(1120);
    addHintBackground(background);
    addHintBackground(card);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(9);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(2, 18);

    QHash<QString, QString> captions;
    for (const farmaco::FormField& f : farmaco::formFields())
        captions.insert(f.field, f.caption);
    const RecordLayout& layout = farmaco::layout();
    QList<QWidget*> order;
    int row = 0;
    for (const Section& section : sections()) {
        auto* title = new QLabel(QString::fromUtf8(section.title), card);
        title->setProperty("section", true);
        grid->addWidget(title, row++, 0, 1, 5);
        for (const QList<const char*>& fields : section.rows) {
            for (int i = 0; i < fields.size(); ++i) {
                const QString field = QString::fromLatin1(fields[i]);
                auto* edit = named(new QLineEdit(card), QStringLiteral("txt") + field);
                edit->setMaxLength(layout.at(layout.indexOf(field)).capacity);
                auto* caption = new QLabel(captions.value(field), card);
                caption->setBuddy(edit);
                attachFocusFrame(edit, QStringLiteral("eff") + field);
                const int column = 3 * i;
                grid->addWidget(caption, row, column);
                grid->addWidget(edit, row, column + 1, 1, fields.size() == 1 ? 4 : 1);
                order << edit;
            }
            ++row;
        }
        grid->setRowMinimumHeight(row++, 6);
    }
    auto* name = card->findChild<QLineEdit*>(QStringLiteral("txtFarmaco"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* price = card->findChild<QLineEdit*>(QStringLiteral("txtPrezzo"));
    price->setAlignment(Qt::AlignRight);
    new PriceEntry(price);
    installEnterOrder(order);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto* toOrder =
        named(new QCheckBox(QStringLiteral("Da ordinare"), card), QStringLiteral("chkDaOrdinare"));
    toOrder->setFocusPolicy(Qt::NoFocus);
    navigator()->setParent(card);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(toOrder);
    bottom->addStretch();
    bottom->addWidget(navigator());

    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 16, 24, 16);
    cardLayout->addLayout(grid);
    cardLayout->addSpacing(4);
    cardLayout->addLayout(bottom);

    auto* outer = new QHBoxLayout(background);
    outer->setContentsMargins(18, 16, 18, 16);
    outer->addWidget(card, 0, Qt::AlignTop | Qt::AlignHCenter);
    card->setMinimumWidth(900);
    return background;
}

void TfrmFarmaci::clearExtras() {
    setFieldText(priceField, QStringLiteral("0,00"));
}

void TfrmFarmaci::beforeSave() {
    // The buttons take no focus, so a price typed just before saving has not been left yet.
    setFieldText(priceField, farmaco::normalizedPrice(fieldText(priceField)));
}

void TfrmFarmaci::showSearch() {
    TfrmTrovaFarmaci window(m_services, this);
    window.setTag(QStringLiteral("farmaci"));
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

void TfrmFarmaci::showToOrder() {
    TfrmDaOrdinare window(m_services, this);
    window.setRecallTarget(
        [this](const Record& record, qint64 position) { loadRecord(record, position); });
    window.exec();
}

} // namespace tarvola
