// The recording engine fed a 320 kbit/s stream at ten times real time, as
// the download thread would (blocks of 16 KiB, titles by the bytes, split
// ticks from a second thread), saving to a scratch folder on the real disk.
// Reports the blocks that fell behind by more than the audio library's
// five-second buffer (lost), the engine's time per block against a plain
// copy of the same block, and the peak memory against the largest file.
//
//   player_recording_bench [stream-minutes] [speed]   (default 30 and 10)
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "classlib/SysUtils.h"
#include "player/RecordingCore.h"

namespace {

using Clock = std::chrono::steady_clock;

class TBenchClock : public TRecordClock {
 public:
  std::string TimeStr() override { return FormatDateTime("hh-nn-ss", Now()); }
  std::string DateStr() override { return "09-12-2026"; }
};
class TNoCompanion : public TCompanionStarter {
 public:
  void StartCompanion() override {}
};

long PeakKb() {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.compare(0, 6, "VmHWM:") == 0) return std::atol(line.c_str() + 6);
  return 0;
}

void RemoveTree(const std::string& dir) { std::system(("rm -rf '" + dir + "'").c_str()); }

} // namespace

int main(int argc, char** argv) {
  const double minutes = argc > 1 ? std::atof(argv[1]) : 30;
  const double speed = argc > 2 ? std::atof(argv[2]) : 10;
  const size_t kBlock = 16384;
  const double bytesPerSecond = 320000 / 8.0;
  const uint64_t total = static_cast<uint64_t>(minutes * 60 * bytesPerSecond);
  // Titles: 3 min, 3 min, a short one, then one that runs to the end (split
  // after 1200 s).
  const uint64_t changes[] = {uint64_t(180 * bytesPerSecond), uint64_t(360 * bytesPerSecond),
                              uint64_t(400 * bytesPerSecond)};

  const std::string folder = GetTempDir() + "korvalis_recording_bench/";
  RemoveTree(folder);
  ForceDirectories(folder);
  TSystemRecordDisk disk;
  TBenchClock clock;
  TNoCompanion companion;
  TRecordedFilesQueue queue;
  TRecordingEngine engine(folder, disk, clock, companion, queue);
  engine.StationPicked("1 Bench Radio", "1 Bench Radio");
  engine.SetCurTitle("Title 0");
  engine.Start(RecordChoice{true, "320"});
  const long baseKb = PeakKb();

  std::atomic<bool> done{false};
  std::thread gui([&] {
    TNullRecordedFiles window;
    auto next = Clock::now();
    while (!done) {
      next +=
          std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / speed));
      std::this_thread::sleep_until(next);
      engine.SplitTick();
      queue.Drain(window);
      (void)engine.FileInProgress();
    }
  });

  std::vector<uint8_t> block(kBlock), copy;
  for (size_t i = 0; i < kBlock; ++i) block[i] = static_cast<uint8_t>(i * 31 + 7);
  const double slack = 5.0 / speed; // the download buffer, in real seconds
  const auto start = Clock::now();
  uint64_t sent = 0, blocks = 0, lost = 0;
  double engineSec = 0, copySec = 0, worst = 0;
  std::vector<double> engineTimes, copyTimes;
  int title = 0;
  while (sent < total) {
    auto due = start + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(sent / bytesPerSecond / speed));
    auto now = Clock::now();
    if (now < due)
      std::this_thread::sleep_until(due);
    else if (std::chrono::duration<double>(now - due).count() > slack)
      ++lost;
    if (title < 3 && sent >= changes[title]) engine.SetCurTitle("Title " + std::to_string(++title));
    // Which of the two goes first alternates, so that neither alone pays for
    // the caches a sleeping thread wakes up to.
    double e = 0, c = 0;
    for (int k = 0; k < 2; ++k) {
      auto t0 = Clock::now();
      if ((blocks + k) % 2 == 0) {
        engine.Block(block.data(), static_cast<uint32_t>(kBlock));
        e = std::chrono::duration<double>(Clock::now() - t0).count();
      } else {
        copy.assign(block.begin(), block.end());
        c = std::chrono::duration<double>(Clock::now() - t0).count();
      }
    }
    engineSec += e;
    engineTimes.push_back(e);
    copyTimes.push_back(c);
    worst = std::max(worst, e);
    copySec += c;
    sent += kBlock;
    ++blocks;
  }
  done = true;
  gui.join();
  engine.Stop();
  engine.Flush();

  int64_t largest = 0, saved = 0;
  TSearchRec r;
  std::vector<std::string> dirs{folder};
  while (!dirs.empty()) {
    std::string d = dirs.back();
    dirs.pop_back();
    if (FindFirst(d + "*", faAnyFile, r) != 0) continue;
    do {
      if (r.Name == "." || r.Name == "..") continue;
      if (r.Attr & faDirectory)
        dirs.push_back(d + r.Name + "/");
      else {
        largest = std::max(largest, r.Size);
        ++saved;
      }
    } while (FindNext(r) == 0);
    FindClose(r);
  }
  const long peakKb = PeakKb();
  std::printf("stream %.0f min at %.0fx: %llu blocks of %zu bytes, %lld files saved\n", minutes,
              speed, static_cast<unsigned long long>(blocks), kBlock,
              static_cast<long long>(saved));
  std::printf("blocks lost (behind by more than the 5 s buffer): %llu\n",
              static_cast<unsigned long long>(lost));
  auto median = [](std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  };
  std::printf(
      "time per block, mean: engine %.2f us, plain copy %.2f us, ratio %.1f (the saves included)\n",
      engineSec / blocks * 1e6, copySec / blocks * 1e6, engineSec / copySec);
  double me = median(engineTimes), mc = median(copyTimes);
  std::printf(
      "time per block, median: engine %.2f us, plain copy %.2f us, ratio %.1f; worst block %.1f "
      "ms\n",
      me * 1e6, mc * 1e6, me / mc, worst * 1e3);
  std::printf(
      "peak memory %.1f MB (start %.1f MB); largest file %.1f MB; limit largest + 40 MB = %.1f "
      "MB\n",
      peakKb / 1024.0, baseKb / 1024.0, largest / 1048576.0, largest / 1048576.0 + 40);
  RemoveTree(folder);
  return lost == 0 && peakKb / 1024.0 <= largest / 1048576.0 + 40 ? 0 : 1;
}
