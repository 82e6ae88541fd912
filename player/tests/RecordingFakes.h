// Stand-ins for the recording engine's seams: a file system in memory, a
// clock the test sets, a companion that counts its starts, and a view of the
// recorded files that keeps its rows. Thread-safe, so the concurrency tests
// share them too.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "player/RecordingCore.h"

namespace rectest {

class TMemoryDisk : public TRecordDisk {
 public:
  bool ForceDirs(const std::string& Path) override {
    std::lock_guard<std::mutex> l(m_);
    if (failDirs) return false;
    dirs.insert(Path);
    return true;
  }
  bool SetHidden(const std::string& Folder) override {
    std::lock_guard<std::mutex> l(m_);
    hidden.insert(Folder);
    return true;
  }
  bool SaveFile(const std::string& Name, const TRecordBuffer& Data) override {
    std::unique_lock<std::mutex> l(m_);
    ++saving;
    cv_.notify_all();
    cv_.wait(l, [this] { return !holdSaves; });
    --saving;
    if (failSaves) return false;
    std::vector<uint8_t> bytes;
    Data.ForEach([&](const uint8_t* p, size_t n) {
      bytes.insert(bytes.end(), p, p + n);
      return true;
    });
    files[Name] = bytes;
    order.push_back(Name);
    return true;
  }
  bool SaveText(const std::string& Name, const std::string& Text) override {
    std::lock_guard<std::mutex> l(m_);
    texts[Name] = Text;
    return true;
  }
  bool RemoveFile(const std::string& Name) override {
    std::lock_guard<std::mutex> l(m_);
    deleted.push_back(Name);
    return files.erase(Name) > 0;
  }
  // Saves wait while held; WaitSaving blocks until one is waiting.
  void Hold(bool on) {
    std::lock_guard<std::mutex> l(m_);
    holdSaves = on;
    cv_.notify_all();
  }
  void WaitSaving() {
    std::unique_lock<std::mutex> l(m_);
    cv_.wait(l, [this] { return saving > 0; });
  }
  std::vector<uint8_t> File(const std::string& Name) {
    std::lock_guard<std::mutex> l(m_);
    auto it = files.find(Name);
    return it == files.end() ? std::vector<uint8_t>() : it->second;
  }
  size_t FileCount() {
    std::lock_guard<std::mutex> l(m_);
    return files.size();
  }

  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> order; // names in the order they were saved
  std::map<std::string, std::string> texts;
  std::set<std::string> dirs, hidden;
  std::vector<std::string> deleted;
  bool failSaves = false;
  bool failDirs = false;
  bool holdSaves = false;
  int saving = 0;

 private:
  std::mutex m_;
  std::condition_variable cv_;
};

class TFixedClock : public TRecordClock {
 public:
  std::string TimeStr() override {
    std::lock_guard<std::mutex> l(m_);
    return time;
  }
  std::string DateStr() override {
    std::lock_guard<std::mutex> l(m_);
    return date;
  }
  void Set(const std::string& t) {
    std::lock_guard<std::mutex> l(m_);
    time = t;
  }
  std::string time = "10-00-00";
  std::string date = "09-12-2026";

 private:
  std::mutex m_;
};

class TCountingCompanion : public TCompanionStarter {
 public:
  void StartCompanion() override {
    std::lock_guard<std::mutex> l(m_);
    ++starts;
  }
  int Starts() {
    std::lock_guard<std::mutex> l(m_);
    return starts;
  }
  int starts = 0;

 private:
  std::mutex m_;
};

// Rows as the window would show them: name and size text.
class TRowsView : public TRecordedFilesView {
 public:
  struct TRow {
    std::string Name, Size;
  };
  void AddRecordedFile(const std::string& Name) override { rows.push_back(TRow{Name, "0.0"}); }
  int RowCount() override { return static_cast<int>(rows.size()); }
  void SetLastRowSize(const std::string& Text) override {
    if (!rows.empty()) rows.back().Size = Text;
    ++sizeCalls;
  }
  void DeleteLastRow() override {
    if (!rows.empty()) rows.pop_back();
  }
  void ClearRows() override { rows.clear(); }
  void Repaint() override { ++repaints; }
  void SetCaption(const std::string& Text) override { caption = Text; }
  void SetTotal(const std::string& Text) override { total = Text; }
  std::vector<TRow> rows;
  std::string caption, total;
  int sizeCalls = 0, repaints = 0;
};

} // namespace rectest
