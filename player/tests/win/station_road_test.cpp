// The main window under Wine against the real bass.dll and the test radio
// station, in a player folder whose path holds blanks and Cyrillic: the
// status messages and labels of an opening, the title following the
// station's schedule, the error window for an address that cannot be opened,
// the window answering while it connects, a pick or a close while a station
// is opening or while the recording's watchdog reopens it, a close while
// titles arrive, a stalled download, "&" in a title and a station line, the
// tray and the refusals while a file is being recorded. Screenshots:
// Form1_playing.bmp, Form1_ampersand.bmp and Form3.bmp in the build folder.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <thread>

#include "classlib/Cp1251.h"
#include "player/StreamCore.h"
#include "player/Unit1.h"
#include "player/Unit3.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "tools/station/TestStation.h"

namespace {

// What reached the main window: the status codes with Label19 right after,
// the titles, and whether a close was posted.
struct InfoLog {
  struct Entry {
    WPARAM code;
    LPARAM value;
    std::string label19;
  };
  std::vector<Entry> entries;
  int closes = 0;
} g_log;

LRESULT CALLBACK Watch(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (m == WM_CLOSE) { // kept from ending the test's main window
    ++g_log.closes;
    return 0;
  }
  const LRESULT r = DefSubclassProc(h, m, w, l);
  if (m == WM_STREAM_INFO)
    g_log.entries.push_back({w, w == kInfoTitle ? 0 : l, Form1->Label19->Caption()});
  return r;
}

bool WaitFor(const std::function<bool()>& cond, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (cond()) return true;
    Application->ProcessMessages();
    Sleep(10);
  }
  return cond();
}

// Runs `f` once, `ms` after the message loop is next handled (inside an
// opening's wait, when one is under way).
struct Later {
  TTimer* timer;
  Later(unsigned ms, std::function<void()> f) : timer(new TTimer(nullptr)) {
    timer->SetInterval(ms);
    timer->OnTimer = [this, f](TObject*) {
      timer->SetEnabled(false);
      f();
    };
  }
  ~Later() { timer->Free(); }
};

std::vector<uint8_t>& Sine128() {
  static std::vector<uint8_t> mp3 = teststation::MakeSineMp3(3.0, 128);
  return mp3;
}

std::unique_ptr<teststation::TestStation> Station(teststation::StationConfig cfg) {
  cfg.mp3 = Sine128();
  auto s = std::make_unique<teststation::TestStation>(cfg);
  EXPECT_NE(s->Start(), 0);
  return s;
}

teststation::StationConfig Titled(double pace) {
  teststation::StationConfig cfg;
  cfg.pace = pace;
  cfg.titles = {u8"Кино - Группа крови", u8"Artist — Song «Ў»"};
  cfg.title_seconds = 2;
  return cfg;
}

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8); }

class StationRoad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new PlayerTestFolder("Korvalis плеер тест\\Мои станции");
    Application->Initialize();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    Form3 = New<TForm3>(Application);
  }
  static void TearDownTestSuite() {
    Form3->Free();
    Form3 = nullptr;
    delete folder_;
  }
  void SetUp() override {
    g_log = InfoLog();
    Form1 = New<TForm1>(Application);
    Form1->Show();
    SetWindowSubclass(Form1->Handle(), Watch, 1, 0);
    BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 1500);
  }
  void TearDown() override {
    if (Recorder().RecordingUi()) Recorder().Stop();
    RemoveWindowSubclass(Form1->Handle(), Watch, 1);
    BASS_Free();
    CurrentStream = 0;
    Form1->Free();
    Form1 = nullptr;
    Form3->Hide();
  }
  static bool ErrorShown() { return IsWindowVisible(Form3->Handle()) != 0; }
  static void Play(int index, const std::string& line, const std::string& url) {
    Form1->PlayStation(1, {index, line, url});
  }
  static PlayerTestFolder* folder_;
};
PlayerTestFolder* StationRoad::folder_ = nullptr;

TEST_F(StationRoad, PlaysTheStationWithItsHeaderAndTitleThenFollowsTheSchedule) {
  auto st = Station(Titled(4));
  Play(0, "1 Тестовая станция", st->Url());
  ASSERT_NE(CurrentStream.load(), 0u);
  EXPECT_TRUE(
      WaitFor([] { return BASS_ChannelIsActive(CurrentStream) == BASS_ACTIVE_PLAYING; }, 5));
  EXPECT_FALSE(ErrorShown());

  ASSERT_FALSE(g_log.entries.empty());
  EXPECT_EQ(g_log.entries[0].code, WPARAM(kInfoConnecting));
  EXPECT_EQ(g_log.entries[0].label19, "Подключение...");
  int last = -1;
  for (const auto& e : g_log.entries)
    if (e.code == kInfoBuffering) {
      last = static_cast<int>(e.value);
      if (last > 0) { EXPECT_EQ(e.label19, std::to_string(last) + "%"); }
    }
  EXPECT_GT(last, 75);
  EXPECT_EQ(Form1->Label19->Caption(), std::to_string(last) + "%");
  EXPECT_EQ(Form1->Label12->Caption(), "128кбит/c");
  EXPECT_EQ(Form1->Label20->Caption(), "44кгц");
  EXPECT_EQ(Form1->Label14->Caption(), "1 Тестовая станция");
  EXPECT_EQ(StationText, "1 Тестовая станция");
  EXPECT_EQ(PlayingIndex, 0);
  EXPECT_EQ(PlayingList, 1);

  const std::string first = Cp(u8"Кино - Группа крови"), second = Cp(u8"Artist — Song «Ў»");
  ASSERT_TRUE(WaitFor([&] { return CurTitle == first || CurTitle == second; }, 10));
  const std::string now = CurTitle, next = now == first ? second : first;
  EXPECT_EQ(Form1->Label2->Caption(), now);
  ASSERT_EQ(TitleList->Count(), 1);
  EXPECT_EQ(TitleList->Strings(0), now);
  ASSERT_TRUE(WaitFor([&] { return CurTitle == next; }, 10)) << CurTitle;
  EXPECT_EQ(Form1->Label2->Caption(), next);
  EXPECT_EQ(TitleList->Count(), 1);
  WaitFor([] { return Form1->LEDMeter1->Position() > 0; }, 3);
  Screenshot(Form1->Handle(), "Form1_playing.bmp");
}

TEST_F(StationRoad, AnAddressThatCannotBeOpenedShowsTheErrorWindowUntilAGoodOne) {
  Play(0, "1 Нет такой", "http://127.0.0.1:1/stream");
  EXPECT_TRUE(ErrorShown());
  EXPECT_EQ(CurrentStream.load(), 0u);
  EXPECT_EQ(WindowText(Form3->Handle()), L"Ошибка");
  Screenshot(Form3->Handle(), "Form3.bmp");

  auto st = Station(Titled(4));
  Play(1, "2 Есть такая", st->Url());
  EXPECT_FALSE(ErrorShown());
  EXPECT_NE(CurrentStream.load(), 0u);
}

TEST_F(StationRoad, TheWindowAnswersWhileAServerKeepsItsAnswerBack) {
  auto st = Station(Titled(4));
  std::atomic<bool> done{false};
  std::atomic<int> answered{0}, asked{0};
  const HWND wnd = Form1->Handle();
  std::thread prober([&] {
    while (!done) {
      DWORD_PTR r;
      ++asked;
      if (SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 200, &r)) ++answered;
      Sleep(50);
    }
  });
  std::string during;
  Later peek(300, [&] { during = Form1->Label19->Caption(); });
  Play(0, "1 Молчит", st->Url("/silent"));
  done = true;
  prober.join();
  EXPECT_EQ(during, "Подключение...");
  EXPECT_TRUE(ErrorShown());
  EXPECT_GE(answered.load(), 5);
  EXPECT_GE(answered.load(), asked.load() - 1); // the one in flight at the end aside
}

TEST_F(StationRoad, AHostNameThatDoesNotResolveFailsWithinTheTimeOut) {
  int ticks = 0;
  TTimer counter(nullptr);
  counter.SetInterval(20);
  counter.OnTimer = [&](TObject*) { ++ticks; };
  const auto t0 = std::chrono::steady_clock::now();
  Play(0, "1 Нигде", "http://no-such-station.invalid/stream");
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_TRUE(ErrorShown());
  EXPECT_EQ(CurrentStream.load(), 0u);
  EXPECT_LT(s, 1.5 + 3.0); // the time-out, and some room for the machine
  if (s > 0.5) { EXPECT_GT(ticks, 0); }
}

TEST_F(StationRoad, APickWhileAStationOpensTakesOverOnceTheFirstHasUnwound) {
  auto slow = Station(Titled(1)); // real time: the buffer takes seconds to fill
  auto fast = Station(Titled(4));
  int nested = 0;
  Later second(300, [&] {
    nested = Form1->Opening() ? 1 : -1;
    Play(1, "2 Вторая", fast->Url());
  });
  Play(0, "1 Первая", slow->Url());
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(PlayingIndex, 1);
  EXPECT_EQ(StationText, "2 Вторая");
  EXPECT_EQ(Form1->Label14->Caption(), "2 Вторая");
  ASSERT_NE(CurrentStream.load(), 0u);
  BASS_CHANNELINFO info{};
  ASSERT_TRUE(BASS_ChannelGetInfo(CurrentStream, &info));
  EXPECT_EQ(std::string(info.filename), fast->Url());
  EXPECT_FALSE(Form1->Opening());
  EXPECT_FALSE(ErrorShown());
  int connects = 0;
  for (const auto& e : g_log.entries) connects += e.code == kInfoConnecting;
  EXPECT_EQ(connects, 2);
}

TEST_F(StationRoad, ACloseWhileAStationOpensFollowsOnceTheOpeningHasUnwound) {
  auto slow = Station(Titled(1));
  bool refused = false;
  Later close(300, [&] { refused = !Form1->CloseQuery(); });
  Play(0, "1 Первая", slow->Url());
  EXPECT_TRUE(refused);
  EXPECT_EQ(CurrentStream.load(), 0u); // given up, not left half open
  EXPECT_FALSE(ErrorShown());
  ASSERT_TRUE(WaitFor([] { return g_log.closes == 1; }, 2));
  EXPECT_TRUE(Form1->CloseQuery());
}

// Recording is on and no file is open (the station stopped before the
// record button was pressed): the watchdog's ticks reopen the station, and
// `During` runs while that reopening waits for the server.
void WhileTheWatchdogReopens(const std::string& Silent, std::function<void()> During) {
  Form1->PlayStation(1, {0, "1 Молчит", Silent});
  ASSERT_EQ(CurrentStream.load(), 0u);
  ASSERT_TRUE(Recorder().Start(RecordChoice{}));
  ASSERT_FALSE(Recorder().FileInProgress());
  auto connects = [] {
    int n = 0;
    for (const auto& e : g_log.entries) n += e.code == kInfoConnecting;
    return n;
  };
  const int before = connects();
  Later during(300, During);
  for (int tick = 0; tick < 20 && connects() == before; ++tick) Form1->Timer7Timer(nullptr);
  ASSERT_GT(connects(), before) << "the watchdog never reopened the station";
}

TEST_F(StationRoad, APickWhileTheRecordingReconnectsPlaysWhenTheReconnectEnds) {
  auto st = Station(Titled(4));
  bool waiting = false;
  WhileTheWatchdogReopens(st->Url("/silent"), [&] {
    waiting = Form1->Opening();
    Play(1, "2 Вторая", st->Url());
  });
  EXPECT_TRUE(waiting);
  EXPECT_EQ(PlayingIndex, 1);
  ASSERT_NE(CurrentStream.load(), 0u);
  BASS_CHANNELINFO info{};
  ASSERT_TRUE(BASS_ChannelGetInfo(CurrentStream, &info));
  EXPECT_EQ(std::string(info.filename), st->Url());
  EXPECT_FALSE(Form1->Opening());
}

TEST_F(StationRoad, ACloseWhileTheRecordingReconnectsFollowsAtOnceAndOnlyOnce) {
  auto st = Station(Titled(4));
  bool refused = false;
  WhileTheWatchdogReopens(st->Url("/silent"), [&] { refused = !Form1->CloseQuery(); });
  EXPECT_TRUE(refused);
  EXPECT_TRUE(WaitFor([] { return g_log.closes == 1; }, 2));
  // Nothing of it is left for a later opening to replay.
  Play(1, "2 Вторая", st->Url());
  ASSERT_NE(CurrentStream.load(), 0u);
  WaitFor([] { return false; }, 0.5);
  EXPECT_EQ(g_log.closes, 1);
}

// What the screen shows of the main window's client rectangle R.
std::vector<COLORREF> Pixels(const TRect& R) {
  POINT o{0, 0};
  ClientToScreen(Form1->Handle(), &o);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> out;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) out.push_back(GetPixel(screen, o.x + x, o.y + y));
  ReleaseDC(nullptr, screen);
  return out;
}

TEST_F(StationRoad, AnAmpersandInTheTitleAndTheStationLineShowsAsSent) {
  teststation::StationConfig cfg = Titled(4);
  cfg.titles = {"Rock & Roll"};
  auto st = Station(cfg);
  Play(0, "1 R&B & Soul", st->Url());
  ASSERT_TRUE(WaitFor([] { return CurTitle == "Rock & Roll"; }, 10)) << CurTitle;
  // A still picture: no stream, the bars down, a fixed status.
  BASS_StreamFree(CurrentStream.exchange(0));
  for (int frame = 0; frame < 100; ++frame) Form1->DrawSpectrum(true);
  Form1->Perform(WM_STREAM_INFO, kInfoBuffering, 100);
  Screenshot(Form1->Handle(), "Form1_ampersand.bmp");
  auto around = [](TLabel* l) {
    return TRect{l->Left(), l->Top(), l->Left() + 200, l->Top() + l->Height()};
  };
  const TRect titleAt = around(Form1->Label2), lineAt = around(Form1->Label14);
  const std::vector<COLORREF> title = Pixels(titleAt), line = Pixels(lineAt);
  // The look of "&" shown as it is: the same texts with the "&" doubled in
  // a label that reads access keys.
  Form1->Label2->SetShowAccelChar(true);
  Form1->Label14->SetShowAccelChar(true);
  Form1->Label2->SetCaption("Rock && Roll");
  Form1->Label14->SetCaption("1 R&&B && Soul");
  testinput::Pump(200);
  EXPECT_TRUE(title == Pixels(titleAt));
  EXPECT_TRUE(line == Pixels(lineAt));
}

TEST_F(StationRoad, ClosingWhileTitlesArriveNeitherHangsNorCrashes) {
  teststation::StationConfig cfg = Titled(4);
  cfg.metaint = 1000;
  cfg.title_seconds = 0.05;
  for (int round = 0; round < 3; ++round) {
    auto st = Station(cfg);
    Play(0, "1 Быстрые названия", st->Url());
    ASSERT_NE(CurrentStream.load(), 0u);
    const size_t before = g_log.entries.size();
    WaitFor([&] { return g_log.entries.size() > before + 5; }, 5);
    EXPECT_TRUE(Form1->CloseQuery()); // frees the library while titles are sent
    const size_t after = g_log.entries.size();
    WaitFor([] { return false; }, 0.3);
    EXPECT_EQ(g_log.entries.size(), after); // no title once the library is free
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, Form1->Handle(), nullptr));
  }
}

TEST_F(StationRoad, FreeingTheWindowWhileTitlesArriveStopsTheLibraryFirst) {
  teststation::StationConfig cfg = Titled(4);
  cfg.metaint = 1000;
  cfg.title_seconds = 0.05;
  auto st = Station(cfg);
  Play(0, "1 Быстрые названия", st->Url());
  ASSERT_NE(CurrentStream.load(), 0u);
  const size_t before = g_log.entries.size();
  WaitFor([&] { return g_log.entries.size() > before + 5; }, 5);
  RemoveWindowSubclass(Form1->Handle(), Watch, 1);
  Form1->Free(); // no close first: the window goes with the library running
  Form1 = nullptr;
  EXPECT_EQ(CurrentStream.load(), 0u);
  EXPECT_FALSE(BASS_Free()); // already freed
  WaitFor([] { return false; }, 0.3);
  SetUp(); // a window for the rest of the test's life
}

TEST_F(StationRoad, ADownloadThatStallsBelowTheMarkEndsTheWaitWhileTheWindowGoesOn) {
  // The library ends a download that stays silent past its time-out and then
  // reports the buffer full; the wait ends there, long before its own bound.
  teststation::StationConfig cfg = Titled(4);
  cfg.stall_after_bytes = 16000; // a fifth of the five-second buffer
  auto st = Station(cfg);
  int ticks = 0;
  TTimer counter(nullptr);
  counter.SetInterval(100);
  counter.OnTimer = [&](TObject*) { ++ticks; };
  Play(0, "1 Застряла", st->Url("/stall"));
  int highest = 0;
  bool stalled_low = false;
  for (const auto& e : g_log.entries)
    if (e.code == kInfoBuffering) {
      stalled_low = stalled_low || (e.value > 0 && e.value <= 25);
      highest = std::max(highest, static_cast<int>(e.value));
    }
  EXPECT_TRUE(stalled_low);
  EXPECT_GT(highest, 75);
  EXPECT_GT(ticks, 5); // the window went on while it waited
  EXPECT_FALSE(Form1->Opening());
}

TEST_F(StationRoad, MinimiseHidesToTheTrayAndShowBringsItBack) {
  Form1->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(IsIconic(Form1->Handle()));
  Form1->N1Click(nullptr);
  EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST_F(StationRoad, WhileAFileIsRecordedClosingAndSwitchingAreRefused) {
  auto st = Station(Titled(4));
  Play(0, "1 Запись", st->Url());
  ASSERT_NE(CurrentStream.load(), 0u);
  ASSERT_TRUE(Recorder().Start(RecordChoice{}));
  ASSERT_TRUE(WaitFor([] { return Recorder().FileInProgress(); }, 5));
  BoxRecorder boxes;
  EXPECT_FALSE(Form1->CloseQuery());
  Play(1, "2 Другая", st->Url());
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_EQ(boxes.texts[0], "Включена запись,выключите запись,затем закрывайте программу");
  EXPECT_EQ(boxes.texts[1], "Выключите запись канала,затем можете переключиться на другой канал");
  EXPECT_EQ(PlayingIndex, 0);
  EXPECT_NE(CurrentStream.load(), 0u);
  Recorder().Stop();
  EXPECT_TRUE(Form1->CloseQuery());
}

TEST_F(StationRoad, VolumeHeldStopsAtItsEnds) {
  Volume = 99;
  Form1->Label7MouseDown(nullptr, mbLeft, {}, 0, 0);
  Form1->Timer5Timer(nullptr);
  EXPECT_EQ(Volume, 100);
  Form1->Timer5Timer(nullptr);
  EXPECT_EQ(Volume, 100);
  EXPECT_EQ(Form1->Label9->Caption(), "100");
  Form1->Label7MouseUp(nullptr, mbLeft, {}, 0, 0);
  Volume = 0;
  Form1->Label8MouseDown(nullptr, mbLeft, {}, 0, 0);
  Form1->Timer5Timer(nullptr);
  EXPECT_EQ(Volume, 0);
  Form1->Label8MouseUp(nullptr, mbLeft, {}, 0, 0);
  Form1->Timer5Timer(nullptr);
  Form1->Label7Click(nullptr);
  EXPECT_EQ(Volume, 1);
  EXPECT_EQ(Form1->Label9->Caption(), "1");
  Volume = 5;
}

} // namespace
