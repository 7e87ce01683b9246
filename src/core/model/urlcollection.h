#pragma once

// The distinct link addresses entered so far, in the order first seen. It outlives any
// project: it is read from and written to urls.txt in the data folder.

#include "support/error.h"

#include <QSet>
#include <QStringList>

namespace lumarc {

class UrlCollection {
public:
    // Adds a non-empty address not yet present; returns whether it was added.
    bool add(const QString &url);
    bool contains(const QString &url) const { return m_keys.contains(url); }
    const QStringList &urls() const { return m_urls; }
    bool isEmpty() const { return m_urls.isEmpty(); }

    // One address a line, trimmed; empty lines and repeats are skipped. A missing file
    // reads as empty.
    static Result<UrlCollection> readFile(const QString &path);
    // Replaces the file, one address a line with CR LF. Writes nothing when empty.
    Status writeFile(const QString &path) const;

private:
    QStringList m_urls;
    QSet<QString> m_keys;
};

}  // namespace lumarc
