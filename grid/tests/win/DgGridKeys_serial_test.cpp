// The grid in a real window answering real keys: arrows, Home, End, Page Up
// and Down, Tab and Enter move the focused cell; a Cyrillic value typed into
// a cell is written there by Enter, Esc leaves the cell as it was, and the
// wheel scrolls the rows. With GRID_EDIT_SCREENSHOT set, the window with a
// cell being edited is saved there as a bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "classlib/tests/controls_test_input.h"
#include "grid/DgCellClasses.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgEditWin.h"
#include "grid/DgGridWin.h"

using namespace testinput;

namespace {

constexpr int kRows = 60;

// A text column whose cells hold integers (its cells convert what is typed).
class TNumberColumn : public TDgTextColumn {
 public:
  explicit TNumberColumn(TComponent* AOwner) : TDgTextColumn(AOwner) {
    SetCellKind(DgCellKind::Integer);
  }
};

struct GridWindow {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TDataGridWindow* win = nullptr;
  TDataGrid* g = nullptr;

  explicit GridWindow(bool NumberColumn = false) {
    DgUseEditControls();
    form->SetBounds(120, 120, 420, 260);
    win = new TDataGridWindow(form.get());
    win->SetParent(form.get());
    win->SetBounds(8, 8, 390, 200);
    g = win->Grid();
    const char16_t* names[3] = {u"№", u"Название", u"Размер"};
    for (int i = 0; i < 3; ++i) {
      auto* c = i == 2 && NumberColumn ? new TNumberColumn(nullptr) : new TDgTextColumn(nullptr);
      g->Columns()->Add(c);
      c->SetWidth(110);
      c->Header()->SetCaption(names[i]);
      c->SetOptions(c->Options() + TColumnOptions{coEditing});
    }
    g->SetOptions(TGridOptions{goHeader, goGrid, goIndicator});
    g->SetWantTabs(true);
    g->SetWantReturns(true);
    g->BeginUpdate();
    g->AddRow(kRows);
    for (int r = 0; r < kRows; ++r) {
      g->SetCells(0, r, DgCellText::Widen(std::to_string(r + 1)));
      g->SetCells(1, r, u"Запись " + DgCellText::Widen(std::to_string(r + 1)));
      g->SetCells(2, r, DgCellText::Widen(std::to_string((r + 1) * 512)));
    }
    g->EndUpdate();
    form->Show();
    Activate(form->Handle());
    win->SetFocus();
    g->SelectCell(0, 0, true, TShiftState());
    Pump(100);
  }
  HWND h() { return win->Handle(); }
  void Press(WORD vk, bool shift = false) {
    Key(vk, shift);
    Pump(60);
  }
};

} // namespace

TEST(DgGridKeys, ArrowsHomeEndAndPagesMoveTheFocusedCell) {
  GridWindow w;
  ASSERT_EQ(GetFocus(), w.h());
  w.Press(VK_DOWN);
  w.Press(VK_DOWN);
  EXPECT_EQ(2, w.g->SelectedRow());
  w.Press(VK_UP);
  EXPECT_EQ(1, w.g->SelectedRow());
  w.Press(VK_RIGHT);
  EXPECT_EQ(1, w.g->SelectedColumn());
  w.Press(VK_LEFT);
  w.Press(VK_LEFT); // at the first column already
  EXPECT_EQ(0, w.g->SelectedColumn());
  const int page = w.g->FullRowsFromTop();
  ASSERT_GT(page, 2);
  w.Press(VK_NEXT);
  EXPECT_EQ(page - 1, w.g->SelectedRow()); // the last fully shown row
  w.Press(VK_NEXT);
  EXPECT_EQ(2 * page - 1, w.g->SelectedRow());
  EXPECT_EQ(page, w.win->VertScrollBar().Position());
  w.Press(VK_PRIOR);
  EXPECT_EQ(w.g->TopRow(), w.g->SelectedRow());
  w.Press(VK_END);
  EXPECT_EQ(kRows - 1, w.g->SelectedRow());
  w.Press(VK_DOWN); // the last row stays
  EXPECT_EQ(kRows - 1, w.g->SelectedRow());
  w.Press(VK_HOME);
  EXPECT_EQ(0, w.g->SelectedRow());
  EXPECT_EQ(0, w.win->VertScrollBar().Position());
}

TEST(DgGridKeys, TabAndEnterWalkTheCells) {
  GridWindow w;
  w.Press(VK_TAB);
  w.Press(VK_TAB);
  EXPECT_EQ(2, w.g->SelectedColumn());
  w.Press(VK_TAB); // the next row's first cell
  EXPECT_EQ(1, w.g->SelectedRow());
  EXPECT_EQ(0, w.g->SelectedColumn());
  w.Press(VK_TAB, true);
  EXPECT_EQ(0, w.g->SelectedRow());
  EXPECT_EQ(2, w.g->SelectedColumn());
  w.Press(VK_RETURN); // down, the way the selection moves
  EXPECT_EQ(1, w.g->SelectedRow());
  EXPECT_EQ(GetFocus(), w.h());
}

TEST(DgGridKeys, TheWindowsOwnHandlersComeFirstAndMayTakeTheKey) {
  GridWindow w;
  std::vector<int> rows_seen;
  w.win->OnKeyDown = [&](TObject*, WORD& k, TShiftState) {
    rows_seen.push_back(w.g->SelectedRow());
    if (k == VK_DOWN) k = 0;
  };
  w.Press(VK_DOWN); // taken: the grid does not move
  EXPECT_EQ(0, w.g->SelectedRow());
  w.Press(VK_NEXT);
  EXPECT_GT(w.g->SelectedRow(), 0);
  ASSERT_GE(rows_seen.size(), 2u);
  EXPECT_EQ(0, rows_seen[1]); // before the grid paged
  std::vector<bool> editing_seen;
  w.win->OnKeyPress = [&](TObject*, char& c) {
    editing_seen.push_back(w.g->CellEditing());
    if (c == 'x') c = 0;
  };
  Type(L"x");
  Pump(60);
  EXPECT_FALSE(w.g->CellEditing()); // the letter never reached the grid
  Type(L"y");
  Pump(60);
  EXPECT_TRUE(w.g->CellEditing());
  EXPECT_EQ(editing_seen, (std::vector<bool>{false, false}));
  w.Press(VK_ESCAPE);
}

TEST(DgGridKeys, TheDialogCodeWantsTabOnlyWithSomewhereToGoAndNeverAllKeys) {
  GridWindow w; // WantTabs and WantReturns
  auto code = [&] { return SendMessageW(w.h(), WM_GETDLGCODE, 0, 0); };
  EXPECT_EQ(code(), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
  w.g->SetWantTabs(false);
  EXPECT_EQ(code(), DLGC_WANTARROWS | DLGC_WANTCHARS);
  w.g->SetWantTabs(true);
  w.g->ClearRows();
  EXPECT_EQ(code(), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST(DgGridKeys, TheGridFollowsItsParentsFontUntilItHasOneOfItsOwn) {
  GridWindow w;
  EXPECT_TRUE(w.g->ParentFont());
  w.form->Font()->SetName("Tahoma");
  EXPECT_EQ(w.g->Font()->Name(), "Tahoma");
  EXPECT_EQ(w.g->Columns()->Item(0)->Font()->Name(), "Tahoma"); // and its columns
  EXPECT_TRUE(w.g->ParentFont());
  w.g->Font()->SetHeight(-14);
  EXPECT_FALSE(w.g->ParentFont());
  w.form->Font()->SetName("Arial");
  EXPECT_EQ(w.g->Font()->Name(), "Tahoma");
  w.g->SetParentFont(true);
  EXPECT_EQ(w.g->Font()->Name(), "Arial");
  EXPECT_EQ(w.g->Font()->Height(), w.form->Font()->Height());
}

TEST(DgGridKeys, CyrillicTypedIntoACellIsWrittenByEnter) {
  GridWindow w;
  w.g->SelectCell(1, 2, true, TShiftState());
  Pump(50);
  Type(L"Привет");
  Pump(150);
  ASSERT_TRUE(w.g->CellEditing());
  IDgInplaceEditor* ed = w.g->AttachedEditor();
  ASSERT_NE(nullptr, ed);
  EXPECT_EQ(u"Привет", ed->EditText());
  auto* edit = dynamic_cast<TDgEdit*>(ed);
  ASSERT_NE(nullptr, edit);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_EQ(w.h(), GetParent(edit->Handle()));
  if (const char* path = std::getenv("GRID_EDIT_SCREENSHOT")) {
    w.win->Repaint();
    Pump(100);
    EXPECT_TRUE(SaveScreenshot(w.form->Handle(), Cp1251ToWide(std::string(path))));
  }
  w.Press(VK_LEFT); // the editor's caret, not the grid's column
  EXPECT_TRUE(w.g->CellEditing());
  EXPECT_EQ(1, w.g->SelectedColumn());
  w.Press(VK_RETURN);
  EXPECT_FALSE(w.g->CellEditing());
  EXPECT_EQ(u"Привет", w.g->Cells(1, 2));
  EXPECT_EQ(GetFocus(), w.h());
  EXPECT_FALSE(IsWindowVisible(edit->Handle()));
}

TEST(DgGridKeys, EscapeLeavesTheCellAsItWas) {
  GridWindow w;
  w.g->SelectCell(1, 3, true, TShiftState());
  Type(L"Ёж");
  Pump(120);
  ASSERT_TRUE(w.g->CellEditing());
  w.Press(VK_ESCAPE);
  EXPECT_FALSE(w.g->CellEditing());
  EXPECT_EQ(u"Запись 4", w.g->Cells(1, 3));
  EXPECT_EQ(GetFocus(), w.h());
}

TEST(DgGridKeys, TheWheelScrollsTheRows) {
  GridWindow w;
  MoveTo(w.h(), 150, 100);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  SendInput(1, &in, sizeof in);
  Pump(100);
  const int after = w.win->VertScrollBar().Position();
  EXPECT_GT(after, 0);
  EXPECT_EQ(after, w.g->TopRow());
  in.mi.mouseData = WHEEL_DELTA;
  SendInput(1, &in, sizeof in);
  Pump(100);
  EXPECT_LT(w.win->VertScrollBar().Position(), after);
}

TEST(DgGridKeys, ANumberColumnRefusesLettersWithAMessageAndKeepsTheCell) {
  GridWindow w(true);
  std::vector<std::string> boxes;
  classlib::MessageBoxHook = [&](HWND, const std::string& text, const std::string&, UINT) {
    boxes.push_back(text);
    return IDOK;
  };
  w.g->SelectCell(2, 1, true, TShiftState());
  Type(L"abc");
  Pump(120);
  ASSERT_TRUE(w.g->CellEditing());
  w.Press(VK_RETURN);
  Pump(100);
  EXPECT_TRUE(w.g->CellEditing()); // the typed text stays to be put right
  EXPECT_EQ(u"1024", w.g->Cells(2, 1));
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].find("abc"));
  // The focus goes to another window: reported again, the edit ends.
  TForm other(nullptr);
  other.SetBounds(600, 120, 200, 100);
  other.Show();
  Activate(other.Handle());
  Pump(150);
  EXPECT_FALSE(w.g->CellEditing());
  EXPECT_EQ(2u, boxes.size());
  EXPECT_EQ(u"1024", w.g->Cells(2, 1));
  classlib::MessageBoxHook = nullptr;
}
