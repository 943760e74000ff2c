#pragma once

#include "background_picture.h"
#include "caption_switcher.h"
#include "external_programs.h"
#include "frm2bid_layout.h"
#include "frm2bid_menus.h"
#include "frm2bid_ui.h"
#include "frm_login.h"
#include "frm_tool.h"
#include "service_pages.h"
#include "sign_in_target.h"
#include "tool_target.h"
#include "web_view.h"
#include "work_folder.h"

#include <QDBusConnection>
#include <QMainWindow>
#include <QPointer>
#include <chrono>
#include <functional>
#include <optional>

class AuctionPanel;
class AuctionWatch;
class DesktopNotifier;
class SoundPlayer;
class Prompter;
class WebPanes;

// What the main window needs from outside, so tests can supply their own.
struct Frm2BidServices {
    Prompter *prompter = nullptr;
    WebViewFactory webViewFactory{};
    std::function<void()> beep{};
    std::chrono::milliseconds signInTimeout{60000};
    // Starts the chat program and the calculator; the system's own when none is given.
    ProgramLauncher *launcher = nullptr;
    // Asks for a background picture file; the open-file dialog when none is given.
    PictureFileChooser choosePictureFile{};
    // Where the program's files are; the load step refuses an empty one.
    WorkFolder workFolder{};
    // The file that keeps mute and notifications between runs; none: they last for this run only.
    QString settingsFile{};
    // The bus of the desktop's notification service; none: no desktop notifications.
    std::optional<QDBusConnection> notificationBus{};
};

// The main auction window: a shell that owns its controls and parts, lays them out and opens the other
// windows. The controls carry their design names as object names.
class frm2Bid : public QMainWindow, public SignInTarget, public ToolTarget {
    Q_OBJECT
public:
    explicit frm2Bid(Frm2BidServices services, QWidget *parent = nullptr);
    ~frm2Bid() override;

    // The load step. Returns what failed, or an empty text.
    QString Form_Load();
    void Form_Resize();
    void MFV_Click();
    void MLT_Click();
    void MLE_Click();
    void SetLanguage(const QString &code);
    void MLN_Click();
    void DLP_Click();
    void but_Regis_Click(const QPoint &globalPos);
    void but_Cal_Click();
    void but_basket_DblClick();
    void MA_Click();
    void MCC_Click();
    void openServicePage(ServicePages::Command command);
    // A notification was clicked: the window comes to the front, restored if minimised.
    void comeForward();

    AuctionPanel &auctionPanel() { return *m_panel; }
    const Frm2BidUi &ui() const { return m_ui; }
    const Frm2BidMenus &menus() const { return m_menus; }
    const Frm2BidLayout::Layout &currentLayout() const { return m_layout; }
    frmLogin *signInWindow() const { return m_login; }
    frmTool *toolWindow() const { return m_tool; }
    // The program waits for a sound still being read in before it exits.
    SoundPlayer &sounds() const;

    // SignInTarget
    void showMemberStatus(const QString &text) override;
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId) override;

    // ToolTarget
    int currentTab() const override;
    WebView *descriptionView() const override { return m_ui.webBid; }
    WebView *galleryView() const override { return m_ui.webgalley; }

signals:
    // The window has closed everything: the program should end.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectCommands();
    void applyLayout(const Frm2BidLayout::Layout &layout);
    void fitTabView(int tab);
    void openSignIn(bool modal);
    void showToolWindow();
    void showGalleryAddress(const QString &url);
    frmTool *makeToolWindow();
    void Form_Unload();

    Frm2BidServices m_services;
    CaptionSwitcher m_captions;
    Frm2BidUi m_ui;
    Frm2BidMenus m_menus;
    AuctionPanel *m_panel;
    WebPanes *m_panes;
    DesktopNotifier *m_notifier;
    AuctionWatch *m_watch;
    SystemProgramLauncher m_systemLauncher;
    ExternalPrograms m_programs;
    BackgroundPicture m_background;
    Frm2BidLayout::Layout m_layout;
    QPoint m_appliedPageOffset;
    QPointer<frmLogin> m_login;
    QPointer<frmTool> m_tool;
    bool m_confirmMaximized = false;
};
