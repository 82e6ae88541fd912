// The skinned panels and group box on real windows, driven with real input:
// a form with a TsPanel (grey five-band gradient) holding a TsGroupBox with
// its caption tab, a shadowed child panel, a see-through child panel and a
// disabled one. Pixels are read from the screen at points away from text
// and compared with what the portable painters give for the same size; an
// edit, a combo box and a radio button take their shadows along when they
// go; a caption's "&" and right-to-left reading. A
// screenshot of the form is kept in the build folder as
// skins_style_panels.bmp.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sGradientCore.h"
#include "skins/sGroupBox.h"
#include "skins/sCustomComboBox.h"
#include "skins/sEdit.h"
#include "skins/sPanel.h"
#include "skins/sRadioButton.h"

namespace {

using skins::TsControlBevel;
using skins::TsGroupBox;
using skins::TsPanel;

const TColor kBehind = static_cast<TColor>(RGB(0, 90, 110));
const char* const kFiveBands =
    "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;"
    "16777215;8421504;20;0;0;8421504;8421504;0;0;0";

struct Rgb {
  int r, g, b;
  int Sum() const { return r + g + b; }
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}
bool Near(Rgb a, Rgb b, int tol = 2) {
  return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

// What the form's client area shows now.
struct ScreenPixels {
  explicit ScreenPixels(TForm* form) : bmp(form->ClientWidth(), form->ClientHeight()) {
    HDC dc = GetDC(form->Handle());
    BitBlt(bmp.Canvas()->Handle(), 0, 0, bmp.Width(), bmp.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(form->Handle(), dc);
    GdiFlush();
  }
  // At a point of control c's own coordinates.
  Rgb At(TControl* c, int x, int y) {
    TPoint p = c->ClientToScreen(Point(x, y));
    p = origin->ScreenToClient(p);
    const uint8_t* q = bmp.ScanLine(p.Y) + p.X * 3;
    return Rgb{q[2], q[1], q[0]};
  }
  TBitmap bmp;
  TForm* origin = nullptr;
};

// The five-band gradient as the portable painter lays it over w x h.
struct Gradient {
  Gradient(int w, int h) : image(w, h) {
    skins::PaintGradient(image.Pixels(), Rect(0, 0, w, h), skins::ParseGradient(kFiveBands));
  }
  Rgb At(int x, int y) {
    const uint8_t* q = image.Pixels().At(x, y);
    return Rgb{q[2], q[1], q[0]};
  }
  skins::TsMemoryImage image;
};

class StylePanels : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    form_ = new TForm(Application);
    form_->SetBorderStyle(bsSingle);
    form_->SetCaption("Korvalis — панели");
    form_->SetColor(kBehind);
    form_->SetBounds(20, 20, 100, 100);
    form_->SetClientSize(440, 300);

    panel_ = new TsPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(10, 10, 420, 280);
    panel_->SetCaption("");
    panel_->sStyle()->Background()->Gradient()->SetData(kFiveBands);
    panel_->sStyle()->Background()->Gradient()->SetPercent(100);

    group_ = new TsGroupBox(panel_);
    group_->SetParent(panel_);
    group_->SetBounds(12, 12, 338, 170);
    group_->SetCaption("Эквалайзер");
    group_->sStyle()->Background()->Gradient()->SetData(kFiveBands);
    group_->sStyle()->Background()->Gradient()->SetPercent(100);

    shadowed_ = new TsPanel(panel_);
    shadowed_->SetParent(panel_);
    shadowed_->SetBounds(20, 200, 120, 40);
    shadowed_->SetCaption("Тень");
    shadowed_->SetHint("Панель с тенью");
    shadowed_->SetShowHint(true);
    shadowed_->sStyle()->Background()->Gradient()->SetPercent(0);
    shadowed_->sStyle()->Painting()->SetColor(0xE0D8D0);
    shadowed_->sStyle()->Effects()->Shadow()->SetEnabled(true);

    see_through_ = new TsPanel(panel_);
    see_through_->SetParent(panel_);
    see_through_->SetBounds(360, 20, 50, 150);
    see_through_->SetCaption("");
    see_through_->SetBevelOuter(TsControlBevel::cbNone);
    see_through_->sStyle()->Painting()->SetTransparency(100);

    disabled_ = new TsPanel(panel_);
    disabled_->SetParent(panel_);
    disabled_->SetBounds(250, 205, 150, 50);
    disabled_->SetCaption("Выключено");
    disabled_->sStyle()->Background()->Gradient()->SetPercent(0);
    disabled_->SetEnabled(false);
    // Drawn on the image after background and bevels, so it stays.
    disabled_->OnPaint = [](TObject*, TCanvas* c) { c->FillRect(Rect(140, 40, 145, 45), clRed); };

    form_->Show();
    testinput::Activate(form_->Handle());
    Pump(600);
  }
  static void TearDownTestSuite() {
    if (form_) form_->Free();
    form_ = nullptr;
  }
  ScreenPixels Shot() {
    ScreenPixels s(form_);
    s.origin = form_;
    return s;
  }

  static TForm* form_;
  static TsPanel *panel_, *shadowed_, *see_through_, *disabled_;
  static TsGroupBox* group_;
};

TForm* StylePanels::form_ = nullptr;
TsPanel *StylePanels::panel_ = nullptr, *StylePanels::shadowed_ = nullptr,
        *StylePanels::see_through_ = nullptr, *StylePanels::disabled_ = nullptr;
TsGroupBox* StylePanels::group_ = nullptr;

}  // namespace

TEST_F(StylePanels, GradientRowsBevelEdgesAndCutCorners) {
  ScreenPixels s = Shot();
  Gradient g(panel_->Width(), panel_->Height());
  // Rows of the gradient where no child and no bevel is.
  for (int y : {20, 60, 100, 190, 260}) {
    SCOPED_TRACE(y);
    EXPECT_TRUE(Near(s.At(panel_, 355, y), g.At(355, y))) << s.At(panel_, 355, y) << g.At(355, y);
  }
  // The raised soft bevel, two pixels wide: its outermost line takes the
  // edge's grey whatever lies under it.
  const int w = panel_->Width(), h = panel_->Height();
  EXPECT_EQ(s.At(panel_, 0, h / 2), (Rgb{240, 240, 240}));
  EXPECT_EQ(s.At(panel_, w / 2, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(s.At(panel_, w - 1, h / 2), (Rgb{25, 25, 25}));
  EXPECT_EQ(s.At(panel_, w / 2, h - 1), (Rgb{0, 0, 0}));
  // The corner pixels are outside the window: the form shows there.
  const Rgb behind{GetRValue(kBehind), GetGValue(kBehind), GetBValue(kBehind)};
  EXPECT_EQ(s.At(panel_, 0, 0), behind);
  EXPECT_EQ(s.At(panel_, w - 1, h - 1), behind);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(panel_->Handle(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, 1, 0));
  DeleteObject(rgn);
}

TEST_F(StylePanels, GroupBoxCaptionTab) {
  ScreenPixels s = Shot();
  const TRect cap = group_->CaptionRect();
  ASSERT_GT(cap.Width(), 20);
  const int h = cap.Bottom;
  // The tab's strips: top edge white, left edge light, right edge dark.
  EXPECT_EQ(s.At(group_, (cap.Left + cap.Right) / 2, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(s.At(group_, cap.Left, h / 2), (Rgb{240, 240, 240}));
  EXPECT_EQ(s.At(group_, cap.Right - 1, h / 2), (Rgb{25, 25, 25}));
  // Beside the tab, above the frame: the box's own background.
  Gradient g(group_->Width(), group_->Height());
  const int x = cap.Right + 20;
  EXPECT_TRUE(Near(s.At(group_, x, 2), g.At(x, 2))) << s.At(group_, x, 2) << g.At(x, 2);
  // The frame's top edge starts at the caption's height.
  EXPECT_EQ(s.At(group_, x, h), (Rgb{255, 255, 255}));
  // The client area lies below the caption.
  EXPECT_EQ(group_->ClientRect().Top, h);
}

TEST_F(StylePanels, ShadowFollowsTheChild) {
  Gradient g(panel_->Width(), panel_->Height());
  const TRect b = shadowed_->BoundsRect();
  // Inside the shadow (offset 8), right of the child.
  const int sx = b.Right + 2, sy = b.Top + 20;
  ScreenPixels before = Shot();
  EXPECT_LT(before.At(panel_, sx, sy).Sum(), g.At(sx, sy).Sum() - 30)
      << before.At(panel_, sx, sy) << g.At(sx, sy);
  // Moving the child takes the shadow along.
  shadowed_->SetLeft(b.Left + 40);
  Pump(400);
  ScreenPixels after = Shot();
  EXPECT_TRUE(Near(after.At(panel_, b.Left + 4, b.Top + 20), g.At(b.Left + 4, b.Top + 20)))
      << "the old place shows the background";
  EXPECT_LT(after.At(panel_, sx + 40, sy).Sum(), g.At(sx + 40, sy).Sum() - 30);
  shadowed_->SetLeft(b.Left);
  Pump(300);
}

TEST_F(StylePanels, AnEditComboOrRadioButtonTakesItsShadowAlongWhenItGoes) {
  Gradient g(panel_->Width(), panel_->Height());
  // A shadow needs a skinned parent first.
  auto shadowed = [](TWinControl* c, skins::TsGenStyle* s) {
    c->SetParent(panel_);
    c->SetBounds(150, 195, 80, 18);
    s->Effects()->Shadow()->SetEnabled(true);
  };
  auto* edit = new skins::TsEdit(form_);
  auto* combo = new skins::TsComboBox(form_);
  auto* radio = new skins::TsRadioButton(form_);
  // Where each one's shadow falls: right of an edit or a combo box, below a
  // radio button's round check area.
  const struct {
    TWinControl* c;
    int x, y;
  } cases[] = {{edit, 233, 205}, {combo, 233, 205}, {radio, 165, 216}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.c->ClassName());
    shadowed(k.c, skins::StyleOf(k.c));
    Pump(300);
    EXPECT_LT(Shot().At(panel_, k.x, k.y).Sum(), g.At(k.x, k.y).Sum() - 30);
    k.c->Free();
    Pump(300);
    EXPECT_TRUE(Near(Shot().At(panel_, k.x, k.y), g.At(k.x, k.y)))
        << Shot().At(panel_, k.x, k.y) << g.At(k.x, k.y);
  }
}

TEST_F(StylePanels, ACaptionsAmpersandMarksTheAcceleratorAndRightToLeftMirrors) {
  auto* p = new TsPanel(form_);
  p->SetParent(panel_);
  p->SetBounds(150, 240, 95, 30);
  p->sStyle()->Background()->Gradient()->SetPercent(0);
  p->sStyle()->Painting()->SetColor(0xFFFFFF);
  p->SetAlignment(taLeftJustify);
  // The leftmost column with dark (text) pixels, -1 for none.
  auto FirstTextColumn = [this](TsPanel* p) {
    p->Repaint();
    Pump(100);
    ScreenPixels s = Shot();
    for (int x = 3; x < p->Width() - 3; ++x)
      for (int y = 3; y < p->Height() - 3; ++y)
        if (s.At(p, x, y).Sum() < 200) return x;
    return -1;
  };
  p->SetCaption("W");
  const int plain = FirstTextColumn(p);
  ASSERT_GE(plain, 0);
  p->SetCaption("&W"); // an underlined W where the W was, no "&" before it
  EXPECT_NEAR(FirstTextColumn(p), plain, 1);
  p->SetBiDiMode(bdRightToLeft); // left alignment reads from the right edge
  EXPECT_GT(FirstTextColumn(p), p->Width() / 2);
  p->Free();
  Pump(200);
}

TEST_F(StylePanels, SeeThroughChildShowsItsParent) {
  ScreenPixels s = Shot();
  Gradient g(panel_->Width(), panel_->Height());
  const TRect b = see_through_->BoundsRect();
  for (int y : {10, 60, 120}) {
    const int px = b.Left + 25, py = b.Top + y;
    EXPECT_TRUE(Near(s.At(panel_, px, py), g.At(px, py), 3)) << s.At(panel_, px, py) << g.At(px, py);
  }
}

TEST_F(StylePanels, DisabledCaptionIsEngraved) {
  ScreenPixels s = Shot();
  const Rgb shadow{GetRValue(ColorToRGB(clBtnShadow)), GetGValue(ColorToRGB(clBtnShadow)),
                   GetBValue(ColorToRGB(clBtnShadow))};
  const Rgb text{GetRValue(ColorToRGB(disabled_->Font()->Color())),
                 GetGValue(ColorToRGB(disabled_->Font()->Color())),
                 GetBValue(ColorToRGB(disabled_->Font()->Color()))};
  int shadow_px = 0, text_px = 0;
  for (int y = 5; y < disabled_->Height() - 5; ++y)
    for (int x = 5; x < disabled_->Width() - 5; ++x) {
      const Rgb c = s.At(disabled_, x, y);
      shadow_px += c == shadow;
      text_px += c == text;
    }
  EXPECT_GT(shadow_px, 10);
  EXPECT_EQ(text_px, 0);
  EXPECT_EQ(s.At(disabled_, 142, 42), (Rgb{255, 0, 0})) << "OnPaint's drawing stays";
}

TEST_F(StylePanels, HintShowsOverASkinnedPanel) {
  testinput::MoveTo(shadowed_->Handle(), 60, 20);
  Pump(Application->HintPause + 500);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  EXPECT_TRUE(hint && IsWindowVisible(hint));
  // Panels are never hot, hovered or not.
  EXPECT_FALSE(shadowed_->sStyle()->IsHot());
  HDC screen = GetDC(nullptr);
  EXPECT_TRUE(test_support::SaveDcBmp(screen, 0, 0, 520, 380, L"skins_style_panels.bmp"));
  ReleaseDC(nullptr, screen);
  testinput::MoveTo(form_->Handle(), 5, 5);
  Pump(100);
}
