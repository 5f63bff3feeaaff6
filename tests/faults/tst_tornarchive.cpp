// A torn archive: a save cut off by a crash or a full disk left part of a card at the end.
// The archive still opens everywhere, shows its whole cards only, and the next save lands
// on the boundary after them.

#include "operations.h"

#include "archive/archivefile.h"
#include "platform/files.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmselezionate.h"
#include "ricette/tfrmtrovaricette.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

constexpr qint64 cardSize = 2550;
constexpr int wholeCards = 5;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines the search lists, with the patient of each.
QStringList searched(Services& services) {
    TfrmTrovaRicette window(services);
    window.setTag(QStringLiteral("ricette"));
    window.show();
    control<QAbstractButton>(&window, QStringLiteral("btnCerca"))->click();
    return window.lines();
}

} // namespace

class TestTornArchive : public QObject {
    Q_OBJECT
private slots:
    void tornTailIsNoCardAndTheNextSaveLandsOnTheBoundary_data() {
        QTest::addColumn<int>("tail");
        QTest::newRow("one byte") << 1;
        QTest::newRow("half a card") << int(cardSize / 2);
        QTest::newRow("all but one byte") << int(cardSize - 1);
    }

    void tornTailIsNoCardAndTheNextSaveLandsOnTheBoundary() {
        QFETCH(int, tail);
        QTemporaryDir dir;
        const QString folder = dir.path();
        seedProgramFolder(folder, wholeCards);
        const QString path = files::join(folder, QString::fromLatin1(ricetta::archiveName));
        const QByteArray whole = contents(path);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write(seededCard(wholeCards + 1).left(tail));
        }
        FakeServices fakes(folder);

        // Opened and counted: the whole cards only, the last of them readable.
        {
            ArchiveFile archive(path, ricetta::layout());
            QCOMPARE(archive.count(), wholeCards);
            QCOMPARE(archive.read(wholeCards).toBytes(), seededCard(wholeCards));
        }

        // Searched, listed and exported: the whole cards, and nothing said.
        const QStringList lines = searched(fakes.services);
        QCOMPARE(lines.size(), wholeCards);
        for (int n = 1; n <= wholeCards; ++n)
            QVERIFY(lines[n - 1].startsWith(QStringLiteral("PAZIENTE %1 ").arg(n)));
        {
            TfrmSelezionate open(fakes.services);
            open.show();
            QCOMPARE(open.lines(), lines);
        }
        {
            TfrmExpRicette exporter(fakes.services);
            exporter.show();
            QCOMPARE(exporter.rows().size(), wholeCards);
            QCOMPARE(exporter.rows().last().first(), QStringLiteral("PAZIENTE %1").arg(wholeCards));
        }
        QCOMPARE(fakes.messages.texts(), QStringList());

        // The editor's next save goes over the torn tail, on the boundary.
        const Outcome saved = runOperation(QStringLiteral("salva"), folder);
        QVERIFY2(!saved.failed, qPrintable(saved.messages.join(u'|')));
        const QByteArray after = contents(path);
        QCOMPARE(after.size(), (wholeCards + 1) * cardSize);
        QCOMPARE(after.left(whole.size()), whole);
        {
            ArchiveFile archive(path, ricetta::layout());
            QCOMPARE(archive.count(), wholeCards + 1);
            QCOMPARE(archive.read(wholeCards + 1).value(QStringLiteral("Assistito")),
                     QStringLiteral("NUOVA SCHEDA"));
        }
        QCOMPARE(searched(fakes.services).size(), wholeCards + 1);
    }
};

QTEST_MAIN(TestTornArchive)
#include "tst_tornarchive.moc"
