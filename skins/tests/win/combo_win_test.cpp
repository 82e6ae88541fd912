// The skinned combo box on real windows with real input (SendInput): a
// focused drop-down list on the highlight colour inside its focus
// rectangle; the list opened by a click, by Alt+Down and by F4, the glyph
// in frame 2 while it is open; the grey look of a disabled combo; items
// chosen by keys changing Text and firing OnChange once each; the glyph
// modes (Blend, Grayed, an own glyph) on the painted glyph. Pixels are read
// from the screen. A screenshot of the form is kept in the build folder as
// skins_combo.bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sCustomComboBox.h"
#include "skins/sPictures.h"

namespace {

using skins::TsComboBox;

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}
Rgb RgbOfColor(TColor c) {
  const COLORREF v = static_cast<COLORREF>(ColorToRGB(c));
  return Rgb{GetRValue(v), GetGValue(v), GetBValue(v)};
}
bool Near(Rgb a, Rgb b, int tolerance = 2) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

// The pixels of a control as the screen shows them.
class ScreenShot {
 public:
  explicit ScreenShot(TWinControl* c) : bmp_(c->Width(), c->Height()) {
    RECT r;
    GetWindowRect(c->Handle(), &r);
    HDC screen = GetDC(nullptr);
    BitBlt(bmp_.Canvas()->Handle(), 0, 0, c->Width(), c->Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
  }
  Rgb At(int x, int y) {
    const uint8_t* p = bmp_.ScanLine(y) + x * 3;
    return Rgb{p[2], p[1], p[0]};
  }

 private:
  TBitmap bmp_;
};

// What frame `frame` of a glyph strip looks like over `back`: each channel
// ((d - c) * a + 256 * c) div 256 with colour c from the upper half and
// weight a half a strip lower; magenta leaves the background; then the tint
// factor towards the background.
Rgb ExpectedGlyphPixel(TBitmap* strip, int frame, int x, int y, Rgb back, double tint) {
  const int fw = strip->Width() / 3, fh = strip->Height() / 2;
  const uint8_t* c = strip->ScanLine(y) + (frame * fw + x) * 3;
  const uint8_t* a = strip->ScanLine(y + fh) + (frame * fw + x) * 3;
  if (c[2] == 255 && c[1] == 0 && c[0] == 255) return back;
  auto mix = [](int d, int c, int a) { return ((d - c) * a + 256 * c) / 256; };
  Rgb p{mix(back.r, c[2], a[2]), mix(back.g, c[1], a[1]), mix(back.b, c[0], a[0])};
  auto tinted = [tint](int v, int base) { return static_cast<int>(tint * (v - base) + base); };
  return Rgb{tinted(p.r, back.r), tinted(p.g, back.g), tinted(p.b, back.b)};
}

// How many pixels of the combo's glyph rectangle differ from the frame as
// expected (0: the frame is shown as expected).
int GlyphMismatches(TsComboBox* combo, TBitmap* strip, int frame, double tint = 1.0) {
  const int fw = strip->Width() / 3, fh = strip->Height() / 2;
  const int left = combo->Width() - fw - 3, top = (combo->Height() - fh) / 2;
  const Rgb back = RgbOfColor(static_cast<TColor>(combo->sStyle()->GetColor()));
  ScreenShot shot(combo);
  int bad = 0;
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      if (top + y < 0 || top + y >= combo->Height()) continue;
      if (!Near(shot.At(left + x, top + y), ExpectedGlyphPixel(strip, frame, x, y, back, tint), 3))
        ++bad;
    }
  return bad;
}

void AltDown() {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VK_MENU;
  SendInput(1, &in, sizeof(in));
  testinput::Key(VK_DOWN);
  in.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof(in));
  Pump(200);
}

class ComboForm : public TForm {
 public:
  using TForm::TForm;
  TsComboBox* list = nullptr;   // a drop-down list, the bitrates
  TsComboBox* editable = nullptr;
  TButton* other = nullptr;
  int changes = 0;

 protected:
  void CreateLayout() override {
    SetCaption("Korvalis — выпадающие списки");
    SetBorderStyle(bsSingle);
    SetBounds(40, 40, 100, 100);
    SetClientSize(300, 160);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    other = new TButton(this);
    other->SetParent(this);
    other->SetBounds(190, 16, 90, 25);
    other->SetCaption("Другое");
    list = new TsComboBox(this);
    list->SetParent(this);
    list->SetBounds(16, 16, 121, 21);
    list->SetStyle(csDropDownList);
    for (const char* b : {"96", "128", "192", "224", "256", "320"}) list->Items()->Add(b);
    list->SetItemIndex(0);
    editable = new TsComboBox(this);
    editable->SetParent(this);
    editable->SetBounds(16, 60, 160, 21);
    editable->Items()->Add("Радио");
    editable->SetText("Радио");
  }
  void Loaded() override {
    TForm::Loaded();
    list->OnChange = [this](TObject*) { ++changes; };
  }
};

class Combo : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<ComboForm>(Application);
    form_->Show();
    testinput::Activate(form_->Handle());
    Pump(400);
  }
  static void TearDownTestSuite() {
    if (form_) form_->Free();
    form_ = nullptr;
  }
  void SetUp() override {
    testinput::MoveTo(form_->Handle(), 250, 140); // over nothing
    form_->other->SetFocus();
    Pump(200);
  }
  static TBitmap* Strip() { return skins::BuiltinPicture("COMBO"); }
  static ComboForm* form_;
};
ComboForm* Combo::form_ = nullptr;

TEST_F(Combo, FocusedListShowsItsTextOnTheHighlightInsideAFocusRectangle) {
  TsComboBox* c = form_->list;
  const skins::TComboGeometry g{c->Width(), c->Height(), Strip()->Width() / 3,
                                Strip()->Height() / 2};
  const TRect hi = g.Highlight();
  // Right of the text, inside the face.
  const int x = hi.Right - 3, y = (hi.Top + hi.Bottom) / 2;
  {
    ScreenShot shot(c);
    EXPECT_EQ(shot.At(x, y), RgbOfColor(static_cast<TColor>(c->sStyle()->GetColor())));
    EXPECT_EQ(GlyphMismatches(c, Strip(), 0), 0);
  }
  testinput::Key(VK_TAB); // from the button to the list
  Pump(200);
  ASSERT_TRUE(c->Focused());
  EXPECT_FALSE(c->ListOpen());
  ScreenShot shot(c);
  EXPECT_EQ(shot.At(x, y), RgbOfColor(clHighlight));
  // The focus rectangle's dots lie on its edge, not on the face beside it.
  const TRect f = g.FocusRect();
  int dots = 0;
  for (int px = f.Left; px < f.Right; ++px)
    if (!(shot.At(px, f.Top) == shot.At(px, f.Top + 2))) ++dots;
  EXPECT_GT(dots, (f.Right - f.Left) / 4);
  // The text itself is in the highlight text colour.
  int text = 0;
  for (int px = hi.Left; px < hi.Right; ++px)
    for (int py = hi.Top; py < hi.Bottom; ++py)
      if (shot.At(px, py) == RgbOfColor(clHighlightText)) ++text;
  EXPECT_GT(text, 5);
  // Focused is hot: frame 1.
  EXPECT_EQ(GlyphMismatches(c, Strip(), 1), 0);
  RECT r;
  GetWindowRect(form_->Handle(), &r);
  HDC screen = GetDC(nullptr);
  test_support::SaveDcBmp(screen, r.left, r.top, r.right - r.left, r.bottom - r.top,
                          L"skins_combo.bmp");
  ReleaseDC(nullptr, screen);
  form_->other->SetFocus();
  Pump(200);
  EXPECT_EQ(ScreenShot(c).At(x, y), RgbOfColor(static_cast<TColor>(c->sStyle()->GetColor())));
}

TEST_F(Combo, OpensByClickAltDownAndF4WithTheGlyphPressedWhileOpen) {
  TsComboBox* c = form_->list;
  // Hovering: frame 1.
  testinput::MoveTo(c->Handle(), 20, 10);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 1), 0);

  testinput::Click(c->Handle(), c->Width() - 10, c->Height() / 2);
  Pump(250);
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_TRUE(c->ListOpen());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 2), 0);
  testinput::Key(VK_ESCAPE);
  Pump(200);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_FALSE(c->ListOpen());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 1), 0); // focused now

  AltDown();
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 2), 0);
  testinput::Key(VK_ESCAPE);
  Pump(200);
  EXPECT_FALSE(c->DroppedDown());

  testinput::Key(VK_F4);
  Pump(200);
  ASSERT_TRUE(c->DroppedDown());
  EXPECT_TRUE(c->ListOpen());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 2), 0);
  testinput::Key(VK_F4);
  Pump(200);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->GetText(), "96"); // opening and closing chose nothing
  EXPECT_EQ(form_->changes, 0);
}

TEST_F(Combo, ItemsChosenByKeysChangeTextAndFireOnChangeOnce) {
  TsComboBox* c = form_->list;
  c->SetFocus();
  Pump(150);
  const int n = form_->changes;
  testinput::Key(VK_DOWN); // closed: the next item at once
  Pump(150);
  EXPECT_EQ(c->GetText(), "128");
  EXPECT_EQ(form_->changes, n + 1);
  testinput::Key(VK_F4);
  Pump(150);
  testinput::Key(VK_DOWN);
  testinput::Key(VK_DOWN);
  testinput::Key(VK_RETURN);
  Pump(200);
  EXPECT_FALSE(c->DroppedDown());
  EXPECT_EQ(c->GetText(), "224");
  EXPECT_EQ(c->ItemIndex(), 3);
  EXPECT_EQ(form_->changes, n + 3) << "one for each item passed";
  testinput::Key(VK_HOME);
  Pump(150);
  EXPECT_EQ(c->GetText(), "96");
  // Setting from code fires nothing.
  const int m = form_->changes;
  c->SetItemIndex(2);
  EXPECT_EQ(c->GetText(), "192");
  EXPECT_EQ(form_->changes, m);
  c->SetItemIndex(0);
  Pump(100);
}

TEST_F(Combo, DisabledIsGreyAndItsGlyphAQuarterTowardsTheFace) {
  TsComboBox* c = form_->list;
  c->SetEnabled(false);
  Pump(200);

  const Rgb back = RgbOfColor(static_cast<TColor>(c->sStyle()->GetColor()));
  ScreenShot shot(c);
  int grey = 0, dark = 0;
  const skins::TComboGeometry g{c->Width(), c->Height(), Strip()->Width() / 3,
                                Strip()->Height() / 2};
  const TRect t = g.TextRect();
  for (int x = t.Left; x < t.Right; ++x)
    for (int y = t.Top; y < t.Bottom; ++y) {
      const Rgb p = shot.At(x, y);
      // Smoothed text mixes its grey with the face: nothing darker than it.
      if (p.r >= 0x78 && p.r <= 0xE0 && p.g >= 0x78 && p.g <= 0xE0) ++grey;
      if (p.r + p.g + p.b < 3 * 0x70) ++dark;
    }
  EXPECT_GT(grey, 5);
  EXPECT_EQ(dark, 0);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0, 0.75), 0);
  // Hovering a disabled combo changes nothing.
  testinput::MoveTo(c->Handle(), 20, 10);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0, 0.75), 0);
  c->SetEnabled(true);
  testinput::MoveTo(form_->Handle(), 250, 140);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0), 0);
  EXPECT_EQ(RgbOfColor(static_cast<TColor>(c->sStyle()->GetColor())), back);
}

TEST_F(Combo, GlyphModesShowOnThePaintedGlyph) {
  TsComboBox* c = form_->list;
  skins::TsGlyphMode* mode = c->GlyphMode();
  // Blend keeps 1 - Blend/100 of the glyph.
  mode->SetBlend(150);
  EXPECT_EQ(mode->Blend(), 100);
  mode->SetBlend(50);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0, 0.5), 0);
  mode->SetBlend(100);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0, 0.0), 0) << "all face colour";
  mode->SetBlend(0);
  // Grayed: no colour left in the glyph, the face around it unchanged.
  mode->SetGrayed(true);
  Pump(200);
  {
    const int fw = Strip()->Width() / 3, fh = Strip()->Height() / 2;
    const int left = c->Width() - fw - 3, top = (c->Height() - fh) / 2;
    const Rgb back = RgbOfColor(static_cast<TColor>(c->sStyle()->GetColor()));
    ScreenShot shot(c);
    int coloured = 0, face = 0;
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) {
        const Rgb p = shot.At(left + x, top + y);
        if (p == back) ++face;
        else if (std::abs(p.r - p.b) > 2 || std::abs(p.g - p.b) > 2) ++coloured;
      }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(face, 0);
  }
  mode->SetGrayed(false);

  // An own glyph: drawn at its own size; UseDefaultGlyph goes off.
  TBitmap own(30, 20); // frames 10 x 10, green, weight 0 (all colour)
  own.Canvas()->FillRect(Rect(0, 0, 30, 10), static_cast<TColor>(0x00C000));
  own.Canvas()->FillRect(Rect(0, 10, 30, 20), static_cast<TColor>(0));
  mode->SetGlyph(&own);
  EXPECT_FALSE(mode->UseDefaultGlyph());
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, mode->Glyph(), 0), 0);
  EXPECT_EQ(ScreenShot(c).At(c->Width() - 3 - 5, c->Height() / 2), (Rgb{0, 0xC0, 0}));
  mode->SetUseDefaultGlyph(true);
  Pump(200);
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0), 0);
  EXPECT_EQ(mode->Hint(), c->Hint());
}

TEST_F(Combo, AnEditableComboKeepsItsEditFieldAndTyping) {
  TsComboBox* c = form_->editable;
  EXPECT_EQ(c->GetText(), "Радио");
  testinput::Click(c->Handle(), 20, c->Height() / 2);
  Pump(150);
  EXPECT_TRUE(c->Focused());
  testinput::Key(VK_END);
  testinput::Type(L" Юность");
  Pump(200);
  EXPECT_EQ(c->GetText(), "Радио Юность");
  // The edit field has the focus: the combo is hot, then no longer when
  // the focus goes elsewhere.
  EXPECT_TRUE(c->sStyle()->IsHot());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 1), 0);
  testinput::MoveTo(form_->Handle(), 250, 140);
  form_->other->SetFocus();
  Pump(200);
  EXPECT_FALSE(c->Focused());
  EXPECT_FALSE(c->sStyle()->IsHot());
  EXPECT_EQ(GlyphMismatches(c, Strip(), 0), 0);
}

}  // namespace
