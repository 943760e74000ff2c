#include "frm2bid.h"

#include "auction_board.h"
#include "auction_connection.h"
#include "auction_panel.h"
#include "auto_bid_control.h"
#include "design_window.h"
#include "desktop_notifier.h"
#include "host_config.h"
#include "picture_button.h"
#include "pictures.h"
#include "prompter.h"
#include "status_panels.h"
#include "user_settings.h"
#include "web_panes.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>

frm2Bid::frm2Bid(Frm2BidServices services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services).withDefaults()),
      m_ui(Frm2BidUi::build(this, m_services.webViewFactory, m_captions)),
      m_menus(Frm2BidMenus::build(this, m_captions)),
      m_settings(new UserSettings(m_services.settingsFile, this)),
      m_panel(new AuctionPanel(m_ui, *m_services.prompter, m_services.beep, m_services.workFolder,
                               *m_settings, *m_services.timeline, this)),
      m_panes(new WebPanes(m_ui, this, *m_services.prompter)),
      m_notifier(new DesktopNotifier(m_services.notificationBus, this)),
      m_alerts(*m_notifier, *m_settings, [this] { return isActiveWindow() && !isMinimized(); }),
      m_autoBid(new AutoBidControl({m_menus.MAutoBid, m_ui.stbAutoBid, m_ui.MMax, *m_panel, m_alerts,
                                    *m_services.prompter, m_captions},
                                   this)),
      m_statusPanels(new StatusPanels(m_ui, *m_panel, m_captions, this)),
      m_programs(m_services.launcher ? *m_services.launcher : m_systemLauncher, *m_services.prompter,
                 m_services.workFolder),
      m_background(m_ui.PFInfo, m_ui.bbox, *m_services.prompter, Pictures::background,
                   m_services.choosePictureFile),
      m_windows(this, *m_panel, *m_panes, *m_services.prompter, m_services.workFolder,
                m_services.signInTimeout),
      m_layout(Frm2BidLayout::designLayout())
{
    Design::setUpForm(this, Frm2BidDesign::form);
    connectParts();
}

frm2Bid::~frm2Bid() = default;

void frm2Bid::connectParts()
{
    connect(m_ui.but_Regis, &PictureButton::clicked, m_menus.MLG,
            [this](QPoint at) { m_menus.MLG->popup(at); });
    connect(m_ui.but_Regis, &PictureButton::activated, this,
            [this] { m_menus.MLG->popup(m_ui.but_Regis->mapToGlobal(m_ui.but_Regis->rect().bottomLeft())); });
    connect(m_ui.but_Cal, &PictureButton::clicked, this, [this] { m_programs.but_Cal_Click(); });
    connect(m_ui.but_Cal, &PictureButton::activated, this, [this] { m_programs.but_Cal_Click(); });
    connect(m_ui.but_basket, &PictureButton::doubleClicked, this, [this] { m_windows.showHistory(); });
    // From the keyboard the basket opens at once: a key has no double press.
    connect(m_ui.but_basket, &PictureButton::activated, this, [this] { m_windows.showHistory(); });

    m_menus.connectCommands(this, {.MLN = [this] { MLN_Click(); },
                                   .DLP = [this] { DLP_Click(); },
                                   .MA = [this] { m_windows.showAbout(); },
                                   .MAutoBid = [this] { m_autoBid->MAutoBid_Click(); },
                                   .MFV = [this] { MFV_Click(); },
                                   .MCC = [this] { MCC_Click(); },
                                   .MFP1 = [this] { m_background.MFP1_Click(); },
                                   .MFP2 = [this] { m_background.MFP2_Click(); },
                                   .MCUS = [this] { m_background.MCUS_Click(); },
                                   .MFPB = [this] { m_background.MFPB_Click(); },
                                   .MLT = [this] { SetLanguage(QStringLiteral("T")); },
                                   .MLE = [this] { SetLanguage(QStringLiteral("E")); },
                                   .page = [this](ServicePages::Command c) { openServicePage(c); }});
    m_menus.followSettings(this, *m_settings);
    m_captions.markLanguage(m_menus.MLT, m_menus.MLE);
    m_captions.follow([this](int column) {
        m_services.prompter->setLanguage(column);
        m_alerts.setLanguage(column);
    });

    // After auto-bid's own: an answer to a rival's bid leaves before anything else is done about the read.
    AuctionConnection &connection = m_panel->connection();
    m_alerts.watch(m_panel->board(), connection, m_panel->receipts(), this);
    connect(m_notifier, &Notifier::activated, this, &frm2Bid::comeForward);
    connect(&connection, &AuctionConnection::lost, this, [this] { m_windows.openSignIn(false); });
    connection.setSigningIn([this] { return signInWindow() != nullptr; });

    connect(m_panel, &AuctionPanel::lastBidDisplayChanged, this,
            [this] { applyLayout(Frm2BidLayout::lastBidCentred(m_layout)); });
    connect(m_panes, &WebPanes::toolWindowWanted, this, [this] { m_windows.showToolWindow(); });
    connect(m_panes, &WebPanes::tabViewToFit, this,
            [this](int tab) { applyLayout(Frm2BidLayout::tabSelected(m_layout, tab)); });
    connect(m_panes, &WebPanes::galleryAddressChanged, this,
            [this](const QString &url) { m_windows.showGalleryAddress(url); });
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
    m_menus.MCC->setVisible(m_programs.chatProgramPresent());
    m_ui.webspn->Navigate(ServicePages::bannerAddress(m_services.workFolder));
    m_ui.webspn->show();
    m_ui.ssTab_Bid->setCurrentIndex(0);
    m_ui.bbox->setAutoFillBackground(true);
    m_windows.showToolWindow();
    if (!toolWindow())
        return QStringLiteral("the toolbar window could not be opened");
    SetLanguage(QStringLiteral("T"));
    return {};
}

void frm2Bid::Form_Resize()
{
    if (isMinimized())
        return;
    const QRect outer = frameGeometry();
    applyLayout(
        Frm2BidLayout::resized(m_layout, Design::toTwips(outer.width()), Design::toTwips(outer.height())));
}

void frm2Bid::MFV_Click()
{
    applyLayout(Frm2BidLayout::wideViewSwitched(m_layout, Design::toTwips(frameGeometry().width()),
                                                m_ui.ssTab_Bid->currentIndex()));
}

void frm2Bid::applyLayout(const Frm2BidLayout::Layout &layout)
{
    m_ui.apply(layout, std::exchange(m_layout, layout));
    m_menus.MFV->setChecked(layout.wideView);
}

void frm2Bid::SetLanguage(const QString &code)
{
    m_captions.SetLanguage(code);
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

void frm2Bid::MLN_Click()
{
    m_windows.openSignIn(true);
    // The user signs in again rather than wait.
    m_panel->connection().stopReconnecting();
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
    m_panel->connection().close();
    m_windows.closeAll();
    emit unloaded();
}
