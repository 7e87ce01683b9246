#pragma once

// How much memory one image's production (decode, scaling, sharpening, encoding) holds, and
// the process-wide budget of bytes every production is admitted against. The pixel limit alone lets a 1 MB interlaced PNG of 17000 x 17000 through,
// and its loader must hold all 867 MB at once; the budget keeps parallel workers from holding
// several such pictures together. The image engine estimates and admits each decode.

#include "support/error.h"

#include <QSize>

namespace lumarc::imaging {

// What the header says about one decode, in the file's own orientation.
struct DecodePlan {
    QSize stored;  // the picture in the file
    int bands = 3;
    int sampleBytes = 1;      // per band: 1 (8-bit), 2 (16-bit or JPEG coefficients), 4 (float)
    bool wholeImage = false;  // the loader holds every pixel at once instead of a band of rows
    int shrink = 1;           // the loader's own shrink-on-load factor (JPEG), else 1
    QSize kept;               // the decoded picture handed back, 8-bit RGB
    bool turned = false;      // turning it upright takes a second copy
    qint64 laterBytes = 0;    // what the caller makes from the picture: scaled, sharpened, encoded
};

// The bytes the production holds at its peak: the loader's pixels (all of them, or a band of
// rows of the shrunk width), the picture it leaves behind and what is made from that.
qint64 estimateDecodeBytes(const DecodePlan &plan);

// A quarter of physical memory, at most 2 GB (1 GB where physical memory is unknown), and at
// most a quarter of the process's own memory limit when it has one.
qint64 defaultDecodeBudget();
// The whole budget in bytes; 0 or less restores the default. Decodes already admitted keep
// their bytes; waiting ones are checked again against the new size.
void setDecodeBudget(qint64 bytes);
// The bytes admitted decodes hold now; 0 when none is running.
qint64 admittedDecodeBytes();
// How many decodes are waiting for room in the budget now.
int waitingDecodes();

// Bytes of the budget held for one decode, given back when it is destroyed.
class DecodeAdmission {
public:
    DecodeAdmission() = default;
    ~DecodeAdmission();
    DecodeAdmission(DecodeAdmission &&other) noexcept;
    DecodeAdmission &operator=(DecodeAdmission &&other) noexcept;
    DecodeAdmission(const DecodeAdmission &) = delete;
    DecodeAdmission &operator=(const DecodeAdmission &) = delete;

    qint64 bytes() const { return m_bytes; }

private:
    explicit DecodeAdmission(qint64 bytes) : m_bytes(bytes) {}
    void release();
    qint64 m_bytes = 0;
    friend Result<DecodeAdmission> admitDecode(const DecodePlan &plan);
};

// Waits until the plan's estimate fits in what the budget has left. A plan whose estimate
// exceeds the whole budget could never fit, so it fails at once with Decode, naming the
// picture's size, the estimate and the budget (the error has no path; the caller adds it).
Result<DecodeAdmission> admitDecode(const DecodePlan &plan);

}  // namespace lumarc::imaging
