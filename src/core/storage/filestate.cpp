#include "storage/filestate.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace lumarc {

FileState FileState::of(const QString &path)
{
    FileState state;
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return state;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return state;
    state.exists = true;
    state.hash = hash.result();
    return state;
}

}  // namespace lumarc
