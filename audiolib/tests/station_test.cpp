// The library against the test radio station: what reaches the download
// callback, titles, buffer positions and the bitrate estimate, redirects and
// playlists, the spectrum, levels and equaliser on a known sine, and every
// failure path ending in a code or a stopped channel, never a hang.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "audiolib/src/Library.h"
#include "audiolib/tests/StationFixture.h"

using namespace audiotest;
using teststation::StationConfig;

namespace {

struct Capture {
  std::mutex m;
  std::vector<uint8_t> bytes;
  std::atomic<bool> ended{false};
  std::atomic<int> blocksAfterEnd{0};
  static void CALLBACK Proc(const void* buf, DWORD len, void* user) {
    auto* c = static_cast<Capture*>(user);
    if (!buf) {
      EXPECT_EQ(len, 0u);
      c->ended = true;
      return;
    }
    if (c->ended) ++c->blocksAfterEnd;
    std::lock_guard<std::mutex> lk(c->m);
    c->bytes.insert(c->bytes.end(), static_cast<const uint8_t*>(buf),
                    static_cast<const uint8_t*>(buf) + len);
  }
  size_t Size() {
    std::lock_guard<std::mutex> lk(m);
    return bytes.size();
  }
};

struct Titles {
  std::mutex m;
  std::vector<std::string> seen;
  HSTREAM stream = 0;
  static void CALLBACK Proc(HSYNC, DWORD channel, DWORD data, void* user) {
    auto* t = static_cast<Titles*>(user);
    EXPECT_EQ(channel, t->stream);
    EXPECT_EQ(data, 0u);
    const char* meta = BASS_ChannelGetTags(channel, BASS_TAG_META);
    std::lock_guard<std::mutex> lk(t->m);
    t->seen.push_back(meta ? meta : "(null)");
  }
  size_t Size() {
    std::lock_guard<std::mutex> lk(m);
    return seen.size();
  }
};

// A server the test station does not play: it answers one request by
// dripping a never-ending head, one byte every 100 ms, each in time for the
// read time-out.
class DrippingServer {
 public:
  DrippingServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(fd_, 1);
    socklen_t len = sizeof a;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] {
      int c = accept(fd_, nullptr, nullptr);
      if (c < 0) return;
      const char head[] = "ICY 200 OK\r\nicy-name: ";
      send(c, head, sizeof head - 1, MSG_NOSIGNAL);
      for (int i = 0; i < 200 && !stop_; ++i) { // 20 s at most
        if (send(c, "x", 1, MSG_NOSIGNAL) != 1) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      close(c);
    });
  }
  ~DrippingServer() {
    stop_ = true;
    shutdown(fd_, SHUT_RDWR);
    close(fd_);
    thread_.join();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class StationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audiolib::Library::Instance().SetOutput(audiolib::NullOutputBackend(8.0));
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 1500));
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1));
    ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0));
  }
  void TearDown() override {
    BASS_Free();
    audiolib::Library::Instance().SetOutput(nullptr);
  }
  // Opens a path and expects failure with `code` well within the time-outs.
  void ExpectFailure(const std::string& url, int code) {
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(BASS_StreamCreateURL(url.c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr), 0u)
        << url;
    EXPECT_EQ(BASS_ErrorGetCode(), code) << url;
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(8)) << url;
  }
};

} // namespace

TEST_F(StationTest, DownloadCallbackGetsExactlyTheServedMp3WithoutMetadata) {
  StationConfig cfg;
  cfg.metaint = 1000; // many blocks, often inside a callback block
  cfg.titles = {"One", u8"Привет - Мир"};
  cfg.title_seconds = 0.3;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  Capture cap;
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, Capture::Proc, &cap);
  ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  ASSERT_TRUE(WaitUntil([&] { return cap.Size() > 150000; }, 20));
  ASSERT_TRUE(BASS_StreamFree(s));
  const std::vector<uint8_t>& mp3 = Sine128();
  std::lock_guard<std::mutex> lk(cap.m);
  for (size_t i = 0; i < cap.bytes.size(); ++i)
    ASSERT_EQ(cap.bytes[i], mp3[i % mp3.size()]) << "byte " << i;
  EXPECT_NE(st->requests()[0].find("Icy-MetaData: 1"), std::string::npos);
}

// Behind a proxy the station comes chunked: the chunk-size lines must reach
// neither the download callback (the recordings) nor the titles.
TEST_F(StationTest, ChunkedAnswerIsDecodedBeforeTitlesAndAudioAreSplit) {
  StationConfig cfg;
  cfg.metaint = 1500;
  cfg.titles = {"One", "Two"};
  cfg.title_seconds = 0.3;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  Capture cap;
  HSTREAM s =
      BASS_StreamCreateURL(st->Url("/chunked").c_str(), 0, BASS_STREAM_STATUS, Capture::Proc, &cap);
  ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
  Titles titles;
  titles.stream = s;
  ASSERT_NE(BASS_ChannelSetSync(s, BASS_SYNC_META, 0, Titles::Proc, &titles), 0u);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  ASSERT_TRUE(WaitUntil([&] { return cap.Size() > 150000 && titles.Size() >= 3; }, 20));
  ASSERT_TRUE(BASS_StreamFree(s));
  {
    std::lock_guard<std::mutex> lk(titles.m);
    for (const std::string& t : titles.seen)
      EXPECT_TRUE(t == "StreamTitle='One';" || t == "StreamTitle='Two';") << t;
  }
  const std::vector<uint8_t>& mp3 = Sine128();
  std::lock_guard<std::mutex> lk(cap.m);
  for (size_t i = 0; i < cap.bytes.size(); ++i)
    ASSERT_EQ(cap.bytes[i], mp3[i % mp3.size()]) << "byte " << i;
}

TEST_F(StationTest, TitleSyncsFireAtEachChangeInOrderWithBytesAsReceived) {
  StationConfig cfg;
  cfg.metaint = 2000;
  cfg.titles = {"First", u8"Второй"};
  cfg.title_seconds = 0.5;
  cfg.pace = 4;
  auto st = StartStation(cfg);
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u);
  Titles titles;
  titles.stream = s;
  ASSERT_NE(BASS_ChannelSetSync(s, BASS_SYNC_META, 0, Titles::Proc, &titles), 0u);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  ASSERT_TRUE(WaitUntil([&] { return titles.Size() >= 4; }, 20));
  BASS_StreamFree(s);
  std::lock_guard<std::mutex> lk(titles.m);
  const std::string a = "StreamTitle='First';", b = u8"StreamTitle='Второй';";
  for (size_t i = 0; i < titles.seen.size(); ++i) {
    ASSERT_TRUE(titles.seen[i] == a || titles.seen[i] == b) << titles.seen[i];
    if (i) { EXPECT_NE(titles.seen[i], titles.seen[i - 1]) << "a sync without a change"; }
  }
}

TEST_F(StationTest, BufferFillsPastThreeQuartersAndEstimatesTheNominalBitrate) {
  for (int kbps : {96, 128, 192, 320}) {
    StationConfig cfg;
    cfg.mp3 = teststation::MakeSineMp3(2.0, kbps);
    cfg.bitrate_kbps = kbps;
    cfg.pace = 3;
    auto st = StartStation(cfg);
    HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
    ASSERT_NE(s, 0u) << kbps;
    EXPECT_EQ(BASS_StreamGetFilePosition(s, BASS_FILEPOS_END), QWORD(kbps) * 625);
    EXPECT_EQ(EstimateBitrate(s), unsigned(kbps));
    // The player's wait: (download - current) * 100 / end, until above 75.
    unsigned pct = 0, last = 0;
    bool rising = true;
    ASSERT_TRUE(WaitUntil(
        [&] {
          QWORD end = BASS_StreamGetFilePosition(s, BASS_FILEPOS_END);
          QWORD dl = BASS_StreamGetFilePosition(s, BASS_FILEPOS_DOWNLOAD);
          QWORD cur = BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT);
          pct = unsigned((dl - cur) * 100 / end);
          rising = rising && pct >= last;
          last = pct;
          return pct > 75;
        },
        15))
        << kbps;
    EXPECT_TRUE(rising);
    EXPECT_EQ(BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT), 0u) << "nothing decoded yet";
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_TRUE(
        WaitUntil([&] { return BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT) > 0; }, 5));
    EXPECT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING; }, 5));
    BASS_StreamFree(s);
  }
}

TEST_F(StationTest, WithoutIcyBrTheFirstFrameGivesTheBitrateAndInfo) {
  StationConfig cfg;
  cfg.mp3 = teststation::MakeSineMp3(1.0, 192, 48000, 1);
  cfg.bitrate_kbps = 0;
  cfg.icy_status_line = false;
  auto st = StartStation(cfg);
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u);
  EXPECT_EQ(EstimateBitrate(s), 192u);
  BASS_CHANNELINFO info;
  ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
  EXPECT_EQ(info.freq, 48000u);
  EXPECT_EQ(info.chans, 1u);
  EXPECT_EQ(info.ctype, DWORD(BASS_CTYPE_STREAM_MP3));
  EXPECT_EQ(BASS_ChannelGetTags(s, BASS_TAG_META), nullptr);
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
  BASS_StreamFree(s);
}

TEST_F(StationTest, FollowsRedirectsAndPlaylists) {
  auto st = StartStation(StationConfig());
  for (const char* path : {"/redirect", "/redirect/5", "/list.pls", "/list.m3u"}) {
    HSTREAM s =
        BASS_StreamCreateURL(st->Url(path).c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
    EXPECT_NE(s, 0u) << path << " error " << BASS_ErrorGetCode();
    BASS_CHANNELINFO info;
    EXPECT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.freq, 44100u);
    BASS_StreamFree(s);
  }
  ExpectFailure(st->Url("/redirect/6"), BASS_ERROR_REDIRECT);
  ASSERT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 0));
  ExpectFailure(st->Url("/list.pls"), BASS_ERROR_FILEFORM);
}

TEST_F(StationTest, EveryBadServerGivesItsCodeWithoutHanging) {
  auto st = StartStation(StationConfig());
  ExpectFailure(st->Url("/404"), BASS_ERROR_HTTP);
  ExpectFailure(st->Url("/garbage"), BASS_ERROR_PROTOCOL);
  ExpectFailure(st->Url("/endless-header"), BASS_ERROR_PROTOCOL);
  ExpectFailure(st->Url("/silent"), BASS_ERROR_TIMEOUT);
  ExpectFailure(st->Url("/notmpeg"), BASS_ERROR_FILEFORM);
  ExpectFailure("http://127.0.0.1:" + std::to_string(st->port()) + "/a b", BASS_ERROR_URL);
  ExpectFailure("ftp://127.0.0.1/stream", BASS_ERROR_URL);
  ExpectFailure("https://127.0.0.1/stream", BASS_ERROR_SSL);
  ExpectFailure("not an address", BASS_ERROR_URL);
  {
    DrippingServer drip; // every read in time, the whole answer never
    ExpectFailure(drip.Url(), BASS_ERROR_TIMEOUT);
  }
  int port = st->port();
  st->Stop();
  ExpectFailure("http://127.0.0.1:" + std::to_string(port) + "/stream", BASS_ERROR_NONET);
}

TEST_F(StationTest, StallAndDropEndTheDownloadAndStopTheChannel) {
  StationConfig cfg;
  cfg.stall_after_bytes = 60000;
  cfg.drop_after_bytes = 60000;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  for (const char* path : {"/stall", "/drop"}) {
    Capture cap;
    HSTREAM s =
        BASS_StreamCreateURL(st->Url(path).c_str(), 0, BASS_STREAM_STATUS, Capture::Proc, &cap);
    ASSERT_NE(s, 0u) << path;
    // The player's buffering wait must end even though the buffer never fills.
    ASSERT_TRUE(WaitUntil(
        [&] {
          QWORD end = BASS_StreamGetFilePosition(s, BASS_FILEPOS_END);
          QWORD dl = BASS_StreamGetFilePosition(s, BASS_FILEPOS_DOWNLOAD);
          QWORD cur = BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT);
          return (dl - cur) * 100 / end > 75;
        },
        10))
        << path;
    EXPECT_TRUE(cap.ended) << path;
    EXPECT_EQ(cap.Size(), 60000u) << path;
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10))
        << path;
    EXPECT_EQ(cap.blocksAfterEnd.load(), 0);
    EXPECT_TRUE(BASS_StreamFree(s));
  }
}

TEST_F(StationTest, StalledStationShowsAStalledChannelUntilItGivesUp) {
  StationConfig cfg;
  cfg.stall_after_bytes = 30000;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  HSTREAM s =
      BASS_StreamCreateURL(st->Url("/stall").c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  EXPECT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STALLED; }, 5));
  EXPECT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10));
  BASS_StreamFree(s);
}

TEST_F(StationTest, MalformedMetadataNeitherCrashesNorStopsTheTitles) {
  StationConfig cfg;
  cfg.metaint = 4000;
  cfg.titles = {"Good"};
  cfg.pace = 0;
  auto st = StartStation(cfg);
  Capture cap;
  HSTREAM s = BASS_StreamCreateURL(st->Url("/badmeta").c_str(), 0, BASS_STREAM_STATUS,
                                   Capture::Proc, &cap);
  ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
  Titles titles;
  titles.stream = s;
  BASS_ChannelSetSync(s, BASS_SYNC_META, 0, Titles::Proc, &titles);
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  EXPECT_TRUE(WaitUntil(
      [&] {
        std::lock_guard<std::mutex> lk(titles.m);
        return std::count(titles.seen.begin(), titles.seen.end(), "StreamTitle='Good';") >= 2;
      },
      15));
  EXPECT_NE(BASS_ChannelIsActive(s), DWORD(BASS_ACTIVE_STOPPED));
  BASS_StreamFree(s);
  // A title cut by a zero byte is the text before the zero; the bytes after
  // it are neither a title nor audio.
  {
    std::lock_guard<std::mutex> lk(titles.m);
    for (const std::string& t : titles.seen) EXPECT_EQ(t.find(" bin"), std::string::npos) << t;
    EXPECT_NE(std::find(titles.seen.begin(), titles.seen.end(), "StreamTitle='"), titles.seen.end());
  }
  const std::vector<uint8_t>& mp3 = Sine128();
  std::lock_guard<std::mutex> lk(cap.m);
  ASSERT_GT(cap.bytes.size(), 12000u);
  for (size_t i = 0; i < cap.bytes.size(); ++i)
    ASSERT_EQ(cap.bytes[i], mp3[i % mp3.size()]) << "byte " << i;
}

TEST_F(StationTest, SpectrumLevelsVolumeAndEqualiserActOnTheDecodedSine) {
  StationConfig cfg;
  cfg.mp3 = teststation::MakeSineMp3(2.0, 192, 44100, 2, 1000.0, 0.5);
  cfg.pace = 0;
  auto st = StartStation(cfg);
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u);
  HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 1);
  ASSERT_NE(fx, 0u);
  ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_VOL, 0.3f));
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING; }, 5));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  float fft[2049] = {};
  ASSERT_EQ(BASS_ChannelGetData(s, fft, BASS_DATA_FFT2048), 4096u);
  int bin = int(std::max_element(fft, fft + 1024) - fft);
  EXPECT_NEAR(bin, 1000.0 * 2048 / 44100, 1.0);
  EXPECT_NEAR(fft[bin], 0.25, 0.05); // half scale: a quarter, less the window's scalloping
  EXPECT_EQ(fft[1024], 0.0f) << "only 1024 values are written";
  DWORD level = BASS_ChannelGetLevel(s);
  EXPECT_NEAR(double(level & 0xFFFF), 16384, 1200); // levels read before the volume
  EXPECT_NEAR(double(level >> 16), 16384, 1200);

  BASS_DX8_PARAMEQ p{1000.0f, 10.0f, -6.0f};
  ASSERT_TRUE(BASS_FXSetParameters(fx, &p));
  BASS_DX8_PARAMEQ back{};
  ASSERT_TRUE(BASS_FXGetParameters(fx, &back));
  EXPECT_EQ(back.fCenter, 1000.0f);
  EXPECT_EQ(back.fBandwidth, 10.0f);
  EXPECT_EQ(back.fGain, -6.0f);
  EXPECT_TRUE(WaitUntil(
      [&] {
        DWORD l = BASS_ChannelGetLevel(s) & 0xFFFF;
        return l > 7000 && l < 9500; // -6 dB of 16384 is 8211
      },
      5))
      << (BASS_ChannelGetLevel(s) & 0xFFFF);
  BASS_DX8_PARAMEQ bad{1000.0f, 10.0f, 40.0f};
  EXPECT_FALSE(BASS_FXSetParameters(fx, &bad));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  EXPECT_FALSE(BASS_ChannelSetAttribute(s, 99, 1.0f));
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);
  BASS_StreamFree(s);
  EXPECT_FALSE(BASS_FXGetParameters(fx, &back)) << "effects go with their stream";
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

namespace {

// An output device that fails after a given number of frames, as a device
// that is unplugged does: playback stops there.
class FailingOutput : public audiolib::OutputBackend {
 public:
  explicit FailingOutput(size_t frames) : frames_(frames) {}
  bool HasDevice(int) override { return true; }
  std::unique_ptr<audiolib::OutputStream> Open(int rate, audiolib::Err& err) override {
    err = audiolib::Err::Ok;
    struct Device : audiolib::OutputStream {
      explicit Device(size_t left) : left(left) {}
      bool Write(const int16_t*, size_t count, const std::atomic<bool>&) override {
        if (count > left) return false;
        left -= count;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return true;
      }
      size_t left;
    };
    (void)rate;
    return std::unique_ptr<audiolib::OutputStream>(new Device(frames_));
  }

 private:
  size_t frames_;
};

bool Sounding(HSTREAM s) {
  float fft[1024] = {};
  if (BASS_ChannelGetData(s, fft, BASS_DATA_FFT2048) != 4096u) return false;
  return *std::max_element(fft, fft + 1024) > 0.05f && BASS_ChannelGetLevel(s) != 0;
}

// Spectrum and level at once: all zero, as a silent channel reads.
void ExpectSilent(HSTREAM s, const char* when) {
  float fft[1024];
  std::fill(fft, fft + 1024, 1.0f);
  ASSERT_EQ(BASS_ChannelGetData(s, fft, BASS_DATA_FFT2048), 4096u) << when;
  EXPECT_EQ(*std::max_element(fft, fft + 1024), 0.0f) << when;
  EXPECT_EQ(BASS_ChannelGetLevel(s), 0u) << when;
}

} // namespace

// The display keeps asking after the sound has gone: it must read silence,
// not the last spectrum, once the stream stalls, ends or stops.
TEST_F(StationTest, SpectrumIsSilentOnceTheChannelStallsEndsOrStops) {
  StationConfig cfg;
  cfg.mp3 = teststation::MakeSineMp3(2.0, 128, 44100, 2, 1000.0, 0.5);
  cfg.stall_after_bytes = 80000;
  cfg.drop_after_bytes = 80000;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  auto open = [&](const char* path) {
    HSTREAM s =
        BASS_StreamCreateURL(st->Url(path).c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
    EXPECT_NE(s, 0u) << path;
    EXPECT_TRUE(BASS_ChannelPlay(s, FALSE)) << path;
    EXPECT_TRUE(WaitUntil([&] { return Sounding(s); }, 10)) << path;
    return s;
  };
  {
    HSTREAM s = open("/stall");
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STALLED; }, 10));
    ExpectSilent(s, "stalled");
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10));
    ExpectSilent(s, "stalled, then given up");
    BASS_StreamFree(s);
  }
  {
    HSTREAM s = open("/drop");
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10));
    ExpectSilent(s, "ended");
    BASS_StreamFree(s);
  }
  audiolib::Library::Instance().SetOutput(std::make_shared<FailingOutput>(4 * 44100));
  {
    HSTREAM s = open("/stream");
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_STOPPED; }, 10));
    ExpectSilent(s, "stopped by the device");
    BASS_StreamFree(s);
  }
}
