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
  std::string PrevTempPath;  // the previous hand-over's file, "" for none
  std::string Bitrate;
  uint64_t Session = 0;
  // Folders of the file that begins after it.
  std::string NextFinalFolder;
  std::string NextTempFolder;
};

TRecordingEngine::TRecordingEngine(const std::string& PlayerFolder, TRecordDisk& Disk,
                                   TRecordClock& Clock, TCompanionStarter& Companion,
                                   TRecordedFilesView& Files)
    : folder_(PlayerFolder), disk_(Disk), wallClock_(Clock), companion_(Companion), files_(Files) {}

std::string TRecordingEngine::MbText(int64_t Bytes) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f mb", static_cast<double>(Bytes) / 1048576.0);
  return buf;
}

bool TRecordingEngine::Start(const RecordChoice& Choice) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recordingUi_) return false;
  ++session_;
  choice_ = Choice;
  handedFinalPath_.clear();
  fileBytes_ = 0;
  fileTitle_ = " ";  // differs from every title, so the first block opens a file
  clock_.ResetHms();
  totalBytes_ = 0;
  splitTicks_ = 0;
  armed_ = true;
  recordingUi_ = true;
  return true;
}

void TRecordingEngine::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++session_;
  armed_ = false;
  fileClosed_ = true;
  fileInProgress_ = false;
  curTitle_ = "-";
  if (bufferLive_) {
    bufferLive_ = false;
    buffer_.Clear();
  }
  recordingUi_ = false;
}

bool TRecordingEngine::TogglePause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recordingUi_) paused_ = !paused_;
  return paused_;
}

void TRecordingEngine::SetCurTitle(const std::string& Title) {
  std::lock_guard<std::mutex> lock(mutex_);
  curTitle_ = Title;
}

void TRecordingEngine::StationPicked(const std::string& StationText,
                                     const std::string& StationLabel) {
  std::lock_guard<std::mutex> lock(mutex_);
  stationText_ = StationText;
  stationLabel_ = StationLabel;
  curTitle_ = "-";
  fileTitle_.clear();
  clock_.ResetHms();
  totalBytes_ = 0;
}

void TRecordingEngine::SplitTick() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (armed_ && !paused_) ++splitTicks_;
}

void TRecordingEngine::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++session_;
  armed_ = false;
  if (bufferLive_) {
    bufferLive_ = false;
    buffer_.Clear();
  }
}

std::string TRecordingEngine::TotalText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return MbText(totalBytes_);
}

// Under the lock: names the next file and registers it; the folders are made
// by the caller once the lock is let go.
void TRecordingEngine::StartNewRecordingFile(std::string& FinalFolder, std::string& TempFolder) {
  const std::string time = wallClock_.TimeStr();
  const std::string station = StationFolderName(stationText_);
  std::string base = FileBaseFor(fileTitle_, stationLabel_);
  const std::string audio = folder_ + "AUDIO\\";
  const std::string stationDate = audio + StationDatePath(station, wallClock_.DateStr());
  const std::string temp = audio + "TEMP\\";
  // The longer of the two paths decides how much of the name fits.
  size_t fixed = stationDate.size() + LanguageFolder(base).size();
  if (!choice_.AsReceived && temp.size() > fixed) fixed = temp.size();
  base = FitBaseName(base, fixed + time.size() + 1 + 4);
  fileBase_ = base;
  const std::string name = time + "_" + base + ".mp3";

  files_.AddRecordedFile(base + ".mp3");
  lastSizeText_.clear();
  FinalFolder = stationDate + LanguageFolder(base);
  curFinalPath_ = FinalFolder + name;
  fileInProgress_ = true;
  fileClosed_ = false;
  TempFolder.clear();
  if (!choice_.AsReceived) {
    TempFolder = temp;
    curTempPath_ = temp + name;
  }
  splitTicks_ = 0;
  // A tail cut short by a stop must not shorten the next file's tail.
  tailCounter_ = 0;
  buffer_.Clear();
  bufferLive_ = true;
}

void TRecordingEngine::Block(const void* Data, uint32_t Length) {
  std::lock_guard<std::mutex> serial(blockMutex_);
  TClosedFile closed;
  bool opened = false;
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!armed_) return;
    if (files_.RowCount() > 0) {
      std::string size = MbText(fileBytes_);
      if (size != lastSizeText_) {
        files_.SetLastRowSize(size);
        lastSizeText_ = size;
      }
    }
    if (splitTicks_ > kSplitTicks) {
      splitTicks_ = 0;
      curTitle_ = wallClock_.TimeStr();
    }
    bool closedNow = false;
    if (fileTitle_ != curTitle_) {
      fileInProgress_ = false;
      if (!fileClosed_) {
        if (bufferLive_ && Data) buffer_.Append(Data, Length);
        fileBytes_ += Length;
        if (++tailCounter_ < kTailBlocks) return;
        fileClosed_ = true;
        bufferLive_ = false;
        closedNow = true;
        if (fileBytes_ < kMinRecordingBytes) {
          files_.DeleteLastRow();
          lastSizeText_.clear();
          buffer_.Clear();
        } else {
          closed.Kind = choice_.AsReceived ? TClosedFile::TKind::AsReceived
                                           : TClosedFile::TKind::HandOver;
          std::swap(closed.Data, buffer_);
          closed.FinalPath = curFinalPath_;
          closed.TempPath = curTempPath_;
          closed.PrevTempPath = handedFinalPath_.empty() ? std::string() : prevTempPath_;
          closed.Bitrate = choice_.Bitrate;
          closed.Session = session_;
        }
      }
      fileTitle_ = curTitle_;
      StartNewRecordingFile(closed.NextFinalFolder, closed.NextTempFolder);
      opened = true;
      fileBytes_ = 0;
    }
    if (closedNow) {
      tailCounter_ = 0;
    } else if (fileInProgress_ && Length > 0 && !paused_) {
      if (bufferLive_ && Data) buffer_.Append(Data, Length);
      fileBytes_ = static_cast<int64_t>(buffer_.Size());
      totalBytes_ += Length;
    }
  } catch (...) {
    // Out of memory while adding a block: that block is lost, the
    // recording goes on with the next one.
  }
  if (closed.Kind != TClosedFile::TKind::None || opened) {
    try {
      Finish(closed);
    } catch (...) {
    }
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
          handedFinalPath_ = Closed.FinalPath;
          prevTempPath_ = Closed.TempPath;
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

#define RECORDING_QUERY(type, name, member)    \
  type TRecordingEngine::name() {              \
    std::lock_guard<std::mutex> lock(mutex_);  \
    return member;                             \
  }
RECORDING_QUERY(bool, RecordingUi, recordingUi_)
RECORDING_QUERY(bool, RecordArmed, armed_)
RECORDING_QUERY(bool, FileInProgress, fileInProgress_)
RECORDING_QUERY(bool, FileClosed, fileClosed_)
RECORDING_QUERY(bool, BufferLive, bufferLive_)
RECORDING_QUERY(bool, Paused, paused_)
RECORDING_QUERY(int, TailCounter, tailCounter_)
RECORDING_QUERY(int, SplitTicks, splitTicks_)
RECORDING_QUERY(int64_t, FileBytes, fileBytes_)
RECORDING_QUERY(int64_t, TotalBytes, totalBytes_)
RECORDING_QUERY(std::string, CurTitle, curTitle_)
RECORDING_QUERY(std::string, FileTitle, fileTitle_)
RECORDING_QUERY(std::string, FileBase, fileBase_)
RECORDING_QUERY(std::string, CurFinalPath, curFinalPath_)
RECORDING_QUERY(std::string, CurTempPath, curTempPath_)
RECORDING_QUERY(std::string, HandedFinalPath, handedFinalPath_)
#undef RECORDING_QUERY

std::string RecordedFilesCaption(const RecordChoice& Choice, const std::string& BitrateLabel) {
  return "Список записанных файлов с битретом   " +
         (Choice.AsReceived ? BitrateLabel : Choice.Bitrate + " Кбит/c");
}

std::string HandOverText(const std::string& Bitrate, const std::string& TempPath,
                         const std::string& FinalPath) {
  return Bitrate + "\r\n" + TempPath + "\r\n" + FinalPath + "\r\n";
}
