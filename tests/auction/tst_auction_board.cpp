#include "auction_board.h"
#include "auction_receiver.h"
#include "auction_test_util.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using Fields = QStringList;

class TestAuctionBoard : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AuctionBoard> board;
    std::unique_ptr<AuctionReceiver> receiver;
    QList<SaleRecord> sales;

    void read(const QByteArray &bytes) { receiver->receive(bytes); }
    void send(const Fields &fields) { read(wire(fields)); }
    void putUpProduct(const QString &lastBid = QStringLiteral("1000"))
    {
        send({"#BidManPInfo", "P1", "Watch", "2", "1000", "500", "nobody", lastBid, "100", "Shop", "THB",
              "http://gavora.test/p1.htm"});
    }

private slots:
    void init()
    {
        sales.clear();
        board = std::make_unique<AuctionBoard>();
        board->setUserId(QStringLiteral("me"));
        board->setSaleRecorder([this](const SaleRecord &record) { sales.append(record); });
        receiver = std::make_unique<AuctionReceiver>(*board);
    }

    void cleanup()
    {
        receiver.reset();
        board.reset();
    }

    void productInfoFillsThePanel()
    {
        QSignalSpy nav(board.get(), &AuctionBoard::navigateDescription);
        send({"#COUNT1"});
        send({"#BidManPInfo", "P7", QStringLiteral("นาฬิกา"), "1200", "1000", "500", "alice", "1500.5", "100",
              QStringLiteral("ร้าน"), QStringLiteral("บาท"), "http://gavora.test/p7.htm"});
        const QStringList shown = snapshot(*board);
        QCOMPARE(shown.mid(0, 11),
                 (QStringList{"CurrentProductID=P7", QStringLiteral("PDesc=นาฬิกา"), "nQty=1,200",
                              "fbidat=1,000", "MinBid=500", "Hi_Bid=alice", "Lb_bid=1,501", "bid_Inc=100",
                              QStringLiteral("SellerBy=ร้าน"), QStringLiteral("cCurrency=Currency = บาท"),
                              "lbYourBid=1,601"}));
        QCOMPARE(board->stagePicture(), 0);
        QCOMPARE(board->displastbidVisible(), false);
        QCOMPARE(nav.count(), 1);
        QCOMPARE(nav.first().first().toString(), QStringLiteral("http://gavora.test/p7.htm"));
    }

    void onlyWebAddressesAreNavigated_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("navigated");
        QTest::newRow("http") << "http://gavora.test/a.htm" << true;
        QTest::newRow("https upper case") << "HTTPS://gavora.test/a.htm" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("ftp") << "ftp://gavora.test/a" << false;
        QTest::newRow("no scheme") << "gavora.test/a.htm" << false;
        QTest::newRow("empty") << "" << false;
    }

    void onlyWebAddressesAreNavigated()
    {
        QFETCH(QString, url);
        QFETCH(bool, navigated);
        QSignalSpy nav(board.get(), &AuctionBoard::navigateDescription);
        send({"#BidManPInfo", "P1", "", "", "", "", "", "", "", "", "", url});
        send({"#CANCEL", url});
        QCOMPARE(nav.count(), navigated ? 2 : 0);
    }

    void bidUpdatesLabelsOnlyWhenHigher_data()
    {
        QTest::addColumn<QByteArray>("bid");
        QTest::addColumn<QStringList>("labels"); // Hi_Bid, Lb_bid, bid_Inc, lbYourBid
        QTest::addColumn<QString>("line");
        QTest::newRow("higher") << wire({"#BID", "alice", "1500", "100", "10:15:32"})
                                << QStringList{"alice", "1,500", "100", "1,600"}
                                << "AT  1,500  By  alice Time : 10:15:32";
        QTest::newRow("equal") << wire({"#BID", "alice", "1000", "50", "10:15:32"})
                               << QStringList{"nobody", "1,000", "100", "1,050"}
                               << "AT  1,000  By  alice Time : 10:15:32";
        QTest::newRow("zero amount") << wire({"#BID", "bob", "0", "0", "t"})
                                     << QStringList{"nobody", "1,000", "100", ""} << "AT    By  bob Time : t";
        QTest::newRow("not a number")
            << wire({"#BID", "bob", "abc", "x", "t"}) << QStringList{"nobody", "1,000", "100", ""}
            << "AT    By  bob Time : t";
        QTest::newRow("time without closing tab")
            << QByteArray("#BID\tbob\t2000\t100\t10:15:32\xFE") << QStringList{"bob", "2,000", "100", "2,100"}
            << "AT  2,000  By  bob Time : ";
        QTest::newRow("amount with separator reads its leading digits")
            << wire({"#BID", "bob", "1,500", "100", "t"}) << QStringList{"nobody", "1,000", "100", "101"}
            << "AT  1  By  bob Time : t";
        QTest::newRow("thai bidder and fraction")
            << wire({"#BID", QStringLiteral("สมชาย"), "1200.5", "99.5", QStringLiteral("๑๐:๑๕")})
            << QStringList{QStringLiteral("สมชาย"), "1,201", "100", "1,301"}
            << QStringLiteral("AT  1,201  By  สมชาย Time : ๑๐:๑๕");
    }

    void bidUpdatesLabelsOnlyWhenHigher()
    {
        QFETCH(QByteArray, bid);
        QFETCH(QStringList, labels);
        QFETCH(QString, line);
        putUpProduct();
        read(bid);
        QCOMPARE((QStringList{board->hiBid(), board->lbBid(), board->bidInc(), board->lbYourBid()}), labels);
        QCOMPARE(board->aucList(), QStringList{line});
        QCOMPARE(board->aucListSelected(), 0);
    }

    void coloursFollowTheLatestBidder()
    {
        putUpProduct();
        QCOMPARE(board->bidColours(), AuctionBoard::BidColours::Initial);
        send({"#BID", "me", "1100", "100", "t"});
        QCOMPARE(board->bidColours(), AuctionBoard::BidColours::OwnBid);
        send({"#BID", "Me", "900", "100", "t"}); // not higher, and not the same user
        QCOMPARE(board->bidColours(), AuctionBoard::BidColours::OtherBid);
        QCOMPARE(board->hiBid(), QStringLiteral("me"));
    }

    void listKeepsTheNewest31Lines()
    {
        putUpProduct();
        QByteArray many;
        for (int i = 1; i <= 32; ++i)
            many += wire({"#BID", "b", QString::number(1000 + i), "1", QString::number(i)});
        read(many);
        QCOMPARE(board->aucList().size(), AuctionBoard::maxListLines);
        QCOMPARE(board->aucList().first(), QStringLiteral("AT  1,002  By  b Time : 2"));
        QCOMPARE(board->aucListSelected(), 30);
    }

    void leftCount_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("bar");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("15") << "15" << 15;
        QTest::newRow("16 refused") << "16" << 7;
        QTest::newRow("-1 refused") << "-1" << 7;
        QTest::newRow("not a number reads 0") << "abc" << 0;
    }

    void leftCount()
    {
        QFETCH(QString, value);
        QFETCH(int, bar);
        send({"#LEFTCOUNT", "7"});
        send({"#LEFTCOUNT", value});
        QCOMPARE(board->countDown(), bar);
    }

    void stagesShowTheLastBidWhateverCameBefore()
    {
        QSignalSpy sounds(board.get(), &AuctionBoard::playSound);
        putUpProduct(QStringLiteral("2500"));
        board->hideLastBidDisplay();
        send({"#COUNT2"});
        QCOMPARE(board->stagePicture(), 2);
        QCOMPARE(board->displastbidVisible(), true);
        QCOMPARE(board->displastbidText(), QStringLiteral("2,500"));
        QCOMPARE(sounds.count(), 1);
        QCOMPARE(sounds.last().first().toString(), QStringLiteral("Sounds/boom.wav"));
        send({"#COUNTCANCEL"});
        QCOMPARE(board->stagePicture(), 0);
        QCOMPARE(board->displastbidVisible(), false);
    }

    void saleRecordsFirstThenCloses()
    {
        QSignalSpy sounds(board.get(), &AuctionBoard::playSound);
        putUpProduct();
        send({"#GOBID"});
        send({"#BID", "alice", "1500", "100", "10:15:32"});
        send({"#LEFTCOUNT", "3"});
        send({"#COUNTS"});
        QCOMPARE(sales.size(), 1);
        const SaleRecord &sale = sales.first();
        QCOMPARE((QStringList{sale.user, sale.productId, sale.productName, sale.highBidder, sale.lastBid,
                              sale.currency, sale.seller, sale.lastListLine}),
                 (QStringList{"me", "P1", "Watch", "alice", "1,500", "Currency = THB", "Shop",
                              "AT  1,500  By  alice Time : 10:15:32"}));
        QCOMPARE(board->aucList(), QStringList());
        QCOMPARE(board->gobidEnabled(), false);
        QCOMPARE(board->countDown(), 0);
        QCOMPARE(board->stagePicture(), int(AuctionBoard::soldPicture));
        QCOMPARE(board->displastbidText(), QStringLiteral("1,500"));
        QCOMPARE(board->hiBid(), QStringLiteral("alice"));
        QCOMPARE(sounds.last().first().toString(), QStringLiteral("Sounds/glassshatter.wav"));
    }

    void saleWithEmptyListStillRecords()
    {
        putUpProduct();
        send({"#COUNTS"});
        QCOMPARE(sales.size(), 1);
        QCOMPARE(sales.first().lastListLine, QString());
        QCOMPARE(sales.first().lastBid, QStringLiteral("1,000"));
    }

    void cancelEmptiesTheProductButKeepsYourBid()
    {
        putUpProduct();
        send({"#BID", "alice", "1500", "100", "t"});
        send({"#LEFTCOUNT", "4"});
        send({"#COUNT3"});
        send({"#GOBID"});
        send({"#CANCEL", "http://gavora.test/cancel.htm"});
        QCOMPARE(snapshot(*board),
                 (QStringList{"CurrentProductID=", "PDesc=", "nQty=", "fbidat=", "MinBid=", "Hi_Bid=",
                              "Lb_bid=", "bid_Inc=", "SellerBy=", "cCurrency=Currency = ", "lbYourBid=1,600",
                              "aucList=", "selected=-1", "colours=2", "countDown=4", "img_count=3",
                              "displastbid=false:1,500", "GOBID=false", "msgchat="}));
    }

    void keywordsAndChat_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<bool>("gobid");
        QTest::addColumn<QString>("chat");
        const QByteArray hi = wire({"#FOO", "hi"});
        QTest::newRow("pause then go") << QByteArray("#PAUSEBID\t\xFE#GOBID\t\xFE") << true << "old";
        QTest::newRow("empty message skipped")
            << QByteArray("#GOBID\t\xFE\xFE   \xFE#PAUSEBID\t\xFE") << false << "old";
        QTest::newRow("leading spaces") << QByteArray("   #GOBID\t  \xFE") << true << "old";
        QTest::newRow("lower case is chat") << QByteArray("#gobid\t\xFE") << false << "";
        QTest::newRow("keyword without tab is chat") << QByteArray("#GOBID\xFE") << false << "";
        QTest::newRow("unknown keyword") << hi << false << "hi";
        QTest::newRow("second chat wins")
            << hi + wire({"x", QStringLiteral("สวัสดี")}) << false << QStringLiteral("สวัสดี");
        QTest::newRow("empty chat clears") << wire({"x", ""}) << false << "";
        QTest::newRow("chat keeps line breaks and spaces") << wire({"x", " a\r\nb "}) << false << " a\r\nb ";
        QTest::newRow("no terminator does nothing") << QByteArray("#GOBID\t") << false << "old";
    }

    void keywordsAndChat()
    {
        QFETCH(QByteArray, read);
        QFETCH(bool, gobid);
        QFETCH(QString, chat);
        send({"x", "old"});
        this->read(read);
        QCOMPARE(board->gobidEnabled(), gobid);
        QCOMPARE(board->msgchat(), chat);
    }

    void oneReadSignalsOnce()
    {
        QSignalSpy changed(board.get(), &AuctionBoard::changed);
        QSignalSpy sounds(board.get(), &AuctionBoard::playSound);
        QSignalSpy nav(board.get(), &AuctionBoard::navigateDescription);
        QByteArray bytes =
            wire({"#BidManPInfo", "P1", "", "", "", "", "", "", "", "", "", "http://a.test/1"}) +
            wire({"#COUNT1"});
        for (int i = 0; i < 5000; ++i)
            bytes += wire({"#BID", "b", QString::number(2000 + i), "10", "t"});
        bytes += wire({"#COUNTS"}) + wire({"#CANCEL", "http://a.test/2"});
        read(bytes);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(sounds.count(), 1);
        QCOMPARE(sounds.first().first().toString(), QStringLiteral("Sounds/glassshatter.wav"));
        QCOMPARE(nav.count(), 1);
        QCOMPARE(nav.first().first().toString(), QStringLiteral("http://a.test/2"));
        read(QByteArray("partial"));
        QCOMPARE(changed.count(), 1);
    }

    void connectionClosedEmptiesThePanel()
    {
        putUpProduct();
        send({"#GOBID"});
        send({"#BID", "alice", "1500", "100", "t"});
        send({"#LEFTCOUNT", "9"});
        send({"#COUNT1"});
        send({"x", "chat"});
        QSignalSpy changed(board.get(), &AuctionBoard::changed);
        board->connectionClosed();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(snapshot(*board),
                 (QStringList{"CurrentProductID=", "PDesc=", "nQty=", "fbidat=", "MinBid=", "Hi_Bid=",
                              "Lb_bid=", "bid_Inc=", "SellerBy=", "cCurrency=", "lbYourBid=1,600",
                              "aucList=", "selected=-1", "colours=2", "countDown=0", "img_count=1",
                              "displastbid=false:1,500", "GOBID=false", "msgchat=chat"}));
        // Nothing of the old amounts survives into the next product's comparisons.
        send({"#BID", "bob", "1", "1", "t"});
        QCOMPARE(board->lbBid(), QStringLiteral("1"));
    }
};

QTEST_GUILESS_MAIN(TestAuctionBoard)
#include "tst_auction_board.moc"
