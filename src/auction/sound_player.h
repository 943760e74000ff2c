#pragma once

#include "work_folder.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QSoundEffect;

// Plays the program's wave files. A new sound cuts the one playing; a missing file or a machine without a
// sound device gives silence, never an error.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(WorkFolder folder, QObject *parent = nullptr);
    ~SoundPlayer() override;

    // relativePath is taken from the work folder at the moment of playing, e.g. "Sounds/boom.wav"; letter
    // case of the folder and file names does not matter.
    void PlaySoundFile(const QString &relativePath);
    // Muted, nothing plays and a sound playing stops.
    void setMuted(bool muted);
    // The tests read it: the settings' mute reaches the sounds.
    bool isMuted() const { return m_muted; }

    // Whether a sound is still being read in. The toolkit's sample cache can deadlock when the process exits
    // during a load, so the program ends only once this is false.
    bool isLoading() const;
    // Runs then once, from the event loop, as soon as no sound is being read in, and at the latest after
    // limit.
    void whenSettled(std::chrono::milliseconds limit, std::function<void()> then);

    // The file that would play for relativePath, or the empty text when there is none.
    QString resolve(const QString &relativePath) const;

signals:
    // A sound that was being read in is ready, or failed to load.
    void loadFinished();

private:
    WorkFolder m_folder;
    QSoundEffect *m_effect = nullptr;
    bool m_muted = false;
};
