#include "frm2bid_ui.h"

#include "auction_protocol.h"
#include "caption_switcher.h"
#include "connection_indicator.h"
#include "design_units.h"
#include "palette.h"
#include "picture_button.h"
#include "pictures.h"
#include "sign_in_request.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace {
using namespace Frm2BidDesign;
using Design::fromBgr;
using Design::setBackColor;

QString text(const char16_t *caption)
{
    return QString::fromUtf16(caption);
}

struct Builder {
    Frm2BidUi &ui;
    CaptionSwitcher &captions;
    const WebViewFactory &webViewFactory;

    QWidget *container(Id id) const
    {
        switch (control(id).container) {
        case Container::Form:
            return ui.client;
        case Container::Frame:
            return ui.placed[pFRAME];
        case Container::Tab0:
            return ui.tabPages[0];
        case Container::Tab1:
            return ui.tabPages[1];
        case Container::InfoPanel:
            return ui.placed[PFInfo];
        }
        return nullptr;
    }

    // Names the control, puts it at its design place and keeps it under its id.
    template <typename W> W *place(W *widget, Id id)
    {
        Design::place(widget, control(id).name, control(id).rect,
                      onTabPage(id) ? ui.tabPageOffset() : QPoint());
        ui.placed[std::size_t(id)] = widget;
        return widget;
    }

    // A new control in the container the design table gives it.
    template <typename W, typename... Args> W *make(Id id, Args &&...args)
    {
        return place(new W(std::forward<Args>(args)..., container(id)), id);
    }

    PictureButton *pictureButton(Id id, const char16_t *tip, const QPixmap &picture, const Caption &name)
    {
        auto *button = make<PictureButton>(id);
        button->setPixmap(picture);
        button->setScaledContents(true);
        button->setToolTip(text(tip));
        button->setMouseTracking(true);
        button->setCursor(Pictures::pictureButtonCursor());
        captions.speak(button, name);
        return button;
    }

    QLabel *captionLabel(Id id, CaptionTable::Row row)
    {
        auto *label = make<QLabel>(id);
        captions.follow(label, CaptionTable::caption(row));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    }

    // The auction panel fills in the text.
    QLabel *valueLabel(Id id)
    {
        auto *label = make<QLabel>(id);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // The design puts values right against their captions.
        label->setIndent(6);
        return label;
    }

    // A figure after the caption beside it, which describes it.
    QLabel *figure(Id id, Id captionId, CaptionTable::Row row)
    {
        captionLabel(captionId, row);
        QLabel *label = valueLabel(id);
        captions.describe(label, CaptionTable::caption(row));
        return label;
    }

    // An entry box after the caption beside it, which names it.
    QLineEdit *entry(Id id, Id captionId, CaptionTable::Row row, const QFont &font)
    {
        captionLabel(captionId, row);
        auto *box = make<QLineEdit>(id);
        box->setFont(font);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        captions.nameAfter(box, CaptionTable::caption(row));
        return box;
    }

    QProgressBar *progressBar(Id id, int maximum, const Caption &name)
    {
        auto *bar = make<QProgressBar>(id);
        bar->setRange(0, maximum);
        bar->setValue(0);
        bar->setTextVisible(false);
        captions.speak(bar, name);
        return bar;
    }

    WebView *webView(Id id, const Caption &name)
    {
        WebView *view = place(webViewFactory(container(id)), id);
        captions.speak(view, name);
        return view;
    }

    QLabel *logo(Id id, const QPixmap &pixmap)
    {
        auto *label = make<QLabel>(id);
        label->setPixmap(pixmap);
        label->setScaledContents(true);
        captions.speak(label, SpokenName::logo);
        return label;
    }

    void topStrip()
    {
        setBackColor(make<QWidget>(pFRAME), Qt::white);
        ui.but_Regis =
            pictureButton(but_Regis, FixedCaption::but_RegisTip, Pictures::login(), SpokenName::but_Regis);
        ui.but_HelpMe =
            pictureButton(but_HelpMe, FixedCaption::but_HelpMeTip, Pictures::help(), SpokenName::but_HelpMe);
        ui.but_Cal =
            pictureButton(but_Cal, FixedCaption::but_CalTip, Pictures::calculator(), SpokenName::but_Cal);
        ui.but_basket = pictureButton(but_basket, FixedCaption::but_basketTip, Pictures::basket(),
                                      SpokenName::but_basket);

        ui.webspn = webView(webspn, SpokenName::webspn);
        ui.webspn->hide();

        logo(Pict_Auc, Pictures::logo());
    }

    void leftPane()
    {
        ui.ssTab_Bid = make<QTabWidget>(ssTab_Bid);
        for (int i = 0; i < 2; ++i) {
            ui.tabPages[i] = new QWidget(ui.ssTab_Bid);
            ui.tabPages[i]->setObjectName(QStringLiteral("ssTab_Bid_page%1").arg(i));
        }
        ui.ssTab_Bid->addTab(ui.tabPages[0], text(FixedCaption::descriptionTab));
        ui.ssTab_Bid->addTab(ui.tabPages[1], text(FixedCaption::categoriesTab));

        ui.webBid = webView(webBid, SpokenName::webBid);
        ui.displastbid = make<QLineEdit>(displastbid);
        ui.displastbid->setAlignment(Qt::AlignCenter);
        ui.displastbid->setFont(Design::serifFont(48, true));
        setBackColor(ui.displastbid, fromBgr(0x00C0C0FF));
        // A text box is read by its name, not by a description.
        captions.nameAfter(ui.displastbid, CaptionTable::caption(CaptionTable::lbLbid));
        ui.displastbid->hide();
        ui.pload1 = progressBar(pload1, 100, SpokenName::pageProgress);

        ui.webgalley = webView(webgalley, SpokenName::webgalley);
        ui.pload2 = progressBar(pload2, 100, SpokenName::pageProgress);
    }

    void rightColumn()
    {
        ui.msgchat = make<QPlainTextEdit>(msgchat);
        ui.msgchat->setReadOnly(true);
        ui.msgchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setBackColor(ui.msgchat, fromBgr(lightOrange));
        captions.speak(ui.msgchat, SpokenName::msgchat);

        ui.txtSend = make<QLineEdit>(txtSend);
        setBackColor(ui.txtSend, ui.txtSend->palette().color(QPalette::ToolTipBase));
        captions.speak(ui.txtSend, SpokenName::txtSend);
        ui.ButSend = make<QPushButton>(ButSend, text(FixedCaption::ButSend));

        ui.PFInfo = make<QLabel>(PFInfo);
        setBackColor(ui.PFInfo, Qt::white);
        // A background picture shows from the top left at its own size.
        ui.PFInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        captions.speak(ui.PFInfo, SpokenName::PFInfo);

        QLabel *auctionCaption = make<QLabel>(lbAuc);
        captions.follow(auctionCaption, CaptionTable::caption(CaptionTable::lbAuc));
        QFont underlined = auctionCaption->font();
        underlined.setUnderline(true);
        auctionCaption->setFont(underlined);
        auctionCaption->setAlignment(Qt::AlignCenter);
        auctionCaption->stackUnder(ui.ssTab_Bid);

        ui.countDown = progressBar(countDown, Protocol::countdownLength, SpokenName::countDown);

        ui.aucList = make<QListWidget>(aucList);
        ui.aucList->setFont(Design::sansFont(9.75));
        setBackColor(ui.aucList, fromBgr(lightBlue));
        captions.nameAfter(ui.aucList, CaptionTable::caption(CaptionTable::lbAuc));

        ui.GOBID = make<QPushButton>(GOBID);
        ui.GOBID->setIcon(QIcon(Pictures::goBid()));
        ui.GOBID->setIconSize(ui.GOBID->size() - QSize(6, 6));
        ui.GOBID->setToolTip(text(FixedCaption::GOBIDTip));
        ui.GOBID->setCursor(Pictures::bidCursor());
        ui.GOBID->setEnabled(false);
        captions.speak(ui.GOBID, SpokenName::GOBID);

        logo(ImgContain, Pictures::contain());

        // The design's hidden list box: nothing shows it.
        auto *tempList = new QListWidget(ui.client);
        tempList->setObjectName(QStringLiteral("temp_List"));
        tempList->hide();
    }

    void infoPanel()
    {
        using CaptionTable::Row;
        // Made first so that it lies under the figures.
        ui.bbox = make<QLabel>(bbox);
        QPalette boxPalette = ui.bbox->palette();
        boxPalette.setColor(QPalette::Window, fromBgr(lightBlue));
        ui.bbox->setPalette(boxPalette);

        QLabel *header = make<QLabel>(LBHEAD);
        captions.follow(header, CaptionTable::caption(Row::LBHEAD));
        header->setAlignment(Qt::AlignCenter);
        header->setFont(Design::sansFont(12, true));
        setBackColor(header, fromBgr(0x000000C0));
        Design::setForeColor(header, Qt::white);

        ui.fbidat = figure(fbidat, lbfbid, Row::lbfbid);
        ui.MinBid = figure(MinBid, lbmbid, Row::lbmbid);
        ui.MMax = entry(MMax, MaxBid, Row::MaxBid, Design::sansFont(12, true));
        ui.MMax->setText(QStringLiteral("0"));
        ui.Hi_Bid = figure(Hi_Bid, lbhbid, Row::lbhbid);
        ui.Lb_bid = figure(Lb_bid, lbLbid, Row::lbLbid);
        ui.bid_Inc = figure(bid_Inc, lbinc, Row::lbinc);
        ui.lbYourBid = entry(lbYourBid, lbUBid, Row::lbUBid, Design::serifFont(18, true));
        ui.cCurrency = valueLabel(cCurrency);

        ui.PDesc = valueLabel(PDesc);
        ui.SellerBy = valueLabel(SellerBy);
        ui.nQty = valueLabel(nQty);
        ui.img_count = make<QLabel>(img_count);
        ui.img_count->setScaledContents(true);
        for (Id hidden : {PDesc, SellerBy, nQty, img_count})
            ui.placed[hidden]->hide();
    }

    void statusBar(QMainWindow *window)
    {
        auto *stb = new QStatusBar(window);
        stb->setObjectName(QStringLiteral("stb"));
        stb->setSizeGripEnabled(false);
        stb->setFixedHeight(Design::toPixels(statusBarHeight));
        const QString designText = text(SignIn::statusLabel);
        ui.stbPanel1 = new QLabel(designText, stb);
        ui.stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
        captions.speak(ui.stbPanel1, SpokenName::stbPanel1);
        ui.stbPanel2 = new QLabel(designText, stb);
        ui.stbPanel2->setObjectName(QStringLiteral("stbPanel2"));
        captions.speak(ui.stbPanel2, SpokenName::stbPanel2);
        // Panels of their own, so that neither hints nor the member ID give way to them.
        ui.stbReceipt = new QLabel(stb);
        ui.stbReceipt->setObjectName(QStringLiteral("stbReceipt"));
        ui.stbReceipt->hide();
        ui.stbAutoBid = new QLabel(stb);
        ui.stbAutoBid->setObjectName(QStringLiteral("stbAutoBid"));
        captions.speak(ui.stbAutoBid, SpokenName::stbAutoBid);
        ui.stbAutoBid->hide();
        ui.stbConnection = new ConnectionIndicator(stb);
        ui.stbConnection->setObjectName(QStringLiteral("stbConnection"));
        for (QLabel *panel : {ui.stbPanel1, ui.stbPanel2, ui.stbReceipt, ui.stbAutoBid,
                              static_cast<QLabel *>(ui.stbConnection)}) {
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setContentsMargins(4, 0, 4, 0);
        }
        ui.stbPanel2->setMinimumWidth(Design::toPixels(3000));
        // Panel 1 shows the hint of the picture button under the pointer.
        for (PictureButton *button : {ui.but_Regis, ui.but_HelpMe, ui.but_Cal, ui.but_basket}) {
            QObject::connect(button, &PictureButton::hovered, ui.stbPanel1,
                             [hint = ui.stbPanel1, button] { hint->setText(button->toolTip()); });
        }
        stb->addWidget(ui.stbPanel1, 1);
        stb->addWidget(ui.stbPanel2, 0);
        stb->addPermanentWidget(ui.stbReceipt, 0);
        stb->addPermanentWidget(ui.stbAutoBid, 0);
        stb->addPermanentWidget(ui.stbConnection, 0);
        window->setStatusBar(stb);
    }

    // Keyboard users go round the window in reading order: the top strip, the pages, then the auction column.
    void tabOrder()
    {
        const QList<QWidget *> order{ui.but_Regis, ui.but_HelpMe, ui.but_Cal, ui.but_basket, ui.ssTab_Bid,
                                     ui.webBid,    ui.webgalley,  ui.msgchat, ui.txtSend,    ui.ButSend,
                                     ui.MMax,      ui.lbYourBid,  ui.GOBID,   ui.aucList};
        for (qsizetype i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
    }
};
} // namespace

Frm2BidUi Frm2BidUi::build(QMainWindow *window, const WebViewFactory &webViewFactory,
                           CaptionSwitcher &captions)
{
    Frm2BidUi ui;
    ui.client = new QWidget(window);
    ui.client->setObjectName(QStringLiteral("clientArea"));
    window->setCentralWidget(ui.client);

    Builder builder{ui, captions, webViewFactory};
    builder.topStrip();
    builder.leftPane();
    builder.rightColumn();
    builder.infoPanel();
    builder.statusBar(window);
    builder.tabOrder();
    ui.appliedPageOffset = ui.tabPageOffset();
    return ui;
}

QPoint Frm2BidUi::tabPageOffset() const
{
    // The pages' place is known once the tab control has been laid out; until then, close to it.
    const QWidget *pages = tabPages[0]->parentWidget();
    if (ssTab_Bid->isVisible() && pages && pages != ssTab_Bid)
        return pages->mapTo(ssTab_Bid, QPoint());
    return {2, ssTab_Bid->tabBar()->sizeHint().height()};
}

void Frm2BidUi::apply(const Frm2BidLayout::Layout &layout, const Frm2BidLayout::Layout &before)
{
    const QPoint pageOffset = tabPageOffset();
    for (const Control &c : controls) {
        const bool onTab = onTabPage(c.id);
        if (layout[c.id] != before[c.id] || (onTab && pageOffset != appliedPageOffset))
            placed[c.id]->setGeometry(
                Design::toPixels(layout[c.id]).translated(onTab ? -pageOffset : QPoint()));
        if (c.column == Column::Auction)
            placed[c.id]->setVisible(!layout.wideView);
    }
    appliedPageOffset = pageOffset;
}
