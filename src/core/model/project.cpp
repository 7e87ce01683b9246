#include "model/project.h"

#include "support/paths.h"

namespace lumarc {

ImageItem newImageRecord(const Project &project, const QString &path)
{
    ImageItem item;
    item.path = path;
    item.title = defaultTitle(path);
    item.tooltip = item.title;
    item.openSameWindow = false;
    item.loaded = true;
    item.linkText = project.settings.defaultLinkText;
    // The title of ".jpg" is empty and that of "..jpg" is ".": the list makes them safe.
    item.outputName = project.images.makeUniqueOutputName(paths::baseName(path));
    return item;
}

}  // namespace lumarc
