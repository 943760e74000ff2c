#include "frm_hbid.h"
#include "history_store.h"
#include "test_support.h"

#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

namespace {
SaleRecord sale(const QString &bidder, const QString &product, const QString &name, const QString &amount,
                const QString &time)
{
    SaleRecord record;
    record.user = QStringLiteral("niran");
    record.productId = product;
    record.productName = name;
    record.highBidder = bidder;
    record.lastBid = amount;
    record.currency = QStringLiteral("Currency = Baht");
    record.seller = QStringLiteral(u"\u0E23\u0E49\u0E32\u0E19\u0E17\u0E2D\u0E07\u0E04\u0E33\u0E2A\u0E38\u0E02"
                                   u"\u0E43\u0E08");
    record.lastListLine = QStringLiteral("AT  %1  By  %2 Time : %3").arg(amount, bidder, time);
    return record;
}

enum class CloseBy { Button, Escape, TitleBar };

void closeAndDelete(QPointer<frmHbid> &window, CloseBy how = CloseBy::Button)
{
    switch (how) {
    case CloseBy::Button:
        QTest::mouseClick(window->but_Close, Qt::LeftButton);
        break;
    case CloseBy::Escape:
        QTest::keyClick(window, Qt::Key_Escape);
        break;
    case CloseBy::TitleBar:
        window->close();
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

Q_DECLARE_METATYPE(CloseBy)

class TestFrmHbid : public QObject {
    Q_OBJECT
private slots:
    void listsRecordsWithFocusOnClose();
    void everyWayOfClosingDiscardsTheWindow_data();
    void everyWayOfClosingDiscardsTheWindow();
    void eachOpeningReadsTheFileAfresh();
    void controlsKeepTheirPlaces();
};

void TestFrmHbid::listsRecordsWithFocusOnClose()
{
    TempWorkDir dir;
    const QDate day(2024, 3, 9);
    QVERIFY(WriteHistoryRecord(
        sale(QStringLiteral("somchai"), QStringLiteral("A102"),
             QStringLiteral(u"\u0E01\u0E25\u0E49\u0E2D\u0E07\u0E16\u0E48\u0E32\u0E22\u0E23\u0E39\u0E1B "
                            u"\u0E14\u0E34\u0E08\u0E34\u0E15\u0E2D\u0E25 [new], 24MP"),
             QStringLiteral("12,500"), QStringLiteral("10:15:30")),
        {}, day));
    QVERIFY(WriteHistoryRecord(sale(QStringLiteral("lek_the_collector_2024"), QStringLiteral("B7"),
                                    QStringLiteral(u"\u0E42\u0E04\u0E21\u0E44\u0E1F"), QStringLiteral("900"),
                                    QStringLiteral("10:20:01")),
                               {}, day));

    QPointer<frmHbid> window = frmHbid::showModal(nullptr);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(window->windowTitle(), QStringLiteral("High Bid"));
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::focusWidget(), window->but_Close);

    QStringList expected;
    for (const QStringList &row : History::readRows())
        expected.append(History::rowText(row));
    QCOMPARE(expected.size(), 2);
    QCOMPARE(window->rowTexts(), expected);
    QCOMPARE(window->lst_result->model()->index(1, 3).data().toString(), QStringLiteral("lek_the_collect"));

    if (const QString shots = qEnvironmentVariable("GAVORA_SCREENSHOTS"); !shots.isEmpty())
        QVERIFY(window->grab().save(shots + QStringLiteral("/frmhbid.png")));

    closeAndDelete(window);
    QVERIFY(window.isNull());
}

void TestFrmHbid::everyWayOfClosingDiscardsTheWindow_data()
{
    QTest::addColumn<CloseBy>("how");
    QTest::newRow("Close button") << CloseBy::Button;
    QTest::newRow("Escape") << CloseBy::Escape;
    QTest::newRow("title bar") << CloseBy::TitleBar;
}

void TestFrmHbid::everyWayOfClosingDiscardsTheWindow()
{
    QFETCH(CloseBy, how);
    TempWorkDir dir;
    QPointer<frmHbid> window = frmHbid::showModal(nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    closeAndDelete(window, how);
    QVERIFY(window.isNull());
}

void TestFrmHbid::eachOpeningReadsTheFileAfresh()
{
    TempWorkDir dir;
    QPointer<frmHbid> window = frmHbid::showModal(nullptr);
    QCOMPARE(window->rowTexts(), QStringList());
    closeAndDelete(window);

    QVERIFY(WriteHistoryRecord(sale(QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("x"),
                                    QStringLiteral("1"), QStringLiteral("t"))));
    window = frmHbid::showModal(nullptr);
    QCOMPARE(window->rowTexts().size(), 1);
    closeAndDelete(window);
}

void TestFrmHbid::controlsKeepTheirPlaces()
{
    TempWorkDir dir;
    frmHbid window;
    QCOMPARE(window.size(), QSize(640, 289));
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.lst_result->geometry(), QRect(12, 10, 615, 238));
    QCOMPARE(window.but_Close->geometry(), QRect(276, 260, 97, 25));
    QCOMPARE(window.but_Close->text(), QStringLiteral("&Close"));
}

QTEST_MAIN(TestFrmHbid)
#include "tst_frm_hbid.moc"
