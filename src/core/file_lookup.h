#pragma once

#include <QString>

// The path of name inside dir: an existing file whatever its letter case (an exact match first), otherwise
// the name as given, so a new file gets the program's own spelling.
QString findFileIgnoringCase(const QString &dir, const QString &name);
