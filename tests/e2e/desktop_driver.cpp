#include "desktop_driver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>

QString Desktop::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

qulonglong Desktop::waitForWindow(const QString &titlePattern, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString out = run("xdotool", {"search", "--onlyvisible", "--name", titlePattern}, 5000);
        if (!out.isEmpty())
            return out.split(QLatin1Char('\n')).constFirst().toULongLong();
        QThread::msleep(100);
    }
    return 0;
}

bool Desktop::windowExists(const QString &titlePattern)
{
    return !run("xdotool", {"search", "--onlyvisible", "--name", titlePattern}).isEmpty();
}

void Desktop::activate(qulonglong window)
{
    run("xdotool", {"windowactivate", "--sync", QString::number(window)});
}

QSize Desktop::windowSize(qulonglong window)
{
    // "Window N\n  Position: X,Y (screen: S)\n  Geometry: WxH"
    const QString out = run("xdotool", {"getwindowgeometry", QString::number(window)});
    const QString geometry = out.section(QStringLiteral("Geometry: "), 1).trimmed();
    return {geometry.section(QLatin1Char('x'), 0, 0).toInt(),
            geometry.section(QLatin1Char('x'), 1, 1).toInt()};
}

void Desktop::remap(qulonglong window)
{
    run("xdotool", {"windowunmap", "--sync", QString::number(window)});
    run("xdotool", {"windowmap", "--sync", QString::number(window)});
}

void Desktop::click(QPoint globalPosition)
{
    run("xdotool", {"mousemove", "--sync", QString::number(globalPosition.x()),
                    QString::number(globalPosition.y()), "click", "1"});
}

void Desktop::doubleClick(QPoint globalPosition)
{
    run("xdotool", {"mousemove", "--sync", QString::number(globalPosition.x()),
                    QString::number(globalPosition.y()), "click", "--repeat", "2", "--delay", "80", "1"});
}

void Desktop::typeText(const QString &text)
{
    run("xdotool", {"type", "--delay", "30", text});
}

void Desktop::key(const QString &keys)
{
    run("xdotool", {"key", "--delay", "50", keys});
}

QString Desktop::artifactsDir()
{
    const QString dir = qEnvironmentVariable("GAVORA_E2E_ARTIFACTS", QDir::tempPath() + "/gavora-e2e");
    QDir().mkpath(dir);
    return dir;
}

QString Desktop::screenshot(const QString &name)
{
    const QString path = artifactsDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    run("import", {"-window", "root", path});
    return path;
}
