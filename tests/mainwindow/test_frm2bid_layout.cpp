// The main window's layout as a function of its outer size, against rectangles worked out by hand.
#include "frm2bid_layout.h"

#include <QTest>

using namespace Frm2BidLayout;
using namespace Frm2BidDesign;
using Expected = QList<QPair<Id, TwipsRect>>;
Q_DECLARE_METATYPE(Frm2BidLayout::Layout)

namespace Frm2BidLayout {
// What a failed comparison shows: the wide view's mark and every control's place.
char *toString(const Layout &layout)
{
    QByteArray text = layout.wideView ? "wide view" : "normal view";
    for (int id = 0; id < IdCount; ++id) {
        const TwipsRect r = layout[Id(id)];
        text += "\n  " +
                QByteArray(controls[std::size_t(id)].name.data(), controls[std::size_t(id)].name.size()) +
                ' ' + QByteArray::number(r.left) + ',' + QByteArray::number(r.top) + ' ' +
                QByteArray::number(r.width) + 'x' + QByteArray::number(r.height);
    }
    return qstrdup(text.constData());
}
} // namespace Frm2BidLayout

namespace {
// The layout with the given controls changed and every other one as designed.
Layout designWith(const Expected &changes, bool wideView = false)
{
    Layout layout = designLayout();
    for (const auto &[id, rect] : changes)
        layout[id] = rect;
    layout.wideView = wideView;
    return layout;
}

// Maximised on a 1280 x 1024 screen: 19200 x 15360 twips.
const Expected large{
    {ButSend, {18305, 1140, 705, 285}},     {Pict_Auc, {17355, 90, 1725, 675}},
    {webspn, {3300, 30, 13975, 735}},       {PFInfo, {14635, 1440, 4365, 4005}},
    {msgchat, {14635, 840, 4365, 285}},     {txtSend, {14635, 1140, 3650, 285}},
    {ssTab_Bid, {30, 840, 14485, 13710}},   {webBid, {90, 450, 14285, 12860}},
    {pload1, {90, 13320, 14285, 225}},      {ImgContain, {18075, 14640, 975, 255}},
    {lbAuc, {14635, 5465, 1395, 225}},      {aucList, {14635, 5710, 4395, 780}},
    {GOBID, {16330, 6510, 1005, 885}},      {webgalley, {90, 450, 14285, 12860}},
    {pload2, {90, 13320, 14285, 225}},      {countDown, {16175, 5460, 2865, 225}},
    {displastbid, {4255, 600, 5775, 1245}},
};
} // namespace

class TestFrm2BidLayout : public QObject {
    Q_OBJECT
private slots:
    void resize()
    {
        const Layout laidOut = resized(designLayout(), 19200, 15360);
        QCOMPARE(laidOut, designWith(large));
        // Laid out again at the same size, nothing moves.
        QCOMPARE(resized(laidOut, 19200, 15360), laidOut);
    }

    // Too small for the formulas: the banner's width and the tab control's size cannot be negative and stay
    // as they were; what comes after them is still laid out, from the values kept.
    void tooSmall()
    {
        const Layout design = designLayout();
        const Layout small = resized(design, 4000, 1000);
        QCOMPARE(small[webspn].width, design[webspn].width);
        QCOMPARE(small[ssTab_Bid], design[ssTab_Bid]);
        QCOMPARE(small[webBid], (TwipsRect{90, 450, 6595, 4925}));
        QCOMPARE(small[ButSend], (TwipsRect{3105, 1140, 705, 285}));
    }

    // Whole pixels, halves away from zero.
    void toPixels()
    {
        QCOMPARE(Design::toPixels(14635), 976);
        QCOMPARE(Design::toPixels(-22.5), -2);
        QCOMPARE(Design::toPixels(7.4), 0);
    }

    // On with the description shown, the gallery selected, off again, the description selected again: only
    // the widths of the pane and the view shown change. The large last bid keeps its place until a countdown
    // stage centres it over the wider view. Any resize returns to the normal view.
    void wideViewBothWays()
    {
        const Layout normal = resized(designLayout(), 19200, 15360);
        Layout wide = wideViewSwitched(normal, 19200, 0);
        QVERIFY(wide == designWith(large + Expected{{ssTab_Bid, {30, 840, 19050, 13710}},
                                                    {webBid, {90, 450, 18850, 12860}}},
                                   true));
        QCOMPARE(lastBidCentred(wide)[displastbid].left, 6537.5);
        wide = tabSelected(wide, 1);
        QCOMPARE(wide[webgalley].width, 18850.0);
        Layout back = wideViewSwitched(wide, 19200, 1);
        QVERIFY(!back.wideView);
        QCOMPARE(back[ssTab_Bid].width, 14485.0);
        QCOMPARE(back[webgalley].width, 14285.0);
        QCOMPARE(tabSelected(back, 0), normal);
        QCOMPARE(resized(wideViewSwitched(normal, 19200, 0), 19200, 15360), normal);
    }
};

QTEST_APPLESS_MAIN(TestFrm2BidLayout)
#include "test_frm2bid_layout.moc"
