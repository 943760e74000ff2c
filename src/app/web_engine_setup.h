#pragma once

#include <QByteArray>
#include <QString>

// What the web engine must be told before it starts, so that it neither refuses to run nor fills the terminal
// with its own complaints.
namespace WebEngineSetup {
// Whether a GPU can be used for drawing: a render node of the kernel's graphics drivers that this user may
// open. A virtual display such as Xvfb has none.
bool gpuUsable(const QString &driFolder = QStringLiteral("/dev/dri"));

// The engine's flags: the user's own, then the sandbox off when running as root (the engine refuses to run as
// root with it) and software drawing when no GPU is usable (the engine would otherwise try its GPU process
// and report each failure).
QByteArray chromiumFlags(const QByteArray &userFlags, bool sandboxOff, bool gpuUsable);
} // namespace WebEngineSetup
