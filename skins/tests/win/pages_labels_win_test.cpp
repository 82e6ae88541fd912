// The skinned page control and labels on real windows with real input
// (SendInput): tab clicks, OnChanging refusing, Ctrl+Tab and Ctrl+Shift+Tab
// (hidden tabs skipped, wrapping around, the focus following into the new
// page), recreating the window for TabPosition and back with pages and
// ActivePage kept, the options' rules; labels sizing, filling and showing a
// gradient group box through themselves; an editor style's caption label;
// a sheet's OnShow and OnHide with its form; right-to-left tabs and labels
// by their pixels.
// Screenshots are kept in the build folder (skins_pages.bmp, ...).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sCustomLabel.h"
#include "skins/sEdit.h"
#include "skins/sGroupBox.h"
#include "skins/sPageControl.h"

using namespace testinput;
using skins::TsLabel;
using skins::TsPageControl;
using skins::TsTabSheet;
using skins::TTabPosition;

namespace {

// What the screen shows of a window, kept for a person to look at.
void Screenshot(HWND h, const wchar_t* file) {
  RECT r;
  GetWindowRect(h, &r);
  HDC screen = GetDC(nullptr);
  test_support::SaveDcBmp(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, file);
  ReleaseDC(nullptr, screen);
}

void CtrlTab(bool shift) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VK_CONTROL;
  SendInput(1, &in, sizeof(in));
  Key(VK_TAB, shift);
  in.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof(in));
  Pump(150);
}

std::wstring TabText(HWND h, int i) {
  wchar_t buf[64] = {};
  TCITEMW t{};
  t.mask = TCIF_TEXT;
  t.pszText = buf;
  t.cchTextMax = 64;
  SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
  return buf;
}

LPARAM TabObject(HWND h, int i) {
  TCITEMW t{};
  t.mask = TCIF_PARAM;
  SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
  return t.lParam;
}

class Pages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TForm>(Application);
    form_->SetBounds(40, 40, 420, 320);
    form_->SetCaption("Страницы");
    pc_ = new TsPageControl(form_);
    pc_->SetParent(form_);
    pc_->SetBounds(8, 8, 300, 200);
    const char* captions[] = {"Первая", "Вторая", "Третья"};
    for (int i = 0; i < 3; ++i) {
      sheet_[i] = new TsTabSheet(form_);
      sheet_[i]->SetPageControl(pc_);
      sheet_[i]->SetCaption(captions[i]);
      edit_[i] = new TEdit(form_);
      edit_[i]->SetParent(sheet_[i]);
      edit_[i]->SetBounds(10, 10, 120, 21);
    }
    pc_->SetActivePage(sheet_[0]);
    pc_->OnChanging = [this](TObject*, bool& allow) {
      ++changing_;
      allow = allow_;
    };
    pc_->OnChange = [this](TObject*) { ++changes_; };
    form_->Show();
    Activate(form_->Handle());
    Pump(200);
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
  }
  void ClickTab(int i) {
    RECT r{};
    TabCtrl_GetItemRect(pc_->Handle(), i, &r);
    Click(pc_->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Pump(150);
  }
  TsTabSheet* Shown() {
    TsTabSheet* s = nullptr;
    for (TsTabSheet* p : sheet_)
      if (p->HandleAllocated() && IsWindowVisible(p->Handle())) {
        EXPECT_EQ(s, nullptr) << "two pages shown";
        s = p;
      }
    return s;
  }
  TForm* form_ = nullptr;
  TsPageControl* pc_ = nullptr;
  TsTabSheet* sheet_[3] = {};
  TEdit* edit_[3] = {};
  int changing_ = 0, changes_ = 0;
  bool allow_ = true;
};

TEST_F(Pages, TabsCarryCyrillicCaptionsAndTheirSheets) {
  HWND h = pc_->Handle();
  ASSERT_EQ(TabCtrl_GetItemCount(h), 3);
  EXPECT_EQ(TabText(h, 1), L"Вторая");
  EXPECT_EQ(TabObject(h, 2), reinterpret_cast<LPARAM>(static_cast<TObject*>(sheet_[2])));
  EXPECT_EQ(pc_->Tabs()->Strings(0), "Первая");
  EXPECT_EQ(Shown(), sheet_[0]);
  sheet_[1]->SetCaption("Мои каналы");
  EXPECT_EQ(TabText(h, 1), L"Мои каналы");
  // The page fills the area below the tabs.
  TRect d = pc_->DisplayRect();
  EXPECT_EQ(sheet_[0]->BoundsRect(), d);
  EXPECT_GT(d.Top, 10);
}

TEST_F(Pages, ClickingATabChangesThePageAndOnChangingMayRefuse) {
  ClickTab(1);
  EXPECT_EQ(pc_->ActivePage(), sheet_[1]);
  EXPECT_EQ(Shown(), sheet_[1]);
  EXPECT_EQ(changing_, 1);
  EXPECT_EQ(changes_, 1);
  allow_ = false;
  ClickTab(2);
  EXPECT_EQ(pc_->ActivePage(), sheet_[1]);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 1);
  EXPECT_EQ(Shown(), sheet_[1]);
  EXPECT_EQ(changing_, 2);
  EXPECT_EQ(changes_, 1);
  // From code: no events.
  pc_->SetActivePage(sheet_[2]);
  EXPECT_EQ(Shown(), sheet_[2]);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 2);
  EXPECT_EQ(changes_, 1);
}

TEST_F(Pages, CtrlTabStepsThroughVisibleTabsAndTheFocusFollows) {
  edit_[0]->SetFocus();
  Pump(50);
  CtrlTab(false);
  EXPECT_EQ(pc_->ActivePage(), sheet_[1]);
  EXPECT_EQ(GetFocus(), edit_[1]->Handle());
  EXPECT_EQ(changes_, 1);
  CtrlTab(false);
  CtrlTab(false); // wraps around
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  CtrlTab(true); // backwards, wrapping
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  EXPECT_EQ(Shown(), sheet_[2]);
  sheet_[1]->SetTabVisible(false);
  EXPECT_EQ(TabCtrl_GetItemCount(pc_->Handle()), 2);
  CtrlTab(true);
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  CtrlTab(false);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  allow_ = false;
  CtrlTab(false);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  // Without the focus inside, Ctrl+Tab is not the page control's.
  allow_ = true;
  ::SetFocus(form_->Handle());
  Pump(50);
  CtrlTab(false);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
}

TEST_F(Pages, HidingTheActiveTabActivatesTheSameIndexOrTheLast) {
  pc_->SetActivePage(sheet_[1]);
  sheet_[1]->SetTabVisible(false);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  EXPECT_EQ(Shown(), sheet_[2]);
  sheet_[2]->SetTabVisible(false); // the last
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  sheet_[1]->SetTabVisible(true);
  EXPECT_EQ(TabText(pc_->Handle(), 1), L"Вторая");
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
}

TEST_F(Pages, RecreatingTheWindowKeepsPagesAndActivePage) {
  pc_->SetActivePage(sheet_[2]);
  edit_[2]->SetText("введено");
  pc_->SetTabPosition(TTabPosition::tpBottom);
  Pump(100);
  HWND h = pc_->Handle();
  ASSERT_EQ(TabCtrl_GetItemCount(h), 3);
  EXPECT_EQ(TabObject(h, 0), reinterpret_cast<LPARAM>(static_cast<TObject*>(sheet_[0])));
  EXPECT_EQ(TabCtrl_GetCurSel(h), 2);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  EXPECT_EQ(Shown(), sheet_[2]);
  EXPECT_GT(pc_->TabRect(0).Top, pc_->Height() / 2);
  // The user's tab clicks still reach the right sheet.
  ClickTab(0);
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  pc_->SetTabPosition(TTabPosition::tpTop);
  pc_->SetTabWidth(70);
  pc_->SetMultiLine(true);
  Pump(100);
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 0);
  EXPECT_LT(pc_->TabRect(0).Top, 10);
  EXPECT_EQ(edit_[2]->GetText(), "введено");
  ClickTab(2);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  Screenshot(form_->Handle(), L"skins_pages.bmp");
}

TEST_F(Pages, OptionRulesRaiseTheirMessages) {
  pc_->SetTabPosition(TTabPosition::tpLeft);
  EXPECT_TRUE(pc_->MultiLine());
  try {
    pc_->SetMultiLine(false);
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "MultiLine must be True when TabPosition is tpLeft or tpRight");
  }
  try {
    pc_->SetTabHeight(-2);
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "TsPageControl property out of range");
  }
  for (int bad : {3, -1}) {
    try {
      sheet_[0]->SetPageIndex(bad);
      FAIL();
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), Format("%d is an invalid PageIndex value.  PageIndex must be "
                                    "between 0 and 2", {bad}));
    }
  }
  sheet_[0]->SetPageIndex(2);
  EXPECT_EQ(TabText(pc_->Handle(), 2), L"Первая");
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 2);
}

TEST_F(Pages, RemovingTheActivePageShowsTheNext) {
  pc_->SetActivePage(sheet_[1]);
  sheet_[1]->Free();
  sheet_[1] = nullptr;
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  EXPECT_EQ(TabCtrl_GetItemCount(pc_->Handle()), 2);
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 1);
  sheet_[1] = sheet_[2]; // keep Shown() to live sheets
  sheet_[2] = sheet_[0];
  EXPECT_TRUE(IsWindowVisible(pc_->ActivePage()->Handle()));
}

TEST_F(Pages, RemovingAnotherPageActivatesTheNextOneAndByIndexRunsOnChange) {
  pc_->SetActivePage(sheet_[2]);
  sheet_[0]->Free();
  sheet_[0] = nullptr;
  EXPECT_EQ(pc_->ActivePage(), sheet_[1]); // the next page after the removed one
  EXPECT_EQ(TabCtrl_GetCurSel(pc_->Handle()), 0);
  sheet_[0] = sheet_[2]; // keep Shown() to live sheets
  EXPECT_EQ(Shown(), sheet_[1]);
  const int changes = changes_;
  pc_->CommonData()->ImageOutOfDate = false;
  pc_->SetActivePageIndex(1);
  EXPECT_EQ(pc_->ActivePage(), sheet_[2]);
  EXPECT_EQ(changes_, changes + 1);
  EXPECT_TRUE(pc_->CommonData()->ImageOutOfDate); // it held the old page's children
  pc_->SetActivePageIndex(5);
  EXPECT_EQ(pc_->ActivePage(), nullptr);
  EXPECT_EQ(changes_, changes + 1);
}

TEST(PageSheets, OnShowAndOnHideFollowTheSheetOnScreen) {
  Application->Initialize();
  ProcessHook = [] { Application->ProcessMessages(); };
  TForm* f = New<TForm>(Application);
  f->SetBounds(80, 80, 300, 200);
  auto* pc = new TsPageControl(f);
  pc->SetParent(f);
  pc->SetAlign(alClient);
  TsTabSheet* s[2];
  int shows[2] = {}, hides[2] = {};
  for (int i = 0; i < 2; ++i) {
    s[i] = new TsTabSheet(f);
    s[i]->SetPageControl(pc);
    s[i]->SetCaption(i ? "Мои каналы" : "Основные каналы");
    s[i]->OnShow = [&shows, i](TObject*) { ++shows[i]; };
    s[i]->OnHide = [&hides, i](TObject*) { ++hides[i]; };
  }
  pc->SetActivePage(s[0]);
  Pump(50);
  EXPECT_EQ(shows[0], 0); // its form is not on screen yet
  f->Show();
  Pump(100);
  EXPECT_EQ(shows[0], 1);
  EXPECT_EQ(shows[1], 0);
  pc->SetActivePage(s[1]);
  EXPECT_EQ(hides[0], 1);
  EXPECT_EQ(shows[1], 1);
  f->Hide();
  EXPECT_EQ(hides[1], 1);
  EXPECT_EQ(hides[0], 1);
  f->Show();
  Pump(50);
  EXPECT_EQ(shows[1], 2);
  EXPECT_EQ(shows[0], 1);
  f->Free();
  Pump(50);
}

// Pixels of a window's client area that differ from colour c, in columns
// [x0, x1).
int OtherPixels(HWND h, int x0, int x1, COLORREF c) {
  RECT r;
  GetClientRect(h, &r);
  TBitmap bmp(r.right, r.bottom);
  HDC dc = GetDC(h);
  BitBlt(bmp.Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(h, dc);
  GdiFlush();
  int n = 0;
  for (int y = 0; y < r.bottom; ++y) {
    const uint8_t* row = bmp.ScanLine(y);
    for (int x = x0; x < x1 && x < r.right; ++x)
      n += RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) != c;
  }
  return n;
}

TEST_F(Pages, RightToLeftTabsOnTheLeftSideStandOnTheRight) {
  pc_->SetTabPosition(TTabPosition::tpLeft);
  Pump(100);
  RECT tab{};
  TabCtrl_GetItemRect(pc_->Handle(), 0, &tab);
  EXPECT_LT(tab.right, pc_->Width() / 2);
  pc_->SetBiDiMode(bdRightToLeft);
  Pump(150);
  EXPECT_EQ(pc_->ActivePage(), sheet_[0]); // the new window kept its pages
  EXPECT_EQ(TabCtrl_GetItemCount(pc_->Handle()), 3);
  TabCtrl_GetItemRect(pc_->Handle(), 0, &tab);
  EXPECT_GT(tab.left, pc_->Width() / 2);
  // The tabs' pixels are on the right, the page (a plain face) on the left.
  const COLORREF face = ColorToRGB(clBtnFace);
  const int w = pc_->Width();
  EXPECT_GT(OtherPixels(pc_->Handle(), tab.left, w, face), 50);
  EXPECT_LT(sheet_[0]->Left(), tab.left);
  EXPECT_EQ(OtherPixels(sheet_[0]->Handle(), 150, sheet_[0]->Width(), face), 0);
}
// --- Labels ---------------------------------------------------------------------------------

class Labels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form_ = New<TForm>(Application);
    form_->SetBounds(60, 60, 400, 240);
    panel_ = new TPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(0, 0, 400, 200);
    panel_->SetColor(clYellow);
    form_->Show();
    Pump(100);
  }
  void TearDown() override { form_->Free(); }
  int BlankWidth(TControl* c) { return TextWidth(c, " "); }
  int TextWidth(TControl* c, const std::string& text) {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(c->Font());
    int w = canvas.TextWidth(text);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return w;
  }
  TForm* form_ = nullptr;
  TPanel* panel_ = nullptr;
};

TEST_F(Labels, AnAccelOnlyCaptionMeasuresOneBlankAndSizingKeepsTheAlignedEdge) {
  auto* l = new TsLabel(form_);
  l->SetParent(panel_);
  l->SetBounds(100, 10, 65, 17);
  l->SetCaption("&");
  EXPECT_EQ(l->Width(), BlankWidth(l));
  l->SetShowAccelChar(false);
  l->SetCaption("&&"); // shown as is: two ampersands
  EXPECT_GT(l->Width(), BlankWidth(l));
  // Set before the parent: kept, and acted on once parented.
  auto* r = new TsLabel(form_);
  r->SetBounds(100, 40, 200, 17);
  r->SetAlignment(taRightJustify);
  r->SetCaption("Битрейт");
  EXPECT_EQ(r->Width(), 200);
  r->SetParent(panel_);
  EXPECT_EQ(r->BoundsRect().Right, 300);
  EXPECT_LT(r->Width(), 200);
  r->SetCaption("Битрейт выше");
  EXPECT_EQ(r->BoundsRect().Right, 300);
  // Every sizing sends the label behind its siblings.
  auto* e = new TEdit(form_);
  e->SetParent(panel_);
  e->SetBounds(0, 100, 50, 21);
  r->SetAutoSize(false);
  r->SetAutoSize(true);
  EXPECT_EQ(GetWindow(r->Handle(), GW_HWNDNEXT), nullptr);
}

TEST_F(Labels, ARightToLeftLabelDrawsAndGrowsFromItsRightEdge) {
  auto* l = new TsLabel(form_);
  l->SetParent(panel_);
  l->SetColor(clWhite);
  l->SetAutoSize(false);
  l->SetBounds(20, 150, 200, 20);
  l->SetCaption("Адрес");
  l->SetBiDiMode(bdRightToLeft);
  l->Repaint();
  Pump(100);
  const COLORREF white = RGB(255, 255, 255);
  EXPECT_EQ(OtherPixels(l->Handle(), 0, 100, white), 0);
  EXPECT_GT(OtherPixels(l->Handle(), 100, 200, white), 10);
  // Sizing to the text keeps the right edge.
  l->SetAutoSize(true);
  EXPECT_EQ(l->BoundsRect().Right, 220);
  l->SetCaption("Адрес станции");
  EXPECT_EQ(l->BoundsRect().Right, 220);
  Screenshot(form_->Handle(), L"skins_labels_rtl.bmp");
}

TEST_F(Labels, ATransparentLabelOnAStockParentFillsItsColour) {
  auto* l = new TsLabel(form_);
  l->SetParent(panel_);
  l->SetBounds(20, 120, 65, 17);
  l->SetCaption("Полный адрес");
  l->SetColor(clAqua);
  EXPECT_TRUE(l->Transparent());
  l->Repaint();
  Pump(100);
  HDC dc = GetDC(l->Handle());
  COLORREF beside = GetPixel(dc, l->Width() - 1, l->Height() - 1);
  ReleaseDC(l->Handle(), dc);
  EXPECT_EQ(beside, RGB(0, 255, 255));
  Screenshot(form_->Handle(), L"skins_labels.bmp");
}

TEST_F(Labels, ASkinnedEditsTextStartsThreePixelsInsideAndTakesTypedCyrillic) {
  auto* e = new skins::TsEdit(form_);
  e->SetParent(panel_);
  e->SetBounds(20, 150, 200, 21);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  form_->Show();
  Activate(form_->Handle());
  Pump(100);
  RECT w;
  GetWindowRect(e->Handle(), &w);
  POINT origin{0, 0};
  ClientToScreen(e->Handle(), &origin);
  EXPECT_EQ(origin.x - w.left, 3);
  EXPECT_EQ(origin.y - w.top, 3);
  RECT c;
  GetClientRect(e->Handle(), &c);
  EXPECT_EQ(c.right, 200 - 6);
  EXPECT_EQ(c.bottom, 21 - 6);
  LRESULT pos = SendMessageW(e->Handle(), EM_POSFROMCHAR, 0, 0);
  e->SetText("");
  ClickCentre(e->Handle());
  Type(L"Ёлка");
  Pump(100);
  EXPECT_EQ(e->GetText(), "Ёлка");
  EXPECT_GT(changes, 0);
  pos = SendMessageW(e->Handle(), EM_POSFROMCHAR, 0, 0);
  EXPECT_EQ(static_cast<short>(LOWORD(pos)), 0); // no margin inside the frame
  Screenshot(form_->Handle(), L"skins_edit.bmp");
}

// The station-list window's add panel: grey, darker at the top and bottom.
const char kGroupGradient[] =
    "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;16777215;"
    "8421504;20;0;0;8421504;8421504;0;0;0";

// The screen's pixels of rectangle (x, y, w, h) of a window's client area,
// row by row.
std::vector<COLORREF> ScreenPixels(HWND h, int x, int y, int w, int hgt) {
  POINT o{x, y};
  ClientToScreen(h, &o);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> out;
  for (int j = 0; j < hgt; ++j)
    for (int i = 0; i < w; ++i) out.push_back(GetPixel(screen, o.x + i, o.y + j));
  ReleaseDC(nullptr, screen);
  return out;
}

TEST_F(Labels, ATransparentLabelOverTheGradientGroupBoxShowsTheGradientBesideItsText) {
  panel_->SetVisible(false);
  auto* box = new skins::TsGroupBox(form_);
  box->SetParent(form_);
  box->SetBounds(0, 0, 379, 150);
  box->SetCaption("Добавить канал радио");
  box->sStyle()->Background()->Gradient()->SetData(kGroupGradient);
  box->Font()->SetStyle({fsBold});
  box->Repaint();
  Pump(150);
  // The group box alone where the label will go (left of the label, its
  // text, and right of it, beside the text).
  const int left = 12, top = 20, width = 340, height = 17;
  const std::vector<COLORREF> before = ScreenPixels(box->Handle(), left, top, width, height);
  std::set<COLORREF> rows;
  for (int j = 0; j < height; ++j) rows.insert(before[static_cast<size_t>(j * width)]);
  ASSERT_GT(rows.size(), 2u) << "the group box paints no gradient here";

  auto* l = new TsLabel(form_);
  l->SetParent(box);
  l->SetAutoSize(false);
  l->SetBounds(left, top, width, height);
  l->SetCaption("Полный адрес канала радио");
  l->SetColor(clAqua); // what a label without its parent's image would show
  l->Repaint();
  Pump(150);
  const std::vector<COLORREF> after = ScreenPixels(box->Handle(), left, top, width, height);
  const int text_end = TextWidth(l, l->Caption());
  ASSERT_LT(text_end + 10, width);
  int differ = 0, dark = 0;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const size_t k = static_cast<size_t>(j * width + i);
      if (i > text_end + 2 && after[k] != before[k]) ++differ;
      if (i < text_end && after[k] == RGB(0, 0, 0)) ++dark;
    }
  EXPECT_EQ(differ, 0) << "beside its text the label differs from the group box";
  EXPECT_GT(dark, 20) << "no text drawn";
  // Not opaque: the same label made opaque fills its colour.
  l->SetTransparent(false);
  l->Repaint();
  Pump(100);
  EXPECT_EQ(ScreenPixels(box->Handle(), left + width - 2, top + 1, 1, 1)[0], RGB(0, 255, 255));
  l->SetTransparent(true);
  l->Repaint();
  Pump(100);
  Screenshot(form_->Handle(), L"skins_label_gradient.bmp");
}

TEST_F(Labels, AnEditorStylesCaptionIsATsLabelBesideItsControlThatFocusesIt) {
  Activate(form_->Handle());
  auto* e = new skins::TsEdit(form_);
  e->SetName("sEdit1");
  e->SetParent(panel_);
  e->SetBounds(150, 40, 200, 21);
  skins::TsStyleCaption* caption = e->sStyle()->Caption();
  caption->SetText("Адрес");
  caption->SetActive(true);
  Pump(100);
  auto labels = [this] {
    std::vector<TsLabel*> out;
    for (int i = 0; i < panel_->ControlCount(); ++i)
      if (auto* l = dynamic_cast<TsLabel*>(panel_->Controls(i))) out.push_back(l);
    return out;
  };
  ASSERT_EQ(labels().size(), 1u);
  TsLabel* l = labels()[0];
  EXPECT_EQ(l->Owner(), e);
  EXPECT_EQ(l->Name(), "sEdit1Label");
  EXPECT_EQ(l->Caption(), "Адрес");
  EXPECT_EQ(l->FocusControl(), e);
  EXPECT_TRUE(l->Transparent());
  EXPECT_EQ(l->Alignment(), taRightJustify);
  EXPECT_GT(l->Width(), 20); // measured, not the 65 it was made with
  EXPECT_NE(l->Width(), 65);
  EXPECT_EQ(l->BoundsRect().Right, 150 - 4);
  EXPECT_TRUE(IsWindowVisible(l->Handle()));
  // It follows the control, and the caption's settings.
  e->SetLeft(200);
  Pump(50);
  EXPECT_EQ(l->BoundsRect().Right, 200 - 4);
  caption->SetText("Полный адрес");
  EXPECT_EQ(l->Caption(), "Полный адрес");
  EXPECT_EQ(l->BoundsRect().Right, 200 - 4);
  caption->SetLayout(skins::TsCaptionLayout::sclTopLeft);
  EXPECT_EQ(l->Left(), 200);
  EXPECT_LT(l->BoundsRect().Bottom, 40 + 10);
  EXPECT_LT(l->Top(), 40);
  // A click on it puts the focus into the control.
  ::SetFocus(form_->Handle());
  Pump(50);
  ClickCentre(l->Handle());
  Pump(100);
  EXPECT_EQ(GetFocus(), e->Handle());
  e->SetVisible(false);
  Pump(50);
  EXPECT_FALSE(l->Visible());
  e->SetVisible(true);
  e->SetEnabled(false);
  Pump(50);
  EXPECT_FALSE(l->Enabled());
  e->SetEnabled(true);
  Pump(100);
  Screenshot(form_->Handle(), L"skins_caption_label.bmp");
  caption->SetActive(false);
  EXPECT_TRUE(labels().empty());
  // Freed with the parent before the control lets go of it (the control
  // sent behind its label goes last): nothing is freed twice.
  caption->SetActive(true);
  ASSERT_EQ(labels().size(), 1u);
  e->SendToBack();
  panel_->Free();
  panel_ = nullptr;
  Pump(50);
}

} // namespace
