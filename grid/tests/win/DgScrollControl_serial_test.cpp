// The scroll control with real windows and real input: bars that show and
// hide, arrow clicks and a thumb drag moving the position and shifting the
// pixels, middle-button roll with its indicator and cursors (ended by a
// release or a lost capture), and the column drag box following the mouse.
// With GRID_SCREENSHOT set, a window showing the seven header styles, a
// scroll bar and the roll indicator is saved there as a bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/tests/controls_test_input.h"
#include "grid/DgCanvasWin.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgColumnDragBoxWin.h"
#include "grid/DgDisplays.h"
#include "grid/DgScrollControlWin.h"

using namespace testinput;

namespace {

constexpr int kRow = 16;

void SendButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

// Rows of alternating colours, scrolled by the vertical bar a row per line;
// the header styles above them.
class TStripes : public TDgScrollControl {
 public:
  explicit TStripes(TComponent* AOwner) : TDgScrollControl(AOwner) {
    SetBounds(200, 150, 360, 260);
  }
  int VertScrollDelta(int OldPos, int NewPos) override { return (OldPos - NewPos) * kRow; }
  bool ShowStyles = false;
  int vscrolls = 0, lastVPos = -1;

  static TColor RowColour(int row) { return row % 2 ? 0x00C000 : 0xC00000; }

 protected:
  void Paint() override {
    TDgGdiCanvas c(Canvas());
    const TRect client = ClientRect();
    int top = 0;
    if (ShowStyles) {
      const THeaderStyle styles[7] = {hsAuto,     hsFlatBorders, hsOffice2007, hsOffice2010,
                                      hsOldStyle, hsOutlook,     hsVista};
      const TDgColumnPlace places[3] = {TDgColumnPlace::First, TDgColumnPlace::Middle,
                                        TDgColumnPlace::Last};
      const char16_t* names[3] = {u"№", u"Название", u"Размер"};
      for (int i = 0; i < 7; ++i, top += 22) {
        std::unique_ptr<TStyleDisplay> d(CreateStyleDisplay(styles[i], this));
        d->Canvas = &c;
        d->GridColor = clWindow;
        d->DrawIndicatorHeader(TRect{0, top, 14, top + 22}, 0);
        for (int k = 0; k < 3; ++k) {
          TDgColumnLook look;
          look.Header.Caption = names[k];
          look.Place = places[k];
          look.Sorted = k == 1;
          look.Ascending = i % 2 == 0;
          look.Pressed = k == 2 && i == 4;
          d->DrawHeader(look, TRect{14 + k * 100, top, 114 + k * 100, top + 22});
        }
        d->DrawHeaderRest(TRect{314, top, client.Right, top + 22});
      }
    }
    VertScrollRect = TRect{0, top, client.Right, client.Bottom};
    const int first = VertScrollBar()->Position();
    for (int y = top, row = first; y < client.Bottom; y += kRow, ++row)
      c.FillRect(TRect{0, y, client.Right, y + kRow}, RowColour(row));
  }
};

struct Window {
  std::unique_ptr<TStripes> w{new TStripes(nullptr)};
  Window() {
    w->OnVerticalScroll = [this](TObject*, int pos) {
      ++w->vscrolls;
      w->lastVPos = pos;
    };
    w->HandleNeeded();
    ShowWindow(w->Handle(), SW_SHOWNORMAL);
    Activate(w->Handle());
    Pump(100);
  }
  HWND h() { return w->Handle(); }
  TColor ClientPixel(int x, int y) {
    HDC dc = GetDC(h());
    const TColor c = TColor(GetPixel(dc, x, y));
    ReleaseDC(h(), dc);
    return c;
  }
  // The vertical bar's parts in client coordinates.
  SCROLLBARINFO Bar() {
    SCROLLBARINFO i{};
    i.cbSize = sizeof i;
    GetScrollBarInfo(h(), OBJID_VSCROLL, &i);
    return i;
  }
  POINT ToClient(int x, int y) {
    POINT p{x, y};
    ScreenToClient(h(), &p);
    return p;
  }
};

} // namespace

TEST(DgScrollControl, BarsShowAndHideWithTheRange) {
  Window win;
  TDgScrollBar* v = win.w->VertScrollBar();
  EXPECT_TRUE(win.Bar().rgstate[0] & STATE_SYSTEM_INVISIBLE);
  v->SetPageSize(10);
  v->SetMax(100);
  Pump(50);
  EXPECT_FALSE(win.Bar().rgstate[0] & STATE_SYSTEM_INVISIBLE);
  v->SetMax(5); // the page covers it all
  Pump(50);
  EXPECT_TRUE(win.Bar().rgstate[0] & STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(v->Visible());
}

TEST(DgScrollControl, ArrowClicksAndThumbDragMoveThePixels) {
  Window win;
  TDgScrollBar* v = win.w->VertScrollBar();
  v->SetPageSize(10);
  v->SetMax(100);
  win.w->Invalidate();
  Pump(100);
  EXPECT_EQ(win.ClientPixel(20, 5), TStripes::RowColour(0));
  const SCROLLBARINFO bar = win.Bar();
  const int arrow = bar.dxyLineButton;
  const POINT down = win.ToClient(bar.rcScrollBar.left + 5, bar.rcScrollBar.bottom - arrow / 2);
  // The bar lies outside the client area: click in screen terms through
  // client coordinates past its right edge.
  Click(win.h(), down.x, down.y);
  Pump(150);
  EXPECT_EQ(v->Position(), 1);
  EXPECT_EQ(v->ScrollKind, 1);
  EXPECT_GE(win.w->vscrolls, 1);
  EXPECT_EQ(win.w->lastVPos, 1);
  // The rows moved up by one: row 1's colour is at the top now.
  EXPECT_EQ(win.ClientPixel(20, 5), TStripes::RowColour(1));
  const POINT up = win.ToClient(bar.rcScrollBar.left + 5, bar.rcScrollBar.top + arrow / 2);
  Click(win.h(), up.x, up.y);
  Pump(150);
  EXPECT_EQ(v->Position(), 0);
  // The thumb dragged to the bottom: the bar's drag loop here does not take
  // synthetic moves, so the request it sends comes as the message itself.
  SendMessageW(win.h(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 95), 0);
  Pump(100);
  EXPECT_EQ(v->Position(), 91);
  EXPECT_EQ(v->ScrollKind, 3);
  EXPECT_EQ(win.ClientPixel(20, 5), TStripes::RowColour(91));
}

TEST(DgScrollControl, MiddleButtonRollsWithItsIndicator) {
  Window win;
  TDgScrollBar* v = win.w->VertScrollBar();
  v->SetPageSize(10);
  v->SetMax(1000);
  Pump(50);
  MoveTo(win.h(), 100, 60);
  Pump(30);
  SendButton(MOUSEEVENTF_MIDDLEDOWN);
  Pump(60);
  ASSERT_TRUE(win.w->Rolling());
  TRollShadow* ind = win.w->RollIndicator();
  EXPECT_TRUE(IsWindowVisible(ind->Handle()));
  RECT ir;
  GetWindowRect(ind->Handle(), &ir);
  POINT anchor{100, 60};
  ClientToScreen(win.h(), &anchor);
  EXPECT_EQ(ir.left, anchor.x - 7);
  EXPECT_EQ(ir.top, anchor.y - 11);
  EXPECT_EQ(GetCursor(), classlib::CursorHandleOf(DgCursor::Roll));
  // Within 5 pixels: no scrolling.
  MoveTo(win.h(), 100, 64);
  Pump(150);
  EXPECT_EQ(v->Position(), 0);
  // 50 pixels below: down, a line every 50 ms. A loaded machine may pump
  // for longer than asked, so the lines are bounded by the time that passed.
  const DWORD start = GetTickCount();
  MoveTo(win.h(), 100, 110);
  Pump(400);
  EXPECT_EQ(GetCursor(), classlib::CursorHandleOf(DgCursor::RollDown));
  EXPECT_EQ(win.w->RollInterval(), 50u);
  const int after = v->Position();
  const int most = static_cast<int>((GetTickCount() - start) / 50) + 2;
  EXPECT_GE(after, 1);
  EXPECT_LE(after, most);
  // Above the anchor: up.
  MoveTo(win.h(), 100, 0);
  Pump(100);
  EXPECT_EQ(GetCursor(), classlib::CursorHandleOf(DgCursor::RollUp));
  SendButton(MOUSEEVENTF_MIDDLEUP);
  Pump(60);
  EXPECT_FALSE(win.w->Rolling());
  EXPECT_FALSE(IsWindowVisible(ind->Handle()));
  const int stopped = v->Position();
  Pump(200);
  EXPECT_EQ(v->Position(), stopped);
}

TEST(DgScrollControl, LostCaptureEndsRolling) {
  Window win;
  TDgScrollBar* v = win.w->VertScrollBar();
  v->SetPageSize(10);
  v->SetMax(1000);
  MoveTo(win.h(), 100, 60);
  SendButton(MOUSEEVENTF_MIDDLEDOWN);
  Pump(60);
  ASSERT_TRUE(win.w->Rolling());
  MoveTo(win.h(), 100, 150);
  Pump(100);
  // Another window takes the mouse (as a message box would).
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                               nullptr, nullptr, nullptr);
  SetCapture(other);
  Pump(60);
  EXPECT_FALSE(win.w->Rolling());
  EXPECT_FALSE(IsWindowVisible(win.w->RollIndicator()->Handle()));
  const int stopped = v->Position();
  Pump(200);
  EXPECT_EQ(v->Position(), stopped);
  ReleaseCapture();
  DestroyWindow(other);
  SendButton(MOUSEEVENTF_MIDDLEUP);
  Pump(30);
}

TEST(DgColumnDragBox, FollowsTheMouseAndDrops) {
  Window win;
  TDgTextColumn column;
  column.Header()->SetCaption(u"Название");
  TColumnDragBox* box = new TColumnDragBox(win.w.get());
  std::vector<TPoint> moves, drops;
  int cancels = 0;
  box->OnColumnMove = [&](TObject*, int x, int y) { moves.push_back({x, y}); };
  box->OnColumnDrop = [&](TObject*, int x, int y) { drops.push_back({x, y}); };
  box->OnColumnDragCancel = [&](TObject*) { ++cancels; };
  POINT start{60, 10};
  ClientToScreen(win.h(), &start);
  box->SetBounds(start.x - 40, start.y - 10, 80, 20);
  MouseDown(win.h(), 60, 10);
  box->StartDrag(start.x, start.y, false, &column);
  Pump(50);
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
  MoveTo(win.h(), 150, 40);
  Pump(80);
  ASSERT_FALSE(moves.empty());
  POINT s{150, 40};
  ClientToScreen(win.h(), &s);
  EXPECT_EQ(moves.back(), Point(s.x, s.y));
  RECT br;
  GetWindowRect(box->Handle(), &br);
  EXPECT_EQ(br.left, s.x - 40);
  EXPECT_EQ(br.bottom, s.y + 4);
  MouseUp();
  Pump(80);
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], Point(s.x, s.y));
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  EXPECT_EQ(cancels, 0);
  // Hidden tracking, then a lost capture: no drop, the grid is told.
  MouseDown(win.h(), 60, 10);
  box->StartDrag(start.x, start.y, true, &column);
  Pump(30);
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  MoveTo(win.h(), 100, 30);
  Pump(50);
  const size_t movesBefore = moves.size();
  EXPECT_GT(movesBefore, 1u);
  SetCapture(win.h());
  Pump(30);
  EXPECT_EQ(cancels, 1);
  EXPECT_FALSE(box->Tracking());
  MouseUp();
  Pump(50);
  EXPECT_EQ(drops.size(), 1u);
}

TEST(DgDragArrow, ShapesByKind) {
  Window win;
  TDragArrow* up = new TDragArrow(win.w.get());
  up->HandleNeeded();
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  // Never set: no pixel of the window shows (Wine reports a region that
  // lies outside the window as none at all).
  if (GetWindowRgn(up->Handle(), r) != ERROR) {
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) EXPECT_FALSE(PtInRegion(r, x, y)) << x << "," << y;
  }
  up->SetKind(TDgArrowKind::Up);
  EXPECT_NE(GetWindowRgn(up->Handle(), r), ERROR);
  EXPECT_TRUE(PtInRegion(r, 4, 1));
  EXPECT_FALSE(PtInRegion(r, 1, 8));
  DeleteObject(r);
}

TEST(DgScrollControl, ScreenshotOfTheStylesBarAndRoll) {
  const char* dir = std::getenv("GRID_SCREENSHOT");
  Window win;
  win.w->ShowStyles = true;
  win.w->SetBounds(100, 100, 460, 300);
  TDgScrollBar* v = win.w->VertScrollBar();
  v->SetPageSize(10);
  v->SetMax(100);
  win.w->Invalidate();
  Pump(100);
  MoveTo(win.h(), 200, 200);
  SendButton(MOUSEEVENTF_MIDDLEDOWN);
  Pump(80);
  EXPECT_TRUE(win.w->Rolling());
  if (dir) {
    // Taken from the screen, so the indicator popup is in the picture.
    EXPECT_TRUE(SaveScreenshot(win.h(), Cp1251ToWide(std::string(dir))));
  }
  SendButton(MOUSEEVENTF_MIDDLEUP);
  Pump(50);
}
