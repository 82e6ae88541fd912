// The recording engine driven from two threads, as the player drives it:
// blocks and titles on one (the download thread), start, stop, pause, split
// ticks, reconnects, station changes, close and the window's queue on the
// other (the GUI thread), with the engine's own saving thread between them.
// Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "player/RecordingCore.h"
#include "player/tests/RecordingFakes.h"

using namespace rectest;

namespace {

constexpr size_t kBlock = 64 * 1024;

// A disk that checks each saved file is made of whole blocks (each block is
// filled with its number) and keeps only the count.
class TCheckingDisk : public TMemoryDisk {
 public:
  bool SaveFile(const std::string& Name, const TRecordBuffer& Data) override {
    bool whole = Data.Size() % kBlock == 0 && Data.Size() >= kMinRecordingBytes;
    int stamp = -1;
    size_t pos = 0;
    Data.ForEach([&](const uint8_t* p, size_t n) {
      for (size_t i = 0; i < n; i += 4096, pos += 4096) {
        if (pos % kBlock == 0)
          stamp = p[i];
        else if (p[i] != stamp)
          whole = false;
      }
      return true;
    });
    std::lock_guard<std::mutex> l(m);
    ++saved;
    if (!whole) ++broken;
    return true;
  }
  std::mutex m;
  int saved = 0;
  int broken = 0;
};

TEST(RecordingThreads, DownloadAndGuiThreadsNeverTreadOnEachOther) {
  TCheckingDisk disk;
  TFixedClock clock;
  TCountingCompanion companion;
  TRecordedFilesQueue queue;
  std::atomic<int> wakes{0};
  queue.Notify = [&] { ++wakes; };
  TRecordingEngine engine("/tmp/none/", disk, clock, companion, queue);
  engine.StationPicked("1 Station", "1 Station");
  ASSERT_TRUE(engine.Start(RecordChoice{false, "128"}));

  std::atomic<bool> done{false};
  // For its last titles the download thread asks the GUI thread to leave the
  // recording running (no stop, pause or station change), so that files are
  // finished and saved while both threads run, however the threads are timed.
  constexpr int kBlocks = 3000, kSteadyFrom = kBlocks - 250;
  std::atomic<bool> steady{false}, steady_ack{false};
  std::thread download([&] {
    std::vector<uint8_t> block(kBlock);
    for (int i = 0; i < kBlocks; ++i) {
      if (i == kSteadyFrom) {
        steady = true;
        while (!steady_ack) std::this_thread::yield();
      }
      std::fill(block.begin(), block.end(), static_cast<uint8_t>(i));
      if (i % 50 == 0) engine.SetCurTitle("Title " + std::to_string(i / 50));
      engine.Block(block.data(), kBlock);
    }
    engine.Block(nullptr, 0);
    done = true;
  });

  TRowsView rows;
  int round = 0;
  while (!done) {
    ++round;
    queue.Drain(rows);
    if (steady) {
      if (!steady_ack) {
        if (engine.Paused()) engine.TogglePause();
        if (!engine.RecordingUi()) engine.Start(RecordChoice{false, "128"});
        steady_ack = true;
      }
      (void)engine.FileInProgress();
      (void)engine.TotalText();
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      continue;
    }
    engine.SplitTick();
    if (round % 7 == 0) engine.TogglePause();
    if (round % 13 == 0) {
      engine.Stop();
      queue.ClearRows();
      engine.Start(RecordChoice{round % 2 == 0, "192"});
    }
    // A reconnect, and a station change where the player allows one.
    if (round % 5 == 0) engine.ConnectionEnded();
    if (round % 11 == 0 && !engine.FileInProgress())
      engine.StationPicked("2 Station " + std::to_string(round), "2 Station");
    if (round % 17 == 0) engine.SetCurTitle("Gui " + std::to_string(round % 3));
    (void)engine.FileInProgress();
    (void)engine.TotalText();
    engine.Clock().Tick();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  download.join();
  engine.Close();
  queue.Drain(rows);
  EXPECT_GT(disk.saved, 0);
  EXPECT_FALSE(engine.BufferLive());
  EXPECT_EQ(disk.broken, 0);
  EXPECT_GT(wakes.load(), 0);
  EXPECT_EQ(static_cast<int>(rows.rows.size()), queue.RowCount());
}

TEST(RecordingThreads, NeitherTheStreamNorAStopWaitsForASaveAndTheFileIsKept) {
  TMemoryDisk disk;
  TFixedClock clock;
  TCountingCompanion companion;
  TRecordedFilesQueue queue;
  TRecordingEngine engine("C:\\P\\", disk, clock, companion, queue);
  engine.StationPicked("1 S", "1 S");
  engine.SetCurTitle("A");
  ASSERT_TRUE(engine.Start(RecordChoice{true, "128"}));
  std::vector<uint8_t> big(2000000, 7), small(10, 8);
  engine.Block(big.data(), static_cast<uint32_t>(big.size()));
  engine.SetCurTitle("B");
  disk.Hold(true);
  std::thread download([&] {
    for (int i = 0; i < 13; ++i) engine.Block(small.data(), static_cast<uint32_t>(small.size()));
    engine.Block(small.data(), static_cast<uint32_t>(small.size()));
  });
  disk.WaitSaving();
  // The stream goes on, and the GUI thread stops, pauses and reads, while
  // the saving thread saves.
  download.join();
  engine.Stop();
  EXPECT_FALSE(engine.BufferLive());
  EXPECT_FALSE(engine.TogglePause());
  EXPECT_FALSE(engine.FileInProgress());
  disk.Hold(false);
  engine.Flush();
  const std::string saved = "C:\\P\\AUDIO\\\\S\\09-12-2026\\ЗАРУБЕЖКА\\10-00-00_A.mp3";
  EXPECT_EQ(disk.File(saved).size(), 2000130u);
  EXPECT_EQ(disk.FileCount(), 1u);
  EXPECT_FALSE(engine.BufferLive()); // the block after the stop opened nothing
}

TEST(RecordingThreads, TheQueueTakesCallsWhileTheGuiThreadDrainsIt) {
  TRecordedFilesQueue queue;
  std::atomic<bool> done{false};
  std::thread producer([&] {
    for (int i = 0; i < 20000; ++i) {
      if (i % 100 == 0) queue.AddRecordedFile(std::to_string(i));
      queue.SetLastRowSize(std::to_string(i));
      if (i % 300 == 0) queue.DeleteLastRow();
    }
    done = true;
  });
  TRowsView rows;
  while (!done) queue.Drain(rows);
  producer.join();
  queue.Drain(rows);
  EXPECT_EQ(static_cast<int>(rows.rows.size()), queue.RowCount());
  EXPECT_EQ(rows.rows.back().Size, "19999");
}

} // namespace
