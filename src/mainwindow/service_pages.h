#pragma once

#include "work_folder.h"

#include <QString>

// The service's pages that the main window opens: the banner, and those of the menu commands, each in one of
// the window's two web views.
namespace ServicePages {
enum class View { webBid, webgalley };

// The menu items that open a page, by their design names.
enum class Command { MNU, MPPS, MSSALE, MSNews, MSFAQ, MSS, MSHELP, MCT };

struct Page {
    View view;
    QString url;
};

// The command's page, its address built from the folder's HOSTIP.INI as it reads now.
Page forCommand(Command command, const WorkFolder &folder);

// The advertisement banner's address: on the host IP names, whatever WEBSITE says.
QString bannerAddress(const WorkFolder &folder);
} // namespace ServicePages
