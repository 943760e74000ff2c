#include "start_up.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void flags_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<bool>("sandboxOff");
        QTest::addColumn<bool>("gpu");
        QTest::addColumn<QByteArray>("flags");
        QTest::newRow("user with a GPU: nothing added") << QByteArray() << false << true << QByteArray();
        QTest::newRow("root without a GPU")
            << QByteArray() << true << false << QByteArray("--no-sandbox --disable-gpu");
        QTest::newRow("the user's own flags come first")
            << QByteArray(" --lang=th ") << false << false << QByteArray("--lang=th --disable-gpu");
    }
    void flags()
    {
        QFETCH(QByteArray, user);
        QFETCH(bool, sandboxOff);
        QFETCH(bool, gpu);
        QFETCH(QByteArray, flags);
        QCOMPARE(StartUp::chromiumFlags(user, sandboxOff, gpu), flags);
    }

    void platform_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("platform");
        const QByteArray none, wayland("wayland-0"), x11(":0");
        QTest::newRow("X11 session: the toolkit's own choice") << none << none << x11 << none;
        QTest::newRow("no display at all") << none << none << none << none;
        QTest::newRow("Wayland with XWayland") << none << wayland << x11 << "xcb"_ba;
        QTest::newRow("Wayland alone") << none << wayland << none << "wayland"_ba;
        QTest::newRow("the user's own wins") << "wayland"_ba << wayland << x11 << "wayland"_ba;
        QTest::newRow("the user's own, no display") << "offscreen"_ba << none << none << "offscreen"_ba;
    }
    void platform()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, platform);
        QCOMPARE(StartUp::platform(user, wayland, x11), platform);
    }

    // Only a render node that opens counts: a card node alone, or none at all, means software drawing.
    void gpuFromRenderNodes()
    {
        QTemporaryDir dri;
        QVERIFY(!StartUp::gpuUsable(dri.path() + QStringLiteral("/missing")));
        QFile card(dri.filePath(QStringLiteral("card0")));
        QVERIFY(card.open(QIODevice::WriteOnly));
        card.close();
        QVERIFY(!StartUp::gpuUsable(dri.path()));
        QFile render(dri.filePath(QStringLiteral("renderD128")));
        QVERIFY(render.open(QIODevice::WriteOnly));
        render.close();
        QVERIFY(StartUp::gpuUsable(dri.path()));
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "test_start_up.moc"
