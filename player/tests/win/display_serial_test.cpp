// The main window's live display under Wine against the test station, read
// from the screen: the spectrum and the level meters move while a station
// plays, sink to the floor while a station change is pending and once the
// stream has stopped, and "Включена запись" shows at (380, 5) while
// recording. Reads the screen, so it runs alone.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"
#include "classlib/Bitmap.h"

#include <vector>

#include "classlib/ExtCtrls.h"
#include "player/SpectrumCore.h"
#include "player/tests/win/PlayerStation.h"

namespace {

using testinput::Activate;

// What the screen shows of the paint box: 24-bit pixels, top-down.
struct BoxPixels {
  int w = 0, h = 0;
  std::vector<uint32_t> px; // 0x00RRGGBB
  uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  int Count(uint32_t rgb) const {
    int n = 0;
    for (uint32_t p : px) n += p == rgb;
    return n;
  }
  int CountIn(int l, int t, int r, int b, bool (*match)(uint32_t)) const {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += match(At(x, y));
    return n;
  }
};

BoxPixels Grab() {
  TPaintBox* box = Form1->PaintBox1;
  BoxPixels out;
  out.w = box->Width();
  out.h = box->Height();
  HDC screen = GetDC(Form1->Handle());
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = classlib::CreateTopDownDib(out.w, out.h, 32, &bits);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, out.w, out.h, screen, box->Left(), box->Top(), SRCCOPY);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  out.px.assign(p, p + static_cast<size_t>(out.w) * out.h);
  for (uint32_t& v : out.px) v &= 0xFFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(Form1->Handle(), screen);
  return out;
}

constexpr uint32_t kBar = 0x80C8FF, kCap = 0xFFFF00, kFrame = 0xC0C0C0; // as 0xRRGGBB
// The recording text's colour, RGB(255, 128, 200), also where its edges are
// blended with the black or the bars beneath.
bool Pinkish(uint32_t p) {
  const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r > 0x60 && r - g > 0x30 && b > g;
}

class LiveDisplay : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Activate(Form1->Handle());
    Pump(100);
  }
  void TearDown() override {
    Recorder().Stop();
    MainWindowFixture::TearDown();
  }
  std::unique_ptr<teststation::TestStation> station_ =
      StartTestStation(teststation::MakeMelodyMp3(6.0, 128));
  // Bars shown at all, and the meters above zero.
  static bool Moving() {
    return Grab().Count(kBar) > 50 && Form1->LEDMeter1->Position() > 0 &&
           Form1->LEDMeter2->Position() > 0;
  }
  static bool Floor() {
    BoxPixels p = Grab();
    return p.Count(kBar) == 0 && p.Count(kCap) == 0 && Form1->LEDMeter1->Position() == 0 &&
           Form1->LEDMeter2->Position() == 0;
  }
};

TEST_F(LiveDisplay, MovesWhilePlaying) {
  EXPECT_TRUE(Floor());
  ASSERT_TRUE(Play(station_->Url()));
  ASSERT_TRUE(PumpUntil(Moving, 5));
  BoxPixels a = Grab();
  EXPECT_EQ(a.At(0, 0), kFrame);
  EXPECT_EQ(a.At(a.w - 1, 10), kFrame);
  EXPECT_EQ(a.At(200, 1), 0u);
  EXPECT_GT(a.Count(kCap), 0);
  // Caps stand above their bars: no cap pixel has a bar right above it.
  for (int x = 0; x < a.w; ++x)
    for (int y = 1; y < a.h; ++y)
      if (a.At(x, y) == kCap) { ASSERT_NE(a.At(x, y - 1), kBar) << x << "," << y; }
  // The melody changes from note to note, and so does the picture.
  EXPECT_TRUE(PumpUntil([&] { return Grab().px != a.px; }, 3));
  Screenshot(Form1->Handle(), "Form1_spectrum.bmp");
}

TEST_F(LiveDisplay, SinksWhileAStationChangeIsPending) {
  ASSERT_TRUE(Play(station_->Url()));
  ASSERT_TRUE(PumpUntil(Moving, 5));
  // The next station never answers: the opening waits for the time-out, and
  // meanwhile the display must reach the floor. Looked at from a timer,
  // since the pick keeps the window's messages moving until it gives up.
  bool floor_seen = false, looked = false;
  TTimer look(nullptr);
  look.SetInterval(900);
  look.OnTimer = [&](TObject*) {
    look.SetEnabled(false);
    looked = true;
    floor_seen = Floor() && CurrentStream == 0;
  };
  Form1->PlayStation(1, TStationEntry{0, "2 Silent", station_->Url("/silent")});
  EXPECT_TRUE(looked);
  EXPECT_TRUE(floor_seen);
  EXPECT_EQ(CurrentStream, 0u);
  Pump(200);
  EXPECT_TRUE(Floor());
}

TEST_F(LiveDisplay, SinksOnceTheStreamStops) {
  ASSERT_TRUE(Play(station_->Url()));
  ASSERT_TRUE(PumpUntil(Moving, 5));
  station_->Stop(); // the buffer plays out, then the stream stops
  ASSERT_TRUE(
      PumpUntil([] { return BASS_ChannelIsActive(CurrentStream) != BASS_ACTIVE_PLAYING; }, 20));
  EXPECT_TRUE(PumpUntil(Floor, 2));
  EXPECT_NE(CurrentStream, 0u);
}

TEST_F(LiveDisplay, RecordingTextOverTheBars) {
  ASSERT_TRUE(Play(station_->Url()));
  ASSERT_TRUE(PumpUntil(Moving, 5));
  BoxPixels p = Grab();
  EXPECT_EQ(p.CountIn(0, 0, p.w, p.h, Pinkish), 0);
  ASSERT_TRUE(Recorder().Start(RecordChoice{}));
  Pump(100);
  p = Grab();
  const int inside = p.CountIn(380, 5, 480, 20, Pinkish);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(p.CountIn(0, 0, p.w, p.h, Pinkish), inside); // nowhere else
  Screenshot(Form1->Handle(), "Form1_recording.bmp");
  Recorder().Stop();
  Pump(100);
  p = Grab();
  EXPECT_EQ(p.CountIn(0, 0, p.w, p.h, Pinkish), 0);
}

TEST_F(LiveDisplay, TheTextGoesAwayWithTheStreamGoneToo) {
  // Recording switched off while no stream is open still clears the text.
  ASSERT_TRUE(Recorder().Start(RecordChoice{}));
  Form1->DrawSpectrum(true);
  Pump(100);
  BoxPixels p = Grab();
  EXPECT_GT(p.CountIn(380, 5, 480, 20, Pinkish), 20);
  Recorder().Stop();
  Pump(100);
  p = Grab();
  EXPECT_EQ(p.CountIn(0, 0, p.w, p.h, Pinkish), 0);
}

TEST_F(LiveDisplay, OnlyWhatChangedIsShownAgain) {
  // The spectrum timer runs a hundred times a second: a frame like the last
  // one asks for no repaint, and a changed one only for its columns.
  HWND wnd = Form1->Handle();
  Form1->Timer2->SetEnabled(false); // the frames below are the only ones
  Form1->DrawSpectrum(true);
  Pump(50);
  RECT r;
  Form1->DrawSpectrum(true); // the floor again
  EXPECT_FALSE(GetUpdateRect(wnd, &r, FALSE));
  FftBuffer[kFftFirstBin + 10] = 0.5f; // band 10: up to the ceiling
  Form1->DrawSpectrum(false);
  ASSERT_TRUE(GetUpdateRect(wnd, &r, FALSE));
  TPaintBox* box = Form1->PaintBox1;
  const int x = box->Left() + SpectrumBandLeft(10);
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.right, x + kSpectrumBarWidth);
  EXPECT_EQ(r.top, box->Top());
  EXPECT_EQ(r.bottom, box->Top() + box->Height());
  Pump(50);
  // What the screen shows is the whole picture, with the new bar in place.
  BoxPixels p = Grab();
  EXPECT_EQ(p.At(SpectrumBandLeft(10), p.h - 10), kBar);
  EXPECT_EQ(p.At(SpectrumBandLeft(10), p.h - BarMax), kCap);
  EXPECT_EQ(p.At(0, 0), kFrame);
  EXPECT_EQ(p.At(SpectrumBandLeft(20), p.h - 10), 0u);
  // The bar sinks frame by frame, each frame shown, then settles.
  for (int frame = 0; frame < BarMax + 5; ++frame) {
    Form1->DrawSpectrum(true);
    Pump(5);
  }
  Form1->DrawSpectrum(true);
  EXPECT_FALSE(GetUpdateRect(wnd, &r, FALSE));
  EXPECT_TRUE(Floor());
}

} // namespace
