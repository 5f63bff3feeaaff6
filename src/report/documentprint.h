#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <functional>

class QWidget;

namespace tarvola {

class Services;

namespace report {
class ReportTemplate;

// The footer txtCalce of the document templates: "Stampa eseguita in data 14/03/2026 alle
// ore 09:30:00".
QString printedOnText(const QDate& date, const QTime& time);
} // namespace report

// The editor's own control of that name, not one of a window the editor has opened;
// ReportError when the editor has none.
QWidget* editorControl(QWidget* editor, const QString& name);

// The trimmed text of the editor's edit, label or button of that name; ReportError when
// there is no such control or it holds no text.
QString editorText(QWidget* editor, const QString& name);

enum class DocumentOutput { Print, Preview };

// What the "Stampa" (or "Mostra anteprima") button of a document print window does: loads
// the template, sets it to portrait, lets fill put in the values, sets the footer txtCalce to
// today's date and time, lays the page out and prints it through the print dialog (or shows
// the preview). True when the window is done (printed, previewed or the print dialog
// cancelled); a failure shows its own text and gives false, and the window stays open.
//
//     if (printDocument(m_services, this, report::templates::schedaFarmaco,
//                       [this](report::ReportTemplate& form) { fill(form); }))
//         accept();
bool printDocument(Services& services, QWidget* window, const QString& templatePath,
                   const std::function<void(report::ReportTemplate& form)>& fill,
                   DocumentOutput output = DocumentOutput::Print);

} // namespace tarvola
