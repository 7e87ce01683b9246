#pragma once

// A project: the image list and the settings of its gallery, saved together in a .zeb file.

#include "model/gallerysettings.h"
#include "model/imagelist.h"

namespace lumarc {

struct Project {
    GallerySettings settings;
    ImageList images;
};

} // namespace lumarc
