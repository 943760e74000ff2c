#include "external_programs.h"
#include "global.h"
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
    Harness() : programs(launcher, prompter) {}

    TempWorkDir dir;
    FakeLauncher launcher;
    FakePrompter prompter;
    ExternalPrograms programs;
};
} // namespace

class TestExternalPrograms : public QObject {
    Q_OBJECT
private slots:
    void chatProgramIsFoundWhateverItsCase_data();
    void chatProgramIsFoundWhateverItsCase();
    void chatWritesTheNameThenStarts();
    void chatKeepsTheRestOfAnExistingHandOverFile();
    void chatDoesNothingWithoutNameOrProgram_data();
    void chatDoesNothingWithoutNameOrProgram();
    void chatLooksForTheProgramAgainOnEachClick();
    void chatThatFailsToStartIsReported();
    void calculatorIsTheFirstFound();
    void calculatorNotFoundIsReported();
    void calculatorThatFailsToStartIsReported();
};

void TestExternalPrograms::chatProgramIsFoundWhateverItsCase_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("present");
    QTest::newRow("lower") << u"dornu.exe"_s << true;
    QTest::newRow("upper") << u"DORNU.EXE"_s << true;
    QTest::newRow("mixed") << u"Dornu.Exe"_s << true;
    QTest::newRow("other program") << u"dornu.com"_s << false;
    QTest::newRow("none") << QString() << false;
}

void TestExternalPrograms::chatProgramIsFoundWhateverItsCase()
{
    QFETCH(QString, file);
    QFETCH(bool, present);
    TempWorkDir dir;
    if (!file.isEmpty())
        writeWholeFile(dir.filePath(file), "MZ");
    QCOMPARE(ExternalPrograms::chatProgramPresent(), present);
    QCOMPARE(ExternalPrograms::chatProgram(), present ? dir.filePath(file) : QString());
}

void TestExternalPrograms::chatWritesTheNameThenStarts()
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

void TestExternalPrograms::chatKeepsTheRestOfAnExistingHandOverFile()
{
    Harness h;
    writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
    writeWholeFile(h.dir.filePath(u"h.INI"_s), "[Info]\r\nname=old\r\nRoom=2\r\n");
    h.programs.MCC_Click(u"somchai"_s);
    QCOMPARE(readWholeFile(h.dir.filePath(u"h.INI"_s)), QByteArray("[Info]\r\nname=somchai\r\nRoom=2\r\n"));
    QVERIFY(!QFile::exists(h.dir.filePath(u"H.ini"_s)));
    QCOMPARE(h.launcher.started.size(), 1);
}

void TestExternalPrograms::chatDoesNothingWithoutNameOrProgram_data()
{
    QTest::addColumn<bool>("program");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << true << QString();
    QTest::newRow("no program") << false << u"somchai"_s;
}

void TestExternalPrograms::chatDoesNothingWithoutNameOrProgram()
{
    QFETCH(bool, program);
    QFETCH(QString, name);
    Harness h;
    if (program)
        writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
    h.programs.MCC_Click(name);
    QVERIFY(!QFile::exists(h.dir.filePath(u"H.ini"_s)));
    QCOMPARE(h.launcher.started.size(), 0);
    QCOMPARE(h.prompter.requests.size(), 0);
}

void TestExternalPrograms::chatLooksForTheProgramAgainOnEachClick()
{
    Harness h;
    const QString program = h.dir.filePath(u"dornu.exe"_s);
    writeWholeFile(program, "MZ");
    h.programs.MCC_Click(u"somchai"_s);
    QVERIFY(QFile::remove(program));
    QVERIFY(QFile::remove(h.dir.filePath(u"H.ini"_s)));
    h.programs.MCC_Click(u"somchai"_s);
    QCOMPARE(h.launcher.started.size(), 1);
    QVERIFY(!QFile::exists(h.dir.filePath(u"H.ini"_s)));
}

void TestExternalPrograms::chatThatFailsToStartIsReported()
{
    Harness h;
    writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
    h.launcher.startSucceeds = false;
    h.programs.MCC_Click(u"somchai"_s);
    QCOMPARE(h.prompter.requests.size(), 1);
    QVERIFY(h.prompter.requests[0].text.contains(u"dornu.exe"_s));
}

void TestExternalPrograms::calculatorIsTheFirstFound()
{
    Harness h;
    h.launcher.onPath = {u"xcalc"_s, u"galculator"_s};
    h.programs.but_Cal_Click();
    QCOMPARE(h.launcher.started, QStringList{u"/usr/bin/galculator"_s});
    QCOMPARE(h.prompter.requests.size(), 0);
}

void TestExternalPrograms::calculatorNotFoundIsReported()
{
    Harness h;
    h.programs.but_Cal_Click();
    QCOMPARE(h.launcher.started.size(), 0);
    QCOMPARE(h.prompter.requests.size(), 1);
    QCOMPARE(h.prompter.requests[0].title, u"Gavora"_s);
    QCOMPARE(h.prompter.requests[0].buttons, Prompter::Buttons::Ok);
}

void TestExternalPrograms::calculatorThatFailsToStartIsReported()
{
    Harness h;
    h.launcher.onPath = {u"kcalc"_s, u"xcalc"_s};
    h.launcher.startSucceeds = false;
    h.programs.but_Cal_Click();
    QCOMPARE(h.launcher.started, QStringList{u"/usr/bin/kcalc"_s});
    QCOMPARE(h.prompter.requests.size(), 1);
    QVERIFY(h.prompter.requests[0].text.contains(u"kcalc"_s));
}

QTEST_GUILESS_MAIN(TestExternalPrograms)
#include "test_external_programs.moc"
