// TThread and the hand-over of a thread's end to the GUI thread.
#include "classlib/Thread.h"

#include <deque>
#include <functional>
#include <mutex>
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

// Made by the first thread object, on the GUI thread, and kept for the
// program's life.
HWND CompletionWindow() {
  static HWND w = classlib::CreateHiddenWindow(L"KorvalisThreadDone", CompletionProc);
  return w;
}

void Post(Completion c) {
  auto* heap = new Completion(std::move(c));
  if (!PostMessageW(CompletionWindow(), kCompletionMessage, 0, reinterpret_cast<LPARAM>(heap)))
    delete heap;
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

void Post(Completion c) {
  std::lock_guard<std::mutex> lock(QueueMutex());
  Queue().push_back(std::move(c));
}
#endif

} // namespace

TThread::TThread(bool CreateSuspended) : create_suspended_(CreateSuspended) {
#ifdef _WIN32
  CompletionWindow();
#endif
}

TThread::~TThread() {
  alive_->store(false);
  terminated_ = true;
  // Only a thread freed with a bare delete still runs here.
  if (thread_.joinable()) thread_.join();
}

void TThread::AfterConstruction() {
  if (!create_suspended_) Start();
}

void TThread::BeforeDestruction() {
  alive_->store(false);
  Terminate();
  WaitFor();
}

void TThread::Start() {
  if (started_) return;
  started_ = true;
  thread_ = std::thread([this] { Run(); });
}

int TThread::WaitFor() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
  return return_value_;
}

void TThread::Run() {
  try {
    Execute();
  } catch (...) {
    fatal_ = std::current_exception();
  }
  std::shared_ptr<std::atomic<bool>> alive = alive_;
  finished_ = true;
  // The last touch of the object on this thread: from here it may be gone.
  Post([alive, this] {
    if (alive->load()) DoTerminate();
  });
}

void TThread::DoTerminate() {
  // Joined before anything is told, so OnTerminate may delete the object.
  if (thread_.joinable()) thread_.join();
  const bool free = FreeOnTerminate;
  std::shared_ptr<std::atomic<bool>> alive = alive_;
  if (OnTerminate) OnTerminate(this);
  if (free && alive->load()) Free();
}

int CheckSynchronize() {
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
