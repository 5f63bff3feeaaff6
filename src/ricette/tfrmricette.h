#pragma once

#include "archive/recordeditor.h"

#include <QList>

class QLineEdit;

namespace tarvola {

class RicettaPaper;
class Toggle;

// The red prescription app: the paper form on screen, one control per box, browsing and
// storing the cards of Archivio_Ricette.pro as every archive editor does.
class TfrmRicette : public RecordEditor {
    Q_OBJECT
public:
    explicit TfrmRicette(Services& services, QWidget* parent = nullptr);

protected:
    void clearExtras() override;
    void duplicateResets() override;
    void beforeSave() override;
    void showing() override;
    void leaving() override;

private:
    void buildForm(RicettaPaper* paper);
    QLineEdit* addLine(RicettaPaper* paper, const QString& name, const QRectF& mm, int length,
                       qreal fontMm);
    QLineEdit* addBox(RicettaPaper* paper, const QString& name, const QRectF& mm);
    void addToggle(RicettaPaper* paper, const QString& stem, const QRectF& mm);
    void putTodayInDateBoxes();
    void showHelp();
    void showSearch();
    void showOpenList();

    QList<QWidget*> m_order;
    QList<QLineEdit*> m_boxes;
};

} // namespace tarvola
