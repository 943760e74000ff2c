#include "service_pages.h"

#include "auction_protocol.h"
#include "host_config.h"

#include <array>

namespace ServicePages {
namespace {
using WebPage = Protocol::Web::Page;

struct Entry {
    View view;
    WebPage page;
};

// In the order of Command.
constexpr std::array entries{
    Entry{View::webBid, WebPage::Register},   Entry{View::webgalley, WebPage::ProductsOfInterest},
    Entry{View::webgalley, WebPage::Posting}, Entry{View::webgalley, WebPage::News},
    Entry{View::webgalley, WebPage::Faq},     Entry{View::webgalley, WebPage::Search},
    Entry{View::webgalley, WebPage::Help},    Entry{View::webgalley, WebPage::Contact},
};
static_assert(entries.size() == std::size_t(Command::MCT) + 1, "one page for each command");
} // namespace

Page forCommand(Command command, const WorkFolder &folder)
{
    const Entry &entry = entries[std::size_t(command)];
    const QString root =
        Protocol::Web::onAppServer(entry.page) ? HostConfig::appServer(folder) : HostConfig::website(folder);
    return {entry.view, root + Protocol::Web::path(entry.page)};
}

QString bannerAddress(const WorkFolder &folder)
{
    return Protocol::Web::root(HostConfig::ip(folder)) + Protocol::Web::bannerPath;
}
} // namespace ServicePages
