#pragma once

#include "archive/record.h"
#include "archive/searchwindow.h"
#include "farmaci/farmacorecord.h"

#include <array>
#include <functional>

namespace tarvola {

// Finds drug cards by up to ten partial keys. A double click either reopens the chosen card
// in the drug editor (tag "farmaci") or writes the drug's name into one prescription line
// of the editor that opened the search (tags "presc01" ... "presc07" and "presc_01" ...
// "presc_09"). The opener sets the tag and its target:
//
//     TfrmTrovaFarmaci search(m_services, this);
//     search.setTag(QStringLiteral("presc_03"));
//     search.setImportTarget(farmaco::LineImport::Editor::RicettaRossa,
//                            [this](int line, const QString& name) { ... });
//     search.exec();
class TfrmTrovaFarmaci : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaFarmaci(Services& services, QWidget* parent = nullptr);

    using LineTarget = std::function<void(int line, const QString& drugName)>;

    // The tags of one editor's prescription lines: the trimmed drug name goes to the line
    // the tag names. A tag of the other editor writes nothing.
    void setImportTarget(farmaco::LineImport::Editor editor, LineTarget target);

private:
    bool recall(const QString& tag, qint64 position, const RecordView& record) const;

    std::array<LineTarget, 2> m_lines;
};

} // namespace tarvola
