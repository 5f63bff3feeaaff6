#pragma once

#include "archive/recordeditor.h"

namespace tarvola {

// The drug archive app: one card per drug prescribed often, browsed and stored in
// Farmaci.pro as every archive editor does, with the price kept as a decimal with a comma,
// the "Da ordinare" mark, the search, the list of drugs to order, the card print, the export
// and the attachments.
class TfrmFarmaci : public RecordEditor {
    Q_OBJECT
public:
    explicit TfrmFarmaci(Services& services, QWidget* parent = nullptr);

protected:
    void clearExtras() override;
    void beforeSave() override;

private:
    QWidget* buildForm();
    void showSearch();
    void showToOrder();
};

} // namespace tarvola
