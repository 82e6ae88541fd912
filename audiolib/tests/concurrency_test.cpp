// Threads: freeing a stream while its callback is blocked sending a message
// to the freeing ("GUI") thread, freeing from inside a callback, and a
// create / free / re-create loop while callbacks fire (run under
// ThreadSanitizer in the native-tsan build).
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>

#include "audiolib/src/Library.h"
#include "audiolib/tests/StationFixture.h"

using namespace audiotest;
using teststation::StationConfig;

namespace {

// A stand-in for a window thread: Send() blocks the caller until the owning
// thread handles the message in Pump(), like SendMessage across threads.
class FakeGui {
 public:
  void Send() {
    std::unique_lock<std::mutex> lk(m_);
    uint64_t ticket = ++sent_;
    waiting_ = true;
    cv_.notify_all();
    cv_.wait(lk, [&] { return handled_ >= ticket || closed_; });
  }
  void Pump(int ms) {
    std::unique_lock<std::mutex> lk(m_);
    cv_.wait_for(lk, std::chrono::milliseconds(ms), [&] { return sent_ > handled_; });
    if (sent_ > handled_) {
      handled_ = sent_;
      ++pumped_;
      cv_.notify_all();
    }
  }
  bool SomeoneWaiting() {
    std::lock_guard<std::mutex> lk(m_);
    return sent_ > handled_;
  }
  int Pumped() {
    std::lock_guard<std::mutex> lk(m_);
    return pumped_;
  }
  void Close() {
    std::lock_guard<std::mutex> lk(m_);
    closed_ = true;
    cv_.notify_all();
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  uint64_t sent_ = 0, handled_ = 0;
  int pumped_ = 0;
  bool waiting_ = false, closed_ = false;
};

struct Shared {
  FakeGui gui;
  std::atomic<int> calls{0};
};

void CALLBACK SendingDownloadProc(const void*, DWORD, void* user) {
  auto* s = static_cast<Shared*>(user);
  ++s->calls;
  s->gui.Send();
}

void CALLBACK SendingSyncProc(HSYNC, DWORD, DWORD, void* user) {
  auto* s = static_cast<Shared*>(user);
  ++s->calls;
  s->gui.Send();
}

// A station that sends as fast as it is read and changes its title every
// tenth of a second, so title syncs keep coming.
StationConfig UnpacedTitles() {
  StationConfig cfg;
  cfg.pace = 0;
  cfg.metaint = 1000;
  cfg.titles = {"a", "b"};
  cfg.title_seconds = 0.1;
  return cfg;
}

class ConcurrencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audiolib::Library::Instance().SetOutput(audiolib::NullOutputBackend(8.0));
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
    BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 2000);
    BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0);
  }
  void TearDown() override {
    BASS_Free();
    audiolib::Library::Instance().SetWaitPump(nullptr);
    audiolib::Library::Instance().SetOutput(nullptr);
  }
};

} // namespace

TEST_F(ConcurrencyTest, FreeDeliversTheMessageABlockedCallbackSendsAndReturns) {
  StationConfig cfg;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  Shared shared;
  audiolib::Library::Instance().SetWaitPump([&](int ms) { shared.gui.Pump(ms); });
  HSTREAM s =
      BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, SendingDownloadProc, &shared);
  ASSERT_NE(s, 0u);
  ASSERT_TRUE(WaitUntil([&] { return shared.gui.SomeoneWaiting(); }, 5));
  // This thread is the "GUI": without pumping, the free would wait forever.
  ASSERT_TRUE(BASS_StreamFree(s));
  EXPECT_GE(shared.gui.Pumped(), 1);
  int after = shared.calls.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(shared.calls.load(), after) << "a callback ran after BASS_StreamFree returned";
  shared.gui.Close();
}

TEST_F(ConcurrencyTest, LibraryFreeDoesTheSameForABlockedSync) {
  StationConfig cfg = UnpacedTitles();
  auto st = StartStation(cfg);
  Shared shared;
  audiolib::Library::Instance().SetWaitPump([&](int ms) { shared.gui.Pump(ms); });
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u);
  ASSERT_NE(BASS_ChannelSetSync(s, BASS_SYNC_META, 0, SendingSyncProc, &shared), 0u);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  ASSERT_TRUE(WaitUntil([&] { return shared.gui.SomeoneWaiting(); }, 5));
  ASSERT_TRUE(BASS_Free());
  int after = shared.calls.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(shared.calls.load(), after);
  shared.gui.Close();
  ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
}

namespace {
std::atomic<HSTREAM> g_selfFree{0};
std::atomic<bool> g_selfFreed{false};
void CALLBACK FreeingDownloadProc(const void*, DWORD, void*) {
  HSTREAM h = g_selfFree.exchange(0);
  if (h) g_selfFreed = BASS_StreamFree(h) != 0;
}
} // namespace

TEST_F(ConcurrencyTest, AStreamFreedFromItsOwnCallbackEndsCleanly) {
  StationConfig cfg;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, 0, FreeingDownloadProc, nullptr);
  ASSERT_NE(s, 0u);
  g_selfFree = s;
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE)); // keeps the download (and its callbacks) going
  EXPECT_TRUE(WaitUntil([&] { return g_selfFreed.load(); }, 5));
  EXPECT_FALSE(BASS_ChannelPlay(s, FALSE));
}

namespace {
std::atomic<int> g_blocks{0}, g_syncs{0};
void CALLBACK CountingDownload(const void*, DWORD, void*) { ++g_blocks; }
void CALLBACK CountingSync(HSYNC, DWORD ch, DWORD, void*) {
  BASS_ChannelGetTags(ch, BASS_TAG_META);
  ++g_syncs;
}
} // namespace

TEST_F(ConcurrencyTest, CreateFreeRecreateWhileCallbacksFire) {
  StationConfig cfg;
  cfg.pace = 0;
  cfg.metaint = 500;
  cfg.titles = {"x", "y", "z"};
  cfg.title_seconds = 0.05;
  auto st = StartStation(cfg);
  std::atomic<HSTREAM> current{0};
  std::atomic<bool> stop{false};
  // Another thread keeps reading the current stream, as the GUI timers do.
  std::thread reader([&] {
    float fft[1024];
    while (!stop) {
      HSTREAM h = current.load();
      BASS_ChannelGetData(h, fft, BASS_DATA_FFT2048);
      BASS_ChannelGetLevel(h);
      BASS_ChannelIsActive(h);
      BASS_StreamGetFilePosition(h, BASS_FILEPOS_DOWNLOAD);
      // The text itself is read only where the stream cannot be freed
      // meanwhile (the sync callback, or the thread that frees it).
      BASS_ChannelGetTags(h, BASS_TAG_META);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  for (int i = 0; i < 12; ++i) {
    HSTREAM s =
        BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, CountingDownload, nullptr);
    ASSERT_NE(s, 0u) << i;
    BASS_ChannelSetSync(s, BASS_SYNC_META, 0, CountingSync, nullptr);
    for (int b = 0; b < 3; ++b) {
      HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 1);
      BASS_DX8_PARAMEQ p{1000.0f * (b + 1), 10.0f, 6.0f};
      BASS_FXSetParameters(fx, &p);
    }
    BASS_ChannelPlay(s, FALSE);
    current = s;
    std::this_thread::sleep_for(std::chrono::milliseconds(20 * (i % 4)));
    ASSERT_TRUE(BASS_StreamFree(s));
  }
  stop = true;
  reader.join();
  EXPECT_GT(g_blocks.load(), 0);
  EXPECT_GT(g_syncs.load(), 0);
}

namespace {
std::atomic<int> g_throwingBlocks{0}, g_throwingSyncs{0};
std::atomic<bool> g_throwingEnded{false};
void CALLBACK ThrowingDownload(const void* buf, DWORD, void*) {
  if (!buf) {
    g_throwingEnded = true;
    return;
  }
  ++g_throwingBlocks;
  throw std::runtime_error("the recorder failed");
}
void CALLBACK ThrowingSync(HSYNC, DWORD, DWORD, void*) {
  ++g_throwingSyncs;
  throw std::runtime_error("the title display failed");
}
} // namespace

TEST_F(ConcurrencyTest, ACallbackThatThrowsDoesNotEndTheProgramOrTheStream) {
  StationConfig cfg = UnpacedTitles();
  cfg.drop_after_bytes = 200000;
  auto st = StartStation(cfg);
  HSTREAM s = BASS_StreamCreateURL(st->Url("/drop").c_str(), 0, BASS_STREAM_STATUS,
                                   ThrowingDownload, nullptr);
  ASSERT_NE(s, 0u);
  ASSERT_NE(BASS_ChannelSetSync(s, BASS_SYNC_META, 0, ThrowingSync, nullptr), 0u);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  EXPECT_TRUE(
      WaitUntil([] { return g_throwingBlocks.load() > 3 && g_throwingSyncs.load() > 1; }, 10));
  EXPECT_TRUE(WaitUntil([] { return g_throwingEnded.load(); }, 20))
      << "the download goes on to its end";
  EXPECT_TRUE(BASS_StreamFree(s));
}
