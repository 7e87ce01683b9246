#pragma once

// What the operating system lets this process allocate, and how the C library spends it.
// Under an address-space limit (ulimit -v) a failed allocation deep inside a library ends in
// that library's out-of-memory path, which aborts; keeping within the limit up front is the
// only way to report such a failure in words.

#include <QtGlobal>

namespace lumarc::memory {

// The smaller of the address-space and data-segment limits in bytes; 0 when neither is set.
qint64 processLimit();

// Each thread that allocates may make the C library reserve a new arena of 64 MB of address
// space; under a limit, one reservation too many fails where it cannot be reported. Keeps
// the arenas to `arenas` (where the C library offers the setting). Call before threads start.
void limitAllocatorArenas(int arenas);

}  // namespace lumarc::memory
