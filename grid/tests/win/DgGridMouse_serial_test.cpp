// The grid's mouse with real input on a real form: a column edge dragged,
// a column moved by its header (the drag box and both arrows on screen),
// header clicks sorting and reversing, middle-button roll scrolling the rows,
// a cell's hint, and a drag that the program's losing the foreground ends.
// With GRID_SCREENSHOT set, the column being moved is saved there as a bitmap.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"
#include "classlib/HintWindow.h"
#include "classlib/PanelCtrls.h"
#include "classlib/tests/controls_test_input.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgColumnDragBoxWin.h"
#include "grid/DgCursors.h"
#include "grid/DgGridMouseWin.h"
#include "grid/DgGridWin.h"

using namespace testinput;

namespace {

// Moves the mouse in steps, as a hand does (each step a WM_MOUSEMOVE).
void Glide(HWND wnd, int x0, int y0, int x1, int y1, int steps = 8) {
  for (int i = 1; i <= steps; ++i) {
    MoveTo(wnd, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    Pump(15);
  }
}

const char16_t* const kNames[] = {u"Радио Рекорд", u"Европа Плюс", u"Жара FM",
                                  u"Авторадио",    u"Маяк",        u"Шансон",
                                  u"Юмор FM",      u"Бизнес FM",   u"Русское радио",
                                  u"Ретро FM",     u"Дорожное",    u"Серебряный дождь"};

// A form with the recorded-files columns: "№" 0..60, "Название" 60..260,
// "Размер" 260..360 under a header 18 high, rows of 16.
// In a panel when asked (as a grid inside a frame of the form).
struct GridForm {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TDataGridWindow* w = nullptr;
  TDataGrid* g = nullptr;
  explicit GridForm(bool InPanel = false) {
    form->SetCaption("Записанные файлы");
    form->SetBounds(120, 100, 480, 300);
    TWinControl* parent = form.get();
    if (InPanel) {
      auto* panel = new TPanel(form.get());
      panel->SetParent(form.get());
      panel->SetBounds(0, 0, 470, 260);
      parent = panel;
    }
    w = new TDataGridWindow(form.get());
    w->SetParent(parent);
    w->SetBounds(8, 24, 440, 220);
    g = w->Grid();
    const char16_t* captions[3] = {u"№", u"Название", u"Размер"};
    const int widths[3] = {60, 200, 100};
    for (int i = 0; i < 3; ++i) {
      auto* c = new TDgTextColumn();
      g->Columns()->Add(c);
      c->SetWidth(widths[i]);
      c->Header()->SetCaption(captions[i]);
    }
    g->AddRow(36);
    for (int r = 0; r < 36; ++r) {
      const std::u16string n =
          std::u16string(u"") + char16_t(u'0' + (r + 1) / 10) + char16_t(u'0' + (r + 1) % 10);
      g->SetCells(0, r, n);
      g->SetCells(1, r, kNames[(r * 5) % 12]);
      g->SetCells(2, r, n + u"00 КБ");
    }
    form->Show();
    Activate(form->Handle());
    Pump(150);
  }
  HWND h() { return w->Handle(); }
  TDgCustomColumn* Col(int i) { return g->Columns()->Item(i); }
  bool Visible(TWinControl* c) { return c->HandleAllocated() && IsWindowVisible(c->Handle()); }
  POINT Screen(int x, int y) {
    POINT p{x, y};
    ClientToScreen(h(), &p);
    return p;
  }
};

TEST(GridMouseWindow, DraggingAColumnEdgeResizesOnRelease) {
  GridForm f;
  MoveTo(f.h(), 62, 8);
  Pump(40);
  Glide(f.h(), 62, 8, 60, 8, 2);
  EXPECT_EQ(GetCursor(), classlib::CursorHandleOf(DgCursor::HorzSplit));
  MouseDown(f.h(), 60, 8);
  Pump(30);
  Glide(f.h(), 60, 8, 110, 12);
  EXPECT_EQ(f.Col(0)->Width(), 60); // only the guide line moves
  EXPECT_EQ(f.g->GuideLineX(1), 109);
  MouseUp();
  Pump(60);
  EXPECT_EQ(f.Col(0)->Width(), 110);
  EXPECT_EQ(f.g->MouseState(), TDgMouseState::Idle);
  EXPECT_EQ(f.g->GuideLineX(1), DgNoGuide);
}

TEST(GridMouseWindow, MovingAColumnShowsTheBoxAndArrows) {
  GridForm f;
  TDgColumnDragFeedback* fb = f.w->DragFeedback();
  ASSERT_NE(fb, nullptr);
  MoveTo(f.h(), 120, 9);
  Pump(30);
  MouseDown(f.h(), 120, 9);
  Pump(30);
  Glide(f.h(), 120, 9, 330, 9, 10); // the right half of "Размер"
  Pump(60);
  ASSERT_EQ(f.g->MouseState(), TDgMouseState::ColumnDragging);
  EXPECT_TRUE(f.Visible(fb->Box()));
  EXPECT_TRUE(f.Visible(fb->UpperArrow()));
  EXPECT_TRUE(f.Visible(fb->LowerArrow()));
  RECT up, low, box;
  GetWindowRect(fb->UpperArrow()->Handle(), &up);
  GetWindowRect(fb->LowerArrow()->Handle(), &low);
  GetWindowRect(fb->Box()->Handle(), &box);
  const POINT edge = f.Screen(360, 0); // the right edge of the last column
  EXPECT_EQ(up.left, edge.x - 4);
  EXPECT_EQ(up.top, edge.y - 12);
  EXPECT_EQ(low.top, edge.y + 18 - 1);
  const POINT mouse = f.Screen(330, 9);
  EXPECT_EQ(box.bottom, mouse.y + 4);
  EXPECT_EQ(box.right - box.left, 200);
  if (const char* dir = std::getenv("GRID_SCREENSHOT")) {
    EXPECT_TRUE(SaveScreenshot(f.form->Handle(), Cp1251ToWide(std::string(dir))));
  }
  MouseUp();
  Pump(80);
  EXPECT_EQ(f.g->Columns()->PositionOf(f.Col(1)), 2);
  EXPECT_FALSE(f.Visible(fb->Box()));
  EXPECT_FALSE(f.Visible(fb->UpperArrow()));
  EXPECT_FALSE(f.Visible(fb->LowerArrow()));
  // Another window takes the mouse in the middle of a drag: nothing moves,
  // nothing stays on screen. The box shows the header in the grid's font,
  // whatever the window's.
  f.g->Font()->SetName("Tahoma");
  f.g->Font()->SetHeight(-13);
  MouseDown(f.h(), 30, 9);
  Glide(f.h(), 30, 9, 200, 9);
  ASSERT_EQ(f.g->MouseState(), TDgMouseState::ColumnDragging);
  EXPECT_EQ(fb->Box()->Font()->Name(), "Tahoma");
  EXPECT_EQ(fb->Box()->Font()->Height(), -13);
  EXPECT_NE(f.w->Font()->Name(), "Tahoma");
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                               nullptr, nullptr, nullptr);
  SetCapture(other);
  Pump(60);
  EXPECT_EQ(f.g->MouseState(), TDgMouseState::Idle);
  EXPECT_FALSE(f.Visible(fb->Box()));
  EXPECT_FALSE(f.Visible(fb->UpperArrow()));
  ReleaseCapture();
  DestroyWindow(other);
  MouseUp();
  Pump(40);
  EXPECT_EQ(f.g->Columns()->PositionOf(f.Col(0)), 0);
}

// A window of another thread takes the foreground, as another program's
// would: the program's windows hear WM_ACTIVATEAPP.
struct OtherProgram {
  std::atomic<bool> done{false};
  std::atomic<HWND> wnd{nullptr};
  std::thread t{[this] {
    HWND h = CreateWindowExW(0, L"STATIC", L"другая программа", WS_POPUP | WS_VISIBLE, 600, 400,
                             120, 60, nullptr, nullptr, nullptr, nullptr);
    wnd = h;
    SetForegroundWindow(h);
    while (!done) {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      Sleep(5);
    }
    DestroyWindow(h);
  }};
  ~OtherProgram() {
    done = true;
    t.join();
  }
};

TEST(GridMouseWindow, LosingTheForegroundEndsAColumnDrag) {
  GridForm f(true);
  TDgColumnDragFeedback* fb = f.w->DragFeedback();
  auto drag = [&] {
    MoveTo(f.h(), 120, 9);
    Pump(30);
    MouseDown(f.h(), 120, 9);
    Pump(30);
    Glide(f.h(), 120, 9, 330, 9, 10);
    Pump(60);
    ASSERT_EQ(f.g->MouseState(), TDgMouseState::ColumnDragging);
    ASSERT_TRUE(f.Visible(fb->Box()));
    ASSERT_TRUE(f.Visible(fb->UpperArrow()));
  };
  // The message alone, as the system sends it to the form: the grid in the
  // panel hears it while the box still holds the mouse.
  drag();
  SendMessageW(f.form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(f.g->MouseState(), TDgMouseState::Idle);
  EXPECT_FALSE(f.Visible(fb->Box()));
  EXPECT_FALSE(f.Visible(fb->UpperArrow()));
  EXPECT_FALSE(f.Visible(fb->LowerArrow()));
  MouseUp();
  Pump(60);
  EXPECT_EQ(f.g->Columns()->PositionOf(f.Col(1)), 1);
  // And another program taking the foreground.
  Activate(f.form->Handle());
  Pump(60);
  drag();
  {
    OtherProgram other;
    for (int i = 0; i < 40 && f.g->MouseState() != TDgMouseState::Idle; ++i) Pump(25);
    EXPECT_NE(GetForegroundWindow(), f.form->Handle());
    EXPECT_EQ(f.g->MouseState(), TDgMouseState::Idle);
    EXPECT_FALSE(f.Visible(fb->Box()));
    EXPECT_FALSE(f.Visible(fb->UpperArrow()));
    EXPECT_FALSE(f.Visible(fb->LowerArrow()));
    MouseUp();
    Pump(60);
  }
  EXPECT_EQ(f.g->Columns()->PositionOf(f.Col(1)), 1);
}

TEST(GridMouseWindow, AHeaderClickSortsAndASecondReverses) {
  GridForm f;
  auto ordered = [&](bool ascending) {
    for (int r = 1; r < f.g->RowCount(); ++r) {
      const WideString a = f.g->Cells(1, r - 1), b = f.g->Cells(1, r);
      if (ascending ? a > b : a < b) return false;
    }
    return true;
  };
  ASSERT_FALSE(ordered(true));
  Click(f.h(), 150, 9);
  Pump(80);
  EXPECT_TRUE(f.Col(1)->Sorted());
  EXPECT_TRUE(ordered(true));
  // A second click, not a double click.
  Pump(int(GetDoubleClickTime()) + 100);
  Click(f.h(), 150, 9);
  Pump(80);
  EXPECT_EQ(f.Col(1)->SortKind(), skDescending);
  EXPECT_TRUE(ordered(false));
}

TEST(GridMouseWindow, MiddleButtonRollScrollsTheRows) {
  GridForm f;
  MoveTo(f.h(), 200, 100);
  Pump(30);
  SendMouse(MOUSEEVENTF_MIDDLEDOWN);
  Pump(60);
  ASSERT_TRUE(f.w->Rolling());
  MoveTo(f.h(), 200, 150);
  Pump(100);
  EXPECT_TRUE(f.w->Rolling()) << (GetCapture() == f.h());
  Pump(400);
  EXPECT_GT(f.g->TopRow(), 0) << f.w->VertScrollBar().Position() << " of "
                              << f.w->VertScrollBar().Max();
  EXPECT_EQ(f.g->MouseState(), TDgMouseState::Idle); // the grid takes no part in it
  SendMouse(MOUSEEVENTF_MIDDLEUP);
  Pump(60);
  EXPECT_FALSE(f.w->Rolling());
  const int stopped = f.g->TopRow();
  Pump(200);
  EXPECT_EQ(f.g->TopRow(), stopped);
}

TEST(GridMouseWindow, ACellHintShowsNextToTheCell) {
  GridForm f;
  f.g->OnCellHint = [](TObject*, int c, int r, WideString& v) {
    if (c == 2 && r == 3) v = u"Записано целиком";
  };
  Glide(f.h(), 300, 150, 300, 18 + 16 * 3 + 6);
  Pump(80);
  THintWindow* hint = f.w->HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(f.Visible(hint));
  RECT r;
  GetWindowRect(hint->Handle(), &r);
  const POINT at = f.Screen(360, 18 + 16 * 3 - 20);
  EXPECT_EQ(r.left, at.x);
  EXPECT_EQ(r.top, at.y);
  Glide(f.h(), 300, 18 + 16 * 3 + 6, 300, 18 + 16 * 8);
  Pump(60);
  EXPECT_FALSE(f.Visible(hint));
}

} // namespace
