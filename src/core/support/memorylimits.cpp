#include "support/memorylimits.h"

#include <algorithm>
#include <limits>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lumarc::memory {

qint64 processLimit()
{
    qint64 limit = 0;
#if defined(Q_OS_UNIX)
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        struct rlimit value {};
        if (::getrlimit(resource, &value) == 0 && value.rlim_cur != RLIM_INFINITY) {
            const qint64 bytes = qint64(std::min<rlim_t>(value.rlim_cur, rlim_t(std::numeric_limits<qint64>::max())));
            limit = limit == 0 ? bytes : std::min(limit, bytes);
        }
    }
#endif
    return limit;
}

void limitAllocatorArenas(int arenas)
{
#if defined(__GLIBC__)
    ::mallopt(M_ARENA_MAX, std::max(arenas, 1));
#else
    Q_UNUSED(arenas);
#endif
}

}  // namespace lumarc::memory
