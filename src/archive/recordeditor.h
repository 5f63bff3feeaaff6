#pragma once

#include "archive/appwindow.h"
#include "archive/fieldbinding.h"
#include "archive/record.h"
#include "platform/services.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QBoxLayout;
class QLabel;
class QToolButton;

namespace tarvola {

class ArchiveFile;
class StatusHints;

// A save refuses to write while one of the fields holds only blanks (or, with accepts, a
// trimmed text that accepts refuses, such as a date that does not exist): it shows the
// warning and puts the focus on the control named focus.
struct RequiredFields {
    QStringList fields;
    QString focus;
    QString warning;
    std::function<bool(const QString& trimmed)> accepts = {};
};

// What an editor declares about itself; everything else is common to the editors.
struct EditorSetup {
    const RecordLayout* layout = nullptr;
    // The archive in the program folder (an editor may choose it later: archiveName()).
    QString archiveName;
    // The hidden label holding the full path of the archive, for an editor whose archive is
    // chosen by another window (the prescription year); empty: archiveName in the program
    // folder. The editor creates the label.
    QString archivePathLabel;
    // The control that takes the focus on a new card and after a duplicate.
    QString firstField;
    // The control that takes the focus after a duplicate instead, when not empty.
    QString duplicateFocus;
    // Checked by a save, in this order.
    QList<RequiredFields> required;
    // Fields a new card keeps as they are.
    QStringList keptOnClear;
    // Fields a duplicate empties (the editor's duplicateResets() does the rest).
    QStringList emptiedOnDuplicate;
    // Fields a duplicate empties only once the archive proved writable, so that a duplicate
    // the archive refuses leaves them on screen.
    QStringList emptiedOnDuplicateOnceOpen;
    // Whether a duplicate opens and closes the archive to make sure it can be written.
    bool duplicateOpensArchive = true;
    // How a duplicate reports an archive it cannot open.
    MessageKind duplicateFailure = MessageKind::Warning;
    // What a new card shows in these fields instead of nothing (amounts "0,00"); a field a
    // duplicate empties goes back to it too.
    QHash<QString, QString> startTexts;
    // A form in parts (sections, pages of rows) names the parts the operations bring on
    // screen, in this order, through showView(), before the focus moves: after clearing,
    // after a duplicate, after a save refused for a missing field. Loading a card and a
    // save that succeeds leave the part on screen as it is.
    QStringList viewsOnClear;
    QStringList viewsOnDuplicate;
    QStringList viewsOnRefusedSave;
    QString duplicateRefusal;      // warning: a duplicate of a card not yet stored
    QString duplicateConfirmation; // information after a duplicate
    // Status line hints: control name, hint.
    QList<std::pair<QString, QString>> hints;
    // The tag the attachments window gets from this editor's cmdFile.
    QString attachmentTag;
    // How a save that found the card changed by another station names a field: its
    // on-screen label. Empty (or an empty answer) for the common rule: the caption whose
    // buddy is the field's control, else the check box's text, else the attachments
    // window's caption of an attachment field, else the field's name.
    std::function<QString(const QString& field)> fieldLabel;
    // Fields a save computes from others (the red form's summaries): a merge of what two
    // stations saved leaves them out of the comparison and computes them again with derive.
    QStringList derivedFields;
    std::function<void(Record&)> derive;

    // Adds a status line hint.
    void hint(const char* control, const char* text);
    // What every archive editor says in the same words but for the name of its cards
    // ("scheda" / "schede", "ricetta" / "ricette"): the hints of navigation, export, help and
    // exit, and the duplicate's refusal and confirmation.
    void commonTexts(const QString& card, const QString& cards);
};

// The common behaviour of the archive editors: one card of one archive at a time, its
// 1-based position in lblPosizione (empty for a card not stored), the buttons first,
// previous, next, last, new, duplicate, save and exit, the status line panInfo, and
// their messages. Every field X of the record is bound by name to the control txtX,
// else to the (hidden) label lblX, else to the check box chkX; an editor binds other
// controls itself with bindField().
//
// An editor derives from it, builds its controls, lays out the common ones (command(),
// navigator(), statusLine()) with its own through setToolbar() and setForm(), and calls
// bindFields() at the end of its constructor.
class RecordEditor : public AppWindow {
    Q_OBJECT
public:
    // The card on screen, every field from its control.
    Record formRecord() const;
    // Shows a stored card and its position: what navigation and the search windows do.
    void loadRecord(const Record& record, qint64 position);
    // The position shown, empty for a card not stored.
    QString positionText() const;
    // The on-screen label of a field, as a save names it when asking about it.
    QString fieldLabel(const QString& field) const;

    // The buttons' operations.
    void first();
    void previous();
    void next();
    void last();
    // An editor that puts more into a new card (a number) does it around the clearing.
    virtual void newCard();
    void duplicate();
    void save();

protected:
    RecordEditor(Services& services, EditorSetup setup, QWidget* parent = nullptr);

    // Binds one field to something else than its control by name (before bindFields()).
    void bindField(const QString& field, FieldBinding binding);
    // Binds every other field by name and installs the status line hints; a field or a
    // hint without its control stops the program, naming it.
    void bindFields();

    // The text of a field as the form shows it, and showing a text in it.
    QString fieldText(const QString& field) const;
    void setFieldText(const QString& field, const QString& text);
    void clearField(const QString& field);

    // The editor's own part of clearing the form, after the common part.
    virtual void clearExtras() {}
    // The editor's resets of a duplicate, besides emptiedOnDuplicate.
    virtual void duplicateResets() {}
    // Runs once the required fields are there, before the record is built.
    virtual void beforeSave() {}
    // Runs on every showing, after the clearing (settings the editor remembers).
    virtual void showing() {}
    // The archive file's name in the program folder.
    virtual QString archiveName() const { return m_setup.archiveName; }
    // The full path every operation on the archive opens.
    QString archivePath() const;
    // Brings one of the views the setup names on screen.
    virtual void showView(const QString& view) { Q_UNUSED(view); }

    // The common controls, to be laid out by the editor.
    QToolButton* command(const QString& name) const;
    // A picture button of the editor's own, with its caption (may be empty), on parent
    // (the window when null).
    QToolButton* makeCommand(const QString& name, const QString& icon, const QString& caption,
                             QWidget* parent = nullptr);
    // cmdPrimo, cmdIndietro, lblPosizione, cmdAvanti, cmdUltimo in a row.
    QWidget* navigator() const { return m_navigator; }
    QLabel* statusLine() const { return m_statusLine; }
    // A widget of the editor's form whose own area is background for the status line.
    void addHintBackground(QWidget* widget);

    // The window: a tool bar of these items (nullptr = a separator, then space), the
    // form, the status line.
    void setToolbar(const QList<QWidget*>& items);
    // The tool bar every archive editor has: new, duplicate, save | find (cmdTrova), attach
    // (cmdFile, which opens the attachments window), print (cmdStampa) | export (cmdEsporta)
    // and the editor's own list button | help (cmdGuida), exit. Find the buttons with command().
    // An editor that previews its card gives its preview button, which goes before print.
    // The hidden labels lblFile01..03 and lblDesc01..03 of the attachments come with it.
    void setArchiveToolbar(QToolButton* listButton, QToolButton* previewButton = nullptr);
    void setForm(QWidget* form);

    void focusControl(const QString& name);

    void showEvent(QShowEvent* event) override;

private:
    struct Move;
    void navigate(const std::function<Move(qint64 shown, qint64 count)>& step);
    // The number in lblPosizione: 0 when empty, nothing when it is not a position.
    std::optional<qint64> shownPosition() const;
    void setPosition(qint64 position);
    void clearForm();
    // Empties a field, or shows its start text.
    void resetField(const QString& field);
    void showViews(const QStringList& views);
    // Runs work on the open archive; false (after the access message) when it fails.
    bool withArchive(MessageKind failure, const std::function<void(ArchiveFile&)>& work);
    // Writes the form over the stored card at position, merging what another station saved
    // there since this form loaded it.
    // typed: the form as the user left it, before the editor's own corrections of a save.
    void saveInPlace(qint64 position, const Record& typed, const Record& form);
    // Remembers the card the form now shows as loaded, stored at position, with its texts as
    // the archive holds them.
    void keepLoaded(const Record& record, qint64 position);
    void forgetLoaded();
    // The form's card with the fields the user did not change since loading holding the
    // loaded texts.
    Record changedHere(const Record& typed, const Record& form) const;
    const FieldBinding& binding(const QString& field) const;

    EditorSetup m_setup;
    QHash<QString, FieldBinding> m_bindings;
    QHash<QString, QToolButton*> m_commands;
    QLabel* m_position;
    QLabel* m_statusLine;
    QWidget* m_navigator;
    QBoxLayout* m_toolbar;
    QBoxLayout* m_body;
    StatusHints* m_hints;
    bool m_bound = false;
    // The card as it was loaded or last saved, with its position, and the texts loading it
    // put into the controls: what a save in place compares with.
    std::optional<Record> m_loaded;
    qint64 m_loadedPosition = 0;
    QStringList m_shown;
};

} // namespace tarvola
