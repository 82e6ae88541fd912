// The common data of the tab and page controls and their sheets on real
// windows: kinds, skin sections, the style query answered through the typed
// interface, the library's messages, focus and mouse-over from real input
// (SendInput), refreshes, a skinned container's repaint reaching them; what
// a transparent label on a sheet shows (its colour while the page control's
// image is unpainted, else that image at the sheet's place); highlighted
// tabs pushed to the window, held while loading, kept through a new window,
// a moved tab and a re-shown one. Screenshots are kept in the build folder
// (skins_sheet_label.bmp, skins_highlighted.bmp).
#include <gtest/gtest.h>

#include <vector>

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sCustomLabel.h"
#include "skins/sPageControl.h"
#include "skins/sPanel.h"

using namespace testinput;
using skins::TsCommonData;
using skins::TsCustomTabControl;
using skins::TsLabel;
using skins::TsPageControl;
using skins::TsTabSheet;

namespace {

void Screenshot(HWND h, const wchar_t* file) {
  RECT r;
  GetWindowRect(h, &r);
  HDC screen = GetDC(nullptr);
  test_support::SaveDcBmp(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, file);
  ReleaseDC(nullptr, screen);
}

// The screen's pixel at client point (x, y) of a window.
COLORREF ScreenPixel(HWND h, int x, int y) {
  POINT o{x, y};
  ClientToScreen(h, &o);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, o.x, o.y);
  ReleaseDC(nullptr, screen);
  return c;
}

bool TabHighlighted(HWND h, int i) {
  TCITEMW t{};
  t.mask = TCIF_STATE;
  t.dwStateMask = TCIS_HIGHLIGHTED;
  SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
  return (t.dwState & TCIS_HIGHLIGHTED) != 0;
}

std::vector<bool> Highlights(TsPageControl* pc) {
  std::vector<bool> out;
  for (int i = 0, n = TabCtrl_GetItemCount(pc->Handle()); i < n; ++i)
    out.push_back(TabHighlighted(pc->Handle(), i));
  return out;
}

class TabData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TForm>(Application);
    form_->SetBounds(40, 40, 460, 320);
    form_->SetCaption("Вкладки");
    pc_ = new TsPageControl(form_);
    pc_->SetParent(form_);
    pc_->SetBounds(8, 8, 300, 200);
    const char* captions[] = {"Основные каналы", "Мои каналы", "Третья"};
    for (int i = 0; i < 3; ++i) {
      sheet_[i] = new TsTabSheet(form_);
      sheet_[i]->SetPageControl(pc_);
      sheet_[i]->SetCaption(captions[i]);
    }
    pc_->SetActivePage(sheet_[0]);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(320, 20, 120, 21);
    form_->Show();
    Activate(form_->Handle());
    Pump(200);
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
  }
  POINT TabCentre(int i) {
    RECT r{};
    TabCtrl_GetItemRect(pc_->Handle(), i, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  TForm* form_ = nullptr;
  TsPageControl* pc_ = nullptr;
  TsTabSheet* sheet_[3] = {};
  TEdit* edit_ = nullptr;
};

TEST_F(TabData, EachControlOwnsItsCommonDataAndAnswersTheLibrarysMessages) {
  auto* tc = new TsCustomTabControl(form_);
  tc->SetParent(form_);
  tc->SetBounds(320, 60, 120, 80);
  TsCommonData* d[] = {tc->CommonData(), pc_->CommonData(), sheet_[1]->CommonData()};
  EXPECT_EQ(d[0]->KindCode, 141u);
  EXPECT_EQ(d[1]->KindCode, 141u);
  EXPECT_EQ(d[2]->KindCode, 57u);
  EXPECT_EQ(d[0]->SkinSection(), "TsCustomTabControl");
  EXPECT_EQ(d[1]->SkinSection(), "TsPageControl");
  EXPECT_EQ(d[2]->SkinSection(), "TsTabSheet");
  d[1]->SetSkinSection("PAGECONTROL");
  d[1]->SetSkinSection("");
  EXPECT_EQ(d[1]->SkinSection(), "TsPageControl");
  // The controls keep an image; a sheet reads its page control's.
  ASSERT_NE(d[0]->Image(), nullptr);
  ASSERT_NE(d[1]->Image(), nullptr);
  EXPECT_EQ(d[2]->Image(), nullptr);
  EXPECT_TRUE(d[2]->WithoutImage);
  // The style query: answered by message, the common data reached through
  // the typed interface only; none of them has a style to be read as one.
  TControl* controls[] = {tc, pc_, sheet_[1]};
  for (int i = 0; i < 3; ++i) {
    TWinControl* w = static_cast<TWinControl*>(controls[i]);
    EXPECT_EQ(SendMessageW(w->Handle(), skins::msg::GetStyle, 0, 0), 1);
    ASSERT_NE(skins::SkinnedOf(controls[i]), nullptr);
    EXPECT_EQ(skins::SkinnedOf(controls[i])->SkinCommonData(), d[i]);
    EXPECT_EQ(skins::StyleOf(controls[i]), nullptr);
    for (UINT m = 0xA401; m <= 0xA40B; ++m)
      EXPECT_EQ(SendMessageW(w->Handle(), m, 0, 0), 2) << std::hex << m << " to " << i;
  }
  // A removed skin leaves the tabs as the window has them.
  EXPECT_EQ(SendMessageW(pc_->Handle(), skins::msg::SkinRemoved, 0, 0), 2);
  const POINT c = TabCentre(1);
  EXPECT_EQ(pc_->IndexOfTabAt(c.x, c.y), 1);
  EXPECT_EQ(pc_->TabIndex(), 0);
}

TEST_F(TabData, FocusAndMouseOverFollowRealInput) {
  TsCommonData* d = pc_->CommonData();
  ClickCentre(edit_->Handle());
  Pump(150);
  EXPECT_FALSE(d->Focused);
  MoveTo(pc_->Handle(), TabCentre(0).x, TabCentre(0).y);
  Pump(150);
  EXPECT_TRUE(d->MouseOver);
  MoveTo(edit_->Handle(), 5, 5);
  Pump(150);
  EXPECT_FALSE(d->MouseOver);
  const POINT tab = TabCentre(1);
  Click(pc_->Handle(), tab.x, tab.y);
  Pump(150);
  ASSERT_EQ(GetFocus(), pc_->Handle());
  EXPECT_EQ(pc_->ActivePage(), sheet_[1]);
  EXPECT_TRUE(d->Focused);
  ClickCentre(edit_->Handle());
  Pump(150);
  EXPECT_FALSE(d->Focused);
}

TEST_F(TabData, EnabledChangesMovesAndAContainersRepaintMarkTheImageOutOfDate) {
  TsCommonData* d = pc_->CommonData();
  d->ImageOutOfDate = false;
  pc_->SetEnabled(false);
  EXPECT_TRUE(d->ImageOutOfDate);
  pc_->SetEnabled(true);
  d->ImageOutOfDate = false;
  pc_->SetLeft(12);
  EXPECT_TRUE(d->ImageOutOfDate);
  // A skinned panel that painted a new image tells its tab controls (141)
  // and sheets (57).
  auto* panel = new skins::TsPanel(form_);
  panel->SetParent(form_);
  panel->SetBounds(320, 150, 130, 120);
  auto* inner = new TsPageControl(form_);
  inner->SetParent(panel);
  inner->SetBounds(5, 5, 120, 50);
  auto* loose = new TsTabSheet(form_);
  loose->SetParent(panel);
  loose->SetAlign(alNone);
  loose->SetBounds(5, 60, 50, 50);
  loose->SetVisible(true);
  Pump(150);
  inner->CommonData()->ImageOutOfDate = false;
  loose->CommonData()->ImageOutOfDate = false;
  panel->Invalidate();
  panel->Update();
  EXPECT_TRUE(inner->CommonData()->ImageOutOfDate);
  EXPECT_TRUE(loose->CommonData()->ImageOutOfDate);
  // A child of a sheet that changes marks the page control's image too.
  pc_->CommonData()->ImageOutOfDate = false;
  skins::SkinnedOf(sheet_[0])->ChildChanged();
  EXPECT_TRUE(pc_->CommonData()->ImageOutOfDate);
}

// The page control's image as a painter would leave it: pixel (x, y) holds
// red x, green y.
void PaintCoordinates(TsCommonData* d) {
  d->UpdateImage();
  const skins::TPixels px = d->Image()->Pixels();
  for (int y = 0; y < px.height; ++y)
    for (int x = 0; x < px.width; ++x) {
      uint8_t* p = px.At(x, y);
      p[0] = 0x40;
      p[1] = static_cast<uint8_t>(y);
      p[2] = static_cast<uint8_t>(x);
    }
  d->MarkPainted();
  d->ImageOutOfDate = false;
}

TEST_F(TabData, ATransparentLabelOnASheetShowsThePageControlsImageAtTheSheetsPlace) {
  auto* l = new TsLabel(form_);
  l->SetParent(sheet_[0]);
  l->SetAutoSize(false);
  l->SetBounds(20, 30, 200, 17);
  l->SetCaption("Название канала");
  l->SetColor(clAqua);
  ASSERT_TRUE(l->Transparent());
  l->Repaint();
  Pump(100);
  // No skin paints the page control's image: the label fills its colour.
  const int x = l->Width() - 3, y = l->Height() - 2;  // beside the text
  EXPECT_EQ(ScreenPixel(l->Handle(), x, y), RGB(0, 255, 255));
  EXPECT_EQ(ScreenPixel(l->Handle(), 2, 1), RGB(0, 255, 255));

  PaintCoordinates(pc_->CommonData());
  l->Repaint();
  Pump(100);
  // The sheet lies at the display rectangle, below the tabs.
  const TRect s = sheet_[0]->BoundsRect();
  ASSERT_GT(s.Top, 10);
  ASSERT_GT(s.Left, 0);
  for (POINT p : {POINT{x, y}, POINT{2, 1}, POINT{x, 1}}) {
    const int ix = l->Left() + s.Left + p.x, iy = l->Top() + s.Top + p.y;
    EXPECT_EQ(ScreenPixel(l->Handle(), p.x, p.y), RGB(ix, iy, 0x40)) << p.x << "," << p.y;
  }
  Screenshot(form_->Handle(), L"skins_sheet_label.bmp");
  // An image out of date is lent to no one.
  pc_->CommonData()->ImageOutOfDate = true;
  l->Repaint();
  Pump(100);
  EXPECT_EQ(ScreenPixel(l->Handle(), x, y), RGB(0, 255, 255));
  // Not transparent: its colour whatever the image.
  PaintCoordinates(pc_->CommonData());
  l->SetTransparent(false);
  l->Repaint();
  Pump(100);
  EXPECT_EQ(ScreenPixel(l->Handle(), x, y), RGB(0, 255, 255));
}

TEST_F(TabData, TheTabWindowDrawsFromTheImageListsPresentHandle) {
  auto* images = new TImageList(form_);
  images->SetSize(16, 16);
  pc_->SetImages(images);
  HWND h = pc_->Handle();
  EXPECT_EQ(TabCtrl_GetImageList(h), images->Handle());
  // A new size is a new system list: the window gets it.
  images->SetSize(24, 24);
  EXPECT_EQ(TabCtrl_GetImageList(h), images->Handle());
  pc_->Repaint();
  Pump(50);
  // A freed list leaves the window with none, and it still paints.
  images->Free();
  EXPECT_EQ(pc_->Images(), nullptr);
  EXPECT_EQ(TabCtrl_GetImageList(h), nullptr);
  pc_->Repaint();
  Pump(50);
  EXPECT_TRUE(IsWindow(h));
}

TEST_F(TabData, HighlightedTabsFollowTheirSheets) {
  sheet_[0]->SetTabVisible(false);
  sheet_[2]->SetHighlighted(true);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true}));
  // A tab shown again, moved, or put in a new window keeps its state.
  sheet_[0]->SetTabVisible(true);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, false, true}));
  sheet_[0]->SetHighlighted(true);
  sheet_[0]->SetPageIndex(2);  // tabs: Мои каналы, Третья, Основные каналы
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true, true}));
  sheet_[2]->SetTabVisible(false);
  sheet_[2]->SetTabVisible(true);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true, true}));
  pc_->SetTabPosition(skins::TTabPosition::tpBottom);
  Pump(100);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true, true}));
  pc_->SetTabPosition(skins::TTabPosition::tpTop);
  sheet_[0]->SetHighlighted(false);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true, false}));
  Pump(100);
  // The window paints the highlighted tab in the highlight colour.
  auto highlightPixels = [this](int tab) {
    RECT r{};
    TabCtrl_GetItemRect(pc_->Handle(), tab, &r);
    int n = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
      for (int x = r.left + 2; x < r.right - 2; x += 2)
        if (ScreenPixel(pc_->Handle(), x, y) == GetSysColor(COLOR_HIGHLIGHT)) ++n;
    return n;
  };
  EXPECT_GT(highlightPixels(1), 20);
  EXPECT_EQ(highlightPixels(0), 0);
  EXPECT_EQ(highlightPixels(2), 0);
  Screenshot(form_->Handle(), L"skins_highlighted.bmp");
}

TEST_F(TabData, HighlightsSetWhileLoadingReachTheTabsWhenLoadingEnds) {
  form_->Loading();
  sheet_[1]->SetHighlighted(true);
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, false, false}));
  form_->EndLoading();
  EXPECT_EQ(Highlights(pc_), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 0);
}

} // namespace
