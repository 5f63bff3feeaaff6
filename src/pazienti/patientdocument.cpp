#include "pazienti/patientdocument.h"

#include "archive/logo.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "report/reporttemplate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

QPushButton* layOutActionDialog(QDialog* dialog, QWidget* picture, QWidget* caption,
                                const QString& action) {
    auto* run = named(new QPushButton(action, dialog), QStringLiteral("btnStampa"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), dialog), QStringLiteral("btnAnnulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {run, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(caption);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return run;
}

PatientDocumentWindow::PatientDocumentWindow(Services& services, QWidget* parent, Sheet sheet)
    : QDialog(parent)
    , m_services(services)
    , m_sheet(std::move(sheet))
    , m_editor(parent) {
    setObjectName(m_sheet.objectName);
    setWindowTitle(m_sheet.caption);
    makeFixedDialog(this);

    auto* picture = named(new QLabel(this), QStringLiteral("imgStampa"));
    picture->setPixmap(svgPixmap(m_sheet.picture, QSize(220, 150)));
    auto* caption = new QLabel(m_sheet.explanation, this);
    caption->setAlignment(Qt::AlignCenter);
    // The logo convention's two hidden pictures: the logo read for the sheet and its copy.
    for (const char* name : {"imgLogo", "imgTemp"})
        named(new QLabel(this), QString::fromLatin1(name))->hide();

    QPushButton* run = layOutActionDialog(this, picture, caption, m_sheet.button);
    connect(run, &QPushButton::clicked, this, &PatientDocumentWindow::output);
}

QString PatientDocumentWindow::text(const QString& control) const {
    return editorText(m_editor, control);
}

void PatientDocumentWindow::fillLabelled(
    report::ReportTemplate& form, const QList<std::pair<const char*, const char*>>& memos) const {
    for (const auto& [memo, leading] : memos) {
        const QString name = QString::fromLatin1(memo);
        // The preferred days and hours are the editor's txtOrari.
        const QString control =
            name == QStringLiteral("txtGiorni") ? QStringLiteral("txtOrari") : name;
        form.memo(name).setText(QString::fromUtf8(leading) + text(control));
    }
}

void PatientDocumentWindow::output() {
    const auto fillAll = [this](report::ReportTemplate& form) {
        form.picture(QStringLiteral("imgLogo")).image = logo::load(m_services.programFolder());
        form.memo(QStringLiteral("txtPaziente"))
            .setText(QStringLiteral("Paziente:  ") + text(QStringLiteral("txtCognome")) + u' ' +
                     text(QStringLiteral("txtNome")));
        form.memo(QStringLiteral("txtCodFisc"))
            .setText(QStringLiteral("Codice fiscale:  ") + text(QStringLiteral("txtCodFisc")));
        form.memo(QStringLiteral("txtIndirizzo"))
            .setText(text(QStringLiteral("txtIndirizzo")) + QStringLiteral(" - ") +
                     text(QStringLiteral("txtComuneRes")) + u' ' +
                     text(QStringLiteral("txtProvRes")));
        form.memo(QStringLiteral("txtRecapito")).setText(text(QStringLiteral("txtRecapito")));
        fill(form);
    };
    if (printDocument(m_services, this, m_sheet.templatePath, fillAll, m_sheet.output))
        accept();
}

} // namespace tarvola
