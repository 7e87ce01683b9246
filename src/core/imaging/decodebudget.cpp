#include "imaging/decodebudget.h"

#include "support/memorylimits.h"

#include <QLocale>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace lumarc::imaging {

namespace {

constexpr qint64 kMaxDefaultBudget = qint64(2) << 30;
constexpr qint64 kUnknownMemoryBudget = qint64(1) << 30;
// A streamed decode holds a band of rows between the loader's line cache and the scaler: a
// 17000-pixel-wide PNG scaled to a photo measured about 1500 rows, so 2048 are counted.
constexpr qint64 kStreamRows = 2048;

qint64 area(QSize size) { return size.isValid() ? qint64(size.width()) * size.height() : 0; }

qint64 divideUp(qint64 value, qint64 divisor) { return (value + divisor - 1) / divisor; }

QString bytesText(qint64 bytes) { return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat); }

// A counting semaphore of bytes. Not first come, first served: a large decode waiting for
// room must not hold up small ones that still fit beside the decodes already running.
struct Budget {
    std::mutex mutex;
    std::condition_variable released;
    qint64 total = defaultDecodeBudget();
    qint64 used = 0;
    int waiting = 0;
};

Budget &budget()
{
    static Budget instance;
    return instance;
}

}  // namespace

qint64 estimateDecodeBytes(const DecodePlan &plan)
{
    const qint64 pixelBytes = qint64(std::max(plan.bands, 1)) * std::max(plan.sampleBytes, 1);
    const qint64 kept = area(plan.kept) * 3 * (plan.turned ? 2 : 1) + std::max<qint64>(plan.laterBytes, 0);
    // A loader that holds the whole picture cannot shrink before it has it all.
    if (plan.wholeImage)
        return area(plan.stored) * pixelBytes + kept;
    const int shrink = std::max(plan.shrink, 1);
    const qint64 width = divideUp(std::max(plan.stored.width(), 0), shrink);
    const qint64 rows = std::min(divideUp(std::max(plan.stored.height(), 0), shrink), kStreamRows);
    return width * rows * pixelBytes + kept;
}

qint64 defaultDecodeBudget()
{
    qint64 physical = 0;
#if defined(Q_OS_UNIX) && defined(_SC_PHYS_PAGES)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0)
        physical = qint64(pages) * pageSize;
#endif
    qint64 budget = physical > 0 ? std::min(physical / 4, kMaxDefaultBudget) : kUnknownMemoryBudget;
    // Under a limit on the process (ulimit -v), libraries and threads need most of it.
    if (const qint64 limit = memory::processLimit(); limit > 0)
        budget = std::min(budget, limit / 4);
    return budget;
}

void setDecodeBudget(qint64 bytes)
{
    Budget &b = budget();
    {
        const std::lock_guard lock(b.mutex);
        b.total = bytes > 0 ? bytes : defaultDecodeBudget();
    }
    b.released.notify_all();
}

qint64 admittedDecodeBytes()
{
    Budget &b = budget();
    const std::lock_guard lock(b.mutex);
    return b.used;
}

int waitingDecodes()
{
    Budget &b = budget();
    const std::lock_guard lock(b.mutex);
    return b.waiting;
}

Result<DecodeAdmission> admitDecode(const DecodePlan &plan)
{
    const qint64 bytes = estimateDecodeBytes(plan);
    Budget &b = budget();
    std::unique_lock lock(b.mutex);
    ++b.waiting;
    b.released.wait(lock, [&] { return bytes > b.total || b.used + bytes <= b.total; });
    --b.waiting;
    if (bytes > b.total)
        return Error{ErrorCode::Decode, QString(),
                     QStringLiteral("decoding %1 x %2 pixels%3 into %4 x %5 needs about %6, more than the whole "
                                    "decode memory budget of %7")
                         .arg(plan.stored.width())
                         .arg(plan.stored.height())
                         .arg(plan.wholeImage ? QStringLiteral(" held whole") : QString())
                         .arg(plan.kept.width())
                         .arg(plan.kept.height())
                         .arg(bytesText(bytes), bytesText(b.total))};
    b.used += bytes;
    return DecodeAdmission(bytes);
}

DecodeAdmission::~DecodeAdmission() { release(); }

DecodeAdmission::DecodeAdmission(DecodeAdmission &&other) noexcept : m_bytes(std::exchange(other.m_bytes, 0)) {}

DecodeAdmission &DecodeAdmission::operator=(DecodeAdmission &&other) noexcept
{
    if (this != &other) {
        release();
        m_bytes = std::exchange(other.m_bytes, 0);
    }
    return *this;
}

void DecodeAdmission::release()
{
    if (m_bytes == 0)
        return;
    Budget &b = budget();
    {
        const std::lock_guard lock(b.mutex);
        b.used -= m_bytes;
    }
    m_bytes = 0;
    b.released.notify_all();
}

}  // namespace lumarc::imaging
