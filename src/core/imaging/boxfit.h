#pragma once

// The size a w x h image takes when it is fitted into a box keeping its proportions: the
// side that fills the box is the box's, the other is rounded to the nearest integer with
// halves to the even one. Gallery files and editor previews both size images this way.

#include <QSize>

#include <algorithm>
#include <cmath>

namespace lumarc {

inline QSize fitInBox(int w, int h, int boxW, int boxH)
{
    if (w < 1 || h < 1 || boxW < 1 || boxH < 1)
        return QSize();
    const double imageRatio = double(w) / double(h);
    const double boxRatio = double(boxW) / double(boxH);
    // std::nearbyint rounds halves to even in the default rounding mode.
    if (imageRatio > boxRatio)
        return QSize(boxW, std::max(1, int(std::nearbyint(boxW / imageRatio))));
    return QSize(std::max(1, int(std::nearbyint(boxH * imageRatio))), boxH);
}

}  // namespace lumarc
