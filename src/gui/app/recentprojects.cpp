#include "gui/app/recentprojects.h"

#include <QSettings>

#include <algorithm>
#include <optional>

namespace lumarc::gui {
namespace {

const QString kListGroup = QStringLiteral("mru_projects");
const QString kSettingsGroup = QStringLiteral("settings");
constexpr int kDefaultPicturesPerRow = 4;

// Menu entries show at most this many characters after the last folder kept.
constexpr int kCaptionTail = 32;

// A stored number: a missing value reads as 0, as the registry class's empty default did;
// a value that is not a whole number is an error.
std::optional<int> readCount(QSettings &store, const QString &key)
{
    if (!store.contains(key))
        return 0;
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool isSeparator(QChar c)
{
    // Project paths were written on Windows; this platform's own paths use "/".
    return c == u'\\' || c == u'/';
}

}  // namespace

std::unique_ptr<QSettings> openUserStore()
{
    return std::make_unique<QSettings>(QStringLiteral("Lumarc"), QStringLiteral("Lumarc"));
}

QString recentMenuCaption(int slot, const QString &path)
{
    QString shown = path;
    const qsizetype length = path.size();
    if (length > kCaptionTail) {
        // 1-based positions of the leftmost separator with at most kCaptionTail characters
        // after it (q) and of the leftmost one with more (r).
        qsizetype q = 0;
        qsizetype r = 0;
        for (qsizetype position = length; position >= 1; --position) {
            if (!isSeparator(path.at(position - 1)))
                continue;
            if (length - position <= kCaptionTail)
                q = position;
            else
                r = position;
        }
        if (r > 0)
            shown = QStringLiteral("...") + path.mid((q > 0 ? q : r) - 1);
    }
    return QStringLiteral("&") + QString::number(slot) + QStringLiteral(")  ") + shown;
}

void RecentProjects::setMaxFileCount(int count)
{
    count = std::max(0, count);
    m_slots.resize(count);
    m_fileCount = std::min(m_fileCount, count);
}

QString RecentProjects::file(int slot) const
{
    return slot >= 1 && slot <= m_fileCount ? m_slots.at(slot - 1) : QString();
}

void RecentProjects::addFile(const QString &path)
{
    if (m_slots.isEmpty())
        return;
    int position = 0;
    for (int slot = 1; slot <= m_fileCount; ++slot) {
        if (m_slots.at(slot - 1).compare(path, Qt::CaseInsensitive) == 0) {
            position = slot;
            break;
        }
    }
    if (position == 0) {
        if (m_fileCount < maxFileCount())
            ++m_fileCount;
        position = m_fileCount;  // on a full list the last entry is overwritten
    }
    for (int slot = position - 1; slot >= 1; --slot)
        m_slots[slot] = m_slots.at(slot - 1);
    m_slots[0] = path;
}

void RecentProjects::save(QSettings &store) const
{
    store.beginGroup(kListGroup);
    store.setValue(QStringLiteral("MaxCount"), maxFileCount());
    store.setValue(QStringLiteral("Count"), m_fileCount);
    for (int slot = 1; slot <= m_fileCount; ++slot)
        store.setValue(QStringLiteral("File") + QString::number(slot), m_slots.at(slot - 1));
    store.endGroup();
}

void RecentProjects::load(QSettings &store)
{
    if (!store.childGroups().contains(kListGroup))
        return;
    store.beginGroup(kListGroup);
    if (const std::optional<int> maxCount = readCount(store, QStringLiteral("MaxCount"))) {
        setMaxFileCount(*maxCount);
        if (*maxCount > 0) {
            if (const std::optional<int> count = readCount(store, QStringLiteral("Count"))) {
                // A count beyond the capacity reads the slots there are and stops.
                m_fileCount = std::clamp(*count, 0, maxFileCount());
                for (int slot = 1; slot <= m_fileCount; ++slot)
                    m_slots[slot - 1] = store.value(QStringLiteral("File") + QString::number(slot)).toString();
            }
        }
    }
    store.endGroup();
}

QString readSourceFolder(QSettings &store, const QString &dataFolder)
{
    return store.value(kSettingsGroup + QStringLiteral("/source_folder"), dataFolder).toString();
}

void writeSourceFolder(QSettings &store, const QString &folder)
{
    store.setValue(kSettingsGroup + QStringLiteral("/source_folder"), folder);
}

int readPicturesPerRow(QSettings &store)
{
    const QString text =
        store.value(kSettingsGroup + QStringLiteral("/picinrow"), QStringLiteral("4")).toString().trimmed();
    // Read like the old runtime's Val(): the leading whole number, 0 when there is none.
    qsizetype end = 0;
    if (end < text.size() && (text.at(end) == u'-' || text.at(end) == u'+'))
        ++end;
    while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 128)
        ++end;
    bool ok = false;
    const int count = text.left(end).toInt(&ok);
    // Zero is the documented fallback; a negative count cannot lay out a grid either.
    return ok && count > 0 ? count : kDefaultPicturesPerRow;
}

void writePicturesPerRow(QSettings &store, int count)
{
    store.setValue(kSettingsGroup + QStringLiteral("/picinrow"), QString::number(count));
}

}  // namespace lumarc::gui
