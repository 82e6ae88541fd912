// Editing cells and the input line through the fake editor: edits begun by a
// key or a call, applied, refused by OnEditAccept and cancelled, texts the
// column cannot take, the editor's place, focus leaving and rows swapped
// under an edit.
#include <utility>

#include "grid/DgColumnDisplay.h"
#include "grid/tests/KeyGridFixture.h"
#include "grid/tests/datagrid_fixture.h"

namespace {

class CellEdit : public KeyGridTest {
 protected:
  void SetUp() override {
    KeyGridTest::SetUp();
    for (int i = 0; i < 3; ++i) Editable(i);
    Select(1, 2);
  }
};

TEST_F(CellEdit, ALetterStartsEditingAndEnterWritesTheCell) {
  std::vector<WideString> after;
  grid.OnAfterEdit = [&](TObject*, int c, int r, const WideString& v) {
    after.push_back(v);
    EXPECT_EQ(1, c);
    EXPECT_EQ(2, r);
  };
  Char(u'Ж');
  ASSERT_TRUE(grid.CellEditing());
  TFakeInplaceEditor* ed = Editor();
  ASSERT_NE(nullptr, ed);
  EXPECT_EQ(u"Ж", ed->EditText()); // the key, not the cell's text
  EXPECT_EQ(1, ed->SelStart());
  EXPECT_TRUE(ed->EditorVisible());
  EXPECT_TRUE(ed->EditorFocused());
  EXPECT_EQ(&host, ed->Host());
  ed->Type(u"ук");
  host.focused = false; // the editor has the focus
  ed->Press(vk::Enter);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"Жук", grid.Cells(1, 2));
  ASSERT_EQ(1u, after.size());
  EXPECT_EQ(u"Жук", after[0]);
  EXPECT_FALSE(ed->EditorVisible());
  EXPECT_TRUE(host.focused); // the grid takes the focus back
  EXPECT_EQ(nullptr, grid.AttachedEditor());
}

// A column whose texts hold line breaks.
class TNotesColumn : public TDgTextColumn {
 public:
  bool TakesEnterAsText() const override { return true; }
};

TEST_F(CellEdit, EnterStaysInTheEditorOfAColumnThatTakesItAsText) {
  auto* notes = new TNotesColumn;
  grid.Columns()->Add(notes);
  notes->SetWidth(80);
  for (auto& r : grid.rows) r.cells.resize(4);
  Editable(3);
  Select(3, 2);
  Char(u'a');
  TFakeInplaceEditor* ed = Editor();
  ASSERT_NE(nullptr, ed);
  host.focused = false;
  ed->Press(vk::Enter);
  EXPECT_TRUE(grid.CellEditing()); // the edit goes on
  EXPECT_EQ(vk::Enter, ed->KeyLeft());
  EXPECT_EQ(u"", grid.Cells(3, 2)); // nothing written yet
  EXPECT_FALSE(host.focused);
  // Tab still ends it; in another column Enter is the grid's.
  ed->Press(vk::Tab);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"a", grid.Cells(3, 2));
  Select(1, 2);
  Char(u'b');
  ed = Editor();
  ASSERT_NE(nullptr, ed);
  ed->Press(vk::Enter);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(0, ed->KeyLeft());
  EXPECT_EQ(u"b", grid.Cells(1, 2));
}

TEST_F(CellEdit, BeginEditShowsTheCellsTextOverTheCell) {
  Column(1)->SetOptions(Column(1)->Options() + TColumnOptions{coEditorAutoSelect});
  Column(1)->SetPadding(2);
  std::vector<WideString> edits;
  grid.OnEdit = [&](TObject*, int, int, const WideString& v) { edits.push_back(v); };
  grid.OnApplyEditText = [](TObject*, int, int, WideString& v) { v += u"!"; };
  grid.BeginEdit(1, 2, WideString());
  TFakeInplaceEditor* ed = Editor();
  ASSERT_NE(nullptr, ed);
  EXPECT_EQ(u"r2c1!", ed->EditText());
  EXPECT_EQ(5, ed->SelLength()); // all selected
  EXPECT_TRUE(edits.empty());    // the grid's own writing is no edit
  EXPECT_EQ(1, ed->Prepared());
  EXPECT_EQ(1, ed->Settings().LeftMargin);
  TRect cell;
  grid.GetCellRect(1, 2, cell);
  const TRect b = ed->EditorBounds();
  EXPECT_EQ(cell.Left + 2 + 1, b.Left);       // padding, then 1
  EXPECT_EQ(cell.Right - 2 - 1 - 1, b.Right); // padding, the grid line, then 1
  EXPECT_EQ(cell.Top + 1, b.Top);
  ed->Type(u'x');
  ASSERT_EQ(1u, edits.size());
  EXPECT_EQ(u"x", edits[0]);
  // The same cell again changes nothing.
  grid.BeginEdit(1, 2, u"other");
  EXPECT_EQ(u"x", ed->EditText());
  // The next cell's text is read once the edit under way is written.
  grid.OnApplyEditText = nullptr;
  grid.OnAfterEdit = [&](TObject*, int, int r, const WideString&) { grid.SetCells(2, r, u"new"); };
  grid.BeginEdit(2, 2, WideString());
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ(u"x", grid.Cells(1, 2));
  EXPECT_EQ(u"new", Editor()->EditText());
}

TEST_F(CellEdit, RefusedWhereNothingMayBeEdited) {
  Column(0)->SetOptions(Column(0)->Options() - TColumnOptions{coEditing});
  grid.BeginEdit(0, 2, WideString());
  EXPECT_FALSE(grid.CellEditing());
  grid.BeginEdit(1, 99, WideString());
  EXPECT_FALSE(grid.CellEditing());
  grid.OnBeforeEdit = [](TObject*, int, int, bool& accept) { accept = false; };
  grid.BeginEdit(1, 2, WideString());
  EXPECT_FALSE(grid.CellEditing());
  grid.OnBeforeEdit = nullptr;
  grid.SetReadOnly(true);
  Char(u'a');
  EXPECT_FALSE(grid.CellEditing());
  grid.SetReadOnly(false);
  DgSetTextEditorFactory(nullptr); // a column of a class with no editor
  auto* bare = grid.AddColumn();
  bare->SetOptions(bare->Options() + TColumnOptions{coEditing});
  grid.BeginEdit(3, 2, WideString());
  EXPECT_FALSE(grid.CellEditing());
}

TEST_F(CellEdit, EditAcceptSayingNoKeepsTheCellButEnds) {
  grid.OnEditAccept = [](TObject*, int, int, const WideString& v, bool& accept) {
    accept = v != u"no";
  };
  for (uint16_t key : {vk::Enter, vk::Tab}) {
    grid.BeginEdit(1, 2, u"no");
    ASSERT_TRUE(grid.CellEditing());
    Editor()->Press(key);
    EXPECT_FALSE(grid.CellEditing());
    EXPECT_EQ(u"r2c1", grid.Cells(1, 2));
  }
}

TEST_F(CellEdit, EscapeCancelsOrClears) {
  int exits = 0;
  grid.OnEditExit = [&](TObject*) { ++exits; };
  Char(u'z');
  Editor()->Press(vk::Escape);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"r2c1", grid.Cells(1, 2));
  EXPECT_EQ(1, exits);
  grid.SetOptions(grid.Options() + TGridOptions{goEscClearEdit});
  Char(u'z');
  TFakeInplaceEditor* ed = Editor();
  ed->Press(vk::Escape);
  EXPECT_TRUE(grid.CellEditing()); // goes on, emptied
  EXPECT_TRUE(ed->EditText().empty());
  ed->Type(u"q");
  ed->Press(vk::Enter);
  EXPECT_EQ(u"q", grid.Cells(1, 2));
}

TEST_F(CellEdit, TabAppliesAndMovesOnArrowsStayWithTheEditor) {
  Char(u'a');
  TFakeInplaceEditor* ed = Editor();
  ed->Press(vk::Home);
  ed->Press(vk::Down);
  EXPECT_TRUE(grid.CellEditing());
  EXPECT_EQ(2, grid.SelectedRow());
  ed->Press(vk::Tab);
  EXPECT_EQ(u"a", grid.Cells(1, 2));
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(2, grid.SelectedColumn());
  EXPECT_EQ(2, grid.SelectedRow());
}

// Column 2 holds numbers only: its cells refuse other text.
class NumberGrid : public TTestGrid {
 public:
  void SetCells(int ACol, int ARow, const WideString& Value) override {
    if (ACol == 2) StrToInt(DgCellText::Narrow(Value));
    TTestGrid::SetCells(ACol, ARow, Value);
  }
};

class Unconvertible : public ::testing::Test {
 protected:
  void SetUp() override {
    DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
    for (int c = 0; c < 3; ++c) grid.AddColumn(80);
    grid.AddRow(3);
    grid.SetCells(2, 1, u"7");
    auto* c = grid.Columns()->Item(2);
    c->SetOptions(c->Options() + TColumnOptions{coEditing});
    host.Attach(&grid);
    grid.SelectCell(2, 1, true, TShiftState());
    char16_t key = u'x';
    grid.KeyPress(key);
  }
  void TearDown() override { DgSetTextEditorFactory(nullptr); }
  TFakeInplaceEditor* Editor() { return dynamic_cast<TFakeInplaceEditor*>(grid.AttachedEditor()); }
  TFakeGridHost host{300, 120};
  NumberGrid grid;
};

TEST_F(Unconvertible, EnterOrTabReportsAndKeepsTheEditorOpen) {
  ASSERT_TRUE(grid.CellEditing());
  int after = 0;
  grid.OnAfterEdit = [&](TObject*, int, int, const WideString&) { ++after; };
  for (uint16_t key : {vk::Enter, vk::Tab}) {
    Editor()->Press(key);
    EXPECT_TRUE(grid.CellEditing());
    EXPECT_TRUE(grid.EditRefused());
    EXPECT_EQ(u"x", Editor()->EditText()); // nothing typed is lost
    EXPECT_EQ(u"7", grid.Cells(2, 1));
    EXPECT_EQ(2, grid.SelectedColumn()); // Tab did not move on
  }
  EXPECT_EQ(2u, host.edit_errors.size());
  EXPECT_EQ(0, after);
  Editor()->Press(vk::End);
  Editor()->Type(u'\b');
  Editor()->Type(u"12");
  Editor()->Press(vk::Enter);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"12", grid.Cells(2, 1));
  EXPECT_EQ(1, after);
}

TEST_F(Unconvertible, FocusLossReportsEndsAndKeepsTheCell) {
  host.focused = false;
  Editor()->LoseFocus();
  EXPECT_TRUE(grid.CellEditing()); // decided once the focus change is over
  host.DeliverPosted();
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(1u, host.edit_errors.size());
  EXPECT_EQ(u"7", grid.Cells(2, 1));
}

using EditFocus = CellEdit;

TEST_F(EditFocus, LeavingTheGridAppliesButFocusOnTheGridDoesNot) {
  Char(u'k');
  TFakeInplaceEditor* ed = Editor();
  host.focused = false;
  grid.FocusExit(); // the window's focus went to the editor
  host.DeliverPosted();
  EXPECT_TRUE(grid.CellEditing());
  ed->LoseFocus();
  host.focused = true; // and back to the grid's window
  host.DeliverPosted();
  EXPECT_TRUE(grid.CellEditing());
  ed->FocusEditor();
  host.focused = false;
  ed->LoseFocus(); // elsewhere
  host.DeliverPosted();
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"k", grid.Cells(1, 2));
}

TEST_F(EditFocus, ScrollSizeAndRowChangesEndTheEdit) {
  Char(u'k');
  grid.ScrollMessage(true);
  EXPECT_FALSE(grid.CellEditing());
  Char(u'k');
  host.Resize(310, kHeight);
  EXPECT_FALSE(grid.CellEditing());
  Char(u'k');
  grid.DeleteRow(5);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"r2c1", grid.Cells(1, 2)); // none of these wrote
}

TEST_F(EditFocus, SwappedRowsTakeTheEditWithThem) {
  Char(u'm');
  grid.ExchangeRows(2, 6);
  EXPECT_EQ(6, grid.EditRow());
  Editor()->Press(vk::Enter);
  EXPECT_EQ(u"m", grid.Cells(1, 6)); // row 2's cells, now at 6
  EXPECT_EQ(u"r6c1", grid.Cells(1, 2));
}

TEST_F(EditFocus, AFreedEditorEndsTheEdit) {
  Char(u'm');
  delete Editor();
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(nullptr, grid.AttachedEditor());
  grid.EndEdit();
}

class InputEdit : public KeyGridTest {
 protected:
  void SetUp() override {
    KeyGridTest::SetUp();
    grid.SetOptions(grid.Options() + TGridOptions{goInput});
    Column(0)->SetDefaultValue(u"def");
    Select(1, 0);
    Key(vk::Up);
  }
};

TEST_F(InputEdit, TypingThereAddsRowsWithEnter) {
  ASSERT_TRUE(grid.InputFocused());
  int selected = -1;
  grid.OnInputSelectCell = [&](TObject*, int c) { selected = c; };
  Char(u'n');
  ASSERT_TRUE(grid.InputEditing());
  EXPECT_EQ(1, grid.InputColumn());
  EXPECT_EQ(1, selected);
  TFakeInplaceEditor* ed = Editor();
  EXPECT_FALSE(ed->AutoSelect());
  EXPECT_EQ(Column(1)->Color(), ed->Color());
  const TRect b = ed->EditorBounds();
  EXPECT_EQ(grid.InputRect().Top + 1, b.Top);
  EXPECT_EQ(grid.InputRect().Top + grid.InputSize() - 1, b.Bottom);
  ed->Type(u"ew");
  ed->Press(vk::Enter);
  ASSERT_EQ(11, grid.RowCount());
  EXPECT_EQ(u"new", grid.Cells(1, 10));
  EXPECT_EQ(u"def", grid.Cells(0, 10)); // the default where nothing was typed
  EXPECT_TRUE(grid.InputEditing());     // ready for the next row
  EXPECT_TRUE(ed->EditText().empty());
  grid.OnInputAccept = [](TObject*, bool& a) { a = false; };
  ed->Type(u'x');
  ed->Press(vk::Enter);
  EXPECT_EQ(11, grid.RowCount());
  EXPECT_EQ(u"x", Column(1)->InputValue());
}

TEST_F(InputEdit, BeginInputEditShowsTheInputValue) {
  Column(2)->SetInputValue(u"pending");
  grid.BeginInputEdit(Column(2), WideString());
  ASSERT_TRUE(grid.InputEditing());
  EXPECT_EQ(u"pending", Editor()->EditText());
  EXPECT_EQ(2, grid.SelectedColumn());
  Editor()->Type(u'!');
  EXPECT_TRUE(grid.ApplyEdit());
  EXPECT_EQ(u"pending!", Column(2)->InputValue());
  grid.SetReadOnly(true);
  grid.EndEdit();
  grid.BeginInputEdit(Column(2), WideString());
  EXPECT_FALSE(grid.InputEditing());
}

// A handler that frees a column before the one about to be edited moves it
// to a lower index: the edit stands on where the column is now.
TEST_F(InputEdit, AColumnFreedWhileTheEditStartsLeavesItOnItsColumn) {
  Select(0, 0);
  Key(vk::Down); // out of the input line
  ASSERT_FALSE(grid.InputFocused());
  TDgCustomColumn* target = Column(2);
  std::vector<int> selected;
  grid.OnInputSelectCell = [&](TObject*, int c) {
    selected.push_back(c);
    if (selected.size() == 1) Column(0)->Free();
  };
  grid.BeginInputEdit(target, u"x");
  ASSERT_TRUE(grid.InputEditing());
  ASSERT_EQ(1, grid.Columns()->IndexOf(target));
  EXPECT_EQ(1, grid.InputColumn());
  EXPECT_EQ(1, grid.EditCol());
  EXPECT_EQ((std::vector<int>{2, 1}), selected);
  ASSERT_TRUE(grid.ApplyEdit());
  EXPECT_EQ(u"x", target->InputValue());
}

TEST_F(EditFocus, TheSecondClickEditsAndAPressElsewhereApplies) {
  grid.SetOptions(grid.Options() + TGridOptions{goSecondClickEdit});
  TRect cell;
  grid.GetCellRect(0, 4, cell);
  auto click = [&](int x, int y) {
    grid.MouseDown(mbLeft, TShiftState{ssLeft}, x, y);
    grid.MouseUp(mbLeft, TShiftState(), x, y);
  };
  click(cell.Left + 10, cell.Top + 5);
  EXPECT_EQ(4, grid.SelectedRow());
  EXPECT_FALSE(grid.CellEditing()); // the first click only selects
  click(cell.Left + 10, cell.Top + 5);
  ASSERT_TRUE(grid.CellEditing());
  EXPECT_EQ(u"r4c0", Editor()->EditText());
  Editor()->Type(u'+');
  TRect other;
  grid.GetCellRect(1, 6, other);
  grid.MouseDown(mbLeft, TShiftState{ssLeft}, other.Left + 10, other.Top + 5);
  EXPECT_FALSE(grid.CellEditing());
  EXPECT_EQ(u"r4c0+", grid.Cells(0, 4));
}

TEST(DataGridEdit, AnEditFollowsItsRowThroughSwapsAndEndsOnMovesAndSorts) {
  DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
  DataGridFixture f;
  f.Rows(6);
  auto* c = f.grid->Columns()->Item(1);
  c->SetOptions(c->Options() + TColumnOptions{coEditing, coCanSort});
  f.grid->SelectCell(1, 1, true, TShiftState());
  char16_t key = u'w';
  f.grid->KeyPress(key);
  ASSERT_TRUE(f.grid->CellEditing());
  f.grid->ExchangeRows(1, 4);
  EXPECT_EQ(4, f.grid->EditRow());
  EXPECT_TRUE(f.grid->ApplyEdit());
  EXPECT_EQ(u"w", f.grid->Cells(1, 4));
  EXPECT_EQ(u"1", f.grid->Cells(0, 4)); // the row it was begun on
  EXPECT_TRUE(f.grid->Cells(1, 1).empty());
  f.grid->MoveRow(4, 0);
  EXPECT_FALSE(f.grid->CellEditing());
  key = u'v';
  f.grid->KeyPress(key);
  ASSERT_TRUE(f.grid->CellEditing());
  f.grid->SortColumn(c, true);
  EXPECT_FALSE(f.grid->CellEditing());
  DgSetTextEditorFactory(nullptr);
}

// A cell's OnChange that frees a column while the input line's row is added:
// every other column still gets its value, and its input is cleared.
TEST(DataGridEdit, AColumnFreedWhileTheInputRowIsAddedSkipsNoOther) {
  DataGridFixture f(4);
  f.Rows(2);
  for (int c = 0; c < 4; ++c)
    f.grid->Columns()->Item(c)->SetInputValue(DgCellText::Widen("in" + std::to_string(c)));
  TDgCustomColumn* first = f.grid->Columns()->Item(0);
  f.grid->OnChange = [&](TObject*, int, int) {
    if (first) std::exchange(first, nullptr)->Free();
  };
  f.grid->AddInputRow();
  ASSERT_EQ(3, f.grid->Columns()->Count());
  ASSERT_EQ(3, f.grid->RowCount());
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(DgCellText::Widen("in" + std::to_string(c + 1)), f.grid->Cells(c, 2));
    EXPECT_TRUE(f.grid->Columns()->Item(c)->InputValue().empty());
  }
}

// A text column whose cells answer typed keys through a play of their own.
struct TKeyPlayColumn : TDgTextColumn {
  TVirtualColElement* CreatePlay() override { return new TColumnPlay(this); }
};

// OnBeforeEdit frees the column that a typed letter is about to edit, once
// through the text edit and once through the column's play: the key goes no
// further and nothing of the freed column is read again.
TEST(DataGridEdit, AColumnFreedBeforeALetterEditsItIsNotReadAgain) {
  DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
  for (bool play : {false, true}) {
    SCOPED_TRACE(play ? "play" : "text");
    DataGridFixture f;
    TDgTextColumn* c = play ? new TKeyPlayColumn : new TDgTextColumn(nullptr);
    f.grid->Columns()->Add(c);
    f.Rows(3);
    c->SetOptions(c->Options() + TColumnOptions{coEditing, coSearchColumn});
    f.grid->SelectCell(2, 1, true, TShiftState());
    int asked = 0;
    f.grid->OnBeforeEdit = [&](TObject*, int col, int, bool&) {
      ++asked;
      delete f.grid->Columns()->Item(col);
    };
    char16_t key = u'w';
    f.grid->KeyPress(key);
    EXPECT_EQ(1, asked);
    EXPECT_EQ(2, f.grid->Columns()->Count());
    EXPECT_FALSE(f.grid->CellEditing());
    EXPECT_EQ(u'w', key);
  }
  DgSetTextEditorFactory(nullptr);
}

} // namespace
