#pragma once

#include <QByteArray>
#include <QString>

// The steps of the program's start that come before and right after the application object exists; the
// program and the start-up benchmark take the same ones.
namespace StartUp {
// What the program says on stderr, once, when it turns the page sandbox off.
inline constexpr char sandboxNotice[] = "gavora: running as root, web page sandbox turned off\n";

// Before the application object: the windowing platform, the web engine's flags, shared graphics contexts,
// no engine chatter. Says sandboxNotice when the page sandbox is turned off (as root the engine refuses to
// run with it).
void prepareProcess();
// Once the application object exists: its name, desktop entry and icon.
void nameApplication();

// The windowing platform to run on (QT_QPA_PLATFORM), from that variable, WAYLAND_DISPLAY and DISPLAY; empty
// leaves the choice to the toolkit. The user's own choice wins. A Wayland session with an X server at hand
// runs on X11: only there can the toolbar window place itself and stay on top, and a notification raise the
// main window. Without one it runs on Wayland itself.
QByteArray platform(const QByteArray &userPlatform, const QByteArray &waylandDisplay,
                    const QByteArray &x11Display);

// Whether a GPU can be used for drawing: a render node of the kernel's graphics drivers that this user may
// open. A virtual display such as Xvfb has none.
bool gpuUsable(const QString &driFolder = QStringLiteral("/dev/dri"));

// The engine's flags: the user's own, then the sandbox off when running as root (the engine refuses to run as
// root with it) and software drawing when no GPU is usable (the engine would otherwise try its GPU process
// and report each failure).
QByteArray chromiumFlags(const QByteArray &userFlags, bool sandboxOff, bool gpuUsable);
} // namespace StartUp
