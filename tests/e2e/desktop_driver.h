#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

// Drives the real program through the X server, as a person would: find windows, click, type, take pictures.
namespace Desktop {
QString run(const QString &program, const QStringList &arguments, int timeoutMs = 10000);
// The first visible window whose title matches the pattern, or 0 when none appears in time.
qulonglong waitForWindow(const QString &titlePattern, int timeoutMs = 30000);
bool windowExists(const QString &titlePattern);
void activate(qulonglong window);
QSize windowSize(qulonglong window);
// Unmaps and maps the window again, so that a window manager that missed it takes it on.
void remap(qulonglong window);
void click(QPoint globalPosition);
void doubleClick(QPoint globalPosition);
void typeText(const QString &text);
void key(const QString &keys);
// Saves the whole screen under the artefacts folder; returns the file's path.
QString screenshot(const QString &name);
QString artifactsDir();
} // namespace Desktop
