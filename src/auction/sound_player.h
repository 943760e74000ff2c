#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays the program's wave files. A new sound cuts the one playing; a missing file or a machine without a
// sound device gives silence, never an error.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    // relativePath is taken from the current folder at the moment of playing, e.g. "Sounds/boom.wav"; letter
    // case of the folder and file names does not matter.
    void PlaySoundFile(const QString &relativePath);

    // Whether a sound is still being read in. The toolkit's sample cache can deadlock when the process exits
    // during a load, so a short-lived caller waits for this to turn false.
    bool isLoading() const;

    // The file that would play for relativePath, or the empty text when there is none.
    static QString resolve(const QString &relativePath);

private:
    QSoundEffect *m_effect = nullptr;
};
