#include "sound_player.h"
#include "test_support.h"

#include <QDir>
#include <QTest>

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void findsTheFileWhateverItsCase()
    {
        TempWorkDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sounds")));
        writeWholeFile(dir.filePath(QStringLiteral("sounds/BOOM.wav")),
                       readWholeFile(GAVORA_SOUNDS "/boom.wav"));
        QCOMPARE(SoundPlayer::resolve(QStringLiteral("Sounds/boom.wav")),
                 QDir(dir.path()).absoluteFilePath(QStringLiteral("sounds/BOOM.wav")));
        QCOMPARE(SoundPlayer::resolve(QStringLiteral("Sounds/missing.wav")), QString());
        QCOMPARE(SoundPlayer::resolve(QStringLiteral("Sounds")), QString());
    }

    // Without a sound device (as here) and with missing files, playing is silent and harmless.
    void playingNeverFails()
    {
        TempWorkDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Sounds")));
        for (const char *name : {"boom.wav", "glassshatter.wav", "msgtype.wav"})
            writeWholeFile(dir.filePath(QStringLiteral("Sounds/") + QLatin1StringView(name)),
                           readWholeFile(QStringLiteral(GAVORA_SOUNDS "/") + QLatin1StringView(name)));
        SoundPlayer player;
        player.PlaySoundFile(QStringLiteral("Sounds/missing.wav"));
        player.PlaySoundFile(QStringLiteral("Sounds/boom.wav"));
        player.PlaySoundFile(QStringLiteral("Sounds/glassshatter.wav"));
        player.PlaySoundFile(QStringLiteral("Sounds/glassshatter.wav"));
        player.PlaySoundFile(QString());
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_sound_player.moc"
