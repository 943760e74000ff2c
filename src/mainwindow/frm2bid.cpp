#include "frm2bid.h"

#include "auction_board.h"
#include "auction_panel.h"
#include "auction_socket.h"
#include "auction_watch.h"
#include "design_window.h"
#include "desktop_notifier.h"
#include "dialog.h"
#include "frm_hbid.h"
#include "frm_login.h"
#include "frm_tool.h"
#include "host_config.h"
#include "picture_button.h"
#include "pictures.h"
#include "prompter.h"
#include "web_panes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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
#include <QTabWidget>

namespace {
Frm2BidServices withDefaults(Frm2BidServices services)
{
    if (!services.beep)
        services.beep = [] { QApplication::beep(); };
    if (!services.choosePictureFile)
        services.choosePictureFile = [folder = services.workFolder,
                                      prompter = services.prompter](QWidget *owner) {
            return choosePictureFile(owner, folder, prompter->language());
        };
    return services;
}

using Design::toTwips;

// A check item's handler decides the mark itself, as the design's handlers do: undo the toolkit's own toggle
// before calling it.
void onCheckItem(QAction *item, QObject *context, const std::function<void()> &handler)
{
    QObject::connect(item, &QAction::triggered, context, [item, handler](bool checked) {
        item->setChecked(!checked);
        handler();
    });
}
} // namespace

frm2Bid::frm2Bid(Frm2BidServices services, QWidget *parent)
    : QMainWindow(parent), m_services(withDefaults(std::move(services))),
      m_ui(Frm2BidUi::build(this, m_services.webViewFactory, m_captions)),
      m_menus(Frm2BidMenus::build(this, m_captions)),
      m_panel(new AuctionPanel(m_ui, *m_services.prompter, m_services.beep, m_services.workFolder, this)),
      m_panes(new WebPanes(m_ui, this, *m_services.prompter)),
      m_notifier(new DesktopNotifier(m_services.notificationBus, this)),
      m_watch(new AuctionWatch({m_ui, m_menus, *m_panel, m_captions, *m_services.prompter, *m_notifier,
                                [this] { return isActiveWindow() && !isMinimized(); }},
                               UserSettings(m_services.settingsFile), this)),
      m_programs(m_services.launcher ? *m_services.launcher : m_systemLauncher, *m_services.prompter,
                 m_services.workFolder),
      m_background(m_ui.PFInfo, m_ui.bbox, *m_services.prompter, Pictures::background,
                   m_services.choosePictureFile),
      m_layout(Frm2BidLayout::designLayout())
{
    Design::setUpForm(this, Frm2BidDesign::form);
    m_appliedPageOffset = m_ui.tabPageOffset();
    connectCommands();
}

frm2Bid::~frm2Bid() = default;

void frm2Bid::connectCommands()
{
    for (PictureButton *button : {m_ui.but_Regis, m_ui.but_HelpMe, m_ui.but_Cal, m_ui.but_basket}) {
        connect(button, &PictureButton::hovered, this,
                [this, button] { m_ui.stbPanel1->setText(button->toolTip()); });
    }
    connect(m_ui.but_Regis, &PictureButton::clicked, this, &frm2Bid::but_Regis_Click);
    connect(m_ui.but_Regis, &PictureButton::activated, this,
            [this] { but_Regis_Click(m_ui.but_Regis->mapToGlobal(m_ui.but_Regis->rect().bottomLeft())); });
    connect(m_ui.but_Cal, &PictureButton::clicked, this, &frm2Bid::but_Cal_Click);
    connect(m_ui.but_Cal, &PictureButton::activated, this, &frm2Bid::but_Cal_Click);
    connect(m_ui.but_basket, &PictureButton::doubleClicked, this, &frm2Bid::but_basket_DblClick);
    // From the keyboard the basket opens at once: a key has no double press.
    connect(m_ui.but_basket, &PictureButton::activated, this, &frm2Bid::but_basket_DblClick);

    connect(m_menus.MLN, &QAction::triggered, this, &frm2Bid::MLN_Click);
    connect(m_menus.MA, &QAction::triggered, this, &frm2Bid::MA_Click);
    connect(m_menus.MCC, &QAction::triggered, this, &frm2Bid::MCC_Click);
    for (QAction *page : {m_menus.MNU, m_menus.MPPS, m_menus.MSSALE, m_menus.MSNews, m_menus.MSFAQ,
                          m_menus.MSS, m_menus.MSHELP, m_menus.MCT}) {
        connect(page, &QAction::triggered, this,
                [this, page] { openServicePage(page->data().value<ServicePages::Command>()); });
    }
    connect(m_menus.MFP1, &QAction::triggered, this, [this] { m_background.MFP1_Click(); });
    connect(m_menus.MFP2, &QAction::triggered, this, [this] { m_background.MFP2_Click(); });
    connect(m_menus.MCUS, &QAction::triggered, this, [this] { m_background.MCUS_Click(); });
    connect(m_menus.MFPB, &QAction::triggered, this, [this] { m_background.MFPB_Click(); });
    onCheckItem(m_menus.DLP, this, [this] { DLP_Click(); });
    onCheckItem(m_menus.MFV, this, [this] { MFV_Click(); });
    onCheckItem(m_menus.MLT, this, [this] { MLT_Click(); });
    onCheckItem(m_menus.MLE, this, [this] { MLE_Click(); });
    onCheckItem(m_menus.MAutoBid, this, [this] { m_watch->MAutoBid_Click(); });
    onCheckItem(m_menus.MNotify, this, [this] { m_watch->MNotify_Click(); });
    onCheckItem(m_menus.MMute, this, [this] { m_watch->MMute_Click(); });
    connect(m_notifier, &DesktopNotifier::clicked, this, &frm2Bid::comeForward);

    connect(m_panel, &AuctionPanel::connectionLost, this, [this] { openSignIn(false); });
    connect(m_panel, &AuctionPanel::lastBidDisplayChanged, this,
            [this] { applyLayout(Frm2BidLayout::lastBidCentred(m_layout)); });
    connect(m_panes, &WebPanes::toolWindowWanted, this, &frm2Bid::showToolWindow);
    connect(m_panes, &WebPanes::tabViewToFit, this, &frm2Bid::fitTabView);
    connect(m_panes, &WebPanes::galleryAddressChanged, this, &frm2Bid::showGalleryAddress);
    connect(m_panes, &WebPanes::productDescriptionWanted, m_panel, &AuctionPanel::requestProductDescription);
}

QString frm2Bid::Form_Load()
{
    const QString current = m_services.workFolder.path();
    if (current.isEmpty() || !QFileInfo(current).isDir())
        return QStringLiteral("the current folder cannot be read");
    setWindowState(windowState() | Qt::WindowMaximized);
    m_confirmMaximized = true;

    if (!m_ui.webBid || !m_ui.webgalley || !m_ui.webspn)
        return QStringLiteral("the web views could not be created");
    m_ui.webBid->Navigate(HostConfig::webOne(m_services.workFolder));
    m_ui.webgalley->Navigate(HostConfig::webGall(m_services.workFolder));
    const QString host = HostConfig::ip(m_services.workFolder);

    m_menus.MCC->setVisible(m_programs.chatProgramPresent());

    m_ui.webspn->Navigate(QStringLiteral("http://") + host + QStringLiteral("/adv.asp"));
    m_ui.webspn->show();
    m_ui.ssTab_Bid->setCurrentIndex(0);
    m_ui.bbox->setAutoFillBackground(true);
    showToolWindow();
    if (!m_tool)
        return QStringLiteral("the toolbar window could not be opened");
    SetLanguage(QStringLiteral("T"));
    return {};
}

void frm2Bid::Form_Resize()
{
    if (isMinimized())
        return;
    const QRect outer = frameGeometry();
    applyLayout(Frm2BidLayout::resized(m_layout, toTwips(outer.width()), toTwips(outer.height())));
}

void frm2Bid::MFV_Click()
{
    applyLayout(Frm2BidLayout::wideViewSwitched(m_layout, toTwips(frameGeometry().width()),
                                                m_ui.ssTab_Bid->currentIndex()));
}

void frm2Bid::fitTabView(int tab)
{
    applyLayout(Frm2BidLayout::tabSelected(m_layout, tab));
}

void frm2Bid::applyLayout(const Frm2BidLayout::Layout &layout)
{
    using namespace Frm2BidLayout;
    const Layout old = std::exchange(m_layout, layout);
    const QPoint pageOffset = m_ui.tabPageOffset();
    for (int i = 0; i < IdCount; ++i) {
        const auto id = Id(i);
        const bool onTabPage = Frm2BidDesign::onTabPage(id);
        if (layout[id] == old[id] && !(onTabPage && pageOffset != m_appliedPageOffset))
            continue;
        m_ui.placed[id]->setGeometry(
            Design::toPixels(layout[id]).translated(onTabPage ? -pageOffset : QPoint()));
    }
    for (QWidget *column : {static_cast<QWidget *>(m_ui.msgchat), static_cast<QWidget *>(m_ui.PFInfo),
                            static_cast<QWidget *>(m_ui.ButSend), static_cast<QWidget *>(m_ui.txtSend),
                            static_cast<QWidget *>(m_ui.aucList), static_cast<QWidget *>(m_ui.GOBID),
                            static_cast<QWidget *>(m_ui.countDown)})
        column->setVisible(!layout.wideView);
    m_menus.MFV->setChecked(layout.wideView);
    m_appliedPageOffset = pageOffset;
}

void frm2Bid::SetLanguage(const QString &code)
{
    m_captions.SetLanguage(code);
    m_services.prompter->setLanguage(CaptionTable::column(code));
}

void frm2Bid::MLT_Click()
{
    m_menus.MLE->setChecked(false);
    m_menus.MLT->setChecked(true);
    SetLanguage(QStringLiteral("T"));
}

void frm2Bid::MLE_Click()
{
    m_menus.MLE->setChecked(true);
    m_menus.MLT->setChecked(false);
    SetLanguage(QStringLiteral("E"));
}

void frm2Bid::DLP_Click()
{
    if (m_menus.DLP->isChecked()) {
        m_menus.DLP->setChecked(false);
        m_panel->hideLastBidDisplay();
    } else {
        m_menus.DLP->setChecked(true);
    }
}

SoundPlayer &frm2Bid::sounds() const
{
    return m_panel->sounds();
}

void frm2Bid::showMemberStatus(const QString &text)
{
    m_ui.stbPanel2->setText(text);
}

void frm2Bid::ConnectAuctionSocket(const QString &host, int port, const QString &userId)
{
    m_panel->ConnectAuctionSocket(host, port, userId);
}

void frm2Bid::but_Regis_Click(const QPoint &globalPos)
{
    m_menus.MLG->popup(globalPos);
}

void frm2Bid::MLN_Click()
{
    openSignIn(true);
}

void frm2Bid::but_Cal_Click()
{
    m_programs.but_Cal_Click();
}

void frm2Bid::MA_Click()
{
    Dialog::showAbout(this);
}

void frm2Bid::MCC_Click()
{
    // The name that signed in, never one typed into a sign-in that has not succeeded.
    m_programs.MCC_Click(m_panel->board().userId());
}

void frm2Bid::openServicePage(ServicePages::Command command)
{
    const ServicePages::Page page = ServicePages::forCommand(command, m_services.workFolder);
    (page.view == ServicePages::View::webBid ? m_ui.webBid : m_ui.webgalley)->Navigate(page.url);
}

void frm2Bid::comeForward()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

int frm2Bid::currentTab() const
{
    return m_ui.ssTab_Bid->currentIndex();
}

void frm2Bid::but_basket_DblClick()
{
    frmHbid::showModal(m_services.workFolder, this);
}

void frm2Bid::openSignIn(bool modal)
{
    if (m_login) {
        m_login->raise();
        m_login->activateWindow();
        return;
    }
    m_login = new frmLogin(*this, *m_services.prompter, m_services.workFolder, this);
    m_login->setRequestTimeout(m_services.signInTimeout);
    m_login->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    m_login->show();
    m_login->raise();
    m_login->activateWindow();
}

frmTool *frm2Bid::makeToolWindow()
{
    if (!m_tool)
        m_tool = new frmTool(*this, m_services.workFolder, this);
    return m_tool;
}

void frm2Bid::showToolWindow()
{
    makeToolWindow()->show();
    m_tool->raise();
}

void frm2Bid::showGalleryAddress(const QString &url)
{
    // Made when needed, but not shown.
    makeToolWindow()->setAddress(url);
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

void frm2Bid::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The tab pages have their final place only now.
    applyLayout(m_layout);
}

void frm2Bid::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frm2Bid::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Restoring a minimised window brings no new size, yet lays the window out again.
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frm2Bid::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frm2Bid::Form_Unload()
{
    m_panel->socket()->Close();
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
