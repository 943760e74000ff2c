#include "frm2bid_ui.h"

#include "design_units.h"
#include "frm2bid_design.h"
#include "palette.h"
#include "picture_button.h"
#include "pictures.h"

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
using Design::fromBgr;
using Design::setBackColor;

const QString designStatusText = QStringLiteral("UID :");

// Places a widget at its design rectangle inside its container.
template <typename W> W *place(W *widget, std::string_view name, QPoint containerOffset = {})
{
    widget->setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
    if (const auto control = Frm2BidDesign::find(name))
        widget->setGeometry(Design::toPixels(control->rect).translated(-containerOffset));
    return widget;
}

PictureButton *pictureButton(QWidget *parent, std::string_view name, const QString &tip,
                             const QPixmap &picture)
{
    auto *button = place(new PictureButton(parent), name);
    button->setPixmap(picture);
    button->setScaledContents(true);
    button->setToolTip(tip);
    button->setMouseTracking(true);
    button->setCursor(Pictures::pictureButtonCursor());
    return button;
}

QLabel *captionLabel(QWidget *parent, std::string_view name, const QString &text)
{
    auto *label = place(new QLabel(text, parent), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel *valueLabel(QWidget *parent, std::string_view name, const QString &text)
{
    auto *label = place(new QLabel(text, parent), name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The design puts values right against their captions.
    label->setIndent(6);
    return label;
}

QProgressBar *progressBar(QWidget *parent, std::string_view name, int maximum, QPoint offset = {})
{
    auto *bar = place(new QProgressBar(parent), name, offset);
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

void buildTopStrip(Frm2BidUi &ui, const WebViewFactory &webViewFactory)
{
    ui.pFRAME = place(new QWidget(ui.client), "pFRAME");
    setBackColor(ui.pFRAME, Qt::white);
    ui.but_Regis = pictureButton(ui.pFRAME, "but_Regis", QStringLiteral("Login"), Pictures::login());
    ui.but_HelpMe = pictureButton(ui.pFRAME, "but_HelpMe", QStringLiteral("Help"), Pictures::help());
    ui.but_Cal = pictureButton(ui.pFRAME, "but_Cal", QStringLiteral("Calculator"), Pictures::calculator());
    ui.but_basket = pictureButton(ui.pFRAME, "but_basket", QStringLiteral("Your basket"), Pictures::basket());

    ui.webspn = place(webViewFactory(ui.client), "webspn");
    ui.webspn->hide();

    ui.Pict_Auc = place(new QLabel(ui.client), "Pict_Auc");
    ui.Pict_Auc->setPixmap(Pictures::logo());
    ui.Pict_Auc->setScaledContents(true);
}

void buildLeftPane(Frm2BidUi &ui, const WebViewFactory &webViewFactory)
{
    ui.ssTab_Bid = place(new QTabWidget(ui.client), "ssTab_Bid");
    for (int i = 0; i < 2; ++i) {
        ui.tabPages[i] = new QWidget(ui.ssTab_Bid);
        ui.tabPages[i]->setObjectName(QStringLiteral("ssTab_Bid_page%1").arg(i));
    }
    ui.ssTab_Bid->addTab(ui.tabPages[0], QStringLiteral("&Product Description"));
    ui.ssTab_Bid->addTab(ui.tabPages[1], QStringLiteral("&Categories"));
    const QPoint pageOffset = ui.tabPageOffset();

    ui.webBid = place(webViewFactory(ui.tabPages[0]), "webBid", pageOffset);
    ui.displastbid = place(new QLineEdit(ui.tabPages[0]), "displastbid", pageOffset);
    ui.displastbid->setAlignment(Qt::AlignCenter);
    ui.displastbid->setFont(Design::serifFont(48, true));
    setBackColor(ui.displastbid, fromBgr(0x00C0C0FF));
    ui.displastbid->hide();
    ui.pload1 = progressBar(ui.tabPages[0], "pload1", 100, pageOffset);

    ui.webgalley = place(webViewFactory(ui.tabPages[1]), "webgalley", pageOffset);
    ui.pload2 = progressBar(ui.tabPages[1], "pload2", 100, pageOffset);
}

void buildRightColumn(Frm2BidUi &ui)
{
    ui.msgchat = place(new QPlainTextEdit(ui.client), "msgchat");
    ui.msgchat->setReadOnly(true);
    ui.msgchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setBackColor(ui.msgchat, fromBgr(0x00C0E0FF));

    ui.txtSend = place(new QLineEdit(ui.client), "txtSend");
    setBackColor(ui.txtSend, ui.txtSend->palette().color(QPalette::ToolTipBase));
    ui.ButSend = place(new QPushButton(QStringLiteral("&Send"), ui.client), "ButSend");

    ui.PFInfo = place(new QLabel(ui.client), "PFInfo");
    setBackColor(ui.PFInfo, Qt::white);
    // A background picture shows from the top left at its own size.
    ui.PFInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ui.lbAuc = place(new QLabel(QStringLiteral("Auction History"), ui.client), "lbAuc");
    QFont underlined = ui.lbAuc->font();
    underlined.setUnderline(true);
    ui.lbAuc->setFont(underlined);
    ui.lbAuc->setAlignment(Qt::AlignCenter);
    // A caption lies under the window's other controls: in the wide view the pane covers it.
    ui.lbAuc->stackUnder(ui.ssTab_Bid);

    ui.countDown = progressBar(ui.client, "countDown", 15);

    ui.aucList = place(new QListWidget(ui.client), "aucList");
    ui.aucList->setFont(Design::sansFont(9.75));
    setBackColor(ui.aucList, fromBgr(0x00FFC0C0));

    ui.GOBID = place(new QPushButton(ui.client), "GOBID");
    ui.GOBID->setIcon(QIcon(Pictures::goBid()));
    ui.GOBID->setIconSize(ui.GOBID->size() - QSize(6, 6));
    ui.GOBID->setToolTip(QStringLiteral("เคาะเสนอราคา"));
    ui.GOBID->setCursor(Pictures::bidCursor());
    ui.GOBID->setEnabled(false);

    ui.ImgContain = place(new QLabel(ui.client), "ImgContain");
    ui.ImgContain->setPixmap(Pictures::contain());
    ui.ImgContain->setScaledContents(true);

    ui.temp_List = new QListWidget(ui.client);
    ui.temp_List->setObjectName(QStringLiteral("temp_List"));
    ui.temp_List->hide();
}

void buildInfoPanel(Frm2BidUi &ui)
{
    QWidget *panel = ui.PFInfo;
    // Made first so that it lies under the figures.
    ui.bbox = place(new QLabel(panel), "bbox");
    QPalette boxPalette = ui.bbox->palette();
    boxPalette.setColor(QPalette::Window, fromBgr(0x00FFC0C0));
    ui.bbox->setPalette(boxPalette);

    ui.LBHEAD = place(new QLabel(QStringLiteral("Auction"), panel), "LBHEAD");
    ui.LBHEAD->setAlignment(Qt::AlignCenter);
    ui.LBHEAD->setFont(Design::sansFont(12, true));
    setBackColor(ui.LBHEAD, fromBgr(0x000000C0));
    Design::setForeColor(ui.LBHEAD, Qt::white);

    ui.lbfbid = captionLabel(panel, "lbfbid", QStringLiteral("First bid at :"));
    ui.fbidat = valueLabel(panel, "fbidat", QStringLiteral("0"));
    ui.lbmbid = captionLabel(panel, "lbmbid", QStringLiteral("Mimimum bid :"));
    ui.MinBid = valueLabel(panel, "MinBid", QStringLiteral("0"));
    ui.MaxBid = captionLabel(panel, "MaxBid", QStringLiteral("Max. Bid :"));
    ui.MMax = place(new QLineEdit(QStringLiteral("0"), panel), "MMax");
    ui.MMax->setFont(Design::sansFont(12, true));
    ui.MMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.lbhbid = captionLabel(panel, "lbhbid", QStringLiteral("High Bid :"));
    ui.Hi_Bid = valueLabel(panel, "Hi_Bid", QStringLiteral("0"));
    ui.lbLbid = captionLabel(panel, "lbLbid", QStringLiteral("Last Bid :"));
    ui.Lb_bid = valueLabel(panel, "Lb_bid", QStringLiteral("0"));
    ui.lbinc = captionLabel(panel, "lbinc", QStringLiteral("Increment :"));
    ui.bid_Inc = valueLabel(panel, "bid_Inc", QStringLiteral("0"));
    ui.lbUBid = captionLabel(panel, "lbUBid", QStringLiteral("Your Bid :"));
    ui.lbYourBid = place(new QLineEdit(QStringLiteral("0"), panel), "lbYourBid");
    ui.lbYourBid->setFont(Design::serifFont(18, true));
    ui.lbYourBid->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.cCurrency = valueLabel(panel, "cCurrency", QStringLiteral("Currency = "));

    ui.PDesc = valueLabel(panel, "PDesc", QString());
    ui.SellerBy = valueLabel(panel, "SellerBy", QString());
    ui.nQty = valueLabel(panel, "nQty", QString());
    ui.img_count = place(new QLabel(panel), "img_count");
    ui.img_count->setScaledContents(true);
    for (QWidget *hidden : {static_cast<QWidget *>(ui.PDesc), static_cast<QWidget *>(ui.SellerBy),
                            static_cast<QWidget *>(ui.nQty), static_cast<QWidget *>(ui.img_count)})
        hidden->hide();
}

void buildStatusBar(Frm2BidUi &ui, QMainWindow *window)
{
    ui.stb = new QStatusBar(window);
    ui.stb->setObjectName(QStringLiteral("stb"));
    ui.stb->setSizeGripEnabled(false);
    ui.stb->setFixedHeight(Design::toPixels(Frm2BidDesign::statusBarHeight));
    ui.stbPanel1 = new QLabel(designStatusText, ui.stb);
    ui.stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
    ui.stbPanel2 = new QLabel(designStatusText, ui.stb);
    ui.stbPanel2->setObjectName(QStringLiteral("stbPanel2"));
    for (QLabel *panel : {ui.stbPanel1, ui.stbPanel2}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
    }
    ui.stbPanel2->setMinimumWidth(Design::toPixels(3000));
    ui.stb->addWidget(ui.stbPanel1, 1);
    ui.stb->addWidget(ui.stbPanel2, 0);
    window->setStatusBar(ui.stb);
}

// Keyboard users go round the window in reading order: the top strip, the pages, then the auction column.
void setTabOrder(const Frm2BidUi &ui)
{
    const QList<QWidget *> order{ui.but_Regis, ui.but_HelpMe, ui.but_Cal, ui.but_basket, ui.ssTab_Bid,
                                 ui.webBid,    ui.webgalley,  ui.msgchat, ui.txtSend,    ui.ButSend,
                                 ui.MMax,      ui.lbYourBid,  ui.GOBID,   ui.aucList};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
} // namespace

Frm2BidUi Frm2BidUi::build(QMainWindow *window, const WebViewFactory &webViewFactory)
{
    Frm2BidUi ui;
    ui.client = new QWidget(window);
    ui.client->setObjectName(QStringLiteral("clientArea"));
    setBackColor(ui.client, fromBgr(0x00E0E0E0));
    window->setCentralWidget(ui.client);

    buildTopStrip(ui, webViewFactory);
    buildLeftPane(ui, webViewFactory);
    buildRightColumn(ui);
    buildInfoPanel(ui);
    buildStatusBar(ui, window);
    setTabOrder(ui);
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
