// Runs a call that may block for long (the system's host name lookup) on a
// thread of its own and waits for it at most a time-out, noticing an abort
// flag within ~50 ms. A call that does not finish in time goes on alone and
// is forgotten: it must own (share) everything it touches.
#pragma once

#include <atomic>
#include <functional>

namespace audiolib {

enum class BoundedResult { Done, TimedOut, Aborted, NoThread };

BoundedResult RunBounded(std::function<void()> Work, int TimeoutMs, const std::atomic<bool>& Abort);

} // namespace audiolib
