// One station of a practice, as a process of its own: a real drug editor on the first card of
// a program folder's Farmaci.pro, which another station edits at the same time.
// Usage: merge_station <program-folder> <field>
// Once the card is loaded it prints "pronta"; then for every line read from its input it puts that
// line into the field's edit, saves, and prints how the save ended: "salvata", "unita", "domanda"
// (it was asked about a conflict) or "altro: <message>".

#include "farmaci/tfrmfarmaci.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextStream>
#include <QToolButton>

#include <cstdio>

using namespace tarvola;
using namespace tarvola::testing;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    FakeReportServices fake(args[1]);
    TfrmFarmaci window(fake.services);
    FormAccess form(&window);
    if (!showActive(&window))
        return 3;
    form.click(QStringLiteral("cmdPrimo"));
    const QString edit = QStringLiteral("txt") + args[2];
    if (form.position() != QStringLiteral("1") || !window.findChild<QLineEdit*>(edit))
        return 4;

    QTextStream in(stdin);
    QTextStream out(stdout);
    out << "pronta" << Qt::endl;
    const QString saved = QStringLiteral(
        "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    QString line;
    while (in.readLineInto(&line)) {
        fake.messages.clear();
        form.setText(edit, line);
        form.click(QStringLiteral("cmdSalva"));
        QString outcome = QStringLiteral("altro: ") + fake.messages.texts().join(u'|');
        if (fake.messages.shown.size() == 1 && fake.messages.shown[0].question)
            outcome = QStringLiteral("domanda");
        else if (fake.messages.texts() == QStringList{saved})
            outcome = QStringLiteral("salvata");
        else if (fake.messages.texts().size() == 1 &&
                 fake.messages.last().startsWith(QStringLiteral("La scheda era stata modificata")))
            outcome = QStringLiteral("unita");
        out << outcome << Qt::endl;
    }
    return 0;
}
