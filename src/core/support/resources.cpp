#include "support/resources.h"

#include <QtGlobal>

#include <mutex>

// Q_INIT_RESOURCE declares the initialiser at the scope it is used in, so it must be
// called from outside any namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(lumarc_i18n);
    Q_INIT_RESOURCE(lumarc_viewer);
}

namespace lumarc {

void ensureResources()
{
    static std::once_flag once;
    std::call_once(once, registerResources);
}

}  // namespace lumarc
