#include "sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <memory>

SoundPlayer::SoundPlayer(WorkFolder folder, QObject *parent) : QObject(parent), m_folder(std::move(folder)) {}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::resolve(const QString &relativePath) const
{
    const QFileInfo info(m_folder.file(relativePath));
    return info.isFile() ? info.absoluteFilePath() : QString();
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

void SoundPlayer::setMuted(bool muted)
{
    m_muted = muted;
    if (muted && m_effect)
        m_effect->stop();
}

void SoundPlayer::PlaySoundFile(const QString &relativePath)
{
    if (m_effect)
        m_effect->stop();
    if (m_muted)
        return;
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
