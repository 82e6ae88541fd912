// TThread (also run under ThreadSanitizer): Execute on a thread of its own,
// its end told where CheckSynchronize runs, a thread that frees itself,
// Terminate seen by Execute, WaitFor's value, what Execute throws, and an
// end dropped for a thread deleted first.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "classlib/Thread.h"

namespace {

class Probe : public TThread {
 public:
  explicit Probe(int* deaths = nullptr, bool loop = false, bool fail = false)
      : deaths_(deaths), loop_(loop), fail_(fail) {}
  ~Probe() override {
    if (deaths_) ++*deaths_;
  }
  std::thread::id ran_on;

 protected:
  void Execute() override {
    ran_on = std::this_thread::get_id();
    while (loop_ && !Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (fail_) throw std::runtime_error("broken");
    SetReturnValue(7);
  }

 private:
  int* deaths_;
  bool loop_, fail_;
};

class Started : public TThread {
 public:
  Started() : TThread(false) {}

 protected:
  void Execute() override { SetReturnValue(3); }
};

bool SynchronizeUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 5000 && !done(); ++i) {
    CheckSynchronize();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

} // namespace

TEST(Thread, EndToldWhereSynchronizedThenItFreesItself) {
  int deaths = 0, told = 0;
  std::thread::id told_on, ran_on;
  auto* t = new Probe(&deaths);
  t->FreeOnTerminate = true;
  t->OnTerminate = [&](TObject* sender) {
    ++told;
    told_on = std::this_thread::get_id();
    auto* p = static_cast<Probe*>(sender);
    ran_on = p->ran_on;
    EXPECT_TRUE(p->Finished());
    EXPECT_EQ(p->ReturnValue(), 7);
  };
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(CheckSynchronize(), 0); // nothing runs before Start
  t->Start();
  ASSERT_TRUE(SynchronizeUntil([&] { return deaths == 1; }));
  EXPECT_EQ(told, 1);
  EXPECT_EQ(told_on, std::this_thread::get_id());
  EXPECT_NE(ran_on, std::this_thread::get_id());
}

TEST(Thread, TerminateWaitForAndWhatExecuteThrows) {
  Probe loop(nullptr, true);
  loop.Start();
  loop.Start(); // once only
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(loop.Finished());
  loop.Terminate();
  EXPECT_TRUE(loop.Terminated());
  EXPECT_EQ(loop.WaitFor(), 7);
  EXPECT_TRUE(loop.Finished());
  EXPECT_FALSE(loop.FatalException());

  bool told = false;
  Probe fail(nullptr, false, true);
  fail.OnTerminate = [&](TObject*) { told = true; };
  fail.Start();
  fail.WaitFor();
  ASSERT_TRUE(fail.FatalException());
  EXPECT_THROW(std::rethrow_exception(fail.FatalException()), std::runtime_error);
  ASSERT_TRUE(SynchronizeUntil([&] { return told; }));

  Probe never;
  EXPECT_EQ(never.WaitFor(), 0);
  CheckSynchronize();
  // Created running: it starts once it is whole.
  auto* running = New<Started>();
  EXPECT_EQ(running->WaitFor(), 3);
  running->Free();
}

TEST(Thread, DeletedBeforeItsEndIsToldTellsNothing) {
  for (int i = 0; i < 20; ++i) {
    int deaths = 0;
    bool told = false;
    auto* t = new Probe(&deaths, i % 2 == 1);
    t->OnTerminate = [&](TObject*) { told = true; };
    t->Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(i % 3));
    t->Free(); // asks it to stop and joins it
    EXPECT_EQ(deaths, 1);
    CheckSynchronize();
    EXPECT_FALSE(told);
  }
}
