#include "support/reportfakes.h"

#include <QLabel>
#include <QTest>

namespace tarvola::testing {

PrintOutcome RecordingReports::print(QWidget*, const report::PreparedReport& report) {
    printed.push_back(report);
    if (whilePrinting)
        whilePrinting();
    return {answer,
            answer == PrintOutcome::Failed ? QStringLiteral("stampante guasta") : QString()};
}

void RecordingReports::preview(QWidget*, const report::PreparedReport& report) {
    previewed.push_back(report);
}

QStringList linesOf(const report::PreparedReport& report, const QString& memo) {
    QStringList out;
    for (const report::PreparedPage& page : report.pages) {
        for (const report::TextOp& text : page.textsOf(memo))
            out << text.text;
    }
    return out;
}

namespace {

QStringList numberedNames(const QString& prefix, int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

} // namespace

QStringList FakeRicettaEditor::editNames() {
    QStringList names{QStringLiteral("txtAssistito"), QStringLiteral("txtIndirizzo"),
                      QStringLiteral("txtCodFisc")};
    names << numberedNames(QStringLiteral("txtEse"), 6)
          << numberedNames(QStringLiteral("txtProv"), 2)
          << numberedNames(QStringLiteral("txtAsl"), 3)
          << numberedNames(QStringLiteral("txtNum"), 8)
          << numberedNames(QStringLiteral("txtPresc"), 9)
          << numberedNames(QStringLiteral("txtCuf"), 6)
          << numberedNames(QStringLiteral("txtConf"), 3)
          << numberedNames(QStringLiteral("txtTipoRic"), 2)
          << numberedNames(QStringLiteral("txtData"), 6)
          << numberedNames(QStringLiteral("txtMedico"), 4);
    return names;
}

QStringList FakeRicettaEditor::toggleNames() {
    return {QStringLiteral("NonEsente"), QStringLiteral("Reddito"), QStringLiteral("Sugg"),
            QStringLiteral("Ricov"),     QStringLiteral("Altro"),   QStringLiteral("U"),
            QStringLiteral("B"),         QStringLiteral("D"),       QStringLiteral("P")};
}

FakeRicettaEditor::FakeRicettaEditor() {
    setObjectName(QStringLiteral("TfrmRicette"));
    for (const QString& name : editNames())
        (new QLineEdit(this))->setObjectName(name);
    for (const QString& toggle : toggleNames()) {
        auto* no = new QLabel(QStringLiteral("[ ]"), this);
        no->setObjectName(QStringLiteral("btn") + toggle + QStringLiteral("_NO"));
        auto* yes = new QLabel(QStringLiteral("[X]"), this);
        yes->setObjectName(QStringLiteral("btn") + toggle + QStringLiteral("_SI"));
        yes->hide();
    }
}

QLineEdit* FakeRicettaEditor::edit(const QString& name) const {
    auto* found = findChild<QLineEdit*>(name);
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no edit named ") + name), __FILE__, __LINE__);
    return found;
}

void FakeRicettaEditor::setTicked(const QString& toggle, bool ticked) {
    findChild<QLabel*>(QStringLiteral("btn") + toggle + QStringLiteral("_SI"))->setVisible(ticked);
    findChild<QLabel*>(QStringLiteral("btn") + toggle + QStringLiteral("_NO"))->setVisible(!ticked);
}

QStringList FakeRicettaEditor::snapshot() const {
    QStringList out;
    for (const QString& name : editNames())
        out << name + u'=' + edit(name)->text();
    for (const QString& toggle : toggleNames()) {
        const auto* yes =
            findChild<QLabel*>(QStringLiteral("btn") + toggle + QStringLiteral("_SI"));
        out << toggle + (yes->isHidden() ? QStringLiteral("=no") : QStringLiteral("=sì"));
    }
    return out;
}

} // namespace tarvola::testing
