#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvola {

class Services;

// The attachments of the card on screen: three slots, each a file name kept in the shared
// folder Documenti_Allegati and a description. The window is opened by an editor (its
// parent) with the editor's tag in lblMemory; it fills its slots from the editor's hidden
// labels lblFile01..lblFile03 and lblDesc01..lblDesc03 when shown and writes them back
// only on "Applica e chiudi". Files copied into the folder stay there for good.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(Services& services, QWidget* parent = nullptr);

    static constexpr int slotCount = 3;

    // The folder holding every attached file: Documenti_Allegati in the program folder.
    static QString folder(const Services& services);
    // The path an attached file's stored name stands for. Only the bare name counts, so a
    // name carrying a folder part never leads outside the attachments folder; a name that
    // is no file name at all ("", ".", "..") gives an empty path.
    static QString storedPath(const Services& services, const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Slot {
        QLineEdit* name = nullptr;
        QLineEdit* description = nullptr;
        QPushButton* open = nullptr;
    };

    QWidget* buildSlot(int index);
    void fillFromCaller();
    void browse(int index);
    void openFile(int index);
    void apply();
    QLabel* callerLabel(const QString& name) const;

    Services& m_services;
    QLabel* m_memory;
    std::array<Slot, slotCount> m_slots;
};

// The caption of an attachment slot's name or description (index 0 ... slotCount - 1), as
// the window shows it, without its colon: "Nome 1° file allegato".
QString attachmentCaption(int index, bool description);

// What an editor's "Allega file" button does: opens the attachments window for the
// editor's card with the editor's tag ("ricetta", "prescrizioni", "farmaci" or
// "pazienti"). The editor must hold the six hidden labels lblFile01..lblDesc03.
void openAttachments(Services& services, QWidget* editor, const QString& tag);

} // namespace tarvola
