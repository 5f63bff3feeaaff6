#include "ricette/tfrmstamparicetta.h"

#include "archive/settings.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "report/documentprint.h"
#include "report/reportlayout.h"
#include "report/reportoutput.h"
#include "report/reporttemplate.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvola {

using report::ReportError;

namespace {

const QString failedMessage =
    QStringLiteral("Attenzione: la stampa della scheda non è andata a buon fine.\n\r\n\r"
                   "Si consiglia di controllare le impostazioni della stampante.");
const QString portraitText = QStringLiteral("Verticale");
const QString landscapeText = QStringLiteral("Orizzontale");

// Boxes and lines printed with the text of the editor control of the same name.
struct Group {
    const char* prefix;
    int count;
};
constexpr Group sameNamed[] = {{"txtEse", 6},     {"txtProv", 2}, {"txtAsl", 3},    {"txtNum", 8},
                               {"txtPresc", 9},   {"txtCuf", 6},  {"txtMedico", 4}, {"txtConf", 3},
                               {"txtTipoRic", 2}, {"txtData", 6}};
// Ticked toggles print a "#" in their box: memo txtX, picture btnX_SI.
constexpr const char* toggles[] = {"NonEsente", "Reddito", "Sugg", "Ricov", "Altro",
                                   "U",         "B",       "D",    "P"};
constexpr int taxCodeBoxes = 16;

QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A margin as typed: a whole number of millimetres, possibly negative.
int marginOf(const QLineEdit* edit) {
    bool ok = false;
    const int value = trimText(edit->text()).toInt(&ok);
    if (!ok)
        throw ReportError(QStringLiteral("Margine non valido: %1").arg(edit->text()));
    return value;
}

// A sheet with the form printed on it, shifted by the two margins.
QPixmap marginsPicture() {
    const QSize size(132, 168);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(28.5, 24.5, 96, 136);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    const QRectF form(sheet.left() + 18, sheet.top() + 22, 70, 44);
    p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 1));
    p.setBrush(QColor(0xfb, 0xe3, 0xe3));
    p.drawRect(form);
    p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(form.left() + 6, form.top() + 10 + i * 9),
                   QPointF(form.right() - 6 - (i % 2) * 18, form.top() + 10 + i * 9));

    auto arrow = [&p](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const QLineF back(to, from);
        for (double turn : {25.0, -25.0}) {
            QLineF head = back;
            head.setLength(5);
            head.setAngle(back.angle() + turn);
            p.drawLine(head);
        }
    };
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 1.4));
    const double x = form.left() + 30;
    arrow(QPointF(x, sheet.top()), QPointF(x, form.top()));
    const double y = form.top() + form.height() / 2 + 40;
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 1, Qt::DashLine));
    p.drawLine(QPointF(form.left(), form.bottom()), QPointF(form.left(), y));
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x9a), 1.4));
    arrow(QPointF(sheet.left(), y), QPointF(form.left(), y));
    p.setPen(QColor(0x1f, 0x4e, 0x9a));
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QRectF(x + 3, sheet.top() + 2, 60, 14), Qt::AlignLeft, QStringLiteral("superiore"));
    p.drawText(QRectF(sheet.left() + 1, y + 3, 60, 14), Qt::AlignLeft, QStringLiteral("sinistro"));
    return pixmap;
}

QPushButton* stepButton(QWidget* parent, const QString& name, const QString& text) {
    auto* button = named(new QPushButton(text, parent), name);
    button->setAutoDefault(false);
    button->setFixedWidth(28);
    return button;
}

} // namespace

TfrmStampaRicetta::TfrmStampaRicetta(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_editor(parent) {
    setObjectName(QStringLiteral("TfrmStampaRicetta"));
    setWindowTitle(QStringLiteral(" Stampa ricetta"));
    makeFixedDialog(this);

    auto* picture = named(new QLabel(this), QStringLiteral("imgMargini"));
    picture->setPixmap(marginsPicture());
    picture->setFixedSize(132, 168);

    m_top = named(new QLineEdit(this), QStringLiteral("txtTop"));
    m_left = named(new QLineEdit(this), QStringLiteral("txtLeft"));
    for (QLineEdit* edit : {m_top, m_left}) {
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(52);
    }
    auto* topMinus = stepButton(this, QStringLiteral("btnTopMinus"), QStringLiteral("-"));
    auto* topPlus = stepButton(this, QStringLiteral("btnTopPlus"), QStringLiteral("+"));
    auto* leftMinus = stepButton(this, QStringLiteral("btnLeftMinus"), QStringLiteral("-"));
    auto* leftPlus = stepButton(this, QStringLiteral("btnLeftPlus"), QStringLiteral("+"));

    m_portrait = named(new QRadioButton(portraitText, this), QStringLiteral("optVerticale"));
    m_landscape = named(new QRadioButton(landscapeText, this), QStringLiteral("optOrizzontale"));
    m_portrait->setChecked(true);

    m_wait = named(new QLabel(QStringLiteral("Elaborazione in corso. Attendere..."), this),
                   QStringLiteral("lblAttendere"));
    m_wait->setStyleSheet(QStringLiteral("color: #1f4e9a; font-weight: bold;"));
    m_wait->hide();

    m_print = named(new QPushButton(QStringLiteral("Stampa"), this), QStringLiteral("btnStampa"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {m_print, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("Margine superiore:"), this), 0, 0);
    grid->addWidget(m_top, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 0, 2);
    grid->addWidget(topMinus, 0, 3);
    grid->addWidget(topPlus, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Margine sinistro:"), this), 1, 0);
    grid->addWidget(m_left, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 1, 2);
    grid->addWidget(leftMinus, 1, 3);
    grid->addWidget(leftPlus, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Orientamento:"), this), 2, 0);
    auto* options = new QHBoxLayout;
    options->addWidget(m_portrait);
    options->addWidget(m_landscape);
    options->addStretch();
    grid->addLayout(options, 2, 1, 1, 4);

    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addStretch();
    settingsColumn->addLayout(grid);
    settingsColumn->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(picture);
    top->addLayout(settingsColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_wait);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // No bounds: a negative margin moves the print above or left of the printer's origin.
    // A stored value that is not a whole number counts as 0, so the buttons repair it.
    auto step = [](QLineEdit* edit, int delta) {
        bool ok = false;
        const int value = trimText(edit->text()).toInt(&ok);
        edit->setText(QString::number((ok ? value : 0) + delta));
    };
    connect(topMinus, &QPushButton::clicked, this, [=, this] { step(m_top, -1); });
    connect(topPlus, &QPushButton::clicked, this, [=, this] { step(m_top, +1); });
    connect(leftMinus, &QPushButton::clicked, this, [=, this] { step(m_left, -1); });
    connect(leftPlus, &QPushButton::clicked, this, [=, this] { step(m_left, +1); });
    connect(m_print, &QPushButton::clicked, this, &TfrmStampaRicetta::print);
    connect(cancel, &QPushButton::clicked, this, &TfrmStampaRicetta::reject);
    m_print->installEventFilter(this);
}

void TfrmStampaRicetta::showEvent(QShowEvent* event) {
    loadSettings();
    QDialog::showEvent(event);
}

bool TfrmStampaRicetta::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_print && event->type() == QEvent::MouseButtonPress && m_print->isEnabled())
        m_wait->show();
    return QDialog::eventFilter(watched, event);
}

void TfrmStampaRicetta::loadSettings() {
    const QString folder = m_services.programFolder();
    const QString top = trimText(settings::read(folder, settings::margineSuperiore));
    const QString left = trimText(settings::read(folder, settings::margineSinistro));
    m_top->setText(top.isEmpty() ? QStringLiteral("0") : top);
    m_left->setText(left.isEmpty() ? QStringLiteral("0") : left);
    const QString orientation = trimText(settings::read(folder, settings::orientamento));
    if (orientation == portraitText)
        m_portrait->setChecked(true);
    else if (orientation == landscapeText)
        m_landscape->setChecked(true);
}

void TfrmStampaRicetta::print() {
    m_wait->show();
    m_wait->repaint();
    bool failed = false;
    try {
        storeSettings();
        report::ReportTemplate form = report::ReportTemplate::load(report::templates::ricettaRossa);
        form.page.orientation = m_portrait->isChecked() ? report::Orientation::Portrait
                                                        : report::Orientation::Landscape;
        form.page.margins.setTop(marginOf(m_top));
        form.page.margins.setLeft(marginOf(m_left));
        fill(form);
        const report::PreparedReport pages =
            report::prepareReport(form, m_services.clock().today());
        ReportOutput* output = m_services.reports();
        if (!output)
            throw ReportError(QStringLiteral("Nessuna stampante disponibile."));
        failed = output->print(this, pages).status == PrintOutcome::Failed;
    } catch (const ReportError&) {
        failed = true;
    }
    m_wait->hide();
    if (failed) {
        m_services.messages().warning(this, failedMessage);
        reject();
    } else {
        accept();
    }
}

void TfrmStampaRicetta::storeSettings() const {
    const QString folder = m_services.programFolder();
    const std::pair<const SettingKey&, QString> values[] = {
        {settings::margineSuperiore, trimText(m_top->text())},
        {settings::margineSinistro, trimText(m_left->text())},
        {settings::orientamento, m_portrait->isChecked() ? portraitText : landscapeText},
    };
    for (const auto& [key, value] : values) {
        if (!settings::write(folder, key, value))
            throw ReportError(settings::writeFailedMessage(key));
    }
}

void TfrmStampaRicetta::fill(report::ReportTemplate& form) const {
    for (const char* name : {"txtAssistito", "txtIndirizzo"}) {
        const QString n = QString::fromLatin1(name);
        form.memo(n).setText(editorText(n));
    }
    // One character a box; a shorter code leaves the last boxes blank, a longer one is cut.
    const QString taxCode = editorText(QStringLiteral("txtCodFisc"));
    for (int i = 0; i < taxCodeBoxes; ++i)
        form.memo(numbered("txtCF", i + 1))
            .setText(i < taxCode.size() ? taxCode.mid(i, 1) : QString());
    for (const Group& group : sameNamed) {
        for (int i = 1; i <= group.count; ++i) {
            const QString name = numbered(group.prefix, i);
            form.memo(name).setText(editorText(name));
        }
    }
    for (const char* toggle : toggles) {
        const QString name = QString::fromLatin1(toggle);
        form.memo(QStringLiteral("txt") + name)
            .setText(ticked(name) ? QStringLiteral("#") : QString());
    }
}

QWidget* TfrmStampaRicetta::editorControl(const QString& name) const {
    return tarvola::editorControl(m_editor, name);
}

QString TfrmStampaRicetta::editorText(const QString& name) const {
    return tarvola::editorText(m_editor, name);
}

// A toggle is ticked while its "_SI" picture is shown on the editor.
bool TfrmStampaRicetta::ticked(const QString& toggle) const {
    QWidget* picture = editorControl(QStringLiteral("btn") + toggle + QStringLiteral("_SI"));
    return picture->isVisibleTo(m_editor);
}

} // namespace tarvola
