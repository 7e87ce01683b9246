#pragma once

// Pixels crossing from the core to the desktop program: 8-bit RGB, rows packed without
// padding. The GUI wraps them in a QImage; the core never includes QtGui.

#include <QByteArray>

namespace lumarc {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    QByteArray rgb;  // width * height * 3 bytes

    bool isNull() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelBuffer &) const = default;
};

}  // namespace lumarc
