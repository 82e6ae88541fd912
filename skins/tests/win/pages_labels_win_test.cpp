// The skinned page control and labels on real windows with real input
// (SendInput): tab clicks, OnChanging refusing, Ctrl+Tab and Ctrl+Shift+Tab
// (hidden tabs skipped, wrapping around, the focus following into the new
// page), recreating the window for TabPosition and back with pages and
// ActivePage kept, the options' rules; labels sizing and filling. A
// screenshot is kept in the build folder as skins_pages.bmp.
#include <gtest/gtest.h>

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sCustomLabel.h"
#include "skins/sEdit.h"
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
  int BlankWidth(TControl* c) {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(c->Font());
    int w = canvas.TextWidth(" ");
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

} // namespace
