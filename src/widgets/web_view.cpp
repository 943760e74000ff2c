#include "web_view.h"

#include "host_config.h"

QString searchPageUrl()
{
    return HostConfig::website() + QString::fromUtf16(searchPagePath);
}
