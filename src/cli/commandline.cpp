#include "cli/commandline.h"

namespace lumarc::cli {

bool isSubcommand(const QStringList &arguments)
{
    return arguments.size() > 1;
}

int run(const QStringList &arguments)
{
    return arguments.size() > 1 ? 0 : 2;
}

} // namespace lumarc::cli
