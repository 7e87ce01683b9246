#pragma once

// Rules for output names, the base names of photos/<name>.jpg and thumbs/<name>.jpg. A name
// comes from a project file that anyone may have written, so it is checked before it is
// trusted with a file system: ImageList and the project loader call these, and the build
// checks each name again right before it writes.

#include <QHash>
#include <QString>

#include <functional>

namespace lumarc {

class ImageList;

// A name that stays inside its folder and names a visible file of its own: not empty, not
// "." or "..", and without "/", "\", ":" or a control character (below U+0020, and U+007F).
bool isSafeOutputName(const QString &name);

// The text a name is made from, made safe: control characters, "/", "\" and ":" become "_",
// and what is then empty, "." or ".." becomes "image". Safe texts come back unchanged.
QString safeOutputNameCandidate(const QString &text);

// The key under which two names are the same file on a file system that ignores letter case.
QString outputNameKey(const QString &name);

// The candidate, else candidate_1, candidate_2, ...: the first whose key is not taken.
// nextSuffix remembers per candidate key the first number still worth trying, so many
// records with one candidate cost one lookup each. It stays right only while keys are
// added to the taken set, never removed: clear it whenever a name goes away or changes.
QString firstFreeOutputName(const QString &candidate, const std::function<bool(const QString &key)> &taken,
                            QHash<QString, int> &nextSuffix);

// Makes every output name of the list safe and unique without regard to letter case, in
// one linear pass. A safe name that no earlier entry bears is kept; an unsafe one is made
// again from the base name of the entry's path, a repeated one from itself, each with the
// first free number. Returns how many names changed.
int repairOutputNames(ImageList &images);

}  // namespace lumarc
