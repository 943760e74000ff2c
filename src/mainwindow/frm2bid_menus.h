#pragma once

#include "service_pages.h"
#include "user_settings.h"

#include <functional>

class CaptionSwitcher;
class QAction;
class QMainWindow;
class QMenu;
class QObject;

// The main window's menu tree as designed. Every command is its item's triggered() signal; the hidden and
// disabled states are the design's. The page commands carry their ServicePages::Command as data().
struct Frm2BidMenus {
    // Registers the items that follow the language with captions as it makes them.
    static Frm2BidMenus build(QMainWindow *window, CaptionSwitcher &captions);

    // What each command does, by the design name of its item. A check item's handler sets the mark itself,
    // as the design's handlers do.
    struct Commands {
        std::function<void()> MLN, DLP, MA, MAutoBid, MFV, MCC, MFP1, MFP2, MCUS, MFPB, MLT, MLE;
        // The items that open a service page.
        std::function<void(ServicePages::Command)> page;
    };
    // Every item's triggered() runs its command, in context.
    void connectCommands(QObject *context, const Commands &commands) const;
    // The settings' items show the settings and toggle them.
    void followSettings(QObject *context, UserSettings &settings) const;

    // The account menu: not on the menu bar, opened by the login picture.
    QMenu *MLG = nullptr;
    QAction *MNU = nullptr, *MLN = nullptr, *DLP = nullptr, *MA = nullptr;
    QMenu *MP = nullptr;
    QAction *MPW = nullptr, *MPPS = nullptr, *MFV = nullptr;
    // The group added to the design, between MPPS and BK1; the window sets the marks of the last two.
    QAction *MAutoBid = nullptr, *MNotify = nullptr, *MMute = nullptr, *MReconnect = nullptr;
    QMenu *MN = nullptr;
    QAction *MSNews = nullptr, *MSFAQ = nullptr, *MSS = nullptr, *MSCOMP = nullptr, *MCC = nullptr,
            *MCT = nullptr, *BK4 = nullptr, *MPA = nullptr, *MSSALE = nullptr, *MSHELP = nullptr;
    QMenu *MFT = nullptr;
    QMenu *MFF = nullptr;
    QAction *MFP1 = nullptr, *MFP2 = nullptr, *MCUS = nullptr, *MFPB = nullptr;
    QMenu *ML = nullptr;
    QAction *MLT = nullptr, *MLE = nullptr;
};
