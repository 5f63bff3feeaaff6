// Saving a drug card in place while another station saved the same card since it was loaded:
// what each station changed is kept, and a field both changed is overwritten only on "Sì".

#include "farmacifixture.h"
#include "support/stations.h"

#include <QDeadlineTimer>
#include <QProcess>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString merged = QStringLiteral(
    "La scheda era stata modificata da un'altra postazione dopo che è stata aperta: le "
    "modifiche di entrambe le postazioni sono state unite e salvate in archivio.");

QString question(const QString& labels) {
    return QStringLiteral("Attenzione: un'altra postazione ha modificato questa scheda dopo che è "
                          "stata aperta, anche nei campi: ") +
           labels + QStringLiteral(".\r\n\r\nSovrascriverli con i valori di questa postazione?");
}

// The card the three tests start from, at position 2 of three.
DrugCard original() {
    return DrugCard()
        .put("Farmaco", "ASPIRINA")
        .put("Produttore", "BAYER")
        .put("Forma", "COMPRESSE")
        .put("Prezzo", "");
}

struct MergeFixture : FarmaciFixture {
    MergeFixture() {
        store({DrugCard().put("Farmaco", "PRIMO"), original(), DrugCard().put("Farmaco", "TERZO")});
    }
    // Shows card 2 as navigation does.
    bool loadSecond() {
        if (!open())
            return false;
        label(QStringLiteral("lblPosizione"))->setText(QStringLiteral("1"));
        click(QStringLiteral("cmdAvanti"));
        fake.messages.clear();
        return position() == QStringLiteral("2");
    }
    // Another station writes card 2 as it likes, without the lock.
    void otherStationWrites(const DrugCard& card) const {
        overwriteAt(archive(), cardSize, card.bytes);
    }
    QString storedText(const char* field) const {
        return QString::fromLatin1(DrugCard::at(storedCard(2), field));
    }
};

// A line the station prints, waiting for it at most a minute (a station under the sanitizers
// on a busy machine is slow to start).
QString lineFrom(QProcess& station) {
    const QDeadlineTimer deadline(60000);
    while (!station.canReadLine() && !deadline.hasExpired() && station.state() == QProcess::Running)
        station.waitForReadyRead(int(deadline.remainingTime()));
    return station.canReadLine() ? QString::fromUtf8(station.readLine()).trimmed() : QString();
}

} // namespace

class TestFarmaciMerge : public QObject {
    Q_OBJECT
private slots:
    void unchangedOnDiskIsAnOrdinarySave_data() {
        QTest::addColumn<QByteArray>("disk");
        QTest::newRow("as loaded") << original().bytes;
        // What lies after a field's length is no change, however it differs.
        QByteArray junk = original().bytes;
        const StoredField& f = storedField(QStringLiteral("Produttore"));
        junk.replace(f.offset + 6, 10, QByteArray(10, 'x'));
        QTest::newRow("junk after a length") << junk;
    }
    void unchangedOnDiskIsAnOrdinarySave() {
        QFETCH(QByteArray, disk);
        MergeFixture f;
        QVERIFY(f.loadSecond());
        DrugCard other;
        other.bytes = disk;
        f.otherStationWrites(other);
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{changed});
        QCOMPARE(f.storedText("Forma"), QStringLiteral("SCIROPPO"));
        QCOMPARE(f.storedText("Produttore"), QStringLiteral("BAYER"));
        QCOMPARE(f.stored().size(), 3 * cardSize);
    }

    void changesInOtherFieldsAreMerged() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        // The other station changes the maker and the price the form shows as "0,00", and
        // ticks the card; this one the form, an attachment and its description.
        f.otherStationWrites(original().put("Produttore", "ALTRA").put("Prezzo", "12,50").ticked());
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO"));
        f.label(QStringLiteral("lblFile01"))->setText(QStringLiteral("foglietto.pdf"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{merged});
        QCOMPARE(f.storedText("Produttore"), QStringLiteral("ALTRA"));
        QCOMPARE(f.storedText("Prezzo"), QStringLiteral("12,50"));
        QCOMPARE(f.storedText("DaOrdinare"), QStringLiteral("S\xec"));
        QCOMPARE(f.storedText("Forma"), QStringLiteral("SCIROPPO"));
        QCOMPARE(f.storedText("File01"), QStringLiteral("foglietto.pdf"));
        // What is on screen is what is on disk.
        QCOMPARE(f.text(QStringLiteral("txtProduttore")), QStringLiteral("ALTRA"));
        QCOMPARE(f.text(QStringLiteral("txtPrezzo")), QStringLiteral("12,50"));
        QVERIFY(f.toOrder()->isChecked());
        QCOMPARE(f.position(), QStringLiteral("2"));

        // The next save compares with the merged card: an ordinary one.
        f.fake.messages.clear();
        f.setText(QStringLiteral("txtForma"), QStringLiteral("GOCCE"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{changed});
        QCOMPARE(f.storedText("Forma"), QStringLiteral("GOCCE"));
        QCOMPARE(f.storedText("Produttore"), QStringLiteral("ALTRA"));
        QCOMPARE(f.stored().size(), 3 * cardSize);
    }

    void sameTextOnBothSidesIsNoConflict() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        f.otherStationWrites(original().put("Forma", "SCIROPPO"));
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO "));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QVERIFY(!f.fake.messages.shown.first().question);
        QCOMPARE(f.storedText("Forma"), QStringLiteral("SCIROPPO"));
    }

    void fieldsChangedOnBothSidesAreOverwrittenOnYes() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        f.otherStationWrites(original()
                                 .put("Forma", "SUPPOSTE")
                                 .put("Produttore", "ALTRA")
                                 .put("File01", "suo.pdf"));
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO"));
        f.label(QStringLiteral("lblFile01"))->setText(QStringLiteral("mio.pdf"));
        f.fake.messages.answers = {Answer::Yes};
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(),
                 (QStringList{question(QStringLiteral("Forma farmaceutica, Nome 1° file allegato")),
                              changed}));
        QCOMPARE(f.storedText("Forma"), QStringLiteral("SCIROPPO"));
        QCOMPARE(f.storedText("File01"), QStringLiteral("mio.pdf"));
        QCOMPARE(f.storedText("Produttore"), QStringLiteral("ALTRA"));
        QCOMPARE(f.text(QStringLiteral("txtProduttore")), QStringLiteral("ALTRA"));

        f.fake.messages.clear();
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{changed});
    }

    void noWritesNothingAndKeepsTheForm() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        const DrugCard other = original().put("Forma", "SUPPOSTE").put("Produttore", "ALTRA");
        f.otherStationWrites(other);
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO"));
        f.setText(QStringLiteral("txtAtc"), QStringLiteral("N02BA01"));
        f.fake.messages.answers = {Answer::No, Answer::No};
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{question(QStringLiteral("Forma farmaceutica"))});
        QCOMPARE(f.storedCard(2), other.bytes);
        QCOMPARE(f.text(QStringLiteral("txtForma")), QStringLiteral("SCIROPPO"));
        QCOMPARE(f.text(QStringLiteral("txtAtc")), QStringLiteral("N02BA01"));
        QCOMPARE(f.text(QStringLiteral("txtProduttore")), QStringLiteral("BAYER"));
        QCOMPARE(f.position(), QStringLiteral("2"));
        // Still the same conflict: asked again.
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.shown.size(), 2);
        QCOMPARE(f.storedCard(2), other.bytes);
    }

    void damagedLengthOnDiskCountsAsChangedThere() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        DrugCard damaged = original();
        damaged.bytes[storedField(QStringLiteral("Forma")).offset] = char(0xC8); // 200 > 50
        f.otherStationWrites(damaged);
        f.setText(QStringLiteral("txtForma"), QStringLiteral("SCIROPPO"));
        f.fake.messages.answers = {Answer::Yes};
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(),
                 (QStringList{question(QStringLiteral("Forma farmaceutica")), changed}));
        QCOMPARE(f.storedText("Forma"), QStringLiteral("SCIROPPO"));
    }

    // Two stations, each a real editor in its own process on the same card, save in turn,
    // each changing its own field; each save finds the other's last one on disk.
    void twoStationsSavingInTurnKeepBothEdits() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile archive(dir.filePath(QStringLiteral("Farmaci.pro")));
        const QByteArray cards = original().bytes + DrugCard().put("Farmaco", "ALTRO").bytes;
        QVERIFY(archive.open(QIODevice::WriteOnly) && archive.write(cards) == cards.size());
        archive.close();

        QProcess maker, form;
        for (auto [station, field] : {std::pair{&maker, "Produttore"}, std::pair{&form, "Forma"}}) {
            station->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            station->start(QStringLiteral(TARVOLA_MERGE_STATION),
                           {dir.path(), QString::fromLatin1(field)});
            QVERIFY(station->waitForStarted(60000));
        }
        // Both have loaded the card before either saves.
        for (QProcess* station : {&maker, &form})
            QCOMPARE(lineFrom(*station), QStringLiteral("pronta"));
        QStringList outcomes;
        for (int round = 1; round <= 100; ++round) {
            for (auto [station, prefix] : {std::pair{&maker, "M"}, std::pair{&form, "F"}}) {
                station->write(prefix + QByteArray::number(round) + '\n');
                outcomes << lineFrom(*station);
            }
        }
        for (QProcess* station : {&maker, &form}) {
            station->closeWriteChannel();
            QVERIFY(station->waitForFinished(60000));
            QCOMPARE(station->exitCode(), 0);
        }
        // Only the very first save found the card as it had loaded it.
        QCOMPARE(outcomes.first(), QStringLiteral("salvata"));
        QCOMPARE(outcomes.mid(1), QStringList(199, QStringLiteral("unita")));

        QVERIFY(archive.open(QIODevice::ReadOnly));
        const QByteArray stored = archive.readAll();
        QCOMPARE(stored.size(), 2 * cardSize);
        const auto text = [&stored](const char* field) { return DrugCard::at(stored, field); };
        QCOMPARE(text("Produttore"), QByteArray("M100"));
        QCOMPARE(text("Forma"), QByteArray("F100"));
        QCOMPARE(text("Farmaco"), QByteArray("ASPIRINA"));
        QCOMPARE(stored.mid(cardSize), DrugCard().put("Farmaco", "ALTRO").bytes);
    }
};

QTEST_MAIN(TestFarmaciMerge)
#include "tst_farmacimerge.moc"
