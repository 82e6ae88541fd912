// The queue between the recording engine and the recorded-files window (see
// RecordedFilesCore.h).
#include "player/RecordedFilesCore.h"

void TRecordedFilesQueue::Push(TOp Op, const std::string& Text) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    switch (Op) {
      case TOp::Add:
      case TOp::Clear:
        rows_ = Op == TOp::Add ? rows_ + 1 : 0;
        pending_size_ = kNone;
        break;
      case TOp::Delete:
        if (rows_ == 0) return;
        --rows_;
        pending_size_ = kNone;
        break;
      case TOp::Size:
        if (rows_ == 0) return;
        // Only the latest size of the same row matters: a block-by-block
        // stream of sizes must not pile up while the window is busy, even
        // with the clock's totals queued in between.
        if (pending_size_ != kNone) {
          calls_[pending_size_].Text = Text;
          return;
        }
        pending_size_ = calls_.size();
        break;
      case TOp::Total:
        if (pending_total_ != kNone) {
          calls_[pending_total_].Text = Text;
          return;
        }
        pending_total_ = calls_.size();
        break;
      default: break;
    }
    wake = calls_.empty();
    calls_.push_back(TCall{Op, Text});
  }
  if (wake && Notify) Notify();
}

void TRecordedFilesQueue::AddRecordedFile(const std::string& Name) { Push(TOp::Add, Name); }
void TRecordedFilesQueue::SetLastRowSize(const std::string& Text) { Push(TOp::Size, Text); }
void TRecordedFilesQueue::DeleteLastRow() { Push(TOp::Delete); }
void TRecordedFilesQueue::ClearRows() { Push(TOp::Clear); }
void TRecordedFilesQueue::Repaint() { Push(TOp::Repaint); }
void TRecordedFilesQueue::SetCaption(const std::string& Text) { Push(TOp::Caption, Text); }
void TRecordedFilesQueue::SetTotal(const std::string& Text) { Push(TOp::Total, Text); }

int TRecordedFilesQueue::RowCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return rows_;
}

size_t TRecordedFilesQueue::Pending() {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_.size();
}

void TRecordedFilesQueue::Drain(TRecordedFilesView& Target) {
  std::deque<TCall> calls;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.swap(calls_);
    pending_size_ = pending_total_ = kNone;
  }
  for (const TCall& c : calls) {
    switch (c.Op) {
      case TOp::Add: Target.AddRecordedFile(c.Text); break;
      case TOp::Size: Target.SetLastRowSize(c.Text); break;
      case TOp::Delete: Target.DeleteLastRow(); break;
      case TOp::Clear: Target.ClearRows(); break;
      case TOp::Repaint: Target.Repaint(); break;
      case TOp::Caption: Target.SetCaption(c.Text); break;
      case TOp::Total: Target.SetTotal(c.Text); break;
    }
  }
}
