// Random recordings against the invariant that nothing recorded is lost:
// every stream byte from the first block of a recording to its stop lies in
// exactly one saved file, in order, except the bytes of files dropped as too
// small, of the open file a stop discards, of paused stretches and of the
// broken frames at a reconnect's join; no kept file is overwritten.
//
// Each sequence mixes blocks of every size, titles (repeats and flips inside
// tails), split ticks, pause, stop and start, station changes, reconnects and
// ends of the download. Every saved file is traced back to the stream
// positions it holds: runs of consecutive stream bytes that begin and end at
// block or frame edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "player/RecordJoinCore.h"
#include "player/RecordingCore.h"
#include "player/tests/RecordingFakes.h"
#include "player/tests/RecordingStream.h"

using namespace rectest;

namespace {

struct TSaved {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

// Keeps every file as it was saved (a hand-over's file is deleted later).
class TLoggingDisk : public TMemoryDisk {
 public:
  bool SaveFile(const std::string& Name, const TRecordBuffer& Data) override {
    if (!TMemoryDisk::SaveFile(Name, Data)) return false;
    std::lock_guard<std::mutex> l(m);
    saves.push_back(TSaved{Name, File(Name)});
    return true;
  }
  std::mutex m;
  std::vector<TSaved> saves;
};

class TCountingRows : public TRowsView {
 public:
  void AddRecordedFile(const std::string& Name) override {
    TRowsView::AddRecordedFile(Name);
    ++adds;
  }
  int adds = 0;
};

struct TBlockLog {
  uint64_t From = 0, To = 0;
  bool Expected = false; // recording and not paused when it came
  int RowsAdded = 0;
  int Joins = 0; // connections ended before it
};

struct TRun {
  uint64_t From, To;
};

class TTracer {
 public:
  explicit TTracer(const std::vector<TBlockLog>& Blocks) : blocks_(Blocks) {
    for (const auto& b : blocks_) {
      edges_.insert(b.From);
      edges_.insert(b.To);
      if (!segments_.empty() && segments_.back().second == b.From)
        segments_.back().second = b.To;
      else
        segments_.push_back({b.From, b.To});
    }
    Index();
  }
  size_t Reached = 0; // how far the last trace came
  bool Trace(const std::vector<uint8_t>& F, std::vector<TRun>& Runs) {
    Reached = 0;
    budget_ = 100000;
    return From(F, 0, 0, Runs);
  }

 private:
  bool Edge(uint64_t p) const { return p % kFrame == 0 || edges_.count(p); }
  // The end of the unbroken stretch of fed stream that holds `p`.
  uint64_t SegmentEnd(uint64_t p) const {
    auto it = std::upper_bound(segments_.begin(), segments_.end(), std::make_pair(p, UINT64_MAX));
    if (it == segments_.begin()) return p;
    --it;
    return p < it->second ? it->second : p;
  }
  static uint64_t Key(const uint8_t* p) {
    uint64_t k = 0;
    for (int j = 0; j < 8; ++j) k = k << 8 | p[j];
    return k;
  }
  void Index() {
    for (const auto& seg : segments_) {
      for (uint64_t q = seg.first; q + 8 <= seg.second;) {
        if (Edge(q)) {
          uint8_t b[8];
          for (int j = 0; j < 8; ++j) b[j] = StreamByte(q + j);
          index_[Key(b)].push_back(q);
        }
        uint64_t next = (q / kFrame + 1) * kFrame;
        auto e = edges_.upper_bound(q);
        if (e != edges_.end() && *e < next) next = *e;
        q = next;
      }
    }
  }
  bool From(const std::vector<uint8_t>& F, size_t i, uint64_t minPos, std::vector<TRun>& Runs) {
    if (i == F.size()) return true;
    Reached = std::max(Reached, i);
    if (F.size() - i >= 8) {
      // Where the next eight bytes begin at an edge.
      auto it = index_.find(Key(F.data() + i));
      if (it == index_.end()) return false;
      for (uint64_t q : it->second) {
        if (q < minPos) continue;
        if (--budget_ < 0) return false;
        if (TryAt(F, i, q, SegmentEnd(q), Runs)) return true;
      }
      return false;
    }
    for (const auto& seg : segments_) {
      if (seg.second <= minPos) continue;
      uint64_t q = std::max(seg.first, minPos);
      while (q < seg.second) {
        if (--budget_ < 0) return false;
        if (Edge(q) && TryAt(F, i, q, seg.second, Runs)) return true;
        if (budget_ < 0) return false;
        uint64_t next = (q / kFrame + 1) * kFrame;
        auto e = edges_.upper_bound(q);
        if (e != edges_.end() && *e < next) next = *e;
        q = next;
      }
    }
    return false;
  }
  bool TryAt(const std::vector<uint8_t>& F, size_t i, uint64_t q, uint64_t segEnd,
             std::vector<TRun>& Runs) {
    const size_t probe = std::min<uint64_t>(16, std::min<uint64_t>(F.size() - i, segEnd - q));
    for (size_t k = 0; k < probe; ++k)
      if (F[i + k] != StreamByte(q + k)) return false;
    uint64_t m = probe;
    while (i + m < F.size() && q + m < segEnd && F[i + m] == StreamByte(q + m)) ++m;
    // The longest run that ends at an edge first, then shorter ones.
    uint64_t e = q + m;
    if (!Edge(e)) e = EdgeBelow(e, q);
    for (int tries = 0; e > q && tries < 3; ++tries, e = EdgeBelow(e, q)) {
      Runs.push_back(TRun{q, e});
      if (From(F, i + (e - q), e, Runs)) return true;
      Runs.pop_back();
    }
    return false;
  }
  // The last edge before `e`, or `q` when there is none after it.
  uint64_t EdgeBelow(uint64_t e, uint64_t q) const {
    uint64_t f = (e - 1) / kFrame * kFrame;
    auto it = edges_.lower_bound(e);
    if (it != edges_.begin()) {
      --it;
      if (*it > f) f = *it;
    }
    return f > q ? f : q;
  }

  const std::vector<TBlockLog>& blocks_;
  std::set<uint64_t> edges_;
  std::vector<std::pair<uint64_t, uint64_t>> segments_;
  std::unordered_map<uint64_t, std::vector<uint64_t>> index_; // eight bytes at an edge
  long budget_ = 0;
};

void RunSequence(uint64_t Seed) {
  SCOPED_TRACE("seed " + std::to_string(Seed));
  std::mt19937_64 rng(Seed);
  TLoggingDisk disk;
  TFixedClock clock;
  TCountingCompanion companion;
  TCountingRows rows;
  TRecordingEngine engine("C:\\P\\", disk, clock, companion, rows);
  engine.StationPicked("1 Radio One", "1 Radio One");
  const char* titles[] = {"A", "B", "C", "D"};
  std::string lastTitle = "A";
  engine.SetCurTitle(lastTitle);

  std::vector<TBlockLog> blocks;
  std::vector<std::pair<uint64_t, bool>> stops; // where, and whether it may discard
  uint64_t pos = rng() % 100000;
  int joins = 0;
  int seconds = 0;
  bool recording = false, paused = false;
  auto feed = [&](size_t size) {
    std::vector<uint8_t> b = StreamBytes(pos, pos + size);
    TBlockLog log{pos, pos + size, recording && !paused, 0, joins};
    int before = rows.adds;
    ++seconds;
    clock.Set(std::to_string(100000 + seconds)); // a name of its own for every file
    engine.Block(b.data(), static_cast<uint32_t>(size));
    log.RowsAdded = rows.adds - before;
    blocks.push_back(log);
    pos += size;
  };
  auto newConnection = [&] {
    pos += 100000 + rng() % 5000000;
    ++joins;
  };
  auto title = [&] {
    lastTitle = rng() % 5 == 0 ? lastTitle : titles[rng() % 4];
    engine.SetCurTitle(lastTitle);
  };

  auto stop = [&] {
    if (!recording) return;
    stops.push_back({pos, engine.FileInProgress()});
    engine.Stop();
    recording = paused = false;
  };
  auto stationChange = [&] {
    // The player refuses a station change while a file is in progress.
    if (engine.FileInProgress()) return;
    engine.StationPicked(rng() % 2 ? "2 Radio Two" : "1 Radio One", "x Radio");
    newConnection();
  };
  auto reconnect = [&] {
    if (rng() % 2)
      engine.ConnectionEnded();
    else
      engine.Block(nullptr, 0);
    newConnection();
  };
  for (int step = 0; step < 3000; ++step) {
    const unsigned r = rng() % 1000;
    if (r < 978) {
      const unsigned kind = rng() % 20;
      feed(kind == 0 ? 1 + rng() % 64 : 1 + rng() % 40000);
    } else if (r < 983) {
      title();
      // Inside the tail, or just past it: a flip or a repeat, a stop, a
      // station change or a reconnect.
      for (unsigned n = rng() % 16; n > 0; --n) feed(1 + rng() % 20000);
      switch (rng() % 6) {
        case 0:
        case 1: title(); break;
        case 2: stop(); break;
        case 3: stationChange(); break;
        case 4: reconnect(); break;
        default: break;
      }
    } else if (r < 986) {
      for (unsigned n = rng() % 3 == 0 ? 1201 : rng() % 200; n > 0; --n) engine.SplitTick();
    } else if (r < 989) {
      paused = engine.TogglePause();
    } else if (r < 990) {
      stop();
    } else if (r < 994) {
      if (!recording) recording = engine.Start(RecordChoice{rng() % 3 != 0, "128"});
    } else if (r < 996) {
      stationChange();
    } else {
      reconnect();
    }
  }
  if (recording) stops.push_back({pos, engine.FileInProgress()});
  engine.Stop();
  engine.Flush();

  // Every saved file: big enough, a name of its own, traced to the stream.
  TTracer tracer(blocks);
  std::vector<TRun> all;
  std::set<std::string> names;
  for (const TSaved& s : disk.saves) {
    EXPECT_GE(s.Bytes.size(), static_cast<size_t>(kMinRecordingBytes)) << s.Name;
    EXPECT_TRUE(names.insert(s.Name).second) << "saved twice: " << s.Name;
    std::vector<TRun> runs;
    ASSERT_TRUE(tracer.Trace(s.Bytes, runs))
        << "not from the stream: " << s.Name << ", traced up to byte " << tracer.Reached;
    all.insert(all.end(), runs.begin(), runs.end());
  }
  // No stream byte in two files, or twice in one.
  std::sort(all.begin(), all.end(), [](const TRun& a, const TRun& b) { return a.From < b.From; });
  for (size_t k = 1; k < all.size(); ++k)
    ASSERT_LE(all[k - 1].To, all[k].From) << "stream byte " << all[k].From << " saved twice";

  // Every byte that was recorded lies in a file, unless its file was
  // dropped as too small or discarded by a stop.
  // The open file a stop discards: from the block that named it to the stop.
  for (const auto& st : stops) {
    if (!st.second) continue;
    size_t k = blocks.size();
    while (k > 0 && blocks[k - 1].From >= st.first) --k;
    while (k > 0) {
      --k;
      blocks[k].Expected = false;
      if (blocks[k].RowsAdded > 0) break;
    }
  }
  size_t run = 0;
  uint64_t gapBytes = 0;
  int gapFiles = 0, gapJoins = 0, lastJoins = 0;
  uint64_t gapFrom = 0;
  auto closeGap = [&](uint64_t until) {
    // A join loses at most the old connection's broken frame and the new
    // one's bytes before its first header.
    const uint64_t allowed = static_cast<uint64_t>(std::max(gapFiles, 1)) * (kMinRecordingBytes - 1) +
                             static_cast<uint64_t>(gapJoins) * 2 * kFrame + 64;
    EXPECT_LE(gapBytes, allowed) << "lost bytes between " << gapFrom << " and " << until
                                   << " (" << gapFiles << " files began there)";
    gapBytes = 0;
    gapFiles = 0;
    gapJoins = 0;
    gapFrom = until;
  };
  for (const TBlockLog& b : blocks) {
    gapJoins += b.Joins - lastJoins;
    lastJoins = b.Joins;
    for (uint64_t p = b.From; p < b.To;) {
      while (run < all.size() && all[run].To <= p) ++run;
      if (run < all.size() && all[run].From <= p) {
        if (gapBytes > 0) closeGap(p);
        gapFrom = p;
        gapFiles = 0;
        gapJoins = 0;
        p = std::min(b.To, all[run].To);
        continue;
      }
      const uint64_t next = run < all.size() ? std::min(b.To, all[run].From) : b.To;
      if (b.Expected) gapBytes += next - p;
      p = next;
    }
    // A file named in this block begins here or with the next block.
    gapFiles += b.RowsAdded;
  }
  closeGap(pos);
  EXPECT_FALSE(engine.BufferLive());
}

TEST(RecordingRandom, NothingRecordedIsLostInRandomSequences) {
  for (uint64_t seed = 1; seed <= 8; ++seed) RunSequence(seed);
}

} // namespace
