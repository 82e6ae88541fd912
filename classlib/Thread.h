// TThread: a thread of its own for a component's long work, with its end
// told on the GUI thread.
//
// A subclass puts the work in Execute, which runs on the new thread once
// Start is called. A thread created running (CreateSuspended false) starts
// in AfterConstruction, so it is made with New<T>(...): Execute never runs
// on an object still being built. Execute looks at Terminated to learn that
// it is asked to stop (Terminate only asks).
//
// When Execute returns, the end goes to the thread that made the object
// (the GUI thread) through its message queue: there OnTerminate runs, and a
// thread with FreeOnTerminate deletes itself right after. The thread itself
// never waits for the GUI thread, so a thread may be started and asked to
// stop from inside a message that the GUI thread handles for another thread.
// Nothing of a deleted thread runs later: an end not yet told when the
// object goes is dropped.
//
// WaitFor joins the thread (never for a thread that frees itself, once it
// may have ended, unless on the GUI thread before its end was told). Free
// asks the thread to stop and joins it before the destructors run, so
// Execute never sees a half-destroyed object: a running thread is ended
// with Free (or WaitFor), not with a bare delete.
//
// On Windows the ends are posted to a hidden window of the thread that made
// the first TThread; natively they wait in a queue for CheckSynchronize.
#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <thread>

#include "classlib/Component.h"

class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended = true);
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts Execute on the new thread (once; later calls do nothing).
  void Start();
  // Asks Execute to stop; returns at once.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_.load(); }
  // Execute has returned (its end may not be told yet).
  bool Finished() const { return finished_.load(); }
  // Waits for Execute to return; gives ReturnValue. A thread never started
  // gives it at once.
  int WaitFor();
  // Set on the GUI thread before Start.
  bool FreeOnTerminate = false;
  TNotifyEvent OnTerminate;
  // What Execute threw, if it did (the thread then ends as usual).
  std::exception_ptr FatalException() const { return fatal_; }
  int ReturnValue() const { return return_value_; }

  void AfterConstruction() override;

 protected:
  void BeforeDestruction() override;
  virtual void Execute() = 0;
  void SetReturnValue(int v) { return_value_ = v; }

 private:
  void Run();
  void DoTerminate();
  std::thread thread_;
  std::atomic<bool> terminated_{false}, finished_{false};
  bool create_suspended_;
  bool started_ = false;
  std::exception_ptr fatal_;
  int return_value_ = 0;
  // False once the object is gone: a posted end then does nothing.
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
};

// Runs the ends of threads posted so far to this thread (the message loop
// runs them too on Windows). Returns how many ran.
int CheckSynchronize();
