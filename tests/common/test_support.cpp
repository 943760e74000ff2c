#include "test_support.h"

#include "cp874.h"
#include "work_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <unistd.h>

Prompter::Answer FakePrompter::ask(const Request &request)
{
    requests.append(request);
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

namespace {
bool canWrite(const QString &path)
{
    if (QFileInfo(path).isFile())
        return QFile(path).open(QIODevice::WriteOnly | QIODevice::Append);
    QFile probe(QDir(path).filePath(QStringLiteral(".write-probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}
} // namespace

ReadOnlyPath::ReadOnlyPath(const QString &path) : m_path(path), m_permissions(QFile::permissions(path))
{
    QFile::setPermissions(m_path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup |
                                                    QFile::WriteOther));
    if (canWrite(m_path) && geteuid() == 0)
        m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
}

ReadOnlyPath::~ReadOnlyPath()
{
    if (m_immutable)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    QFile::setPermissions(m_path, m_permissions);
}

bool ReadOnlyPath::isReadOnly() const
{
    return !canWrite(m_path);
}

QString ReadOnlyPath::failure() const
{
    return QStringLiteral("%1 stays writable: this needs a file system where root can set the immutable "
                          "attribute (chattr +i), or a user without root")
        .arg(m_path);
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
