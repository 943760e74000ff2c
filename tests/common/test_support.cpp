#include "test_support.h"

#include "cp874.h"
#include "work_folder.h"

#include <QFile>
#include <QTcpServer>

Prompter::Answer FakePrompter::ask(const Request &request)
{
    requests.append(request);
    if (whileOpen)
        std::exchange(whileOpen, {})();
    return m_answers.isEmpty() ? Answer::Ok : m_answers.takeFirst();
}

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

void writeHostIni(const QString &folder, const QString &ip, const QString &port, const QString &webOne,
                  const QString &webGall)
{
    QByteArray text = "[SERVER]\r\nIP=" + Cp874::encode(ip) + "\r\nPORT=" + Cp874::encode(port) + "\r\n";
    if (!webOne.isEmpty())
        text += "WEBONE=" + Cp874::encode(webOne) + "\r\n";
    if (!webGall.isEmpty())
        text += "WEBGALL=" + Cp874::encode(webGall) + "\r\n";
    writeWholeFile(WorkFolder(folder).hostIni(), text);
}

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}
