#include "web_view.h"

#include "host_config.h"

QString searchPageUrl(const WorkFolder &folder)
{
    return HostConfig::website(folder) + QString::fromUtf16(searchPagePath);
}
