#pragma once

// How long jobs report progress and learn that they should stop. The command line and
// the desktop program implement it; core jobs call it from whatever thread they run on.

#include <QString>

namespace lumarc {

class Progress {
public:
    virtual ~Progress() = default;
    // A new phase: "Creating web folder...", "Creating thumbnails...".
    virtual void phase(const QString &title) { (void)title; }
    // `done` of `total` steps; `item` is the current one: the source path of an image.
    virtual void step(int done, int total, const QString &item) = 0;
    // Checked between images; a job that sees true finishes its current image and returns.
    virtual bool stopRequested() const = 0;
};

// For callers that want neither reports nor a stop.
class NullProgress final : public Progress {
public:
    void step(int, int, const QString &) override {}
    bool stopRequested() const override { return false; }
};

}  // namespace lumarc
