#pragma once

#include "archive/record.h"
#include "archive/searchwindow.h"

#include <functional>

namespace tarvola {

// Finds red prescriptions by up to ten partial keys and reopens the chosen one in the
// editor (tag "ricette").
class TfrmTrovaRicette : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaRicette(Services& services, QWidget* parent = nullptr);

    // What a double click does with each record of the chosen line: the editor loads it.
    void setRecallTarget(std::function<void(const Record& record, qint64 position)> target);

private:
    std::function<void(const Record&, qint64)> m_target;
};

} // namespace tarvola
