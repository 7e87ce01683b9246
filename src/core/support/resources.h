#pragma once

// The data compiled into the program: the string tables and the gallery viewer files.

namespace lumarc {

// Registers the embedded resources. Resources of a static library register themselves
// from static initialisers in an unspecified order, so code that may run before main()
// (a static settings record looking up its localised default) calls this first.
void ensureResources();

}  // namespace lumarc
