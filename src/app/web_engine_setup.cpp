#include "web_engine_setup.h"

#include <QDir>
#include <fcntl.h>
#include <unistd.h>

bool WebEngineSetup::gpuUsable(const QString &driFolder)
{
    const QDir dri(driFolder);
    const QStringList nodes = dri.entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files);
    for (const QString &node : nodes) {
        const int fd = ::open(QFile::encodeName(dri.filePath(node)).constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
    }
    return false;
}

QByteArray WebEngineSetup::chromiumFlags(const QByteArray &userFlags, bool sandboxOff, bool gpuUsable)
{
    QByteArray flags = userFlags.trimmed();
    const auto add = [&flags](QByteArrayView flag) {
        if (!flags.isEmpty())
            flags += ' ';
        flags += flag;
    };
    // As a flag rather than QTWEBENGINE_DISABLE_SANDBOX, which makes the engine announce it on the console.
    if (sandboxOff)
        add("--no-sandbox");
    if (!gpuUsable)
        add("--disable-gpu");
    return flags;
}
