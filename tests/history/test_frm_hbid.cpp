#include "frm_hbid.h"
#include "test_support.h"

#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestFrmHbid : public QObject {
    Q_OBJECT
private slots:
    void listsRowsAndCloses_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Close button") << false;
        QTest::newRow("Escape") << true;
    }
    void listsRowsAndCloses()
    {
        QFETCH(bool, byEscape);
        TempWorkDir dir;
        writeWholeFile(
            dir.filePath(u"AuctHist.bid"_s),
            "[somchai&A102&]\r\nUser=niran\r\nProductName=\xA1\xC5\xE9\xCD\xA7\r\nLastBid=12,500\r\n"
            "[lek&B7&]\r\nHighbid=lek_the_collector_2024\r\nTime=10:20:01\r\n");
        QPointer<frmHbid> window = frmHbid::showModal(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), u"High Bid"_s);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::focusWidget(), window->but_Close);
        QCOMPARE(window->rowTexts(), QStringList({u"niran\t\tกล้อง\t\t12,500\t\t\t"_s,
                                                  u"\t\t\tlek_the_collect\t\t\t\t10:20:01"_s}));
        if (const QString shots = qEnvironmentVariable("GAVORA_SCREENSHOTS"); !shots.isEmpty())
            QVERIFY(window->grab().save(shots + u"/frmhbid.png"_s));

        if (byEscape)
            QTest::keyClick(window, Qt::Key_Escape);
        else
            QTest::mouseClick(window->but_Close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(TestFrmHbid)
#include "test_frm_hbid.moc"
