#pragma once

#include "work_folder.h"

#include <QString>
#include <QStringView>
#include <optional>

// The service's pages that the menu commands open, each in one of the main window's two web views.
namespace ServicePages {
enum class View { webBid, webgalley };

struct Page {
    View view;
    QString url;
};

// The page of a menu command (MNU, MPPS, MSSALE, MSNews, MSFAQ, MSS, MSHELP, MCT), its address built from
// the folder's HOSTIP.INI as it reads now; nothing for any other name.
std::optional<Page> forCommand(QStringView command, const WorkFolder &folder);
} // namespace ServicePages
