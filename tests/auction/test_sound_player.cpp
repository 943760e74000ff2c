#include "sound_player.h"
#include "test_support.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    // The folder and the file differ in letter case from the name asked for. Playing, with a missing file and
    // without a sound device (as here), is silent and harmless.
    void findsTheFileWhateverItsCase()
    {
        TempWorkDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"sounds"_s));
        writeWholeFile(dir.filePath(u"sounds/BOOM.wav"_s), readWholeFile(u"" GAVORA_SOUNDS "/boom.wav"_s));
        QCOMPARE(SoundPlayer::resolve(u"Sounds/boom.wav"_s),
                 QDir(dir.path()).absoluteFilePath(u"sounds/BOOM.wav"_s));
        QCOMPARE(SoundPlayer::resolve(u"Sounds/missing.wav"_s), QString());
        SoundPlayer player;
        player.PlaySoundFile(u"Sounds/boom.wav"_s);
        QTRY_VERIFY(!player.isLoading());
        player.PlaySoundFile(u"Sounds/missing.wav"_s);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"
