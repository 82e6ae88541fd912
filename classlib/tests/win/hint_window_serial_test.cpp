// The hint window as a tip: the room a text takes (one line when it fits,
// broken into lines no wider than the width given, a word too long for a
// line broken too), shown there without taking the activation and kept
// whole on the screen, painted on
// its colour inside its frame, and its window given up and made again.
// Serial: it reads the foreground window, which another test's window shown
// on the same desktop at the same time would take.
#include <gtest/gtest.h>

#include <string>

#include "classlib/Forms.h"
#include "classlib/HintWindow.h"
#include "classlib/tests/app_pump.h"

namespace {

struct HintWindow : ::testing::Test {
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    hint = new THintWindow(Application);
    hint->Font()->SetName("Tahoma");
    hint->Font()->SetHeight(-11);
    hint->Font()->SetColor(clNavy);
    hint->SetColor(clYellow);
  }
  void TearDown() override { hint->Free(); }
  // One line of the text in the hint's font.
  TSize Line(const std::string& Text) {
    HDC dc = GetDC(nullptr);
    TCanvas c;
    c.SetHandle(dc);
    c.Font()->Assign(hint->Font());
    const TSize s = c.TextExtent(Text);
    c.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return s;
  }
  THintWindow* hint = nullptr;
};

TEST_F(HintWindow, TheTextsRoomIsAtMostTheWidthGiven) {
  const std::string shortText = "Kino - Gruppa krovi.mp3";
  const TSize line = Line(shortText);
  TRect r = hint->CalcHintRect(400, shortText, nullptr);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(r.Top, 0);
  EXPECT_EQ(r.Width(), line.cx + 8); // 3 at the left, 5 at the right
  EXPECT_EQ(r.Height(), line.cy + 4);

  std::string longText;
  for (int i = 0; i < 12; ++i) longText += "Kino - Gruppa krovi ";
  r = hint->CalcHintRect(200, longText, nullptr);
  EXPECT_LE(r.Width(), 200);
  EXPECT_GT(r.Width(), 150); // the lines are filled
  EXPECT_GE(r.Height(), 3 * line.cy + 4);
  // One word longer than the line breaks inside.
  const std::string word(120, 'W');
  r = hint->CalcHintRect(200, word, nullptr);
  EXPECT_LE(r.Width(), 200);
  EXPECT_GT(r.Height(), line.cy + 4);
}

TEST_F(HintWindow, ShownWithoutActivationAndGivenUp) {
  auto* form = new TForm(Application);
  form->SetBounds(50, 50, 300, 200);
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump(100);
  const std::string text = "Записано целиком";
  const TRect room = hint->CalcHintRect(300, text, nullptr);
  hint->ActivateHint(Bounds(120, 140, room.Width(), room.Height()), text);
  Pump(100);
  ASSERT_TRUE(hint->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_EQ(hint->HintText(), text);
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
  RECT w;
  GetWindowRect(hint->Handle(), &w);
  EXPECT_EQ(w.left, 120);
  EXPECT_EQ(w.top, 140);
  EXPECT_EQ(w.right - w.left, room.Width());
  // Its colour, the frame in the font's colour, the text inside.
  UpdateWindow(hint->Handle());
  HDC dc = GetDC(hint->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), ColorToRGB(clNavy));
  EXPECT_EQ(GetPixel(dc, 1, 1), ColorToRGB(clYellow));
  int ink = 0;
  for (int y = 2; y < room.Height() - 2; ++y)
    for (int x = 3; x < room.Width() - 5; ++x) ink += GetPixel(dc, x, y) != ColorToRGB(clYellow);
  ReleaseDC(hint->Handle(), dc);
  EXPECT_GT(ink, 20);

  // Past the screen's right and bottom edges it moves in, whole.
  RECT wa;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  hint->ActivateHint(Bounds(wa.right - 30, wa.bottom - 5, room.Width(), room.Height()), text);
  Pump(50);
  GetWindowRect(hint->Handle(), &w);
  EXPECT_EQ(w.right, wa.right);
  EXPECT_EQ(w.bottom, wa.bottom);
  EXPECT_EQ(w.right - w.left, room.Width());

  hint->ReleaseHandle();
  EXPECT_FALSE(hint->HandleAllocated());
  EXPECT_FALSE(hint->Visible());
  hint->ActivateHint(Bounds(10, 10, 80, 20), text);
  Pump(50);
  ASSERT_TRUE(hint->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  hint->ReleaseHandle();
  form->Free();
}

} // namespace
