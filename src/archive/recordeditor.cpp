#include "archive/recordeditor.h"

#include "archive/tfrmallegacartella.h"

#include "archive/archivefile.h"
#include "archive/cardmerge.h"
#include "archive/statushints.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvola {

namespace {

const QString emptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString changesSaved =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString cardInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString readyText = QStringLiteral("Pronto per archiviare una nuova scheda...");

struct CommonCommand {
    const char* name;
    const char* icon;
    const char* caption;
};

// The buttons every editor has, with their pictures and captions.
constexpr CommonCommand commonCommands[] = {
    {"cmdNuovo", "nuovo", "Nuovo"},  {"cmdDuplica", "duplica", "Duplica"},
    {"cmdSalva", "salva", "Salva"},  {"cmdPrimo", "primo", ""},
    {"cmdIndietro", "indietro", ""}, {"cmdAvanti", "avanti", ""},
    {"cmdUltimo", "ultimo", ""},     {"cmdEsci", "esci", "Esci"},
};

struct KeyCommand {
    const char* command;
    QKeyCombination key;
    const char* keyName;
};

// The keys of the editors' buttons, as desktop programs have them. Navigation takes Alt, so
// plain Page Up and Page Down stay with the lists and grids of the forms.
const KeyCommand keyCommands[] = {
    {"cmdNuovo", Qt::CTRL | Qt::Key_N, "Ctrl+N"},
    {"cmdDuplica", Qt::CTRL | Qt::Key_D, "Ctrl+D"},
    {"cmdSalva", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
    {"cmdTrova", Qt::CTRL | Qt::Key_F, "Ctrl+F"},
    {"cmdStampa", Qt::CTRL | Qt::Key_P, "Ctrl+P"},
    {"cmdEsporta", Qt::CTRL | Qt::Key_E, "Ctrl+E"},
    {"cmdGuida", QKeyCombination(Qt::Key_F1), "F1"},
    {"cmdPrimo", Qt::ALT | Qt::Key_Home, "Alt+Home"},
    {"cmdIndietro", Qt::ALT | Qt::Key_PageUp, "Alt+PgUp"},
    {"cmdAvanti", Qt::ALT | Qt::Key_PageDown, "Alt+PgDn"},
    {"cmdUltimo", Qt::ALT | Qt::Key_End, "Alt+End"},
};

QToolButton* pictureButton(QWidget* parent, const QString& name, const QString& icon,
                           const QString& caption) {
    auto* button = named(new QToolButton(parent), name);
    button->setIcon(QIcon(QStringLiteral(":/images/%1.svg").arg(icon)));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    if (caption.isEmpty()) {
        button->setIconSize(QSize(28, 28));
    } else {
        button->setIconSize(QSize(32, 32));
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
    button->setMinimumSize(button->sizeHint());
    return button;
}

// The record as the archive gives it back once written: a text the archive cuts or converts
// compares as it is on disk.
Record asStored(const Record& record) {
    return Record::fromBytes(record.layout(), record.toBytes());
}

} // namespace

void EditorSetup::hint(const char* control, const char* text) {
    hints.append({QString::fromLatin1(control), QString::fromUtf8(text)});
}

void EditorSetup::commonTexts(const QString& card, const QString& cards) {
    const auto add = [this](const char* control, const QString& text) {
        hints.append({QString::fromLatin1(control), text});
    };
    add("cmdPrimo", QStringLiteral("Visualizza la prima %1 in archivio.").arg(card));
    add("cmdIndietro", QStringLiteral("Visualizza la %1 precedente in archivio.").arg(card));
    add("cmdAvanti", QStringLiteral("Visualizza la %1 successiva in archivio.").arg(card));
    add("cmdUltimo", QStringLiteral("Visualizza l'ultima %1 in archivio.").arg(card));
    add("cmdEsporta",
        QStringLiteral("Esporta le %1 in archivio in un file di Microsoft Excel.").arg(cards));
    add("cmdGuida", QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    add("cmdEsci", QStringLiteral("Esci da questa schermata di lavoro."));
    duplicateRefusal = QStringLiteral("Attenzione: la duplicazione di una %1 può avvenire soltanto "
                                      "dopo che questa è stata inserita in archivio.")
                           .arg(card);
    duplicateConfirmation =
        QStringLiteral(
            "E' ora possibile apportare le proprie modifiche alla %1 corrente.\n\r\n\rAl "
            "termine premere Salva per inserire la scheda in archivio.")
            .arg(card);
}

// Where a navigation goes: nowhere, to a record, or the archive is empty.
struct RecordEditor::Move {
    enum Kind { Stay, Load, Empty } kind = Stay;
    qint64 position = 0;
    bool forgetPosition = false; // an empty archive also empties lblPosizione

    static Move stay() { return {}; }
    static Move load(qint64 p) { return {Load, p}; }
    static Move empty(bool forget = false) { return {Empty, 0, forget}; }
};

RecordEditor::RecordEditor(Services& services, EditorSetup setup, QWidget* parent)
    : AppWindow(services, parent)
    , m_setup(std::move(setup)) {
    Q_ASSERT(m_setup.layout);
    for (const CommonCommand& c : commonCommands) {
        m_commands.insert(QString::fromLatin1(c.name),
                          pictureButton(this, QString::fromLatin1(c.name),
                                        QString::fromLatin1(c.icon),
                                        QString::fromLatin1(c.caption)));
    }
    connect(command(QStringLiteral("cmdNuovo")), &QToolButton::clicked, this,
            &RecordEditor::newCard);
    connect(command(QStringLiteral("cmdDuplica")), &QToolButton::clicked, this,
            &RecordEditor::duplicate);
    connect(command(QStringLiteral("cmdSalva")), &QToolButton::clicked, this, &RecordEditor::save);
    connect(command(QStringLiteral("cmdPrimo")), &QToolButton::clicked, this, &RecordEditor::first);
    connect(command(QStringLiteral("cmdIndietro")), &QToolButton::clicked, this,
            &RecordEditor::previous);
    connect(command(QStringLiteral("cmdAvanti")), &QToolButton::clicked, this, &RecordEditor::next);
    connect(command(QStringLiteral("cmdUltimo")), &QToolButton::clicked, this, &RecordEditor::last);
    connect(command(QStringLiteral("cmdEsci")), &QToolButton::clicked, this, &QWidget::close);

    m_position = named(new QLabel(this), QStringLiteral("lblPosizione"));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setMinimumWidth(56);
    m_position->setStyleSheet(QStringLiteral(
        "#lblPosizione { background: white; border: 1px solid #c9d6ea; border-radius: 3px;"
        " padding: 2px 6px; }"));
    QFont bold = m_position->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_position->setFont(bold);

    m_navigator = new QWidget(this);
    auto* row = new QHBoxLayout(m_navigator);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(command(QStringLiteral("cmdPrimo")));
    row->addWidget(command(QStringLiteral("cmdIndietro")));
    row->addWidget(m_position);
    row->addWidget(command(QStringLiteral("cmdAvanti")));
    row->addWidget(command(QStringLiteral("cmdUltimo")));

    m_statusLine = named(new QLabel(readyText, this), QStringLiteral("panInfo"));
    m_statusLine->setFrameShape(QFrame::Panel);
    m_statusLine->setFrameShadow(QFrame::Sunken);
    m_statusLine->setContentsMargins(6, 2, 6, 2);
    m_hints = new StatusHints(m_statusLine);
    m_hints->addBackground(this);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* bar = named(new QFrame(this), QStringLiteral("panComandi"));
    bar->setStyleSheet(
        QStringLiteral("#panComandi { background: #eef3fb; border-bottom: 1px solid #c9d6ea; }"));
    m_hints->addBackground(bar);
    m_toolbar = new QHBoxLayout(bar);
    m_toolbar->setContentsMargins(8, 4, 8, 4);
    m_toolbar->setSpacing(2);
    outer->addWidget(bar);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body, 1);
    outer->addWidget(m_statusLine);
}

QToolButton* RecordEditor::command(const QString& name) const {
    QToolButton* button = m_commands.value(name);
    Q_ASSERT_X(button, "RecordEditor::command", "no such command");
    return button;
}

void RecordEditor::setArchiveToolbar(QToolButton* listButton, QToolButton* previewButton) {
    auto* find =
        makeCommand(QStringLiteral("cmdTrova"), QStringLiteral("trova"), QStringLiteral("Trova"));
    auto* attach = makeCommand(QStringLiteral("cmdFile"), QStringLiteral("allega"),
                               QStringLiteral("Allega file"));
    auto* print = makeCommand(QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
                              QStringLiteral("Stampa"));
    auto* exportButton = makeCommand(QStringLiteral("cmdEsporta"), QStringLiteral("esporta"),
                                     QStringLiteral("Esporta"));
    auto* help =
        makeCommand(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QStringLiteral("Guida"));
    QList<QWidget*> items{command(QStringLiteral("cmdNuovo")),
                          command(QStringLiteral("cmdDuplica")),
                          command(QStringLiteral("cmdSalva")),
                          nullptr,
                          find,
                          attach};
    if (previewButton)
        items << previewButton;
    items << print << nullptr << exportButton;
    if (listButton)
        items << listButton;
    items << nullptr << help << command(QStringLiteral("cmdEsci"));
    setToolbar(items);
    connect(attach, &QToolButton::clicked, this,
            [this] { openAttachments(m_services, this, m_setup.attachmentTag); });
    // The attachments travel with the card in hidden labels, which the attachments window
    // fills and reads.
    for (const QString& field :
         runNames(QStringLiteral("File"), 3) + runNames(QStringLiteral("Desc"), 3))
        named(new QLabel(this), QStringLiteral("lbl") + field)->hide();
}

QToolButton* RecordEditor::makeCommand(const QString& name, const QString& icon,
                                       const QString& caption, QWidget* parent) {
    QToolButton* button = pictureButton(parent ? parent : this, name, icon, caption);
    m_commands.insert(name, button);
    return button;
}

void RecordEditor::setToolbar(const QList<QWidget*>& items) {
    for (QWidget* item : items) {
        if (item) {
            m_toolbar->addWidget(item);
            continue;
        }
        m_toolbar->addSpacing(6);
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        m_toolbar->addWidget(line);
        m_toolbar->addSpacing(6);
    }
    m_toolbar->addStretch();
}

void RecordEditor::addHintBackground(QWidget* widget) {
    m_hints->addBackground(widget);
}

void RecordEditor::setForm(QWidget* form) {
    m_body->addWidget(form, 1);
}

void RecordEditor::bindField(const QString& field, FieldBinding binding) {
    Q_ASSERT(m_setup.layout->contains(field) && binding);
    m_bindings.insert(field, std::move(binding));
}

void RecordEditor::bindFields() {
    for (const FieldDef& f : m_setup.layout->fields()) {
        if (m_bindings.contains(f.name))
            continue;
        FieldBinding b;
        if (auto* w = findChild<QWidget*>(QStringLiteral("txt") + f.name))
            b = textBinding(w);
        else if (auto* l = findChild<QLabel*>(QStringLiteral("lbl") + f.name))
            b = textBinding(l);
        else if (auto* c = findChild<QCheckBox*>(QStringLiteral("chk") + f.name))
            b = checkBoxBinding(c);
        if (!b)
            qFatal("%s: no control for the field %s", qUtf8Printable(objectName()),
                   qUtf8Printable(f.name));
        m_bindings.insert(f.name, std::move(b));
    }
    for (const auto& [name, hint] : m_setup.hints) {
        auto* control = findChild<QWidget*>(name);
        if (!control)
            qFatal("%s: no control %s for its hint", qUtf8Printable(objectName()),
                   qUtf8Printable(name));
        m_hints->add(control, hint);
    }
    for (const KeyCommand& k : keyCommands) {
        if (QToolButton* button = m_commands.value(QString::fromLatin1(k.command)))
            addKeyCommand(this, k.key, QString::fromLatin1(k.keyName), button);
    }
    m_bound = true;
}

const FieldBinding& RecordEditor::binding(const QString& field) const {
    Q_ASSERT_X(m_bound, "RecordEditor", "bindFields() was not called");
    const auto found = m_bindings.constFind(field);
    if (found == m_bindings.constEnd())
        qFatal("%s: no field %s", qUtf8Printable(objectName()), qUtf8Printable(field));
    return found.value();
}

QString RecordEditor::fieldText(const QString& field) const {
    return binding(field).text();
}

void RecordEditor::setFieldText(const QString& field, const QString& text) {
    binding(field).show(text);
}

void RecordEditor::clearField(const QString& field) {
    binding(field).clear();
}

Record RecordEditor::formRecord() const {
    Record record(*m_setup.layout);
    for (qsizetype i = 0; i < m_setup.layout->count(); ++i)
        record.setAt(i, binding(m_setup.layout->at(i).name).text());
    return record;
}

void RecordEditor::loadRecord(const Record& record, qint64 position) {
    Q_ASSERT(&record.layout() == m_setup.layout);
    for (qsizetype i = 0; i < m_setup.layout->count(); ++i)
        binding(m_setup.layout->at(i).name).show(trimText(record.at(i)));
    setPosition(position);
    keepLoaded(record, position);
}

void RecordEditor::keepLoaded(const Record& record, qint64 position) {
    m_loaded = record;
    m_loadedPosition = position;
    m_shown.clear();
    m_shown.reserve(m_setup.layout->count());
    for (const FieldDef& f : m_setup.layout->fields())
        m_shown.append(binding(f.name).text());
}

void RecordEditor::forgetLoaded() {
    m_loaded.reset();
    m_loadedPosition = 0;
    m_shown.clear();
}

Record RecordEditor::changedHere(const Record& typed, const Record& form) const {
    Record here = form;
    for (qsizetype i = 0; i < m_setup.layout->count(); ++i) {
        // A control that shows a stored text its own way (an empty amount as "0,00", a
        // flag as a tick) has changed only once its text differs from what loading put in;
        // what the editor itself corrects at saving (a price written out) is no change.
        if (typed.at(i) == m_shown.at(i) ||
            m_setup.derivedFields.contains(m_setup.layout->at(i).name))
            here.setAt(i, m_loaded->at(i));
    }
    return here;
}

QString RecordEditor::fieldLabel(const QString& field) const {
    if (m_setup.fieldLabel) {
        const QString label = m_setup.fieldLabel(field);
        if (!label.isEmpty())
            return label;
    }
    const auto bare = [](QString text) {
        text = trimText(text.remove(u'&'));
        if (text.endsWith(u':'))
            text.chop(1);
        return trimText(text);
    };
    if (auto* control = findChild<QWidget*>(QStringLiteral("txt") + field)) {
        for (QLabel* caption : findChildren<QLabel*>()) {
            if (caption->buddy() == control)
                return bare(caption->text());
        }
    }
    if (auto* box = findChild<QCheckBox*>(QStringLiteral("chk") + field))
        return bare(box->text());
    for (int i = 0; i < TfrmAllegaCartella::slotCount; ++i) {
        if (field == runName(QStringLiteral("File"), i + 1))
            return attachmentCaption(i, false);
        if (field == runName(QStringLiteral("Desc"), i + 1))
            return attachmentCaption(i, true);
    }
    return field;
}

QString RecordEditor::positionText() const {
    return m_position->text();
}

void RecordEditor::setPosition(qint64 position) {
    m_position->setText(position > 0 ? QString::number(position) : QString());
}

std::optional<qint64> RecordEditor::shownPosition() const {
    const QString text = trimText(m_position->text());
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 position = text.toLongLong(&ok);
    const bool digitsOnly =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digitsOnly || position < 1)
        return std::nullopt;
    return position;
}

void RecordEditor::focusControl(const QString& name) {
    if (auto* control = findChild<QWidget*>(name))
        control->setFocus(Qt::OtherFocusReason);
}

QString RecordEditor::archivePath() const {
    if (m_setup.archivePathLabel.isEmpty())
        return m_services.path(archiveName());
    auto* label = findChild<QLabel*>(m_setup.archivePathLabel);
    Q_ASSERT_X(label, "RecordEditor", "no label for the archive path");
    return label ? label->text() : QString();
}

bool RecordEditor::withArchive(MessageKind failure, const std::function<void(ArchiveFile&)>& work) {
    try {
        ArchiveFile file(archivePath(), *m_setup.layout);
        work(file);
        file.close();
        return true;
    } catch (const ArchiveError& error) {
        qWarning("%s", error.what());
        m_services.messages().show(this, failure, archiveAccessMessage());
        return false;
    }
}

void RecordEditor::navigate(const std::function<Move(qint64 shown, qint64 count)>& step) {
    const std::optional<qint64> shown = shownPosition();
    if (!shown) {
        m_services.messages().error(this, archiveAccessMessage());
        return;
    }
    Move move;
    std::optional<Record> record;
    const bool done = withArchive(MessageKind::Error, [&](ArchiveFile& file) {
        move = step(*shown, file.count());
        if (move.kind == Move::Load)
            record = file.read(move.position);
    });
    if (!done)
        return;
    if (move.kind == Move::Load) {
        loadRecord(*record, move.position);
    } else if (move.kind == Move::Empty) {
        if (move.forgetPosition)
            setPosition(0);
        m_services.messages().information(this, emptyArchive);
    }
}

void RecordEditor::first() {
    navigate([](qint64, qint64 count) { return count == 0 ? Move::empty() : Move::load(1); });
}

void RecordEditor::last() {
    navigate([](qint64, qint64 count) { return count == 0 ? Move::empty() : Move::load(count); });
}

void RecordEditor::next() {
    navigate([](qint64 shown, qint64 count) {
        if (count == 0)
            return Move::empty(true);
        return shown < count ? Move::load(shown + 1) : Move::stay();
    });
}

void RecordEditor::previous() {
    navigate([](qint64 shown, qint64 count) {
        if (shown == 1)
            return Move::stay();
        if (count == 0)
            return Move::empty();
        return Move::load(shown <= 2 ? 1 : shown - 1);
    });
}

void RecordEditor::newCard() {
    clearForm();
}

void RecordEditor::resetField(const QString& field) {
    const auto start = m_setup.startTexts.constFind(field);
    if (start == m_setup.startTexts.constEnd())
        binding(field).clear();
    else
        binding(field).show(start.value());
}

void RecordEditor::showViews(const QStringList& views) {
    for (const QString& view : views)
        showView(view);
}

void RecordEditor::clearForm() {
    for (const FieldDef& f : m_setup.layout->fields()) {
        if (!m_setup.keptOnClear.contains(f.name))
            resetField(f.name);
    }
    setPosition(0);
    forgetLoaded();
    clearExtras();
    showViews(m_setup.viewsOnClear);
    focusControl(m_setup.firstField);
}

void RecordEditor::duplicate() {
    if (trimText(positionText()).isEmpty()) {
        m_services.messages().warning(this, m_setup.duplicateRefusal);
        return;
    }
    for (const QString& field : m_setup.emptiedOnDuplicate)
        resetField(field);
    duplicateResets();
    setPosition(0);
    forgetLoaded();
    const auto emptyOnceOpen = [this] {
        for (const QString& field : m_setup.emptiedOnDuplicateOnceOpen)
            resetField(field);
    };
    if (!m_setup.duplicateOpensArchive)
        emptyOnceOpen();
    else if (!withArchive(m_setup.duplicateFailure, [&](ArchiveFile&) { emptyOnceOpen(); }))
        return;
    showViews(m_setup.viewsOnDuplicate);
    focusControl(m_setup.duplicateFocus.isEmpty() ? m_setup.firstField : m_setup.duplicateFocus);
    m_services.messages().information(this, m_setup.duplicateConfirmation);
}

void RecordEditor::save() {
    for (const RequiredFields& required : m_setup.required) {
        const bool missing =
            std::any_of(required.fields.begin(), required.fields.end(), [&](const QString& field) {
                const QString text = trimText(fieldText(field));
                return required.accepts ? !required.accepts(text) : text.isEmpty();
            });
        if (missing) {
            m_services.messages().warning(this, required.warning);
            showViews(m_setup.viewsOnRefusedSave);
            focusControl(required.focus);
            return;
        }
    }
    const Record typed = formRecord();
    beforeSave();
    const std::optional<qint64> shown = shownPosition();
    if (!shown) {
        m_services.messages().error(this, archiveAccessMessage());
        return;
    }
    const Record record = formRecord();
    if (*shown > 0) {
        saveInPlace(*shown, typed, record);
        return;
    }
    qint64 position = 0;
    // The record is on disk once append returns: the position shown is its own.
    if (!withArchive(MessageKind::Error,
                     [&](ArchiveFile& file) { position = file.append(record); }))
        return;
    setPosition(position);
    keepLoaded(asStored(record), position);
    m_services.messages().information(this, cardInserted);
}

void RecordEditor::saveInPlace(qint64 position, const Record& typed, const Record& form) {
    // A card shown without having been loaded here has nothing to compare with: it is
    // written as it is.
    const bool known = m_loaded && m_loadedPosition == position;
    const Record here = known ? changedHere(typed, form) : form;
    enum class Written { Form, Merged, OverConflict, Nothing };
    Written written = Written::Nothing;
    std::optional<Record> merged;
    // The card as it was when the user was asked about it: "Sì" overwrites that version
    // only; one saved again meanwhile is compared afresh.
    std::optional<QByteArray> asked;
    for (;;) {
        QList<qsizetype> conflicts;
        const bool done = withArchive(MessageKind::Error, [&](ArchiveFile& file) {
            file.rewrite(position, [&](QByteArrayView stored) -> std::optional<Record> {
                if (!known) {
                    written = Written::Form;
                    return form;
                }
                CardMerge merge = mergeCard(*m_loaded, here, stored);
                if (m_setup.derive)
                    m_setup.derive(merge.merged);
                switch (merge.outcome) {
                case CardMerge::Outcome::Unchanged:
                    written = Written::Form;
                    return form;
                case CardMerge::Outcome::Merged:
                    written = Written::Merged;
                    merged = merge.merged;
                    return merged;
                case CardMerge::Outcome::Conflict:
                    if (asked && *asked == stored) {
                        written = Written::OverConflict;
                        merged = merge.merged;
                        return merged;
                    }
                    asked = stored.toByteArray();
                    conflicts = merge.conflicts;
                    return std::nullopt;
                }
                return std::nullopt;
            });
        });
        if (!done)
            return;
        if (written != Written::Nothing)
            break;
        QStringList labels;
        for (qsizetype i : std::as_const(conflicts))
            labels.append(fieldLabel(m_setup.layout->at(i).name));
        // No: nothing is written, and the form keeps what was typed.
        if (m_services.messages().ask(this, conflictQuestion(labels)) == Answer::No)
            return;
    }
    if (written == Written::Form) {
        setPosition(position);
        keepLoaded(asStored(form), position);
    } else {
        // What is on screen is what is now on disk.
        loadRecord(asStored(*merged), position);
    }
    m_services.messages().information(this,
                                      written == Written::Merged ? mergedMessage() : changesSaved);
}

void RecordEditor::showEvent(QShowEvent* event) {
    AppWindow::showEvent(event);
    // Coming back from the task bar is no new showing.
    if (event->spontaneous())
        return;
    clearForm();
    showing();
}

} // namespace tarvola
