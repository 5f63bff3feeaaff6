#pragma once

#include "archive/searchwindow.h"
#include "pazienti/pazientisearch.h"

#include <array>
#include <functional>

namespace tarvola {

// Finds patient cards by up to ten partial keys. A double click either reloads the chosen
// card in the patient editor (tag "pazienti", through the recall target) or copies some of
// its values into the editor that opened the search: eight into the prescription editor
// (tag "prescrizioni"), three into the red prescription editor (tag "ricette"). The opener
// sets the tag and its target, which gets each value with the name of its control:
//
//     TfrmTrovaPazienti search(m_services, this);
//     search.setTag(QStringLiteral("prescrizioni"));
//     search.setImportTarget(paziente::ImportEditor::Prescrizione,
//                            [this](const QString& control, const QString& value) {
//                                setFieldText(control.mid(3), value); // txtPaziente ...
//                            });
//     search.exec();
class TfrmTrovaPazienti : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaPazienti(Services& services, QWidget* parent = nullptr);

    using ImportTarget = std::function<void(const QString& control, const QString& value)>;

    // The tag of one editor: each value goes to the target with its control's name. A tag
    // of the other editor writes nothing.
    void setImportTarget(paziente::ImportEditor editor, ImportTarget target);

private:
    bool recall(const QString& tag, qint64 position, const RecordView& record) const;

    std::array<ImportTarget, 2> m_targets;
};

} // namespace tarvola
