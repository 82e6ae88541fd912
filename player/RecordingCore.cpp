// The recording engine (see RecordingCore.h).
#include "player/RecordingCore.h"

#include <cstdio>
#include <cstring>

#include "classlib/SysUtils.h"
#include "player/RecordJoinCore.h"
#include "player/RecordNamesCore.h"

// What a closed file still needs once the lock is let go.
struct TRecordingEngine::TClosedFile {
  enum class TKind { None, AsReceived, HandOver };
  TKind Kind = TKind::None;
  TRecordBuffer Data;
  std::string FinalPath;
  std::string TempPath;
  std::string Bitrate;
  uint64_t Session = 0;
  // Folders of the file that begins after it.
  std::string NextFinalFolder;
  std::string NextTempFolder;
};

TRecordingEngine::TRecordingEngine(const std::string& PlayerFolder, TRecordDisk& Disk,
                                   TRecordClock& Clock, TCompanionStarter& Companion,
                                   TRecordedFilesView& Files)
    : folder_(PlayerFolder),
      disk_(Disk),
      wall_clock_(Clock),
      companion_(Companion),
      files_(Files) {}

TRecordingEngine::~TRecordingEngine() {
  {
    std::lock_guard<std::mutex> lock(save_mutex_);
    quit_ = true;
  }
  save_cv_.notify_all();
  if (saver_.joinable()) saver_.join();
}

std::string TRecordingEngine::MbText(int64_t Bytes) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f mb", static_cast<double>(Bytes) / 1048576.0);
  return buf;
}

bool TRecordingEngine::Start(const RecordChoice& Choice) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recording_ui_) return false;
  ++session_;
  choice_ = Choice;
  handed_final_path_.clear();
  file_bytes_ = 0;
  file_title_ = " "; // differs from every title, so the first block opens a file
  clock_.ResetHms();
  total_bytes_ = 0;
  split_ticks_ = 0;
  armed_ = true;
  recording_ui_ = true;
  return true;
}

// Under the lock: the open file ends here. A file under the minimum is
// dropped with its row; a kept one is moved into `Closed` to be saved.
void TRecordingEngine::CutFile(TClosedFile& Closed) {
  in_tail_ = false;
  file_in_progress_ = false;
  file_closed_ = true;
  buffer_live_ = false;
  tail_counter_ = 0;
  seek_frame_ = false;
  file_bytes_ = static_cast<int64_t>(buffer_.Size());
  if (file_bytes_ < kMinRecordingBytes) {
    files_.DeleteLastRow();
    last_size_text_.clear();
  last_size_key_ = -1;
    buffer_.Clear();
    return;
  }
  std::string size = MbText(file_bytes_);
  if (size != last_size_text_) files_.SetLastRowSize(size);
  last_size_text_.clear();
  last_size_key_ = -1;
  Closed.Kind = choice_.AsReceived ? TClosedFile::TKind::AsReceived : TClosedFile::TKind::HandOver;
  Closed.Data = std::move(buffer_);
  buffer_ = TRecordBuffer(&pool_);
  Closed.FinalPath = cur_final_path_;
  Closed.TempPath = cur_temp_path_;
  Closed.Bitrate = choice_.Bitrate;
  Closed.Session = session_;
}

// Under the lock: the connection the blocks came from is over. The open file
// loses the frame the connection broke off, and its next bytes begin at a
// frame header; a file in its tail is finished here.
void TRecordingEngine::EndConnection(TClosedFile& Closed) {
  if (!armed_ || file_closed_ || !buffer_live_) return;
  const size_t size = buffer_.Size();
  const std::vector<uint8_t> tail = buffer_.Tail(kJoinWindow);
  size_t whole = tail.size();
  const bool frames = WholeFramesEnd(tail.data(), tail.size(), whole);
  if (frames && whole < tail.size()) {
    buffer_.Truncate(size - (tail.size() - whole));
    if (!in_tail_) total_bytes_ -= static_cast<int64_t>(tail.size() - whole);
    file_bytes_ = static_cast<int64_t>(buffer_.Size());
  }
  if (in_tail_) {
    CutFile(Closed);
    return;
  }
  // Streams that are not MPEG audio are joined as they come.
  seek_frame_ = frames;
  seek_skipped_ = 0;
}

// Under the lock: adds stream bytes to the open file; after a join the bytes
// before the new connection's first frame header are left out.
void TRecordingEngine::AddToFile(const void* Data, size_t Length) {
  const uint8_t* p = static_cast<const uint8_t*>(Data);
  if (seek_frame_) {
    long at = FirstFrameStart(p, Length);
    if (at >= 0) {
      p += at;
      Length -= static_cast<size_t>(at);
      seek_frame_ = false;
    } else if (seek_skipped_ + Length <= kJoinWindow) {
      seek_skipped_ += Length;
      return;
    } else {
      seek_frame_ = false; // no frames after all: the bytes go in as they come
    }
  }
  buffer_.Append(p, Length);
}

// Ends the session under the lock: a file still in its tail is cut, later
// callbacks of the old stream are ignored and nothing is left buffered.
void TRecordingEngine::EndSession(TClosedFile& Closed) {
  if (in_tail_ && !file_closed_) CutFile(Closed);
  ++session_;
  armed_ = false;
  file_closed_ = true;
  file_in_progress_ = false;
  in_tail_ = false;
  if (buffer_live_) {
    buffer_live_ = false;
    buffer_.Clear();
  }
}

void TRecordingEngine::Stop() {
  TClosedFile closed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EndSession(closed);
    tail_counter_ = 0;
    seek_frame_ = false;
    paused_ = false;
    cur_title_ = "-";
    recording_ui_ = false;
  }
  QueueSave(closed);
}

bool TRecordingEngine::TogglePause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recording_ui_) paused_ = !paused_;
  return paused_;
}

void TRecordingEngine::SetCurTitle(const std::string& Title) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Title == stream_title_) return;
  stream_title_ = Title;
  cur_title_ = Title;
}

void TRecordingEngine::StationPicked(const std::string& StationText,
                                     const std::string& StationLabel) {
  TClosedFile closed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // The station's bytes end here: nothing of the next one may follow them.
    if (!file_closed_ && buffer_live_) CutFile(closed);
    station_text_ = StationText;
    station_label_ = StationLabel;
    cur_title_ = "-";
    stream_title_ = "-";
    file_title_.clear();
    clock_.ResetHms();
    total_bytes_ = 0;
  }
  QueueSave(closed);
}

void TRecordingEngine::ConnectionEnded() {
  TClosedFile closed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EndConnection(closed);
  }
  QueueSave(closed);
}

void TRecordingEngine::SplitTick() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (armed_ && !paused_) ++split_ticks_;
}

void TRecordingEngine::Close() {
  TClosedFile closed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EndSession(closed);
  }
  QueueSave(closed);
  Flush();
  pool_.Release();
}

// A closed file goes to the saving thread, started with the first one.
void TRecordingEngine::QueueSave(TClosedFile& Closed) {
  if (Closed.Kind == TClosedFile::TKind::None) return;
  try {
    auto file = std::make_unique<TClosedFile>(std::move(Closed));
    std::lock_guard<std::mutex> lock(save_mutex_);
    pending_.push_back(std::move(file));
    if (!saver_.joinable()) saver_ = std::thread([this] { SaveLoop(); });
  } catch (...) {
    // Out of memory or threads: that one file is lost; the recording goes on.
  }
  save_cv_.notify_all();
}

// Chunks ready in the pool for the file being recorded.
constexpr size_t kReadyChunks = 2;

// Download thread, under the state lock: asks the saving thread for chunks.
void TRecordingEngine::WantChunks() {
  try {
    std::lock_guard<std::mutex> lock(save_mutex_);
    if (refill_) return;
    refill_ = true;
    if (!saver_.joinable()) saver_ = std::thread([this] { SaveLoop(); });
  } catch (...) {
    return; // no thread: the download thread makes its own chunks
  }
  save_cv_.notify_all();
}

void TRecordingEngine::SaveLoop() {
  std::unique_lock<std::mutex> lock(save_mutex_);
  for (;;) {
    save_cv_.wait(lock, [this] { return quit_ || refill_ || !pending_.empty(); });
    if (refill_) {
      lock.unlock();
      try {
        while (pool_.Kept() < kReadyChunks) {
          TChunkPool::TChunk c(new uint8_t[TRecordBuffer::kChunk]);
          std::memset(c.get(), 0, TRecordBuffer::kChunk); // its pages are touched here
          pool_.Give(std::move(c));
        }
      } catch (...) {}
      lock.lock();
      refill_ = false;
      continue;
    }
    if (pending_.empty()) return;
    std::unique_ptr<TClosedFile> file = std::move(pending_.front());
    pending_.pop_front();
    saving_ = true;
    lock.unlock();
    try {
      Finish(*file);
    } catch (...) {}
    file.reset();
    lock.lock();
    saving_ = false;
    save_cv_.notify_all();
  }
}

void TRecordingEngine::Flush() {
  std::unique_lock<std::mutex> lock(save_mutex_);
  save_cv_.wait(lock, [this] { return pending_.empty() && !saving_; });
}

std::string TRecordingEngine::TotalText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return MbText(total_bytes_);
}

// Under the lock: names the next file and registers it; the folders are made
// by the caller once the lock is let go.
void TRecordingEngine::StartNewRecordingFile(std::string& FinalFolder, std::string& TempFolder) {
  const std::string time = wall_clock_.TimeStr();
  const std::string station = StationFolderName(station_text_);
  std::string base = FileBaseFor(file_title_, station_label_);
  const std::string audio = folder_ + "AUDIO\\";
  const std::string stationDate = audio + StationDatePath(station, wall_clock_.DateStr());
  const std::string temp = audio + "TEMP\\";
  // The longer of the two paths decides how much of the name fits.
  size_t fixed = stationDate.size() + LanguageFolder(base).size();
  if (!choice_.AsReceived && temp.size() > fixed) fixed = temp.size();
  base = FitBaseName(base, fixed + time.size() + 1 + 4);
  file_base_ = base;
  const std::string name = time + "_" + base + ".mp3";

  files_.AddRecordedFile(base + ".mp3");
  last_size_text_.clear();
  last_size_key_ = -1;
  FinalFolder = stationDate + LanguageFolder(base);
  cur_final_path_ = FinalFolder + name;
  file_in_progress_ = true;
  file_closed_ = false;
  in_tail_ = false;
  seek_frame_ = false;
  TempFolder.clear();
  if (!choice_.AsReceived) {
    TempFolder = temp;
    cur_temp_path_ = temp + name;
  }
  split_ticks_ = 0;
  tail_counter_ = 0;
  buffer_.Clear();
  buffer_live_ = true;
}

void TRecordingEngine::Block(const void* Data, uint32_t Length) {
  received_ += Length;
  std::lock_guard<std::mutex> serial(block_mutex_);
  TClosedFile closed;
  bool opened = false;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!armed_) return;
    // The text ("%.2f" of megabytes) can change only where the size crosses
    // a half hundredth of a megabyte; most blocks stay between two.
    const int64_t sizeKey = file_bytes_ * 200 / 1048576;
    if (sizeKey != last_size_key_ && files_.RowCount() > 0) {
      last_size_key_ = sizeKey;
      std::string size = MbText(file_bytes_);
      if (size != last_size_text_) {
        files_.SetLastRowSize(size);
        last_size_text_ = size;
      }
    }
    if (!Data) {
      EndConnection(closed);
    } else if (Length > 0) {
      if (split_ticks_ > kSplitTicks) {
        split_ticks_ = 0;
        cur_title_ = wall_clock_.TimeStr();
      }
      if (file_closed_) {
        // No file open (the recording's first block, or one cut short by a
        // stop, a station change or the end of a connection): one begins
        // now, whatever the title.
        file_title_ = cur_title_;
        StartNewRecordingFile(closed.NextFinalFolder, closed.NextTempFolder);
        opened = true;
        file_bytes_ = 0;
      } else if (!in_tail_ && file_title_ != cur_title_) {
        // The title changed: the open file takes this block and 12 more,
        // whatever the title does meanwhile.
        in_tail_ = true;
        tail_counter_ = 0;
        file_in_progress_ = false;
      }
      if (in_tail_) {
        if (buffer_live_) AddToFile(Data, Length);
        file_bytes_ = static_cast<int64_t>(buffer_.Size());
        if (++tail_counter_ >= kTailBlocks) {
          // The block that closed the file goes to no other file; the next
          // one begins the next file, named after the title current now.
          CutFile(closed);
          file_title_ = cur_title_;
          StartNewRecordingFile(closed.NextFinalFolder, closed.NextTempFolder);
          opened = true;
          file_bytes_ = 0;
        }
      } else if (file_in_progress_ && !paused_) {
        if (buffer_live_) AddToFile(Data, Length);
        file_bytes_ = static_cast<int64_t>(buffer_.Size());
        total_bytes_ += Length;
      }
      if (buffer_live_ && pool_.Kept() < kReadyChunks) WantChunks();
    }
  } catch (...) {
    // Out of memory while adding a block: that block is lost, the
    // recording goes on with the next one.
  }
  if (closed.Kind != TClosedFile::TKind::None) {
    // Saved in the order the files were closed, and the stream never waits
    // for the disk.
    QueueSave(closed);
  } else if (opened) {
    try {
      Finish(closed);
    } catch (...) {}
  }
}

// Outside the state lock: saves the closed file and makes the next file's
// folders. A failure loses only the file it concerns.
void TRecordingEngine::Finish(TClosedFile& Closed) {
  using TKind = TClosedFile::TKind;
  if (Closed.Kind == TKind::AsReceived) {
    disk_.ForceDirs(ExtractFilePath(Closed.FinalPath));
    disk_.SaveFile(Closed.FinalPath, Closed.Data);
  } else if (Closed.Kind == TKind::HandOver) {
    // The player owns the temporary files: the previous hand-over's of the
    // same recording goes before the next is saved. Known here, where the
    // saves are done in order, not when the file was closed.
    if (saved_session_ == Closed.Session && !saved_temp_path_.empty())
      disk_.RemoveFile(saved_temp_path_);
    saved_temp_path_.clear();
    const std::string tempFolder = ExtractFilePath(Closed.TempPath);
    disk_.ForceDirs(tempFolder);
    disk_.SetHidden(tempFolder);
    if (disk_.SaveFile(Closed.TempPath, Closed.Data)) {
      saved_session_ = Closed.Session;
      saved_temp_path_ = Closed.TempPath;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (session_ == Closed.Session) handed_final_path_ = Closed.FinalPath;
      }
      Closed.Data.Clear();
      // The companion is started only with a hand-over file that names this
      // recording; an old one would make it convert a file already gone.
      if (disk_.SaveText(tempFolder + "kdr.ini",
                         HandOverText(Closed.Bitrate, Closed.TempPath, Closed.FinalPath)))
        companion_.StartCompanion();
    }
  }
  Closed.Data.Clear();
  if (!Closed.NextFinalFolder.empty()) disk_.ForceDirs(Closed.NextFinalFolder);
  if (!Closed.NextTempFolder.empty()) {
    disk_.ForceDirs(Closed.NextTempFolder);
    disk_.SetHidden(Closed.NextTempFolder);
  }
}

#define RECORDING_QUERY(type, name, member)   \
  type TRecordingEngine::name() {             \
    std::lock_guard<std::mutex> lock(mutex_); \
    return member;                            \
  }
RECORDING_QUERY(bool, RecordingUi, recording_ui_)
RECORDING_QUERY(bool, RecordArmed, armed_)
RECORDING_QUERY(bool, FileInProgress, file_in_progress_)
RECORDING_QUERY(bool, FileClosed, file_closed_)
RECORDING_QUERY(bool, BufferLive, buffer_live_)
RECORDING_QUERY(bool, Paused, paused_)
RECORDING_QUERY(int, TailCounter, tail_counter_)
RECORDING_QUERY(int, SplitTicks, split_ticks_)
RECORDING_QUERY(int64_t, FileBytes, file_bytes_)
RECORDING_QUERY(int64_t, TotalBytes, total_bytes_)
RECORDING_QUERY(std::string, CurTitle, cur_title_)
RECORDING_QUERY(std::string, FileTitle, file_title_)
RECORDING_QUERY(std::string, FileBase, file_base_)
RECORDING_QUERY(std::string, CurFinalPath, cur_final_path_)
RECORDING_QUERY(std::string, CurTempPath, cur_temp_path_)
RECORDING_QUERY(std::string, HandedFinalPath, handed_final_path_)
#undef RECORDING_QUERY

std::string RecordedFilesCaption(const RecordChoice& Choice, const std::string& BitrateLabel) {
  return "Список записанных файлов с битретом   " +
         (Choice.AsReceived ? BitrateLabel : Choice.Bitrate + " Кбит/c");
}

std::string HandOverText(const std::string& Bitrate, const std::string& TempPath,
                         const std::string& FinalPath) {
  return Bitrate + "\r\n" + TempPath + "\r\n" + FinalPath + "\r\n";
}
