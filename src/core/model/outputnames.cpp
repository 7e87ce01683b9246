#include "model/outputnames.h"

#include "model/imagelist.h"
#include "support/paths.h"

#include <QSet>

namespace lumarc {
namespace {

bool isUnsafeChar(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || u == u'/' || u == u'\\' || u == u':';
}

bool isDotName(const QString &name) { return name == QLatin1String(".") || name == QLatin1String(".."); }

}  // namespace

bool isSafeOutputName(const QString &name)
{
    if (name.isEmpty() || isDotName(name))
        return false;
    for (QChar c : name) {
        if (isUnsafeChar(c))
            return false;
    }
    return true;
}

QString safeOutputNameCandidate(const QString &text)
{
    if (isSafeOutputName(text))
        return text;
    QString name = text;
    for (QChar &c : name) {
        if (isUnsafeChar(c))
            c = QLatin1Char('_');
    }
    if (name.isEmpty() || isDotName(name))
        return QStringLiteral("image");
    return name;
}

QString outputNameKey(const QString &name)
{
    // Case folding maps each character on its own, so the key of name_N is the key of
    // name followed by _N: the suffix memo relies on that.
    return name.toCaseFolded();
}

QString firstFreeOutputName(const QString &candidate, const std::function<bool(const QString &key)> &taken,
                            QHash<QString, int> &nextSuffix)
{
    const QString key = outputNameKey(candidate);
    if (!taken(key))
        return candidate;
    const QString stem = key + QLatin1Char('_');
    int n = nextSuffix.value(key, 1);
    while (taken(stem + QString::number(n)))
        ++n;
    // Numbers below n are taken and stay taken until the memo is cleared; n itself is
    // only free so far, since the caller may not use the name.
    nextSuffix.insert(key, n);
    return candidate + QLatin1Char('_') + QString::number(n);
}

int repairOutputNames(ImageList &images)
{
    // First the names that stay, so that a name made up for an entry never takes the
    // name of a later entry that already had it: a built gallery keeps its file names.
    QSet<QString> taken;
    taken.reserve(images.count());
    QList<int> redo;
    for (int i = 0; i < images.count(); ++i) {
        const QString &name = images.at(i).outputName;
        if (!isSafeOutputName(name)) {
            redo.append(i);
            continue;
        }
        const qsizetype before = taken.size();
        taken.insert(outputNameKey(name));
        if (taken.size() == before)
            redo.append(i);
    }

    QHash<QString, int> nextSuffix;
    const auto isTaken = [&taken](const QString &key) { return taken.contains(key); };
    for (int i : redo) {
        ImageItem item = images.at(i);
        const QString candidate =
            isSafeOutputName(item.outputName) ? item.outputName : safeOutputNameCandidate(paths::baseName(item.path));
        item.outputName = firstFreeOutputName(candidate, isTaken, nextSuffix);
        taken.insert(outputNameKey(item.outputName));
        images.replace(i, std::move(item));
    }
    return int(redo.size());
}

}  // namespace lumarc
