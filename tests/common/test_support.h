#pragma once

#include "prompter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Answers message boxes in tests: records every request and gives the queued answers (Ok when none is
// queued).
class FakePrompter : public Prompter {
public:
    Answer ask(const Request &request) override;
    void queueAnswer(Answer answer) { m_answers.append(answer); }

    QList<Request> requests;

private:
    QList<Answer> m_answers;
};

// A fresh work folder made current (and WorkDir) for the test's lifetime; the previous folder comes back
// after.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir &) = delete;
    TempWorkDir &operator=(const TempWorkDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
    QString m_previousWorkDir;
};

// One server message as the auction server sends it: every field Windows-874 and closed by a TAB, then the
// terminator byte.
QByteArray serverMessage(const QStringList &fields);

QByteArray readWholeFile(const QString &path);
void writeWholeFile(const QString &path, const QByteArray &bytes);
