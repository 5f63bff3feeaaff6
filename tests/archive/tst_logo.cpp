#include "archive/logo.h"
#include "archive/settings.h"
#include "archive/tfrmlogo.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QImage sample(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool isDefaultLogo(const QImage& image) {
    return image.size() == QSize(297, 184) && image == logo::defaultLogo();
}

} // namespace

class TestLogo : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_logo = QDir(m_dir->path()).filePath(QStringLiteral("Logo.bmp"));
    }

    void defaultLogoIsABlueCaduceus() {
        const QImage image = logo::defaultLogo();
        QCOMPARE(image.size(), QSize(297, 184));
        int blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.blue() > 120 && c.red() < 100)
                    ++blue;
            }
        }
        QVERIFY2(blue > 2000, qPrintable(QString::number(blue))); // drawn, not blank
    }

    void unusableLogoFilesGiveTheDefault_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not an image") << QByteArray("Rossi Mario, via Roma 1");
        QByteArray bmp;
        {
            QBuffer buffer(&bmp);
            buffer.open(QIODevice::WriteOnly);
            sample(QSize(40, 30), Qt::red).save(&buffer, "BMP");
        }
        QTest::newRow("truncated bitmap") << bmp.left(60);
    }
    void unusableLogoFilesGiveTheDefault() {
        QFETCH(QByteArray, bytes);
        if (!bytes.isEmpty())
            writeBytes(m_logo, bytes);
        QVERIFY(isDefaultLogo(logo::load(m_dir->path())));
    }

    void savedLogoIsABitmapReadBack() {
        const QImage image = sample(QSize(120, 50), QColor(10, 200, 30));
        QVERIFY(logo::save(m_dir->path(), image));
        QImageReader reader(m_logo);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage loaded = logo::load(m_dir->path());
        QCOMPARE(loaded.size(), image.size());
        QCOMPARE(loaded.pixelColor(60, 25), QColor(10, 200, 30));
    }

    void windowAppliesTheChosenPicture() {
        const QString jpeg = QDir(m_dir->path()).filePath(QStringLiteral("studio.jpg"));
        QVERIFY(sample(QSize(600, 200), QColor(200, 30, 30)).save(jpeg, "JPG"));
        FakeServices fakes(m_dir->path());
        fakes.fileDialog.results = {jpeg};
        TfrmLogo window(fakes.services);
        window.show();
        QVERIFY(isDefaultLogo(window.image())); // no Logo.bmp yet
        QTest::mouseClick(control<QPushButton>(&window, QStringLiteral("btnSfoglia")),
                          Qt::LeftButton);
        QCOMPARE(fakes.fileDialog.titles,
                 QStringList{
                     QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap.")});
        QCOMPARE(fakes.fileDialog.filters,
                 QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine "
                                            "Bitmap (*.bmp)|*.bmp")});
        const QPixmap shown = control<QLabel>(&window, QStringLiteral("imgLogo"))->pixmap();
        QVERIFY(shown.width() <= 297 && shown.height() <= 184); // fitted, proportions kept
        QCOMPARE(shown.width() * 200 / shown.height(), 600 * 200 / 200);
        QTest::mouseClick(control<QPushButton>(&window, QStringLiteral("btnApplica")),
                          Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(logo::load(m_dir->path()).size(), QSize(600, 200));
        QVERIFY(fakes.messages.shown.isEmpty());
    }

    void blankAndDefaultButtons() {
        FakeServices fakes(m_dir->path());
        {
            TfrmLogo window(fakes.services);
            window.show();
            control<QToolButton>(&window, QStringLiteral("btnCancLogo"))->click();
            control<QPushButton>(&window, QStringLiteral("btnApplica"))->click();
        }
        const QImage blank = logo::load(m_dir->path());
        QCOMPARE(blank.size(), QSize(2, 2));
        QCOMPARE(blank.pixelColor(1, 1), QColor(Qt::white));
        {
            TfrmLogo window(fakes.services);
            window.show();
            QCOMPARE(window.image().size(), QSize(2, 2));
            control<QToolButton>(&window, QStringLiteral("imgEuro"))->click();
            control<QPushButton>(&window, QStringLiteral("btnApplica"))->click();
        }
        QVERIFY(isDefaultLogo(logo::load(m_dir->path())));
    }

    void cancelAndUnreadableChoiceKeepTheFile() {
        QVERIFY(logo::save(m_dir->path(), sample(QSize(10, 10), Qt::green)));
        const QString broken = QDir(m_dir->path()).filePath(QStringLiteral("rotto.jpg"));
        writeBytes(broken, "not a picture");
        FakeServices fakes(m_dir->path());
        fakes.fileDialog.results = {broken};
        TfrmLogo window(fakes.services);
        window.show();
        control<QPushButton>(&window, QStringLiteral("btnSfoglia"))->click();
        QVERIFY(isDefaultLogo(window.image()));
        control<QPushButton>(&window, QStringLiteral("btnAnnulla"))->click();
        QCOMPARE(logo::load(m_dir->path()).size(), QSize(10, 10));
    }

    void failedSaveIsReported() {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Logo.bmp"))); // a folder in the way
        FakeServices fakes(m_dir->path());
        TfrmLogo window(fakes.services);
        window.show();
        control<QToolButton>(&window, QStringLiteral("btnCancLogo"))->click();
        control<QPushButton>(&window, QStringLiteral("btnApplica"))->click();
        QCOMPARE(fakes.messages.shown.size(), 1);
        QCOMPARE(fakes.messages.shown[0].kind, MessageKind::Warning);
        QVERIFY(fakes.messages.last().startsWith(QStringLiteral("Attenzione: ")));
        QVERIFY(fakes.messages.last().contains(QStringLiteral("Logo.bmp")));
    }

    void settingsFallBackToTheirDefaults() {
        const QString folder = m_dir->path();
        QCOMPARE(settings::read(folder, settings::inizioNumerazione), QStringLiteral("1"));
        QCOMPARE(settings::read(folder, settings::margineSuperiore), QStringLiteral("0"));
        QCOMPARE(settings::read(folder, settings::medicoPrescrivente[2]), QString());
        QVERIFY(settings::write(folder, settings::annoSolare, QStringLiteral(" Sì ")));
        QVERIFY(settings::write(folder, settings::medicoPrescrivente[2], QStringLiteral("ASL 5")));
        QFile f(QDir(folder).filePath(QStringLiteral("Velmora.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Numerazione Prescrizioni]\r\n"
                                         "Indicazione Anno Solare=S\xEC\r\n"
                                         "[Ricetta Rossa]\r\n"
                                         "Medico Prescrivente Rigo 3=ASL 5\r\n"));
        QCOMPARE(settings::read(folder, settings::annoSolare), QStringLiteral("Sì"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_logo;
};

QTEST_MAIN(TestLogo)
#include "tst_logo.moc"
