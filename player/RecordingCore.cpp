// The recording engine (see RecordingCore.h).
#include "player/RecordingCore.h"

#include <cstdio>

#include "classlib/SysUtils.h"
#include "player/RecordNamesCore.h"

// What a closed file still needs once the lock is let go.
struct TRecordingEngine::TClosedFile {
  enum class TKind { None, AsReceived, HandOver };
  TKind Kind = TKind::None;
  TRecordBuffer Data;
  std::string FinalPath;
  std::string TempPath;
  std::string PrevTempPath; // the previous hand-over's file, "" for none
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

void TRecordingEngine::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++session_;
  armed_ = false;
  file_closed_ = true;
  file_in_progress_ = false;
  cur_title_ = "-";
  if (buffer_live_) {
    buffer_live_ = false;
    buffer_.Clear();
  }
  recording_ui_ = false;
}

bool TRecordingEngine::TogglePause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recording_ui_) paused_ = !paused_;
  return paused_;
}

void TRecordingEngine::SetCurTitle(const std::string& Title) {
  std::lock_guard<std::mutex> lock(mutex_);
  cur_title_ = Title;
}

void TRecordingEngine::StationPicked(const std::string& StationText,
                                     const std::string& StationLabel) {
  std::lock_guard<std::mutex> lock(mutex_);
  station_text_ = StationText;
  station_label_ = StationLabel;
  cur_title_ = "-";
  file_title_.clear();
  clock_.ResetHms();
  total_bytes_ = 0;
}

void TRecordingEngine::SplitTick() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (armed_ && !paused_) ++split_ticks_;
}

void TRecordingEngine::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++session_;
  armed_ = false;
  if (buffer_live_) {
    buffer_live_ = false;
    buffer_.Clear();
  }
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
  FinalFolder = stationDate + LanguageFolder(base);
  cur_final_path_ = FinalFolder + name;
  file_in_progress_ = true;
  file_closed_ = false;
  TempFolder.clear();
  if (!choice_.AsReceived) {
    TempFolder = temp;
    cur_temp_path_ = temp + name;
  }
  split_ticks_ = 0;
  // A tail cut short by a stop must not shorten the next file's tail.
  tail_counter_ = 0;
  buffer_.Clear();
  buffer_live_ = true;
}

void TRecordingEngine::Block(const void* Data, uint32_t Length) {
  std::lock_guard<std::mutex> serial(block_mutex_);
  TClosedFile closed;
  bool opened = false;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!armed_) return;
    if (files_.RowCount() > 0) {
      std::string size = MbText(file_bytes_);
      if (size != last_size_text_) {
        files_.SetLastRowSize(size);
        last_size_text_ = size;
      }
    }
    if (split_ticks_ > kSplitTicks) {
      split_ticks_ = 0;
      cur_title_ = wall_clock_.TimeStr();
    }
    bool closedNow = false;
    if (file_title_ != cur_title_) {
      file_in_progress_ = false;
      if (!file_closed_) {
        if (buffer_live_ && Data) buffer_.Append(Data, Length);
        file_bytes_ += Length;
        if (++tail_counter_ < kTailBlocks) return;
        file_closed_ = true;
        buffer_live_ = false;
        closedNow = true;
        if (file_bytes_ < kMinRecordingBytes) {
          files_.DeleteLastRow();
          last_size_text_.clear();
          buffer_.Clear();
        } else {
          closed.Kind =
              choice_.AsReceived ? TClosedFile::TKind::AsReceived : TClosedFile::TKind::HandOver;
          std::swap(closed.Data, buffer_);
          closed.FinalPath = cur_final_path_;
          closed.TempPath = cur_temp_path_;
          closed.PrevTempPath = handed_final_path_.empty() ? std::string() : prev_temp_path_;
          closed.Bitrate = choice_.Bitrate;
          closed.Session = session_;
        }
      }
      file_title_ = cur_title_;
      StartNewRecordingFile(closed.NextFinalFolder, closed.NextTempFolder);
      opened = true;
      file_bytes_ = 0;
    }
    if (closedNow) {
      tail_counter_ = 0;
    } else if (file_in_progress_ && Length > 0 && !paused_) {
      if (buffer_live_ && Data) buffer_.Append(Data, Length);
      file_bytes_ = static_cast<int64_t>(buffer_.Size());
      total_bytes_ += Length;
    }
  } catch (...) {
    // Out of memory while adding a block: that block is lost, the
    // recording goes on with the next one.
  }
  if (closed.Kind != TClosedFile::TKind::None || opened) {
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
    if (!Closed.PrevTempPath.empty()) disk_.RemoveFile(Closed.PrevTempPath);
    const std::string tempFolder = ExtractFilePath(Closed.TempPath);
    disk_.ForceDirs(tempFolder);
    disk_.SetHidden(tempFolder);
    if (disk_.SaveFile(Closed.TempPath, Closed.Data)) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (session_ == Closed.Session) {
          handed_final_path_ = Closed.FinalPath;
          prev_temp_path_ = Closed.TempPath;
        }
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
