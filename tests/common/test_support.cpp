#include "test_support.h"

#include "cp874.h"
#include "global.h"

#include <QDir>
#include <QFile>

Prompter::Answer FakePrompter::ask(const Request &request)
{
    requests.append(request);
    return m_answers.isEmpty() ? Answer::Ok : m_answers.takeFirst();
}

TempWorkDir::TempWorkDir() : m_previous(QDir::currentPath()), m_previousWorkDir(Global::WorkDir)
{
    QDir::setCurrent(m_dir.path());
    Global::WorkDir = m_dir.path();
}

TempWorkDir::~TempWorkDir()
{
    QDir::setCurrent(m_previous);
    Global::WorkDir = m_previousWorkDir;
}

QByteArray serverMessage(const QStringList &fields)
{
    QByteArray out;
    for (const QString &field : fields)
        out += Cp874::encode(field) + '\t';
    return out + '\xFE';
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
