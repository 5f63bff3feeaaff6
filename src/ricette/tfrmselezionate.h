#pragma once

#include "archive/record.h"
#include "archive/searchwindow.h"

#include <functional>

namespace tarvola {

// The red prescriptions not yet completed, rebuilt at each opening; a double click
// reopens one in the editor.
class TfrmSelezionate : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmSelezionate(Services& services, QWidget* parent = nullptr);

    void setRecallTarget(std::function<void(const Record& record, qint64 position)> target);

private:
    std::function<void(const Record&, qint64)> m_target;
};

} // namespace tarvola
