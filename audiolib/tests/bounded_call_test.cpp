// A blocking call bounded by a time-out: the host name lookup runs this way.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "audiolib/src/BoundedCall.h"

using audiolib::BoundedResult;
using audiolib::RunBounded;

namespace {

// A gate the blocked call waits on until the test opens it.
struct Gate {
  std::mutex m;
  std::condition_variable cv;
  bool open = false, passed = false;
  void Open() {
    std::lock_guard<std::mutex> l(m);
    open = true;
    cv.notify_all();
  }
  void Pass() {
    std::unique_lock<std::mutex> l(m);
    cv.wait(l, [&] { return open; });
    passed = true;
    cv.notify_all();
  }
  void WaitPassed() {
    std::unique_lock<std::mutex> l(m);
    cv.wait(l, [&] { return passed; });
  }
};

TEST(BoundedCall, ACallThatFinishesIsSeenWhole) {
  std::atomic<bool> abort{false};
  auto value = std::make_shared<int>(0);
  EXPECT_EQ(RunBounded([value] { *value = 42; }, 5000, abort), BoundedResult::Done);
  EXPECT_EQ(*value, 42);
}

TEST(BoundedCall, ABlockedCallIsLeftBehindAtTheTimeOut) {
  std::atomic<bool> abort{false};
  auto gate = std::make_shared<Gate>();
  EXPECT_EQ(RunBounded([gate] { gate->Pass(); }, 100, abort), BoundedResult::TimedOut);
  // the call goes on alone and ends once unblocked, touching only what it shares
  gate->Open();
  gate->WaitPassed();
}

TEST(BoundedCall, AnAbortEndsTheWait) {
  std::atomic<bool> abort{true};
  auto gate = std::make_shared<Gate>();
  EXPECT_EQ(RunBounded([gate] { gate->Pass(); }, 60000, abort), BoundedResult::Aborted);
  gate->Open();
  gate->WaitPassed();
}

} // namespace
