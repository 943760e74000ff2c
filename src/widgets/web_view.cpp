#include "web_view.h"

#include "auction_protocol.h"
#include "host_config.h"

QString searchPageUrl(const WorkFolder &folder)
{
    return HostConfig::website(folder) + Protocol::Web::path(Protocol::Web::Page::Search);
}
