#include "model/urlcollection.h"

#include "support/cp1252.h"

#include <QFile>
#include <QSaveFile>

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
    QFile file(path);
    if (!file.exists())
        return urls;
    if (!file.open(QIODevice::ReadOnly))
        return Error{ErrorCode::ReadFailed, path, file.errorString()};
    const QByteArray data = file.readAll();
    for (const QByteArray &line : data.split('\n'))
        urls.add(cp1252::decodeReferences(cp1252::decode(line)).trimmed());
    return urls;
}

Status UrlCollection::writeFile(const QString &path) const
{
    if (m_urls.isEmpty())
        return std::nullopt;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Error{ErrorCode::WriteFailed, path, file.errorString()};
    for (const QString &url : m_urls)
        file.write(cp1252::encode(url) + "\r\n");
    if (!file.commit())
        return Error{ErrorCode::WriteFailed, path, file.errorString()};
    return std::nullopt;
}

} // namespace lumarc
