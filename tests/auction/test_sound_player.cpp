#include "sound_player.h"
#include "test_support.h"

#include <QDir>
#include <QSoundEffect>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    // The program ends through this: once, after the load in progress or at the time limit, whichever is
    // first, and never from inside the caller. Whether a load is still in progress when whenSettled() is
    // called is up to the loader's thread, so the outcome must not depend on it. A sound is found whatever
    // the letter case of its folder and file; muted or missing, it is not even read in.
    void settlesOnce_data()
    {
        QTest::addColumn<QString>("sound");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<bool>("read");
        QTest::newRow("nothing played") << QString() << 60000 << false << false;
        QTest::newRow("a sound played, named in another case")
            << u"SOUNDS/BOOM.WAV"_s << 60000 << false << true;
        QTest::newRow("time limit 0") << u"Sounds/boom.wav"_s << 0 << false << true;
        QTest::newRow("a missing sound") << u"Sounds/missing.wav"_s << 60000 << false << false;
        QTest::newRow("muted") << u"Sounds/boom.wav"_s << 60000 << true << false;
    }
    void settlesOnce()
    {
        QFETCH(QString, sound);
        QFETCH(int, limit);
        QFETCH(bool, muted);
        QFETCH(bool, read);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"sounds"_s));
        writeWholeFile(dir.filePath(u"sounds/Boom.wav"_s), readWholeFile(u"" GAVORA_SOUNDS "/boom.wav"_s));
        SoundPlayer player(WorkFolder(dir.path()));
        player.setMuted(muted);
        if (!sound.isNull())
            player.PlaySoundFile(sound);
        QCOMPARE(player.findChild<QSoundEffect *>() != nullptr, read);
        int settled = 0;
        player.whenSettled(std::chrono::milliseconds(limit), [&settled] { ++settled; });
        QCOMPARE(settled, 0);
        QTRY_COMPARE(settled, 1);
        // The end of the load, when it came second, has had its turn by now.
        QTRY_VERIFY(!player.isLoading());
        QCOMPARE(settled, 1);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"
