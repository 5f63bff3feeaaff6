#pragma once

#include "archive/recordeditor.h"

#include <QList>

class QFrame;
class QGridLayout;
class QLabel;
class QToolButton;

namespace tarvola {

enum class DocumentOutput;

// The patient archive app: one card of Pazienti.pro at a time over six sections (personal
// data, anamnesis, clinical analyses, the 96 performed services on six pages, the therapy
// history, the clinical folder), browsed and stored as every archive editor does, with the
// checks of its codes, the e-mail and privacy buttons, the card print and the attachments.
class TfrmPazienti : public RecordEditor {
    Q_OBJECT
public:
    explicit TfrmPazienti(Services& services, QWidget* parent = nullptr);

    // The section on screen (1 to 6) and the services page shown (1 to 6).
    int section() const;
    int servicesPage() const;

protected:
    void clearExtras() override;
    void showView(const QString& view) override;
    void showing() override;
    void leaving() override;

private:
    QWidget* buildForm();
    QFrame* buildSection(int number, QWidget* contents, QWidget* corner = nullptr);
    QWidget* buildFieldGrid(const QList<QList<std::pair<const char*, int>>>& rows,
                            const QStringList& order);
    QWidget* buildPersonal();
    QWidget* buildAnamnesis();
    QWidget* buildAnalyses();
    QWidget* buildServices();
    QWidget* buildTherapies();
    QWidget* buildFolder();
    QWidget* buildRows(const QString& first, int rows, int number, bool money);

    void selectSection(int number);
    void showServicesPage(int page);
    void stepServicesPage(int step);
    void updateTitles();
    void setBareTitles();
    void openFolder();
    void writeEmail();
    void openPrivacy();
    void printCard(DocumentOutput output);
    void showSearch();
    void wireChecks();
    void computeTaxCode();
    QString trimmedField(const char* field) const;

    QList<QToolButton*> m_selectors;
    QList<QLabel*> m_twins;
    QList<QFrame*> m_sections;
    QList<QLabel*> m_titles;
    QList<QWidget*> m_pages;
    QLabel* m_pageLabel = nullptr;
};

} // namespace tarvola
