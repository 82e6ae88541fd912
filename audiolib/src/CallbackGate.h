// Guards the user's callbacks of one stream. A callback runs only while the
// gate is open; Close() shuts it and waits until no callback is running, but
// it keeps calling a "pump" while it waits: on Windows that delivers
// messages sent to the waiting (GUI) thread, so a callback blocked in
// SendMessage to that thread can finish instead of deadlocking.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace audiolib {

// Waits up to `ms` for something to do, then does it. Must return promptly.
using WaitPump = std::function<void(int ms)>;

// The system's pump: on Windows delivers sent messages, elsewhere sleeps.
void SystemWaitPump(int ms);

class CallbackGate {
 public:
  // Runs fn unless the gate is closed; returns whether it ran. An exception
  // out of fn is dropped.
  bool Run(const std::function<void()>& fn);
  // Closes the gate and waits for running callbacks (except one the calling
  // thread itself is inside), pumping meanwhile. Idempotent.
  void Close(const WaitPump& pump);
  bool IsClosed() const;

 private:
  mutable std::mutex m_;
  bool closed_ = false;
  std::vector<std::thread::id> running_;
};

} // namespace audiolib
