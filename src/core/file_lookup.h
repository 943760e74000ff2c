#pragma once

#include <QString>

// The path of name inside dir, where name may run through folders ("Sounds/boom.wav"): each part an existing
// entry whatever its letter case (an exact match first), otherwise the part as given, so a new file gets the
// program's own spelling.
QString findFileIgnoringCase(const QString &dir, const QString &name);
