#include "external_programs.h"
#include "test_support.h"

#include <QFile>
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
    void chatWritesTheNameThenStarts()
    {
        Harness h;
        writeWholeFile(h.dir.filePath(u"DORNU.EXE"_s), "MZ");
        h.programs.MCC_Click(u"สมหญิง"_s);
        QCOMPARE(readWholeFile(h.dir.filePath(u"H.ini"_s)),
                 QByteArray("[INFO]\r\nName=\xCA\xC1\xCB\xAD\xD4\xA7\r\n"));
        QCOMPARE(h.launcher.started, QStringList{h.dir.filePath(u"DORNU.EXE"_s)});
        QCOMPARE(h.launcher.folders, QStringList{h.dir.path()});
        QCOMPARE(h.prompter.requests.size(), 0);
    }

    void chatKeepsTheRestOfAnExistingHandOverFile()
    {
        Harness h;
        writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
        writeWholeFile(h.dir.filePath(u"h.INI"_s), "[Info]\r\nname=old\r\nRoom=2\r\n");
        h.programs.MCC_Click(u"somchai"_s);
        QCOMPARE(readWholeFile(h.dir.filePath(u"h.INI"_s)),
                 QByteArray("[Info]\r\nname=somchai\r\nRoom=2\r\n"));
        QVERIFY(!QFile::exists(h.dir.filePath(u"H.ini"_s)));
        QCOMPARE(h.launcher.started.size(), 1);
    }

    // Nothing is written, started or said. Only dornu.exe, in any letter case, is the chat program.
    void chatDoesNothing_data()
    {
        QTest::addColumn<bool>("program");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("deletedSinceTheLastClick");
        QTest::newRow("empty name") << true << QString() << false;
        QTest::newRow("no program") << false << u"somchai"_s << false;
        QTest::newRow("program deleted since the last click") << true << u"somchai"_s << true;
    }
    void chatDoesNothing()
    {
        QFETCH(bool, program);
        QFETCH(QString, name);
        QFETCH(bool, deletedSinceTheLastClick);
        Harness h;
        const QString path = h.dir.filePath(u"dornu.exe"_s);
        writeWholeFile(program ? path : h.dir.filePath(u"dornu.com"_s), "MZ");
        if (deletedSinceTheLastClick) {
            h.programs.MCC_Click(name);
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::remove(h.dir.filePath(u"H.ini"_s)));
            h.launcher.started.clear();
        }
        h.programs.MCC_Click(name);
        QVERIFY(!QFile::exists(h.dir.filePath(u"H.ini"_s)));
        QCOMPARE(h.launcher.started, QStringList());
        QCOMPARE(h.prompter.requests.size(), 0);
    }

    void chatThatFailsToStartIsReported()
    {
        Harness h;
        writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
        h.launcher.startSucceeds = false;
        h.programs.MCC_Click(u"somchai"_s);
        QCOMPARE(h.prompter.requests.size(), 1);
        QVERIFY(h.prompter.requests[0].text.contains(u"dornu.exe"_s));
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
