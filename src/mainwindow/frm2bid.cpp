#include "frm2bid.h"

#include "auction_board.h"
#include "auction_messages.h"
#include "auction_socket.h"
#include "caption_table.h"
#include "design_units.h"
#include "file_lookup.h"
#include "frm2bid_design.h"
#include "frm_login.h"
#include "frm_tool.h"
#include "global.h"
#include "host_config.h"
#include "palette.h"
#include "picture_button.h"
#include "pictures.h"
#include "prompter.h"
#include "sound_player.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

const QString frm2Bid::designTitle = QStringLiteral("Gavora.Com (Beta I)");
const QString frm2Bid::designStatusText = QStringLiteral("UID :");

namespace {
using Design::fromBgr;
using Design::setBackColor;
using Design::setForeColor;
using Frm2BidDesign::Container;

const QString lostConnectionText =
    QStringLiteral("ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora");

QAction *addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu *makeMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}
} // namespace

frm2Bid::frm2Bid(Frm2BidServices services, QWidget *parent)
    : QMainWindow(parent), wsk_tcp(new AuctionSocket(this)), m_services(std::move(services)),
      m_board(new AuctionBoard(this)), m_receiver(*m_board), m_sounds(new SoundPlayer(this))
{
    if (!m_services.beep)
        m_services.beep = [] { QApplication::beep(); };
    setObjectName(QStringLiteral("frm2Bid"));
    setWindowTitle(designTitle);
    setWindowIcon(QIcon(Pictures::appIcon()));
    setFont(Design::sansFont(8.25));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setBackColor(client, fromBgr(0x00E0E0E0));
    setCentralWidget(client);

    buildTopStrip(client);
    buildLeftPane(client);
    buildRightColumn(client);
    buildInfoPanel();
    buildStatusBar();
    buildMenus();

    resize(Design::toPixels(Frm2BidDesign::clientWidth),
           Design::toPixels(Frm2BidDesign::clientHeight) + menuBar()->sizeHint().height() +
               Design::toPixels(Frm2BidDesign::statusBarHeight));

    connect(wsk_tcp, &AuctionSocket::connected, this, &frm2Bid::wsk_tcp_Connect);
    connect(wsk_tcp, &AuctionSocket::closed, this, &frm2Bid::wsk_tcp_Close);
    connect(wsk_tcp, &AuctionSocket::error, this, &frm2Bid::wsk_tcp_Error);
    connect(wsk_tcp, &AuctionSocket::dataArrival, this, &frm2Bid::wsk_tcp_DataArrival);
    bindAuctionBoard();
}

frm2Bid::~frm2Bid() = default;

namespace {
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
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *figureLabel(QWidget *parent, std::string_view name, const QString &text)
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
} // namespace

void frm2Bid::buildTopStrip(QWidget *client)
{
    pFRAME = place(new QWidget(client), "pFRAME");
    setBackColor(pFRAME, Qt::white);
    but_Regis = pictureButton(pFRAME, "but_Regis", QStringLiteral("Login"), Pictures::login());
    but_HelpMe = pictureButton(pFRAME, "but_HelpMe", QStringLiteral("Help"), Pictures::help());
    but_Cal = pictureButton(pFRAME, "but_Cal", QStringLiteral("Calculator"), Pictures::calculator());
    but_basket = pictureButton(pFRAME, "but_basket", QStringLiteral("Your basket"), Pictures::basket());
    for (PictureButton *button : {but_Regis, but_HelpMe, but_Cal, but_basket}) {
        connect(button, &PictureButton::hovered, this,
                [this, button] { stbPanel1->setText(button->toolTip()); });
    }
    connect(but_Regis, &PictureButton::clicked, this, &frm2Bid::but_Regis_Click);

    webspn = place(m_services.webViewFactory(client), "webspn");
    webspn->hide();

    Pict_Auc = place(new QLabel(client), "Pict_Auc");
    Pict_Auc->setPixmap(Pictures::logo());
    Pict_Auc->setScaledContents(true);
}

void frm2Bid::buildLeftPane(QWidget *client)
{
    ssTab_Bid = place(new QTabWidget(client), "ssTab_Bid");
    for (int i = 0; i < 2; ++i) {
        m_tabPages[i] = new QWidget(ssTab_Bid);
        m_tabPages[i]->setObjectName(QStringLiteral("ssTab_Bid_page%1").arg(i));
    }
    ssTab_Bid->addTab(m_tabPages[0], QStringLiteral("&Product Description"));
    ssTab_Bid->addTab(m_tabPages[1], QStringLiteral("&Categories"));
    // Children of the tab control are designed relative to the whole control, tab strip included.
    const QPoint pageOffset(1, ssTab_Bid->tabBar()->sizeHint().height() + 1);

    webBid = place(m_services.webViewFactory(m_tabPages[0]), "webBid", pageOffset);
    displastbid = place(new QLineEdit(m_tabPages[0]), "displastbid", pageOffset);
    displastbid->setAlignment(Qt::AlignCenter);
    displastbid->setFont(Design::serifFont(48, true));
    setBackColor(displastbid, fromBgr(0x00C0C0FF));
    displastbid->hide();
    pload1 = place(new QProgressBar(m_tabPages[0]), "pload1", pageOffset);
    pload1->setRange(0, 100);
    pload1->setValue(0);
    pload1->setTextVisible(false);

    webgalley = place(m_services.webViewFactory(m_tabPages[1]), "webgalley", pageOffset);
    pload2 = place(new QProgressBar(m_tabPages[1]), "pload2", pageOffset);
    pload2->setRange(0, 100);
    pload2->setValue(0);
    pload2->setTextVisible(false);
}

void frm2Bid::buildRightColumn(QWidget *client)
{
    msgchat = place(new QPlainTextEdit(client), "msgchat");
    msgchat->setReadOnly(true);
    msgchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setBackColor(msgchat, fromBgr(0x00C0E0FF));

    txtSend = place(new QLineEdit(client), "txtSend");
    setBackColor(txtSend, txtSend->palette().color(QPalette::ToolTipBase));
    ButSend = place(new QPushButton(QStringLiteral("&Send"), client), "ButSend");

    PFInfo = place(new QLabel(client), "PFInfo");
    setBackColor(PFInfo, Qt::white);
    PFInfo->setScaledContents(true);

    lbAuc = place(new QLabel(QStringLiteral("Auction History"), client), "lbAuc");
    QFont underlined = lbAuc->font();
    underlined.setUnderline(true);
    lbAuc->setFont(underlined);
    lbAuc->setAlignment(Qt::AlignCenter);

    countDown = place(new QProgressBar(client), "countDown");
    countDown->setRange(0, 15);
    countDown->setValue(0);
    countDown->setTextVisible(false);

    aucList = place(new QListWidget(client), "aucList");
    aucList->setFont(Design::sansFont(9.75));
    setBackColor(aucList, fromBgr(0x00FFC0C0));

    GOBID = place(new QPushButton(client), "GOBID");
    GOBID->setIcon(QIcon(Pictures::goBid()));
    GOBID->setIconSize(GOBID->size() - QSize(6, 6));
    GOBID->setToolTip(QStringLiteral("เคาะเสนอราคา"));
    GOBID->setCursor(Qt::PointingHandCursor);
    GOBID->setEnabled(false);

    ImgContain = place(new QLabel(client), "ImgContain");
    ImgContain->setPixmap(Pictures::contain());
    ImgContain->setScaledContents(true);

    temp_List = new QListWidget(client);
    temp_List->setObjectName(QStringLiteral("temp_List"));
    temp_List->hide();
}

void frm2Bid::buildInfoPanel()
{
    // Made first so that it lies under the figures.
    bbox = place(new QLabel(PFInfo), "bbox");
    QPalette boxPalette = bbox->palette();
    boxPalette.setColor(QPalette::Window, fromBgr(0x00FFC0C0));
    bbox->setPalette(boxPalette);

    LBHEAD = place(new QLabel(QStringLiteral("Auction"), PFInfo), "LBHEAD");
    LBHEAD->setAlignment(Qt::AlignCenter);
    LBHEAD->setFont(Design::sansFont(12, true));
    setBackColor(LBHEAD, fromBgr(0x000000C0));
    setForeColor(LBHEAD, Qt::white);

    lbfbid = figureLabel(PFInfo, "lbfbid", QStringLiteral("First bid at :"));
    fbidat = valueLabel(PFInfo, "fbidat", QStringLiteral("0"));
    lbmbid = figureLabel(PFInfo, "lbmbid", QStringLiteral("Mimimum bid :"));
    MinBid = valueLabel(PFInfo, "MinBid", QStringLiteral("0"));
    MaxBid = figureLabel(PFInfo, "MaxBid", QStringLiteral("Max. Bid :"));
    MMax = place(new QLineEdit(QStringLiteral("0"), PFInfo), "MMax");
    MMax->setFont(Design::sansFont(12, true));
    MMax->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbhbid = figureLabel(PFInfo, "lbhbid", QStringLiteral("High Bid :"));
    Hi_Bid = valueLabel(PFInfo, "Hi_Bid", QStringLiteral("0"));
    lbLbid = figureLabel(PFInfo, "lbLbid", QStringLiteral("Last Bid :"));
    Lb_bid = valueLabel(PFInfo, "Lb_bid", QStringLiteral("0"));
    lbinc = figureLabel(PFInfo, "lbinc", QStringLiteral("Increment :"));
    bid_Inc = valueLabel(PFInfo, "bid_Inc", QStringLiteral("0"));
    lbUBid = figureLabel(PFInfo, "lbUBid", QStringLiteral("Your Bid :"));
    lbYourBid = place(new QLineEdit(QStringLiteral("0"), PFInfo), "lbYourBid");
    lbYourBid->setFont(Design::serifFont(18, true));
    lbYourBid->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cCurrency = valueLabel(PFInfo, "cCurrency", QStringLiteral("Currency = "));

    PDesc = valueLabel(PFInfo, "PDesc", QString());
    SellerBy = valueLabel(PFInfo, "SellerBy", QString());
    nQty = valueLabel(PFInfo, "nQty", QString());
    img_count = place(new QLabel(PFInfo), "img_count");
    img_count->setScaledContents(true);
    for (QWidget *hidden : {static_cast<QWidget *>(PDesc), static_cast<QWidget *>(SellerBy),
                            static_cast<QWidget *>(nQty), static_cast<QWidget *>(img_count)})
        hidden->hide();
}

void frm2Bid::buildStatusBar()
{
    stb = new QStatusBar(this);
    stb->setObjectName(QStringLiteral("stb"));
    stb->setSizeGripEnabled(false);
    stb->setFixedHeight(Design::toPixels(Frm2BidDesign::statusBarHeight));
    stbPanel1 = new QLabel(designStatusText, stb);
    stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
    stbPanel2 = new QLabel(designStatusText, stb);
    stbPanel2->setObjectName(QStringLiteral("stbPanel2"));
    for (QLabel *panel : {stbPanel1, stbPanel2}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
    }
    stbPanel2->setMinimumWidth(Design::toPixels(3000));
    stb->addWidget(stbPanel1, 1);
    stb->addWidget(stbPanel2, 0);
    setStatusBar(stb);
}

void frm2Bid::buildMenus()
{
    MLG = makeMenu(this, "MLG", QStringLiteral("Login"));
    MNU = addItem(MLG, "MNU", QStringLiteral("&New user"));
    MLN = addItem(MLG, "MLN", QStringLiteral("&Login"));
    bl = addSeparator(MLG, "bl");
    DLP = addItem(MLG, "DLP", QStringLiteral("&Display Last Bid"));
    DLP->setCheckable(true);
    DLP->setChecked(true);
    MA = addItem(MLG, "MA", QStringLiteral("&About.."));
    connect(MLN, &QAction::triggered, this, &frm2Bid::MLN_Click);

    QMenuBar *bar = menuBar();
    MP = makeMenu(this, "MP", QStringLiteral("Set&ting"));
    MPW = addItem(MP, "MPW", QStringLiteral("&Options"));
    MPW->setEnabled(false);
    MPPS = addItem(MP, "MPPS", QStringLiteral("&Product List"));
    BK1 = addSeparator(MP, "BK1");
    MFV = addItem(MP, "MFV", QStringLiteral("&Wide View"));
    MFV->setCheckable(true);
    bar->addMenu(MP);

    MN = makeMenu(this, "MN", QStringLiteral("&Services"));
    MSNews = addItem(MN, "MSNews", QStringLiteral("&News"));
    MSFAQ = addItem(MN, "MSFAQ", QStringLiteral("&FAQ"));
    MSS = addItem(MN, "MSS", QStringLiteral("Se&arch"));
    MSCOMP = addItem(MN, "MSCOMP", QStringLiteral("Price &Lines"));
    MSCOMP->setVisible(false);
    MCC = addItem(MN, "MCC", QStringLiteral("&Chat"));
    MCT = addItem(MN, "MCT", QStringLiteral("Contact"));
    BK4 = addSeparator(MN, "BK4");
    BK4->setVisible(false);
    MPA = addItem(MN, "MPA", QStringLiteral("&Alarm"));
    MPA->setVisible(false);
    BK3 = addSeparator(MN, "BK3");
    MSSALE = addItem(MN, "MSSALE", QStringLiteral("Product &Auction"));
    BK2 = addSeparator(MN, "BK2");
    MSHELP = addItem(MN, "MSHELP", QStringLiteral("&Help"));
    bar->addMenu(MN);

    MFT = makeMenu(this, "MFT", QStringLiteral("&Format"));
    MFF = makeMenu(MFT, "MFF", QStringLiteral("&Background Image"));
    MFP1 = addItem(MFF, "MFP1", QStringLiteral("Picture &1"));
    MFP2 = addItem(MFF, "MFP2", QStringLiteral("Picture &2"));
    MCUS = addItem(MFF, "MCUS", QStringLiteral("&Select background image"));
    BKK = addSeparator(MFF, "BKK");
    MFPB = addItem(MFF, "MFPB", QStringLiteral("&Disable "));
    MFT->addMenu(MFF);
    bar->addMenu(MFT);

    ML = makeMenu(this, "ML", QStringLiteral("&ไทย | Eng"));
    MLT = addItem(ML, "MLT", QStringLiteral("&ไทย"));
    MLT->setCheckable(true);
    MLT->setChecked(true);
    MLE = addItem(ML, "MLE", QStringLiteral("&English"));
    MLE->setCheckable(true);
    bar->addMenu(ML);
}

QString frm2Bid::Form_Load()
{
    const QString current = QDir::currentPath();
    if (current.isEmpty() || !QFileInfo(current).isDir())
        return QStringLiteral("the current folder cannot be read");
    Global::WorkDir = current;
    setWindowState(windowState() | Qt::WindowMaximized);
    m_confirmMaximized = true;

    if (!webBid || !webgalley || !webspn)
        return QStringLiteral("the web views could not be created");
    webBid->Navigate(HostConfig::webOne());
    webgalley->Navigate(HostConfig::webGall());
    const QString host = HostConfig::ip();

    const QString chatProgram = findFileIgnoringCase(Global::WorkDir, QStringLiteral("dornu.exe"));
    MCC->setVisible(QFileInfo(chatProgram).isFile());

    webspn->Navigate(QStringLiteral("http://") + host + QStringLiteral("/adv.asp"));
    webspn->show();
    ssTab_Bid->setCurrentIndex(0);
    bbox->setAutoFillBackground(true);
    showToolWindow();
    if (!m_tool)
        return QStringLiteral("the toolbar window could not be opened");
    SetLanguage(QStringLiteral("T"));
    return {};
}

void frm2Bid::SetLanguage(const QString &code)
{
    const int column = CaptionTable::column(code);
    const auto &rows = CaptionTable::rows();
    for (int row = 0; row < CaptionTable::rowCount; ++row) {
        const QString name = QString::fromLatin1(rows[std::size_t(row)].control);
        const QString text = CaptionTable::caption(row, column);
        if (auto *label = findChild<QLabel *>(name)) {
            label->setText(text);
        } else if (auto *menu = findChild<QMenu *>(name)) {
            menu->setTitle(text);
        } else if (auto *action = findChild<QAction *>(name)) {
            action->setText(text);
        }
    }
}

void frm2Bid::showMemberStatus(const QString &text)
{
    stbPanel2->setText(text);
}

void frm2Bid::ConnectAuctionSocket(const QString &host, int port, const QString &userId)
{
    wsk_tcp->Close();
    m_board->setUserId(userId);
    wsk_tcp->setRemoteHost(host);
    wsk_tcp->setRemotePort(port);
    wsk_tcp->Connect();
}

void frm2Bid::but_Regis_Click(const QPoint &globalPos)
{
    MLG->popup(globalPos);
}

void frm2Bid::MLN_Click()
{
    openSignIn(true);
}

void frm2Bid::openSignIn(bool modal)
{
    if (m_login) {
        m_login->raise();
        m_login->activateWindow();
        return;
    }
    m_login = new frmLogin(*this, *m_services.prompter, this);
    m_login->setRequestTimeout(m_services.signInTimeout);
    m_login->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    m_login->show();
    m_login->raise();
    m_login->activateWindow();
}

void frm2Bid::showToolWindow()
{
    if (!m_tool)
        m_tool = new frmTool(this);
    m_tool->show();
    m_tool->raise();
}

void frm2Bid::wsk_tcp_Connect()
{
    m_receiver.reset();
    m_services.beep();
    wsk_tcp->SendData(AuctionMessages::auctionGo(m_board->userId()));
}

void frm2Bid::wsk_tcp_Close()
{
    // The auction panel is emptied by the board, which the widgets show.
    stbPanel2->setText(designStatusText);
    m_receiver.reset();
    m_board->connectionClosed();
    wsk_tcp->Close();
    openSignIn(false);
}

void frm2Bid::wsk_tcp_Error(int, const QString &)
{
    // Never a modal box inside the socket's own signal: data arriving meanwhile would sit unread.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_services.prompter->ask({lostConnectionText, QStringLiteral("Gavora"), Prompter::Icon::Critical,
                                      Prompter::Buttons::Ok});
            wsk_tcp_Close();
        },
        Qt::QueuedConnection);
}

bool frm2Bid::event(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && isVisible() && m_confirmMaximized) {
        m_confirmMaximized = false;
        // The web views make the toolkit rebuild the native window before it is shown, and some window
        // managers then drop the maximised state on mapping it: ask once more.
        if (!(windowState() & Qt::WindowMaximized)) {
            QMetaObject::invokeMethod(
                this, [this] { setWindowState(windowState() | Qt::WindowMaximized); }, Qt::QueuedConnection);
        }
    }
    return QMainWindow::event(event);
}

void frm2Bid::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frm2Bid::Form_Unload()
{
    wsk_tcp->Close();
    if (m_tool)
        m_tool->close();
    if (m_login)
        m_login->close();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    emit unloaded();
}
