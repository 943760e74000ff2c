#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the file at path with bytes in one step: a temporary file in the same folder, renamed over the old
// one once everything is on disk. On failure the old file is left as it was and error, when given, says why.
// Where the folder takes no new file but the file itself is writable, the file is written in place instead.
bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error = nullptr);
