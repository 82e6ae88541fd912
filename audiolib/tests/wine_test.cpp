// bass.dll under Wine: plays the test station through waveOut (ALSA null
// device), and frees a stream whose callback is blocked in SendMessage to
// a real window of the freeing thread.
#include <windows.h>

#include <atomic>

#include "audiolib/tests/StationFixture.h"

using namespace audiotest;
using teststation::StationConfig;

namespace {

const UINT kTitleMessage = WM_APP + 101;
std::atomic<int> g_received{0};

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kTitleMessage) {
    ++g_received;
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND MakeWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvalisAudioTest";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"audio test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

struct Sender {
  HWND wnd = nullptr;
  std::atomic<int> calls{0};
  std::atomic<bool> entered{false};
};

void CALLBACK SendingProc(const void* buf, DWORD len, void* user) {
  auto* s = static_cast<Sender*>(user);
  ++s->calls;
  s->entered = true;
  SendMessageW(s->wnd, kTitleMessage, 7, reinterpret_cast<LPARAM>(buf));
}

class WineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wnd_ = MakeWindow();
    ASSERT_NE(wnd_, nullptr);
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, wnd_, nullptr)) << BASS_ErrorGetCode();
    BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1);
    BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0);
  }
  void TearDown() override {
    BASS_Free();
    DestroyWindow(wnd_);
  }
  HWND wnd_ = nullptr;
};

} // namespace

TEST_F(WineTest, PlaysTheStationThroughWaveOut) {
  StationConfig cfg;
  cfg.mp3 = teststation::MakeSineMp3(2.0, 128, 44100, 2, 1000.0, 0.5);
  cfg.titles = {u8"Проверка"};
  cfg.pace = 4;
  auto st = StartStation(cfg);
  EXPECT_EQ(BASS_PluginLoad("basswma.dll", 0), 0u); // not shipped: 0 and a code
  EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
  EXPECT_NE(BASS_PluginLoad("winmm.dll", 0), 0u); // any loadable DLL is kept loaded
  HSTREAM s = BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, nullptr, nullptr);
  ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
  ASSERT_TRUE(WaitUntil(
      [&] {
        QWORD end = BASS_StreamGetFilePosition(s, BASS_FILEPOS_END);
        QWORD dl = BASS_StreamGetFilePosition(s, BASS_FILEPOS_DOWNLOAD);
        return (dl - BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT)) * 100 / end > 75;
      },
      10));
  EXPECT_EQ(EstimateBitrate(s), 128u);
  for (int band = 0; band < 10; ++band) {
    HFX fx = BASS_ChannelSetFX(s, BASS_FX_DX8_PARAMEQ, 1);
    ASSERT_NE(fx, 0u);
    BASS_DX8_PARAMEQ p{80.0f + band * 1500.0f, 10.0f, 0.0f};
    ASSERT_TRUE(BASS_FXSetParameters(fx, &p));
  }
  ASSERT_TRUE(BASS_ChannelSetAttribute(s, BASS_ATTRIB_VOL, 0.5f));
  ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
  BASS_CHANNELINFO info;
  ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
  EXPECT_EQ(info.freq, 44100u);
  ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(s) == BASS_ACTIVE_PLAYING; }, 5));
  // The playback position follows the device: it keeps moving (by half a
  // second of the stream; a loaded machine may take longer than that).
  QWORD before = BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT);
  EXPECT_TRUE(WaitUntil(
      [&] { return BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT) > before + 8000; }, 20))
      << BASS_StreamGetFilePosition(s, BASS_FILEPOS_CURRENT) << " vs " << before;
  EXPECT_EQ(BASS_ChannelIsActive(s), DWORD(BASS_ACTIVE_PLAYING));
  EXPECT_GT(BASS_ChannelGetLevel(s) & 0xFFFF, 10000u);
  float fft[1024];
  ASSERT_EQ(BASS_ChannelGetData(s, fft, BASS_DATA_FFT2048), 4096u);
  int bin = int(std::max_element(fft, fft + 1024) - fft);
  EXPECT_NEAR(bin, 46, 1); // 1000 Hz
  const char* meta = BASS_ChannelGetTags(s, BASS_TAG_META);
  ASSERT_NE(meta, nullptr);
  EXPECT_STREQ(meta, u8"StreamTitle='Проверка';");
  EXPECT_TRUE(BASS_StreamFree(s));
}

TEST_F(WineTest, FreeWhileTheCallbackIsBlockedInSendMessageToThisThread) {
  StationConfig cfg;
  cfg.pace = 0;
  auto st = StartStation(cfg);
  for (int round = 0; round < 3; ++round) {
    Sender sender;
    sender.wnd = wnd_;
    HSTREAM s =
        BASS_StreamCreateURL(st->Url().c_str(), 0, BASS_STREAM_STATUS, SendingProc, &sender);
    ASSERT_NE(s, 0u);
    // Do not pump messages here: the callback is stuck in SendMessage.
    ASSERT_TRUE(WaitUntil([&] { return sender.entered.load(); }, 5));
    Sleep(50);
    int received = g_received;
    ASSERT_TRUE(BASS_StreamFree(s));
    EXPECT_GT(g_received.load(), received) << "the sent message was delivered during the free";
    int after = sender.calls;
    Sleep(200);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    EXPECT_EQ(sender.calls.load(), after) << "a callback ran after BASS_StreamFree";
  }
  EXPECT_GE(g_received.load(), 3);
}
