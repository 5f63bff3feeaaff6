#pragma once

#include "archive/recordeditor.h"

#include <QList>

class QGridLayout;
class QLineEdit;

namespace tarvola {

// The prescription app: prescriptions of drugs or clinical tests issued on blank paper under
// the practice's header, numbered and stored in the archive of the year the year window
// opened (its path in the hidden label lblFile). Each prescription keeps its own copy of the
// header, which a new prescription keeps and which is remembered in Velmora.ini between
// sessions.
class TfrmPrescrizioni : public RecordEditor {
    Q_OBJECT
public:
    explicit TfrmPrescrizioni(Services& services, QWidget* parent = nullptr);

    // Works on the archive of that year from now on (what the year window's "Apri" does).
    void openYear(const QString& archivePath, const QString& year);

    // Clears the form and gives it the next number of the year and today's date.
    void newCard() override;

protected:
    void duplicateResets() override;
    void showing() override;
    void leaving() override;

private:
    QWidget* buildForm();
    QLineEdit* addEdit(QWidget* parent, QGridLayout* grid, const QString& field, int row,
                       int column, int span = 1);
    void addLines(QWidget* parent, QGridLayout* grid, int row);
    QString today() const;
    void showSearch();
    void showNumbering();
    void importDrug(int line);
    void importPatient();

    QList<QWidget*> m_order;
};

} // namespace tarvola
