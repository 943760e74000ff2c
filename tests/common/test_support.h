#pragma once

#include "prompter.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// Answers message boxes in tests: records every request and gives the queued answers (Ok when none is
// queued).
class FakePrompter : public Prompter {
public:
    Answer ask(const Request &request) override;
    void queueAnswer(Answer answer) { m_answers.append(answer); }

    QList<Request> requests;
    // Runs while a box is open, before it is answered: what happens under a modal box.
    std::function<void()> whileOpen;

private:
    QList<Answer> m_answers;
};

QByteArray readWholeFile(const QString &path);
void writeWholeFile(const QString &path, const QByteArray &bytes);

// HOSTIP.INI in folder: IP and PORT of section SERVER, then WEBONE and WEBGALL when given.
void writeHostIni(const QString &folder, const QString &ip, const QString &port, const QString &webOne = {},
                  const QString &webGall = {});

// A server's #BID at 10:00:01, increment 100.
inline QByteArray bidMessage(const QByteArray &bidder, const QByteArray &amount)
{
    return "#BID\t" + bidder + "\t" + amount + "\t100\t10:00:01\t\xFE";
}
inline QByteArray bidMessage(const QByteArray &bidder, qint64 amount)
{
    return bidMessage(bidder, QByteArray::number(amount));
}

// A loopback port that nothing listens on: connecting to it is refused.
quint16 unusedPort();
