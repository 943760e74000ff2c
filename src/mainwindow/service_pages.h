#pragma once

#include "work_folder.h"

#include <QString>

// The service's pages that the menu commands open, each in one of the main window's two web views.
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
} // namespace ServicePages
