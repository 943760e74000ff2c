#include "service_pages.h"

#include "host_config.h"
#include "web_view.h"

#include <array>

namespace ServicePages {
namespace {
enum class Site { AppServer, Website };

struct Entry {
    View view;
    Site site;
    const char16_t *path;
};

// In the order of Command.
constexpr std::array entries{
    Entry{View::webBid, Site::AppServer, u"/asp/register.asp"},
    Entry{View::webgalley, Site::AppServer, u"/asp/pinterest.asp"},
    Entry{View::webgalley, Site::AppServer, u"/asp/posting.asp"},
    Entry{View::webgalley, Site::Website, u"/news.htm"},
    Entry{View::webgalley, Site::Website, u"/faq.htm"},
    Entry{View::webgalley, Site::Website, searchPagePath},
    Entry{View::webgalley, Site::Website, u"/howtopgm.htm"},
    Entry{View::webgalley, Site::Website, u"/contact.htm"},
};
static_assert(entries.size() == std::size_t(Command::MCT) + 1, "one page for each command");
} // namespace

Page forCommand(Command command, const WorkFolder &folder)
{
    const Entry &entry = entries[std::size_t(command)];
    const QString root =
        entry.site == Site::AppServer ? HostConfig::appServer(folder) : HostConfig::website(folder);
    return {entry.view, root + QString::fromUtf16(entry.path)};
}
} // namespace ServicePages
