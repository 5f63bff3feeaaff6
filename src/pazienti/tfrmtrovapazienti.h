#pragma once

#include "archive/record.h"

#include <QDialog>

#include <functional>

class QLabel;

namespace tarvola {

class Services;

// Not built yet: the window exists with its caption and takes its opener's tag and the
// editor a chosen card goes back to, as every search window does.
class TfrmTrovaPazienti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaPazienti(Services& services, QWidget* parent = nullptr);

    // The opener's tag, kept in the hidden label lblMemory.
    void setTag(const QString& tag);
    QString tag() const;

    // Where a chosen card is loaded (the patient editor, tag "pazienti").
    using RecallTarget = std::function<void(const Record& record, qint64 position)>;
    void setRecallTarget(RecallTarget target) { m_target = std::move(target); }

private:
    Services& m_services;
    QLabel* m_memory;
    RecallTarget m_target;
};

} // namespace tarvola
