// The equaliser window under Wine against the test station: its bars shape
// the playing stream (seen in the stream's own spectrum through the library),
// hidden bars do nothing, positions set before any station plays reach the
// next stream, and flat bars give ten flat bands.
#include <gtest/gtest.h>

#include <cmath>

#include "components/Magnetic.h"
#include "player/Unit2.h"
#include "classlib/tests/controls_test_input.h"
#include "player/tests/win/PlayerStation.h"

namespace {

constexpr double kToneHz = 310.0; // band 3's centre

class Equalizer : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Form2 = New<TForm2>(Application);
  }
  void TearDown() override {
    if (Form2) Form2->Free();
    MainWindowFixture::TearDown();
  }
  static BASS_DX8_PARAMEQ Band(int n) {
    BASS_DX8_PARAMEQ p{-1, -1, -1};
    EXPECT_TRUE(BASS_FXGetParameters(EqEffects[n], &p)) << "band " << n;
    return p;
  }
  // The stream's magnitude around the tone, averaged over a few reads.
  static double ToneLevel() {
    const int bin = static_cast<int>(std::lround(kToneHz * 2048 / 44100));
    double sum = 0;
    for (int i = 0; i < 5; ++i) {
      float fft[2048] = {};
      BASS_ChannelGetData(CurrentStream, fft, BASS_DATA_FFT2048);
      sum += fft[bin - 1] + fft[bin] + fft[bin + 1];
      Pump(30);
    }
    return sum / 5;
  }
  // Waits until the tone's level settles at a share of `base` on one side.
  static bool ToneBecomes(double base, bool louder, double factor) {
    return PumpUntil(
        [&] {
          double l = ToneLevel();
          return louder ? l > base * factor : l < base * factor;
        },
        8);
  }
  std::unique_ptr<teststation::TestStation> station_ =
      StartTestStation(teststation::MakeSineMp3(4.0, 128, 44100, 2, kToneHz, 0.1));
};

TEST_F(Equalizer, WindowAndBars) {
  Form2->Show();
  EXPECT_EQ(WindowText(Form2->Handle()), L"Эквалайзер");
  RECT r;
  GetClientRect(Form2->Handle(), &r);
  EXPECT_EQ(r.right, 338);
  EXPECT_EQ(r.bottom, 170);
  EXPECT_TRUE(GetWindowLongPtrW(Form2->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  for (int n = 1; n <= 18; ++n) {
    skins::TsTrackBar* bar = Form2->Bar(n);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Left(), 16 + 32 * (n - 1));
    EXPECT_EQ(bar->Position(), 15);
    EXPECT_EQ(bar->Max(), 30);
    EXPECT_EQ(bar->Orientation(), trVertical);
    EXPECT_EQ(bar->Visible(), n <= 10) << n;
    EXPECT_EQ(bar->Hint(), EqBarHint(n));
  }
  EXPECT_EQ(Form2->eq1->Hint(), "80\xE3\xF6");
  EXPECT_GE(MagneticInstance->IndexOfWindow(Form2->Handle()), 0); // snaps, glued to the main window
  // Opened from the main window, it stands beside it.
  Form1->Label15Click(Form1->Label15);
  Pump(100);
  EXPECT_EQ(Form2->Left(), Form1->Left() + Form1->Width());
  EXPECT_EQ(Form2->Top(), Form1->Top());
  EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
  Screenshot(Form2->Handle(), "Form2_equaliser.bmp");
}

TEST_F(Equalizer, BarMovedBeforeAnyStationReachesTheNextStream) {
  BoxRecorder boxes;
  Form2->eq3->SetPosition(0);  // no stream: nothing to change, no complaint
  Form2->eq12->SetPosition(3); // hidden
  EXPECT_TRUE(boxes.texts.empty());
  ASSERT_TRUE(Play(station_->Url()));
  EXPECT_FLOAT_EQ(Band(3).fGain, 15.0f);
  EXPECT_FLOAT_EQ(Band(3).fCenter, 310.0f);
  for (int n : {1, 2, 4, 5, 6, 7, 8, 9, 10}) EXPECT_FLOAT_EQ(Band(n).fGain, 0.0f) << n;
  EXPECT_EQ(EqEffects[11], 0u);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Equalizer, FlatBarsGiveTenFlatBands) {
  ASSERT_TRUE(Play(station_->Url()));
  const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
  for (int n = 1; n <= 10; ++n) {
    BASS_DX8_PARAMEQ p = Band(n);
    EXPECT_FLOAT_EQ(p.fCenter, centres[n - 1]);
    EXPECT_FLOAT_EQ(p.fBandwidth, 10.0f);
    EXPECT_FLOAT_EQ(p.fGain, 0.0f);
  }
}

TEST_F(Equalizer, BarsShapeThePlayingStream) {
  ASSERT_TRUE(Play(station_->Url()));
  Pump(300);
  const double flat = ToneLevel();
  ASSERT_GT(flat, 0.01);

  Form2->eq3->SetPosition(0); // +15 dB at the tone
  EXPECT_FLOAT_EQ(Band(3).fGain, 15.0f);
  EXPECT_TRUE(ToneBecomes(flat, true, 3.0)) << "flat " << flat << " now " << ToneLevel();

  Form2->eq3->SetPosition(30); // -15 dB
  EXPECT_FLOAT_EQ(Band(3).fGain, -15.0f);
  EXPECT_TRUE(ToneBecomes(flat, false, 0.35)) << "flat " << flat << " now " << ToneLevel();

  // A band far from the tone barely touches it.
  Form2->eq3->SetPosition(15);
  Form2->eq9->SetPosition(0);
  EXPECT_TRUE(ToneBecomes(flat, true, 0.8));
  const double other = ToneLevel();
  EXPECT_LT(other, flat * 1.25);
  EXPECT_FLOAT_EQ(Band(9).fGain, 15.0f);
  EXPECT_FLOAT_EQ(Band(3).fGain, 0.0f);
}

TEST_F(Equalizer, DraggingABarMovesItsBandAndItsHintShows) {
  ASSERT_TRUE(Play(station_->Url()));
  Application->HintPause = 30;
  Application->HintHidePause = 5000;
  Form2->Show();
  testinput::Activate(Form2->Handle());
  Pump(300);
  skins::TsTrackBar* bar = Form2->eq3;
  // The pointer rests on the bar: it turns hot and its hint shows.
  testinput::MoveTo(bar->Handle(), 3, 40);
  Pump(100);
  testinput::MoveTo(bar->Handle(), 2, 40);
  Pump(500);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint));
  EXPECT_EQ(bar->Hint(), "310\xE3\xF6");
  // It stands by the pointer, below the bar's top.
  RECT hr{};
  GetWindowRect(hint, &hr);
  const TPoint at = bar->ClientToScreen(Point(2, 40));
  EXPECT_LT(std::abs(hr.left - at.X), 40);
  EXPECT_GT(hr.top, at.Y);
  Screenshot(Form2->Handle(), "Form2_equaliser_hot.bmp");
  // Drag the thumb to the top: +15 dB (the hint gone first, so that it
  // cannot take the press).
  testinput::MoveTo(Form2->Handle(), 330, 5);
  Pump(200);
  RECT t{};
  SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  const int x = (t.left + t.right) / 2;
  testinput::MouseDown(bar->Handle(), x, (t.top + t.bottom) / 2);
  Pump(80);
  for (int y = (t.top + t.bottom) / 2; y >= -20; y -= 15) {
    testinput::MoveTo(bar->Handle(), x, y);
    Pump(40);
  }
  testinput::MouseUp();
  Pump(200);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_FLOAT_EQ(Band(3).fGain, 15.0f);
  // Paints stop once the window has settled.
  testinput::MoveTo(Form2->Handle(), 300, 5);
  Pump(500);
}

TEST_F(Equalizer, HiddenBarsChangeNothing) {
  ASSERT_TRUE(Play(station_->Url()));
  Form2->eq4->SetPosition(10);
  BASS_DX8_PARAMEQ before[11];
  for (int n = 1; n <= 10; ++n) before[n] = Band(n);
  Pump(300);
  const double level = ToneLevel();
  BoxRecorder boxes;
  for (int n = 11; n <= 18; ++n) Form2->Bar(n)->SetPosition(0);
  for (int n = 1; n <= 10; ++n) {
    BASS_DX8_PARAMEQ p = Band(n);
    EXPECT_EQ(p.fGain, before[n].fGain) << n;
    EXPECT_EQ(p.fCenter, before[n].fCenter) << n;
  }
  Pump(300);
  const double after = ToneLevel();
  EXPECT_GT(after, level * 0.8);
  EXPECT_LT(after, level * 1.25);
  EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Equalizer, ANewStreamTakesTheBarsAndTheOldEffectsAreGone) {
  ASSERT_TRUE(Play(station_->Url()));
  const HFX old3 = EqEffects[3];
  Form2->eq5->SetPosition(25);
  ASSERT_TRUE(Play(station_->Url()));
  EXPECT_NE(EqEffects[3], old3);
  BASS_DX8_PARAMEQ p{};
  EXPECT_FALSE(BASS_FXGetParameters(old3, &p)); // freed with its stream
  EXPECT_FLOAT_EQ(Band(5).fGain, -10.0f);
  // A change after the stream went away goes nowhere and says nothing.
  BASS_StreamFree(CurrentStream.exchange(0));
  BoxRecorder boxes;
  Form2->eq5->SetPosition(0);
  EXPECT_TRUE(boxes.texts.empty());
}

} // namespace
