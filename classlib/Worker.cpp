// The background worker and the hand-over of completions to the GUI thread.
#include "classlib/Worker.h"

#include <deque>
#include <utility>

#ifdef _WIN32
#include "classlib/WinApi.h"

#include "classlib/HiddenWindow.h"
#endif

namespace {

using Completion = std::function<void()>;

#ifdef _WIN32
constexpr UINT kCompletionMessage = WM_APP + 0x3A1;

LRESULT CALLBACK CompletionProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kCompletionMessage) {
    std::unique_ptr<Completion> c(reinterpret_cast<Completion*>(lp));
    if (*c) (*c)();
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}
#else
std::mutex& QueueMutex() {
  static std::mutex m;
  return m;
}
std::deque<Completion>& Queue() {
  static std::deque<Completion> q;
  return q;
}
#endif

} // namespace

bool TWorkerJob::Wait(int ms) {
  if (ms <= 0) return !Stopped();
  std::unique_lock<std::mutex> lock(*mutex_);
  wake_->wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
  return !Stopped();
}

TWorker::TWorker() {
#ifdef _WIN32
  gui_window_ = classlib::CreateHiddenWindow(L"KorvalisWorkerDone", CompletionProc);
#endif
  thread_ = std::thread([this] { Loop(); });
}

TWorker::~TWorker() {
  alive_->store(false);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    has_pending_ = false;
    if (current_) current_->stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
#ifdef _WIN32
  // Completions still queued for the window go with it, unrun.
  HWND w = static_cast<HWND>(gui_window_);
  MSG m;
  while (PeekMessageW(&m, w, kCompletionMessage, kCompletionMessage, PM_REMOVE))
    delete reinterpret_cast<Completion*>(m.lParam);
  DestroyWindow(w);
#endif
}

void TWorker::Start(Job job, Done done) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (current_) current_->stop_ = true;
    pending_ = std::move(job);
    pending_done_ = std::move(done);
    has_pending_ = true;
  }
  wake_.notify_all();
}

void TWorker::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (current_) current_->stop_ = true;
    has_pending_ = false;
    pending_ = nullptr;
    pending_done_ = nullptr;
  }
  wake_.notify_all();
}

void TWorker::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || has_pending_; });
    if (quit_) return;
    Job job = std::move(pending_);
    Done done = std::move(pending_done_);
    has_pending_ = false;
    auto ticket = std::make_shared<TWorkerJob>();
    ticket->mutex_ = &mutex_;
    ticket->wake_ = &wake_;
    current_ = ticket;
    lock.unlock();
    if (job) job(*ticket);
    lock.lock();
    current_.reset();
    if (done && !quit_) Post(std::move(done));
  }
}

void TWorker::Post(Done done) {
  // Dropped when the worker is gone by the time the GUI thread gets to it.
  std::shared_ptr<std::atomic<bool>> alive = alive_;
  Completion c = [alive, done = std::move(done)] {
    if (alive->load()) done();
  };
#ifdef _WIN32
  auto* heap = new Completion(std::move(c));
  if (!PostMessageW(static_cast<HWND>(gui_window_), kCompletionMessage, 0,
                    reinterpret_cast<LPARAM>(heap)))
    delete heap;
#else
  std::lock_guard<std::mutex> lock(QueueMutex());
  Queue().push_back(std::move(c));
#endif
}

int classlib::RunPostedCompletions() {
  int n = 0;
#ifdef _WIN32
  MSG m;
  while (PeekMessageW(&m, nullptr, kCompletionMessage, kCompletionMessage, PM_REMOVE)) {
    DispatchMessageW(&m);
    ++n;
  }
  return n;
#else
  for (;;) {
    Completion c;
    {
      std::lock_guard<std::mutex> lock(QueueMutex());
      if (Queue().empty()) return n;
      c = std::move(Queue().front());
      Queue().pop_front();
    }
    c();
    ++n;
  }
#endif
}
