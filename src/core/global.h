#pragma once

#include <QString>

// Program-wide state shared by every window. Only the user-interface thread touches it.
namespace Global {
// The folder the program started in; base of HOSTIP.INI, H.ini and the chat program.
inline QString WorkDir;
// The user name exactly as typed at sign-in, checked or not. A live connection acts under the name it
// announced, which the auction board keeps.
inline QString UserID;
// The same name, handed to the chat program.
inline QString LoginName;
// Only ever used for the sign-in request; never written anywhere.
inline QString LoginPassword;

// Path of a file directly inside WorkDir (no doubled separator at the root).
QString workDirPath(const QString &fileName);
} // namespace Global
