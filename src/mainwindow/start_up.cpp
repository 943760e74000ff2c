#include "start_up.h"

#include "pictures.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLoggingCategory>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool StartUp::gpuUsable(const QString &driFolder)
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

QByteArray StartUp::chromiumFlags(const QByteArray &userFlags, bool sandboxOff, bool gpuUsable)
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

QByteArray StartUp::platform(const QByteArray &userPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &x11Display)
{
    if (!userPlatform.isEmpty() || waylandDisplay.isEmpty())
        return userPlatform;
    return x11Display.isEmpty() ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb");
}

void StartUp::prepareProcess()
{
    // The toolkit reads it when the application object is made.
    const QByteArray chosen =
        platform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!chosen.isEmpty())
        qputenv("QT_QPA_PLATFORM", chosen);
    const bool sandboxOff = geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX");
    if (sandboxOff)
        std::fputs(sandboxNotice, stderr);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            chromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), sandboxOff, gpuUsable()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The web engine describes its start-up on the console; a user has no use for it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void StartUp::nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Gavora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("gavora"));
    QApplication::setWindowIcon(QIcon(Pictures::appIcon()));
}
