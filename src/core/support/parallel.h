#pragma once

// The one shape of parallel work in the program: images for a gallery and grid previews.
// Numbered pieces of work run on a few threads of their own, while the calling thread hears
// about each piece as it finishes and decides whether more may start. Needs no event loop,
// so it runs the same under the command line and inside a QtConcurrent job.

#include <functional>

namespace lumarc {

// work(i) runs on `workers` threads (0: one per core; never more threads than indexes) for
// i from 0 up, each index once. done(i) runs on the calling thread, one call at a time, as
// each index finishes, in completion order; it returns false to stop handing out new indexes
// (those already running still finish and still get their done()). Blocks until every
// started index is done and every thread has ended. Returns how many indexes were started;
// they are always 0 up to that number less one. count <= 0 returns 0 without threads.
//
// Each thread starts with one index; after that each true from done() hands out exactly one
// more (while any are left), to whichever finished thread takes it first. A stop is therefore
// seen before any further work starts, without polling while a long piece is running; in
// exchange a finished thread waits for done(), so done() should be short (report and return;
// a GUI forwards it with a queued signal).
//
// workerFinished, when given, runs on each worker thread just before it ends (libvips frees
// its per-thread buffers there).
//
// No exception leaves the call. One from a callback is a programmer error; it is caught, and
// one from work(i) or done(i) counts as a false from done(): nothing new is handed out, the
// call returns as usual, and a throwing work(i) still gets its done(). Whatever work(i) meant
// to store may then be missing, so callers mark an index complete at the end of work(i).
// Should the system give no thread at all, the calling thread does the work itself.
int runIndexed(int count, int workers, const std::function<void(int)> &work, const std::function<bool(int)> &done,
               const std::function<void()> &workerFinished = {});

}  // namespace lumarc
