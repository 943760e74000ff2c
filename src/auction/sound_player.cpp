#include "sound_player.h"

#include "file_lookup.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <memory>

SoundPlayer::SoundPlayer(QObject *parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

namespace {
// The folder of the sounds is matched whatever its letter case, as the file is.
QString findFolderIgnoringCase(const QString &dir, const QString &name)
{
    const QDir folder(dir);
    if (QFileInfo(folder.filePath(name)).isDir())
        return folder.filePath(name);
    const QStringList entries = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return folder.filePath(name);
}
} // namespace

QString SoundPlayer::resolve(const QString &relativePath)
{
    QString path = QDir::currentPath();
    const QStringList parts = QDir::fromNativeSeparators(relativePath).split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i)
        path = i + 1 < parts.size() ? findFolderIgnoringCase(path, parts[i])
                                    : findFileIgnoringCase(path, parts[i]);
    const QFileInfo info(path);
    if (parts.isEmpty() || !info.isFile())
        return {};
    return info.absoluteFilePath();
}

bool SoundPlayer::isLoading() const
{
    return m_effect && m_effect->status() == QSoundEffect::Loading;
}

void SoundPlayer::whenSettled(std::chrono::milliseconds limit, std::function<void()> then)
{
    auto done = std::make_shared<bool>(false);
    auto finish = [done, then = std::move(then)] {
        if (!std::exchange(*done, true))
            then();
    };
    if (!isLoading()) {
        QTimer::singleShot(0, this, finish);
        return;
    }
    connect(this, &SoundPlayer::loadFinished, this, [this, finish] {
        if (!isLoading())
            finish();
    });
    QTimer::singleShot(limit, this, finish);
}

void SoundPlayer::PlaySoundFile(const QString &relativePath)
{
    if (m_effect)
        m_effect->stop();
    const QString file = resolve(relativePath);
    if (file.isEmpty())
        return;
    // Made on first use: a program that never plays a sound never opens the audio system.
    if (!m_effect) {
        m_effect = new QSoundEffect(this);
        connect(m_effect, &QSoundEffect::statusChanged, this, [this] {
            if (m_effect->status() != QSoundEffect::Loading)
                emit loadFinished();
        });
    }
    // In Qt 6.4 play() does not restart an effect that is playing, hence the stop() above.
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play();
}
