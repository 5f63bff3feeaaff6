// Saving a patient card in place while another station saved it since it was loaded: a
// service row, a therapy or a phone number changed there is never lost, and the fields both
// stations changed are named as the card shows them.

#include "pazientifixture.h"
#include "support/stations.h"

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString changed =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString merged = QStringLiteral(
    "La scheda era stata modificata da un'altra postazione dopo che è stata aperta: le "
    "modifiche di entrambe le postazioni sono state unite e salvate in archivio.");

PatientCard original() {
    return PatientCard()
        .put(QStringLiteral("Cognome"), "ROSSI")
        .put(QStringLiteral("Nome"), "MARIO")
        .put(QStringLiteral("DataPrest12"), "10/03/2026")
        .put(QStringLiteral("TipoPrest12"), "VISITA")
        .put(QStringLiteral("ImpPrest12"), "40,00");
}

struct MergeFixture : PazientiFixture {
    MergeFixture() { store({PatientCard().put(QStringLiteral("Cognome"), "PRIMA"), original()}); }
    bool loadSecond() {
        if (!open())
            return false;
        click(QStringLiteral("cmdUltimo"));
        fake.messages.clear();
        return position() == QStringLiteral("2");
    }
    void otherStationWrites(const PatientCard& card) const {
        overwriteAt(archive(), cardSize, card.bytes);
    }
    QByteArray storedText(const char* field) const {
        return PatientCard::at(storedCard(2), QString::fromLatin1(field));
    }
};

} // namespace

Q_DECLARE_METATYPE(tarvola::Answer)

class TestPazientiMerge : public QObject {
    Q_OBJECT
private slots:
    void rowsAndPhonesChangedElsewhereAreKept() {
        MergeFixture f;
        QVERIFY(f.loadSecond());
        f.otherStationWrites(original()
                                 .put(QStringLiteral("TelCel"), "333 1234567")
                                 .put(QStringLiteral("DataPrest13"), "11/03/2026")
                                 .put(QStringLiteral("TipoPrest13"), "CONTROLLO")
                                 .put(QStringLiteral("Terapia02"), "ANTIBIOTICO"));
        f.show(QStringLiteral("Note"), QStringLiteral("ALLERGICO"));
        f.show(QStringLiteral("TipoPrest12"), QStringLiteral("VISITA E PRELIEVO"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{merged});
        QCOMPARE(f.storedText("TelCel"), QByteArray("333 1234567"));
        QCOMPARE(f.storedText("TipoPrest13"), QByteArray("CONTROLLO"));
        QCOMPARE(f.storedText("ImpPrest13"), QByteArray());
        QCOMPARE(f.storedText("Terapia02"), QByteArray("ANTIBIOTICO"));
        QCOMPARE(f.storedText("Note"), QByteArray("ALLERGICO"));
        QCOMPARE(f.storedText("TipoPrest12"), QByteArray("VISITA E PRELIEVO"));
        QCOMPARE(f.shown(QStringLiteral("TelCel")), QStringLiteral("333 1234567"));

        f.fake.messages.clear();
        f.show(QStringLiteral("Peso"), QStringLiteral("80"));
        f.click(QStringLiteral("cmdSalva"));
        QCOMPARE(f.fake.messages.texts(), QStringList{changed});
        QCOMPARE(f.storedText("Peso"), QByteArray("80"));
        QCOMPARE(f.stored().size(), 2 * cardSize);
    }

    void conflictsAreNamedByTheirLabelsAndRows_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("overwrite") << Answer::Yes;
        QTest::newRow("keep theirs") << Answer::No;
    }
    void conflictsAreNamedByTheirLabelsAndRows() {
        QFETCH(Answer, answer);
        MergeFixture f;
        QVERIFY(f.loadSecond());
        const PatientCard other = original()
                                      .put(QStringLiteral("ProvNasc"), "MI")
                                      .put(QStringLiteral("ImpPrest12"), "50,00")
                                      .put(QStringLiteral("Costo03"), "9,00")
                                      .put(QStringLiteral("TelCasa"), "06 555");
        f.otherStationWrites(other);
        f.show(QStringLiteral("ProvNasc"), QStringLiteral("RM"));
        f.show(QStringLiteral("ImpPrest12"), QStringLiteral("60,00"));
        f.show(QStringLiteral("Costo03"), QStringLiteral("8,00"));
        f.show(QStringLiteral("Dente05"), QStringLiteral("GLICEMIA 90"));
        f.fake.messages.answers = {answer};
        f.click(QStringLiteral("cmdSalva"));
        const QString question =
            QStringLiteral("Attenzione: un'altra postazione ha modificato questa scheda dopo che "
                           "è stata aperta, anche nei campi: Prov. di nascita, Terapia 3 - Costo, "
                           "Prestazione 12 - Importo.\r\n\r\nSovrascriverli con i valori di "
                           "questa postazione?");
        if (answer == Answer::No) {
            QCOMPARE(f.fake.messages.texts(), QStringList{question});
            QCOMPARE(f.storedCard(2), other.bytes);
            QCOMPARE(f.shown(QStringLiteral("ImpPrest12")), QStringLiteral("60,00"));
            QCOMPARE(f.shown(QStringLiteral("Dente05")), QStringLiteral("GLICEMIA 90"));
            QCOMPARE(f.position(), QStringLiteral("2"));
            return;
        }
        QCOMPARE(f.fake.messages.texts(), (QStringList{question, changed}));
        QCOMPARE(f.storedText("ProvNasc"), QByteArray("RM"));
        QCOMPARE(f.storedText("ImpPrest12"), QByteArray("60,00"));
        QCOMPARE(f.storedText("Costo03"), QByteArray("8,00"));
        QCOMPARE(f.storedText("Dente05"), QByteArray("GLICEMIA 90"));
        QCOMPARE(f.storedText("TelCasa"), QByteArray("06 555"));
        QCOMPARE(f.shown(QStringLiteral("TelCasa")), QStringLiteral("06 555"));
    }
};

QTEST_MAIN(TestPazientiMerge)
#include "tst_pazientimerge.moc"
