// See BoundedCall.h.
#include "audiolib/src/BoundedCall.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace audiolib {

BoundedResult RunBounded(std::function<void()> Work, int TimeoutMs,
                         const std::atomic<bool>& Abort) {
  struct State {
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
  };
  auto st = std::make_shared<State>();
  try {
    std::thread([st, work = std::move(Work)] {
      work();
      std::lock_guard<std::mutex> lock(st->m);
      st->done = true;
      st->cv.notify_all();
    }).detach();
  } catch (const std::system_error&) { return BoundedResult::NoThread; }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
  std::unique_lock<std::mutex> lock(st->m);
  while (!st->done) {
    if (Abort.load()) return BoundedResult::Aborted;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return BoundedResult::TimedOut;
    const auto slice = std::chrono::milliseconds(50);
    st->cv.wait_for(lock, deadline - now < slice ? deadline - now : slice);
  }
  return BoundedResult::Done;
}

} // namespace audiolib
