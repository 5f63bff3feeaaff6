#undef QT_NO_CAST_FROM_ASCII
#include "prescrizioni/tfrmmenuprescrizioni.h"
#include "prescrizioni/tfrmnumerazione.h"
#include "prescrizioni/tfrmstampapresc.h"
#include "prescrizionifixture.h"
#include "report/printeroutput.h"
#include "report/reportrenderer.h"
#include <QPushButton>
using namespace tarvola;
using namespace tarvola::testing;
class Shot : public QObject {
    Q_OBJECT
private slots:
    void shot() {
        PrescrizioniFixture f;
        f.window.setWindowState(Qt::WindowNoState);
        f.window.resize(1300, 900);
        QVERIFY(f.open());
        f.setText("txtStudioMedico", "Studio Medico Bianchi");
        f.setText("txtIntRigo02", "Via Roma 1, 20100 Milano");
        f.setText("txtIntRigo03", "Tel. 02 1234567");
        f.setText("txtIntRigo04", "P. IVA 01234567890");
        f.setText("txtLuogo", "Milano");
        f.setText("txtMedico", "Dott. Luigi Bianchi");
        f.setText("txtCodFiscMed", "BNCLGU60A01F205X");
        f.click("cmdNuovo");
        f.setText("txtTipologia", "Visita cardiologica con ECG");
        f.setText("txtPriorita", "B - Breve");
        f.setText("txtQuesito", "Dolore toracico atipico da sforzo, sospetta angina pectoris "
                                "stabile da valutare con test ergometrico");
        f.setText("txtPaziente", "ROSSI MARIO");
        f.setText("txtSesso", "M");
        f.setText("txtDataNasc", "01/01/1980");
        f.setText("txtCodFisc", "RSSMRA80A01H501U");
        f.setText("txtRecapito", "333 1234567");
        f.setText("txtTessera", "80380000000000000001");
        f.setText("txtAsl", "ASL Milano 1");
        f.setText("txtIndirizzo", "Via Verdi 10, 20121 Milano");
        f.setText("txtEsenzione", "E01");
        f.setText("txtPresc01", "ECG con refertazione e visita cardiologica di controllo, con "
                                "valutazione dei fattori di rischio cardiovascolare e prescrizione "
                                "di eventuali ulteriori accertamenti strumentali");
        f.setText("txtQuant01", "1");
        f.setText("txtNota01",
                  "entro 10 giorni, portare gli esami precedenti e la terapia in corso");
        f.setText("txtPresc02", "ASPIRINA 100 mg");
        f.setText("txtQuant02", "2");
        QTest::qWait(200);
        f.window.grab().save("/tmp/presc/editor.png");
        TfrmStampaPresc w(f.fake.services, &f.window);
        w.show();
        QTest::mouseClick(control<QPushButton>(&w, "btnStampa"), Qt::LeftButton);
        QCOMPARE(f.fake.reports.printed.size(), std::size_t(1));
        QVERIFY(report::writePdf(f.fake.reports.printed[0], "/tmp/presc/presc.pdf"));
        TfrmMenuPrescrizioni m(f.fake.services);
        m.show();
        QTest::qWait(100);
        m.grab().save("/tmp/presc/menu.png");
        TfrmNumerazione n(f.fake.services);
        n.setTag("prescrizioni");
        n.show();
        QTest::qWait(100);
        n.grab().save("/tmp/presc/num.png");
    }
};
QTEST_MAIN(Shot)
#include "tst_zzshot.moc"
