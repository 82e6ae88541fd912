// TWorker: one background thread that runs a component's long jobs (a fade,
// a download) one at a time, and hands each job's completion back to the
// GUI thread through its message queue.
//
// Starting a job while one runs asks the running one to stop first; a job
// sees that through its TWorkerJob (Stopped, or a Wait cut short). The
// destructor stops the running job and joins the thread; completions not
// yet run by then are dropped, so none reaches a component that is gone.
// Start and Stop never wait for the job: they may be called from inside a
// message the GUI thread is handling for another thread.
//
// On Windows completions are posted to a hidden window of the thread that
// made the worker; natively they wait in a queue for RunPostedCompletions.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TWorkerJob {
 public:
  bool Stopped() const { return stop_.load(); }
  // Waits ms milliseconds; false (at once) when the job is asked to stop.
  bool Wait(int ms);

 private:
  friend class TWorker;
  std::atomic<bool> stop_{false};
  std::mutex* mutex_ = nullptr;
  std::condition_variable* wake_ = nullptr;
};

class TWorker {
 public:
  using Job = std::function<void(TWorkerJob& Job)>;
  using Done = std::function<void()>;

  TWorker();
  ~TWorker();
  TWorker(const TWorker&) = delete;
  TWorker& operator=(const TWorker&) = delete;

  // Runs job on the worker thread, then done on the GUI thread.
  void Start(Job job, Done done = nullptr);
  // Asks the running job (and drops a pending one) to stop; returns at once.
  void Stop();

 private:
  void Loop();
  void Post(Done done);
  std::mutex mutex_;
  std::condition_variable wake_;
  Job pending_;
  Done pending_done_;
  bool has_pending_ = false;
  bool quit_ = false;
  std::shared_ptr<TWorkerJob> current_;
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
  void* gui_window_ = nullptr; // HWND on Windows
  std::thread thread_;
};

namespace classlib {

// Runs the completions posted so far to this thread (the message loop runs
// them too on Windows). Returns how many ran.
int RunPostedCompletions();

} // namespace classlib
