#include "help/tfrmguida.h"

#include "help/link.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QSize clientSize(670, 572);

} // namespace

TfrmGuida::TfrmGuida(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    makeFixedDialog(this);
    setFixedSize(clientSize);

    auto* logo = named(new QLabel(this), QStringLiteral("imgLogo"));
    logo->setPixmap(svgPixmap(QStringLiteral(":/images/striscia_guida.svg"), QSize(670, 64)));
    logo->setFixedSize(670, 64);

    m_title = named(new QLabel(QStringLiteral("Argomento della guida."), this),
                    QStringLiteral("lblTitolo"));
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setStyleSheet(QStringLiteral("color: #163d84;"));

    m_text = named(new QPlainTextEdit(this), QStringLiteral("txtGuida"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->document()->setDocumentMargin(8);
    m_text->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #ffffff; border: 1px solid #b9cbec; }"));

    auto* pdfPicture = named(new ClickableLabel(this), QStringLiteral("imgPDF"));
    pdfPicture->setPixmap(svgPixmap(QStringLiteral(":/images/pdf.svg"), QSize(32, 32)));
    pdfPicture->setFixedSize(32, 32);
    setHint(pdfPicture, QStringLiteral("Visualizza guida in formato PDF"));
    auto* pdfLink = named(new ClickableLabel(this), QStringLiteral("lnkWeb"));
    pdfLink->setText(QStringLiteral("Visualizza guida in formato PDF"));
    makeLink(pdfLink, {pdfPicture}, [this] { openGuide(); });

    auto* bottom = linkRow(this, pdfPicture, pdfLink);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(18, 10, 18, 14);
    body->setSpacing(8);
    body->addWidget(m_title);
    body->addWidget(m_text, 1);
    body->addLayout(bottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(logo);
    layout->addLayout(body, 1);
}

void TfrmGuida::setTopic(const QString& title, const QString& text) {
    m_title->setText(title);
    // The text keeps Windows line breaks; the editor wants one line feed per line.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(shown);
}

void TfrmGuida::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmGuida::openGuide() {
    m_services.shell().open(u'"' + m_services.path(QStringLiteral("Guida.pdf")) + u'"');
}

void openHelp(Services& services, QWidget* parent, help::TopicId id) {
    TfrmGuida window(services, parent);
    const help::Topic topic = help::topic(id);
    window.setTopic(topic.title, topic.text);
    window.exec();
}

} // namespace tarvola
