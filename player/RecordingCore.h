// The recording engine: cuts the station's stream into one file per title,
// as the stream's own bytes, block by block.
//
// The audio library's download thread hands every block to Block(). A title
// change (SetCurTitle with a title other than the one the station sent last,
// or a forced split once more than 1200 split ticks have passed) begins the
// open file's tail: 13 more blocks go into it whatever the title does
// meanwhile, and the 13th closes it. A closed file under 2000000 bytes is
// dropped and its row removed; a kept one is saved as received into its
// final place, or in own-settings mode into the hidden "\AUDIO\TEMP\", after
// which the hand-over file "kdr.ini" is written and the companion started.
// Then the next file begins with the following block, named after the title
// current then. The first file of a recording begins at its first block.
//
// A file in its tail is finished, not lost: its title has ended and only a
// few of the blocks after it are missing, so stop, close, a station change
// and the end of a connection cut it where it is and save it (when big
// enough) before they go on. Stop outside a tail discards the open file.
// When the connection ends and the recording goes on in a new one, the open
// file keeps whole MPEG frames across the join (RecordJoinCore.h).
//
// Threads: Block() runs on the download thread, everything else on the GUI
// thread (the queries on any thread). One lock guards the state and is held
// only for memory work and for calls to the recorded-files view, which must
// never wait for the GUI thread (give it a TRecordedFilesQueue). Saving, the
// hand-over and the companion's start run on a saving thread of the engine's
// own, one file after the other in the order they were closed, so neither
// the download thread nor stop, pause, titles and station changes wait for
// the disk (Close does: it waits until every closed file is on disk; Flush
// waits for that too). A file already closed is saved whole even when the
// recording is stopped meanwhile, and the memory of the open file is never
// released while a block is being added to it. The saving thread also keeps
// a few chunks of memory ready and touched, so that the download thread
// never pays for memory fresh from the system.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <string>

#include "player/RecordDiskCore.h"
#include "player/RecordSettingsCore.h"
#include "player/RecordTimersCore.h"
#include "player/RecordedFilesCore.h"

// The wall clock as the recording names files. Any thread.
class TRecordClock {
 public:
  virtual ~TRecordClock() = default;
  virtual std::string TimeStr() = 0; // "hh-mm-ss"
  virtual std::string DateStr() = 0; // "DD-MM-YYYY"
};

// Starts the companion program (hidden, without waiting). Download thread.
class TCompanionStarter {
 public:
  virtual ~TCompanionStarter() = default;
  virtual void StartCompanion() = 0;
};

// Blocks that follow a title change into the old file; the last closes it.
constexpr int kTailBlocks = 13;
// Split ticks (seconds) after which a file is split without a title change.
constexpr int kSplitTicks = 1200;

class TRecordingEngine {
 public:
  // `PlayerFolder` ends with a separator; "AUDIO\" lies under it.
  TRecordingEngine(const std::string& PlayerFolder, TRecordDisk& Disk, TRecordClock& Clock,
                   TCompanionStarter& Companion, TRecordedFilesView& Files);
  ~TRecordingEngine(); // waits for the files being saved
  TRecordingEngine(const TRecordingEngine&) = delete;
  TRecordingEngine& operator=(const TRecordingEngine&) = delete;

  // --- GUI thread ---
  // Record start with the settings chosen for the whole recording; false
  // (and nothing changes) while a recording is on.
  bool Start(const RecordChoice& Choice);
  // Record stop, at any time: a file in its tail is saved as it is; any
  // other open file is discarded (its row stays). A pause ends with it.
  void Stop();
  // Pause toggle while recording; answers whether it is now paused. While
  // paused blocks are not added and the split count stands still, but a
  // title change still closes the file after its tail.
  bool TogglePause();
  // A title the station sent (converted to Windows-1251). The title it sent
  // last, sent again, is no change (a reconnect or a new StreamUrl re-sends
  // it), also after a forced split has renamed the recording.
  void SetCurTitle(const std::string& Title);
  // A station was picked: its list line and the station label's caption.
  // An open file is finished first (saved when big enough). The current
  // title becomes "-", the file title empty, the total and the recording
  // clock's seconds, minutes and hours 0.
  void StationPicked(const std::string& StationText, const std::string& StationLabel);
  // The stream's connection is over and a new one follows (the previous
  // stream no longer delivers blocks): as at the end of the download.
  void ConnectionEnded();
  // One tick of the one-second split timer.
  void SplitTick();
  // The program closes: a file in its tail is saved, any other open file's
  // memory is released (it is lost), no block is recorded any more, and the
  // call returns once every cut file is on disk.
  void Close();
  // Waits until every file closed so far is on disk.
  void Flush();
  // The recording clock and its text (GUI thread only).
  TRecordingClockCounter& Clock() { return clock_; }
  // "%.2f mb" of the bytes recorded since the start or the station's pick.
  std::string TotalText();

  // --- download thread ---
  // One block of stream bytes; Data null and Length 0 at the end of the
  // download, which finishes a file in its tail and keeps whole frames in an
  // open one. Never raises.
  void Block(const void* Data, uint32_t Length);

  // --- queries, any thread ---
  bool RecordingUi();
  bool RecordArmed();
  bool FileInProgress();
  bool FileClosed();
  bool BufferLive();
  bool Paused();
  int TailCounter();
  int SplitTicks();
  int64_t FileBytes();
  int64_t TotalBytes();
  std::string CurTitle();
  std::string FileTitle();
  std::string FileBase();
  std::string CurFinalPath();
  std::string CurTempPath();
  std::string HandedFinalPath();
  // Stream bytes handed to Block() so far, recording or not: the watchdog
  // tells a quiet station from a silent one by them.
  uint64_t ReceivedBytes() const { return received_; }

 private:
  struct TClosedFile;
  void StartNewRecordingFile(std::string& FinalFolder, std::string& TempFolder);
  void CutFile(TClosedFile& Closed);
  void EndSession(TClosedFile& Closed);
  void EndConnection(TClosedFile& Closed);
  void AddToFile(const void* Data, size_t Length);
  void QueueSave(TClosedFile& Closed);
  void WantChunks();
  void SaveLoop();
  void Finish(TClosedFile& Closed);
  static std::string MbText(int64_t Bytes);

  const std::string folder_;
  TRecordDisk& disk_;
  TRecordClock& wall_clock_;
  TCompanionStarter& companion_;
  TRecordedFilesView& files_;

  TChunkPool pool_;        // before every buffer that uses it
  std::atomic<uint64_t> received_{0};
  std::mutex block_mutex_; // one Block() at a time
  std::mutex mutex_;       // the state below
  bool recording_ui_ = false;
  bool armed_ = false;
  bool file_in_progress_ = false;
  bool file_closed_ = true;
  bool buffer_live_ = false;
  bool paused_ = false;
  bool in_tail_ = false; // the open file takes its last 13 blocks
  bool seek_frame_ = false; // a join: the next bytes begin at a frame header
  size_t seek_skipped_ = 0;
  int tail_counter_ = 0;
  int split_ticks_ = 0;
  int64_t file_bytes_ = 0;
  int64_t total_bytes_ = 0;
  uint64_t session_ = 0; // counts starts and stops
  RecordChoice choice_;
  std::string cur_title_ = "-";
  std::string stream_title_ = "-"; // the title the station sent last
  std::string file_title_;
  std::string file_base_;
  std::string station_text_;
  std::string station_label_;
  std::string cur_final_path_;
  std::string cur_temp_path_;
  std::string handed_final_path_;
  std::string last_size_text_;
  int64_t last_size_key_ = -1; // the half hundredth of a megabyte it was made at
  TRecordBuffer buffer_{&pool_};
  TRecordingClockCounter clock_; // GUI thread only

  // Files cut on the GUI thread, saved by the saving thread.
  std::mutex save_mutex_;
  std::condition_variable save_cv_;
  std::deque<std::unique_ptr<TClosedFile>> pending_;
  bool saving_ = false;
  bool refill_ = false; // the pool wants chunks made ready
  // The saving thread's own: the last hand-over's file and its recording.
  uint64_t saved_session_ = 0;
  std::string saved_temp_path_;
  bool quit_ = false;
  std::thread saver_;
};

// The recorded-files window's caption at record start: with the bitrate
// label's text when recording as received, else with the chosen bitrate.
std::string RecordedFilesCaption(const RecordChoice& Choice, const std::string& BitrateLabel);

// The hand-over file's three lines: bitrate, file to convert, output file.
std::string HandOverText(const std::string& Bitrate, const std::string& TempPath,
                         const std::string& FinalPath);
