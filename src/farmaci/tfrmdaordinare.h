#pragma once

#include "archive/record.h"
#include "archive/searchwindow.h"

#include <functional>

namespace tarvola {

// The drugs kept in the surgery that are running out: the cards ticked "Da ordinare", read
// again at each opening. A double click reopens one in the drug editor.
class TfrmDaOrdinare : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmDaOrdinare(Services& services, QWidget* parent = nullptr);

    void setRecallTarget(std::function<void(const Record& record, qint64 position)> target);

private:
    std::function<void(const Record&, qint64)> m_target;
};

} // namespace tarvola
