#pragma once

#include <QString>
#include <utility>

// The folder the program works in: the current folder when it loads, which it never changes. HOSTIP.INI,
// H.ini and the chat program lie directly in it, and so do the history file and the Sounds folder. Each file
// is looked up at each use, so one made after the load is found; an existing one is found whatever its letter
// case on disk, a new one gets the spelling asked for: the names below are the program's own.
class WorkFolder {
public:
    // No folder at all: the load step refuses it.
    WorkFolder() = default;
    explicit WorkFolder(QString path) : m_path(std::move(path)) {}
    // The process's current folder, taken once when the program loads.
    static WorkFolder current();

    // As the platform reports it: no trailing separator, except at the root.
    const QString &path() const { return m_path; }

    QString hostIni() const { return file(QStringLiteral("HOSTIP.INI")); }
    // The chat program's hand-over file.
    QString handOverIni() const { return file(QStringLiteral("H.ini")); }
    QString chatProgram() const { return file(QStringLiteral("dornu.exe")); }
    QString history() const { return file(QStringLiteral("AuctHist.bid")); }
    // relativePath inside the folder, "/" between its parts (e.g. "Sounds/boom.wav"); each part is matched
    // whatever its letter case.
    QString file(const QString &relativePath) const;

    // The program's sounds, in the Sounds folder: the countdown's stages, the sale, a bid sent.
    enum class Sound { Boom, GlassShatter, MsgType };
    // Where the sound lies inside the folder, as file() takes it.
    static QString soundPath(Sound sound);

private:
    QString m_path;
};
