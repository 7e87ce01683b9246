#pragma once

// A project: the image list and the settings of its gallery, saved together in a .zeb file.

#include "model/gallerysettings.h"
#include "model/imagelist.h"

namespace lumarc {

struct Project {
    GallerySettings settings;
    ImageList images;
};

// The record a newly added image gets: title and tooltip from the file name, no link, the
// settings' default link text, a unique output name, marked live.
ImageItem newImageRecord(const Project &project, const QString &path);

}  // namespace lumarc
