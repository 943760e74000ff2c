#pragma once

#include <QByteArray>
#include <QString>

// The steps of the program's start that come before and right after the application object exists; the
// program and the start-up benchmark take the same ones.
namespace StartUp {
// Before the application object: the web engine's flags, shared graphics contexts, no engine chatter. Says on
// stderr, once, when the page sandbox is turned off (as root the engine refuses to run with it).
void prepareProcess();
// Once the application object exists: its name, desktop entry and icon.
void nameApplication();

// Whether a GPU can be used for drawing: a render node of the kernel's graphics drivers that this user may
// open. A virtual display such as Xvfb has none.
bool gpuUsable(const QString &driFolder = QStringLiteral("/dev/dri"));

// The engine's flags: the user's own, then the sandbox off when running as root (the engine refuses to run as
// root with it) and software drawing when no GPU is usable (the engine would otherwise try its GPU process
// and report each failure).
QByteArray chromiumFlags(const QByteArray &userFlags, bool sandboxOff, bool gpuUsable);
} // namespace StartUp
