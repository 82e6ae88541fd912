// The recording engine's view of the recorded-files window: the few things
// it does to the window's grid and labels, and a queue that carries them
// from any thread to the GUI thread.
//
// The engine calls a TRecordedFilesView from the download thread and from
// the GUI thread. The window itself may only be touched on its own thread,
// so the engine is given a TRecordedFilesQueue: each call is queued at once
// (never waiting for the GUI thread) and `Notify` is raised when the queue
// turns non-empty; the GUI thread then calls Drain, which applies the calls
// in order to the window's own view. The queue answers RowCount from the
// rows its calls add and remove, so the engine reads the count its own
// changes give even before the window has caught up.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

class TRecordedFilesView {
 public:
  virtual ~TRecordedFilesView() = default;
  // A new last row: number, `Name`, size "0.0".
  virtual void AddRecordedFile(const std::string& Name) = 0;
  virtual int RowCount() = 0;
  // The size text (column 2) of the last row; nothing when there is none.
  virtual void SetLastRowSize(const std::string& Text) = 0;
  virtual void DeleteLastRow() = 0;
  virtual void ClearRows() = 0;
  virtual void Repaint() = 0;
  virtual void SetCaption(const std::string& Text) = 0;
  // The recording total ("Записано:" label).
  virtual void SetTotal(const std::string& Text) = 0;
};

// Nothing behind it: rows are only counted.
class TNullRecordedFiles : public TRecordedFilesView {
 public:
  void AddRecordedFile(const std::string&) override { ++rows_; }
  int RowCount() override { return rows_; }
  void SetLastRowSize(const std::string&) override {}
  void DeleteLastRow() override {
    if (rows_ > 0) --rows_;
  }
  void ClearRows() override { rows_ = 0; }
  void Repaint() override {}
  void SetCaption(const std::string&) override {}
  void SetTotal(const std::string&) override {}

 private:
  int rows_ = 0;
};

class TRecordedFilesQueue : public TRecordedFilesView {
 public:
  void AddRecordedFile(const std::string& Name) override;
  int RowCount() override;
  void SetLastRowSize(const std::string& Text) override;
  void DeleteLastRow() override;
  void ClearRows() override;
  void Repaint() override;
  void SetCaption(const std::string& Text) override;
  void SetTotal(const std::string& Text) override;

  // Raised (on the calling thread, outside the queue's lock) when a call
  // finds the queue empty. Must not wait for the GUI thread: post.
  std::function<void()> Notify;
  // GUI thread: applies every queued call to `Target`, in order.
  void Drain(TRecordedFilesView& Target);
  size_t Pending();

 private:
  enum class TOp { Add, Size, Delete, Clear, Repaint, Caption, Total };
  struct TCall {
    TOp Op = TOp::Repaint;
    std::string Text;
  };
  void Push(TOp Op, const std::string& Text = std::string());

  std::mutex mutex_;
  std::deque<TCall> calls_;
  int rows_ = 0;
  // The queued size of the newest row and the queued total, while they wait.
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t pending_size_ = kNone;
  size_t pending_total_ = kNone;
};
