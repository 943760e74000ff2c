// The information panel's background: built-in pictures, a picture file, none, and the box behind the
// figures.
#include "background_picture.h"
#include "message_box_prompter.h"
#include "test_support.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
QPixmap filled(QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

struct Panel {
    Panel()
    {
        info.resize(291, 267);
        info.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box.setGeometry(0, 72, 287, 193);
        box.setAutoFillBackground(true);
    }
    QImage picture() const { return info.pixmap().toImage(); }
    bool opaque() const { return box.autoFillBackground(); }

    QLabel info;
    QLabel box{&info};
    FakePrompter prompter;
    std::optional<QString> chosen;
    BackgroundPicture background{&info, &box, prompter,
                                 [](int n) {
                                     return filled({285, 310}, n == 1 ? Qt::red : Qt::blue);
                                 },
                                 [this](QWidget *) { return chosen; }};
};
} // namespace

class TestBackgroundPicture : public QObject {
    Q_OBJECT
private slots:
    // A built-in picture makes the box behind the figures transparent, none makes it opaque; a cancelled
    // choice keeps the picture, yet leaves the box transparent even after none.
    void commands()
    {
        Panel p;
        p.background.MFP2_Click();
        QCOMPARE(p.picture().pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(!p.opaque());
        p.background.MFP1_Click();
        p.background.MCUS_Click();
        QCOMPARE(p.picture().pixelColor(0, 0), QColor(Qt::red));
        p.background.MFPB_Click();
        QVERIFY(p.info.pixmap().isNull());
        QVERIFY(p.opaque());
        p.background.MCUS_Click();
        QVERIFY(p.info.pixmap().isNull());
        QVERIFY(!p.opaque());
    }

    // A picture larger than the panel shows its top left part, unscaled, whatever its name says it is; a file
    // that holds no picture is told, naming it, and the picture shown stays.
    void pictureFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("picture") << QByteArray("picture");
        QTest::newRow("not a picture") << "just some text"_ba;
        QTest::newRow("cut-off picture") << "\xFF\xD8\xFF\xE0\x00\x10JFIF"_ba;
        QTest::newRow("missing") << QByteArray();
    }
    void pictureFile()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"photo.BMP"_s);
        QImage big(800, 600, QImage::Format_RGB32);
        big.fill(Qt::green);
        big.setPixelColor(0, 0, Qt::black);
        if (content == "picture")
            QVERIFY(big.save(path, "JPG", 100));
        else if (!content.isNull())
            writeWholeFile(path, content);
        Panel p;
        p.background.MFP1_Click();
        p.chosen = path;
        p.background.MCUS_Click();
        if (content != "picture") {
            QCOMPARE(p.prompter.requests.size(), 1);
            QVERIFY(p.prompter.requests[0].text.contains(QDir::toNativeSeparators(path)));
            QCOMPARE(p.picture().pixelColor(0, 0), QColor(Qt::red));
            return;
        }
        QVERIFY(p.prompter.requests.isEmpty());
        QCOMPARE(p.info.pixmap().size(), QSize(800, 600));
        QCOMPARE(p.info.size(), QSize(291, 267));
        const QImage shown = p.info.grab().toImage();
        QVERIFY(qGray(shown.pixel(0, 0)) < 40);
        QVERIFY(shown.pixelColor(290, 60).green() > 200);
    }

    // The dialog starts in the work folder, and choosing in it leaves the current folder where it was. Its
    // buttons and the program's boxes' speak the interface language: the toolkit has no Thai for them.
    void dialogSettings_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("Thai") << 0 << QStringList{u"ตกลง"_s, u"ยกเลิก"_s};
        QTest::newRow("English") << 1 << QStringList{u"OK"_s, u"Cancel"_s};
    }
    void dialogSettings()
    {
        QFETCH(int, language);
        QFETCH(QStringList, buttons);
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QString start;
        QStringList shownButtons;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            start = dialog->directory().absolutePath();
            for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
                shownButtons << button->text();
            dialog->setDirectory(QDir::tempPath());
            dialog->reject();
        });
        QCOMPARE(choosePictureFile(nullptr, WorkFolder(dir.path()), language), std::nullopt);
        QCOMPARE(QDir(start), QDir(dir.path()));
        QCOMPARE(shownButtons, buttons);
        QCOMPARE(QDir::currentPath(), before);

        MessageBoxPrompter boxes;
        boxes.setLanguage(language);
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownButtons = {box->button(QMessageBox::Ok)->text(), box->button(QMessageBox::Cancel)->text()};
            box->button(QMessageBox::Cancel)->click();
        });
        boxes.ask(Box::question(u"?"_s));
        QCOMPARE(shownButtons, buttons);
    }
};

QTEST_MAIN(TestBackgroundPicture)
#include "test_background_picture.moc"
