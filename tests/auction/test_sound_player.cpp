#include "sound_player.h"
#include "test_support.h"

#include <QDir>
#include <QSoundEffect>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    // The folder and the file, made after the player, differ in letter case from the name asked for. Playing,
    // with a missing file and without a sound device (as here), is silent and harmless.
    void findsTheFileWhateverItsCase()
    {
        QTemporaryDir dir;
        SoundPlayer player(WorkFolder(dir.path()));
        QVERIFY(QDir(dir.path()).mkdir(u"sounds"_s));
        writeWholeFile(dir.filePath(u"sounds/BOOM.wav"_s), readWholeFile(u"" GAVORA_SOUNDS "/boom.wav"_s));
        QCOMPARE(player.resolve(u"Sounds/boom.wav"_s),
                 QDir(dir.path()).absoluteFilePath(u"sounds/BOOM.wav"_s));
        QCOMPARE(player.resolve(u"Sounds/missing.wav"_s), QString());
        player.PlaySoundFile(u"Sounds/boom.wav"_s);
        QTRY_VERIFY(!player.isLoading());
        player.PlaySoundFile(u"Sounds/missing.wav"_s);
    }

    // The program ends through this: once, after the load in progress or at the time limit, whichever is
    // first, and never from inside the caller. Whether a load is still in progress when whenSettled() is
    // called is up to the loader's thread, so the outcome must not depend on it. Muted, a sound is not even
    // read in.
    void settlesOnce_data()
    {
        QTest::addColumn<bool>("play");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("muted");
        QTest::newRow("nothing played") << false << 60000 << false;
        QTest::newRow("a sound played") << true << 60000 << false;
        QTest::newRow("time limit 0") << true << 0 << false;
        QTest::newRow("muted") << true << 60000 << true;
    }
    void settlesOnce()
    {
        QFETCH(bool, play);
        QFETCH(int, limit);
        QFETCH(bool, muted);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Sounds"_s));
        writeWholeFile(dir.filePath(u"Sounds/boom.wav"_s), readWholeFile(u"" GAVORA_SOUNDS "/boom.wav"_s));
        SoundPlayer player(WorkFolder(dir.path()));
        player.setMuted(muted);
        if (play)
            player.PlaySoundFile(u"Sounds/boom.wav"_s);
        QCOMPARE(player.findChild<QSoundEffect *>() != nullptr, play && !muted);
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
