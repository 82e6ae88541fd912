// Waiting for the encoder natively: an interrupted wait goes on waiting, and
// a wait that can never succeed ends with an error instead of spinning.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include "converter/MP3_Format.h"

namespace {

void Ignore(int) {}

// Signals delivered every 20 ms to this thread's waits, without restarting them.
class TInterrupts {
 public:
  TInterrupts() {
    struct sigaction sa {};
    sa.sa_handler = Ignore;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;
    sigaction(SIGALRM, &sa, &old_);
    itimerval t{{0, 20000}, {0, 20000}};
    setitimer(ITIMER_REAL, &t, nullptr);
  }
  ~TInterrupts() {
    itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &old_, nullptr);
  }

 private:
  struct sigaction old_ {};
};

TEST(ProcessStart, AnInterruptedWaitGoesOnWaiting) {
  TInterrupts interrupts;
  EXPECT_EQ(PlatformProcessStarter().RunAndWait("/bin/sh -c \"sleep 0.3; exit 3\"", 0), 3u);
}

TEST(ProcessStart, AChildReapedElsewhereEndsTheWaitWithAnError) {
  // With SIGCHLD ignored the system reaps the child itself, so waitpid fails
  // with ECHILD however often it is asked.
  struct sigaction ignore {
  }, old{};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGCHLD, &ignore, &old);
  alarm(60); // a wait that spins for ever ends the test program
  EXPECT_THROW(PlatformProcessStarter().RunAndWait("/bin/true", 0), EInOutError);
  alarm(0);
  sigaction(SIGCHLD, &old, nullptr);
}

} // namespace
