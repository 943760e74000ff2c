#include "service_pages.h"

#include "host_config.h"

#include <array>

namespace ServicePages {
namespace {
enum class Site { AppServer, Website };

struct Entry {
    const char16_t *command;
    View view;
    Site site;
    const char16_t *path;
};

constexpr std::array entries{
    Entry{u"MNU", View::webBid, Site::AppServer, u"/asp/register.asp"},
    Entry{u"MPPS", View::webgalley, Site::AppServer, u"/asp/pinterest.asp"},
    Entry{u"MSSALE", View::webgalley, Site::AppServer, u"/asp/posting.asp"},
    Entry{u"MSNews", View::webgalley, Site::Website, u"/news.htm"},
    Entry{u"MSFAQ", View::webgalley, Site::Website, u"/faq.htm"},
    Entry{u"MSS", View::webgalley, Site::Website, u"/search.htm"},
    Entry{u"MSHELP", View::webgalley, Site::Website, u"/howtopgm.htm"},
    Entry{u"MCT", View::webgalley, Site::Website, u"/contact.htm"},
};
} // namespace

std::optional<Page> forCommand(QStringView command, const WorkFolder &folder)
{
    for (const Entry &entry : entries) {
        if (command == QStringView(entry.command)) {
            const QString root =
                entry.site == Site::AppServer ? HostConfig::appServer(folder) : HostConfig::website(folder);
            return Page{entry.view, root + QString::fromUtf16(entry.path)};
        }
    }
    return std::nullopt;
}
} // namespace ServicePages
