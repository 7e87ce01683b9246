#include "model/urlcollection.h"

#include "support/cp1252.h"
#include "support/filebytes.h"

#include <QFile>

namespace lumarc {

bool UrlCollection::add(const QString &url)
{
    if (url.isEmpty() || m_keys.contains(url))
        return false;
    m_keys.insert(url);
    m_urls.append(url);
    return true;
}

Result<UrlCollection> UrlCollection::readFile(const QString &path)
{
    UrlCollection urls;
    if (!QFile::exists(path))
        return urls;
    const Result<QByteArray> data = readFileBytes(path);
    if (!data)
        return data.error();
    for (const QByteArray &line : data.value().split('\n'))
        urls.add(cp1252::decodeReferences(cp1252::decode(line)).trimmed());
    return urls;
}

Status UrlCollection::writeFile(const QString &path) const
{
    if (m_urls.isEmpty())
        return std::nullopt;
    QByteArray bytes;
    for (const QString &url : m_urls)
        bytes += cp1252::encode(url) + "\r\n";
    return replaceFile(path, bytes);
}

}  // namespace lumarc
