#include "external_programs.h"
#include "test_support.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Starts nothing: records what would have been started.
class FakeLauncher : public ProgramLauncher {
public:
    QString findOnSearchPath(const QString &name) const override
    {
        return onPath.contains(name) ? u"/usr/bin/"_s + name : QString();
    }
    bool startDetached(const QString &program, const QString &workingDirectory) override
    {
        started.append(program);
        folders.append(workingDirectory);
        return startSucceeds;
    }

    QStringList onPath;
    bool startSucceeds = true;
    QStringList started;
    QStringList folders;
};

struct Harness {
    Harness() : programs(launcher, prompter, WorkFolder(dir.path())) {}

    QTemporaryDir dir;
    FakeLauncher launcher;
    FakePrompter prompter;
    ExternalPrograms programs;
};
} // namespace

class TestExternalPrograms : public QObject {
    Q_OBJECT
private slots:
    // The name goes into the hand-over file, which keeps the rest of what it holds, then the chat program
    // starts in the work folder; one that fails to start is reported. Only dornu.exe, in any letter case, is
    // the chat program; without it, or without a name, nothing is written, started or said.
    void chat_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new hand-over file") << u"DORNU.EXE"_s << QByteArray() << u"สมหญิง"_s << true
                                            << "[INFO]\r\nName=\xCA\xC1\xCB\xAD\xD4\xA7\r\n"_ba;
        QTest::newRow("existing hand-over file")
            << u"dornu.exe"_s << "[Info]\r\nname=old\r\nRoom=2\r\n"_ba << u"somchai"_s << true
            << "[Info]\r\nname=somchai\r\nRoom=2\r\n"_ba;
        QTest::newRow("fails to start")
            << u"dornu.exe"_s << QByteArray() << u"somchai"_s << false << "[INFO]\r\nName=somchai\r\n"_ba;
        QTest::newRow("empty name") << u"dornu.exe"_s << QByteArray() << QString() << true << QByteArray();
        QTest::newRow("no program") << u"dornu.com"_s << QByteArray() << u"somchai"_s << true << QByteArray();
    }
    void chat()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(bool, starts);
        QFETCH(QByteArray, after);
        Harness h;
        writeWholeFile(h.dir.filePath(program), "MZ");
        if (!before.isNull())
            writeWholeFile(h.dir.filePath(u"h.INI"_s), before);
        h.launcher.startSucceeds = starts;
        h.programs.MCC_Click(name);
        const QStringList handOver = QDir(h.dir.path()).entryList({u"h.ini"_s}, QDir::Files);
        QCOMPARE(handOver.size(), after.isNull() ? 0 : 1);
        QCOMPARE(readWholeFile(h.dir.filePath(handOver.value(0))), after);
        QCOMPARE(h.launcher.started, after.isNull() ? QStringList() : QStringList{h.dir.filePath(program)});
        QCOMPARE(h.launcher.folders, after.isNull() ? QStringList() : QStringList{h.dir.path()});
        QCOMPARE(h.prompter.requests.size(), starts ? 0 : 1);
        QVERIFY(starts || h.prompter.requests[0].text.contains(program));
    }

    // The first calculator found is started; none found, or one that fails to start, is reported.
    void calculator_data()
    {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QString>("reported");
        QTest::newRow("first found") << QStringList{u"xcalc"_s, u"galculator"_s} << true
                                     << QStringList{u"/usr/bin/galculator"_s} << QString();
        QTest::newRow("none found") << QStringList() << true << QStringList() << u"gnome-calculator"_s;
        QTest::newRow("fails to start")
            << QStringList{u"kcalc"_s, u"xcalc"_s} << false << QStringList{u"/usr/bin/kcalc"_s} << u"kcalc"_s;
    }
    void calculator()
    {
        QFETCH(QStringList, onPath);
        QFETCH(bool, startSucceeds);
        QFETCH(QStringList, started);
        QFETCH(QString, reported);
        Harness h;
        h.launcher.onPath = onPath;
        h.launcher.startSucceeds = startSucceeds;
        h.programs.but_Cal_Click();
        QCOMPARE(h.launcher.started, started);
        QCOMPARE(h.prompter.requests.size(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty()) {
            QVERIFY(h.prompter.requests[0].text.contains(reported));
            QCOMPARE(h.prompter.requests[0].title, u"Gavora"_s);
            QCOMPARE(h.prompter.requests[0].buttons, Prompter::Buttons::Ok);
        }
    }
};

QTEST_GUILESS_MAIN(TestExternalPrograms)
#include "test_external_programs.moc"
