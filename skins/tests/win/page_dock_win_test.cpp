// The skinned page control as a dock site, with real input (SendInput): a
// dkDock tool form dragged by its caption onto the page control gets a new
// active sheet with its caption (the dock rectangle showing the control's
// window on the way); its caption change (first line) and hiding change the
// tab; docking it twice is refused; a double click on its tab floats it back
// where it was; a press-and-move on the tab drags it out to float where it
// is dropped; a client whose window cannot be made leaves no sheet behind.
// Real input goes to the window in front, so it runs alone.
#include <gtest/gtest.h>

#include <string>

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/DragDock.h"
#include "classlib/Forms.h"
#include "classlib/tests/controls_test_input.h"
#include "skins/sPageControl.h"

using namespace testinput;
using skins::TsPageControl;
using skins::TsTabSheet;

namespace {

std::wstring TabText(HWND h, int i) {
  wchar_t buf[64] = {};
  TCITEMW t{};
  t.mask = TCIF_TEXT;
  t.pszText = buf;
  t.cchTextMax = 64;
  SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t));
  return buf;
}

int TabCount(HWND h) { return static_cast<int>(SendMessageW(h, TCM_GETITEMCOUNT, 0, 0)); }

void Button(bool down) {
  if (!down) return MouseUp();
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &in, sizeof in);
  Pump(40);
}

// A point on a window's caption.
POINT CaptionPoint(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  const int x = (r.left + r.right) / 2 - 20;
  for (int y = r.top; y < r.top + 40; ++y)
    if (SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCAPTION) return POINT{x, y + 2};
  return POINT{x, r.top + 8};
}

POINT TabCentre(TsPageControl* pc, int tab) {
  const TRect r = pc->TabRect(tab);
  POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  ClientToScreen(pc->Handle(), &p);
  return p;
}

// A control whose window cannot be made inside a sheet.
class TFailingClient : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void CreateParams(TCreateParams& p) override {
    if (dynamic_cast<TsTabSheet*>(Parent())) throw EOutOfResources("no window here");
    TCustomControl::CreateParams(p);
  }
};

class PageDock : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TForm>(Application);
    form_->SetBounds(40, 40, 460, 360);
    form_->SetCaption("Станции");
    pc_ = new TsPageControl(form_);
    pc_->SetParent(form_);
    pc_->SetBounds(10, 10, 320, 260);
    pc_->SetDockSite(true);
    first_ = New<TsTabSheet>(form_);
    first_->SetCaption("Первая");
    first_->SetPageControl(pc_);
    pc_->SetActivePage(first_);
    tool_ = New<TForm>(Application);
    tool_->SetBorderStyle(bsSizeToolWin);
    tool_->SetBounds(600, 120, 220, 160);
    tool_->SetCaption("Инструменты");
    tool_->SetDragKind(dkDock);
    tool_->SetDragMode(dmAutomatic);
    form_->Show();
    tool_->Show();
    Pump(200);
  }
  void TearDown() override {
    if (tool_->HostDockSite()) tool_->ManualFloat(Bounds(600, 120, 220, 160));
    tool_->Free();
    form_->Free();
    Pump(80);
  }
  POINT PageCentre() {
    RECT r;
    GetWindowRect(pc_->Handle(), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2 + 20};
  }
  TForm* form_ = nullptr;
  TForm* tool_ = nullptr;
  TsPageControl* pc_ = nullptr;
  TsTabSheet* first_ = nullptr;
};

TEST_F(PageDock, AToolFormDraggedOntoThePageControlGetsAnActiveSheetThatFollowsIt) {
  std::string endTarget = "none";
  tool_->OnEndDock = [&](TObject*, TObject* t, int, int) { endTarget = t ? "pc" : "-"; };
  DragAlong(CaptionPoint(tool_->Handle()), PageCentre(), 8, false);
  HWND frame = FindWindowW(L"Korvalis.DockRect", nullptr);
  ASSERT_TRUE(frame && IsWindowVisible(frame));
  RECT fr, pr;
  GetWindowRect(frame, &fr);
  GetWindowRect(pc_->Handle(), &pr);
  EXPECT_TRUE(EqualRect(&fr, &pr)); // the dock rectangle is the control's window
  Button(false);
  Pump(100);

  EXPECT_EQ(endTarget, "pc");
  ASSERT_EQ(pc_->PageCount(), 2);
  TsTabSheet* sheet = pc_->Pages(1);
  EXPECT_EQ(pc_->ActivePage(), sheet);
  EXPECT_EQ(sheet->Caption(), "Инструменты");
  EXPECT_EQ(TabText(pc_->Handle(), 1), L"Инструменты");
  EXPECT_EQ(tool_->HostDockSite(), pc_);
  EXPECT_EQ(pc_->DockClientCount(), 1);
  EXPECT_EQ(tool_->Parent(), sheet);
  EXPECT_EQ(GetParent(tool_->Handle()), sheet->Handle());
  EXPECT_EQ(tool_->Align(), alClient);
  EXPECT_EQ(tool_->Width(), sheet->ClientWidth());
  EXPECT_FALSE(tool_->Floating());

  // The caption's first line, and the visibility, reach the tab.
  tool_->SetCaption("Эквалайзер\r\nвторая строка");
  EXPECT_EQ(TabText(pc_->Handle(), 1), L"Эквалайзер");
  tool_->Hide();
  EXPECT_FALSE(sheet->TabVisible());
  EXPECT_EQ(TabCount(pc_->Handle()), 1);
  EXPECT_EQ(pc_->ActivePage(), first_);
  tool_->Show();
  EXPECT_TRUE(sheet->TabVisible());
  EXPECT_EQ(TabCount(pc_->Handle()), 2);

  // A client has one sheet here.
  EXPECT_FALSE(tool_->ManualDock(pc_));
  EXPECT_EQ(pc_->PageCount(), 2);
}

TEST_F(PageDock, ADoubleClickOnTheTabFloatsTheFormBackWhereItWas) {
  RECT before;
  GetWindowRect(tool_->Handle(), &before);
  ASSERT_TRUE(tool_->ManualDock(pc_));
  Pump(100);
  ASSERT_EQ(pc_->PageCount(), 2);
  EXPECT_EQ(pc_->ActivePage(), pc_->Pages(1));
  const POINT tab = TabCentre(pc_, 1);
  MoveToScreen(tab);
  for (int i = 0; i < 2; ++i) {
    Button(true);
    Button(false);
  }
  Pump(150);
  EXPECT_EQ(tool_->HostDockSite(), nullptr);
  EXPECT_EQ(tool_->Parent(), nullptr);
  EXPECT_TRUE(tool_->Floating());
  EXPECT_EQ(pc_->PageCount(), 1);
  EXPECT_EQ(pc_->ActivePage(), first_);
  EXPECT_EQ(pc_->DockClientCount(), 0);
  ASSERT_TRUE(IsWindowVisible(tool_->Handle()));
  EXPECT_EQ(GetWindow(tool_->Handle(), GW_OWNER), Application->Handle()); // its own window again
  EXPECT_FALSE(GetWindowLongPtrW(tool_->Handle(), GWL_STYLE) & WS_CHILD);
  RECT after;
  GetWindowRect(tool_->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(PageDock, APressAndMoveOnTheTabDragsTheFormOut) {
  ASSERT_TRUE(tool_->ManualDock(pc_));
  Pump(100);
  const POINT tab = TabCentre(pc_, 1);
  RECT fr;
  GetWindowRect(form_->Handle(), &fr);
  const POINT out{fr.right + 80, fr.top + 120};
  // Over its own page control it is refused: no dock rectangle.
  DragAlong(tab, PageCentre(), 8, false);
  EXPECT_TRUE(tool_->Dragging());
  HWND frame = FindWindowW(L"Korvalis.DockRect", nullptr);
  EXPECT_FALSE(frame && IsWindowVisible(frame));
  for (int i = 1; i <= 4; ++i) {
    const POINT c = PageCentre();
    MoveToScreen(POINT{c.x + (out.x - c.x) * i / 4, c.y + (out.y - c.y) * i / 4});
  }
  Button(false);
  Pump(150);
  EXPECT_EQ(tool_->HostDockSite(), nullptr);
  EXPECT_EQ(pc_->PageCount(), 1);
  ASSERT_TRUE(IsWindowVisible(tool_->Handle()));
  RECT tr;
  GetWindowRect(tool_->Handle(), &tr);
  EXPECT_TRUE(PtInRect(&tr, out)); // it floats where it was dropped
  EXPECT_EQ(tr.right - tr.left, 220); // at its floating size
}

TEST_F(PageDock, AClientWhoseWindowCannotBeMadeLeavesNoSheet) {
  auto* c = new TFailingClient(form_);
  c->SetParent(form_);
  c->SetBounds(340, 10, 80, 80);
  c->SetDragKind(dkDock);
  TsTabSheet* active = pc_->ActivePage();
  EXPECT_THROW(c->ManualDock(pc_), EOutOfResources);
  EXPECT_EQ(pc_->PageCount(), 1);
  EXPECT_EQ(pc_->ActivePage(), active);
  EXPECT_EQ(pc_->DockClientCount(), 0);
  EXPECT_EQ(c->HostDockSite(), nullptr);
  EXPECT_EQ(c->Parent(), nullptr); // not freed with the sheet
  c->Free();
}

} // namespace
