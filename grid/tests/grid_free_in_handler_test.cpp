// A form may free its grid inside any handler the grid raises (a window
// closing on a click, a selection or an edit): after the handler returns,
// the grid touches nothing of itself, its columns, its cell store or its
// editor. Each case sets the grid up, arms one event with a handler that
// frees the grid, then does what raises that event; AddressSanitizer
// reports any touch of the freed memory, and the case fails when the
// operation never raised the event at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "grid/DgCellClasses.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgColumnDisplay.h"
#include "grid/DgGrid.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/tests/FakeGridHost.h"
#include "grid/tests/FakeInplaceEditor.h"

namespace fs = std::filesystem;

namespace {

namespace vk {
constexpr uint16_t Tab = 9, Enter = 13, Escape = 27, PageDown = 34, Up = 38, Right = 39, Down = 40;
}

// A cell's play that acts on a press: the left button changes the value,
// the right one clicks (a tree button), a typed key changes it too.
struct TTogglePlay : TColumnPlay {
  using TColumnPlay::TColumnPlay;
  void MouseDown(int Button, int, int) override {
    if (Button == 0)
      DoChange();
    else
      DoClick();
  }
  void KeyPress(char16_t&) override { DoChange(); }
};

// A column of Boolean cells answered by the play above.
struct TToggleColumn : TDgTextColumn {
  TToggleColumn() { SetCellKind(DgCellKind::Boolean); }
  TVirtualColElement* CreatePlay() override { return new TTogglePlay(this); }
};

struct TFreeCase;

// Three text columns with fake editors over ten rows "r0c0".."r9c2", in a
// window whose cell area holds five rows, focused, cell (0, 2) selected.
class FreeInHandler : public ::testing::TestWithParam<TFreeCase> {
 protected:
  static constexpr int kHeight = 18 + 5 * 17;

  void SetUp() override {
    DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
    for (int c = 0; c < 3; ++c) grid->Columns()->Add(new TDgTextColumn(nullptr));
    grid->AddRow(10);
    for (int r = 0; r < 10; ++r)
      for (int c = 0; c < 3; ++c)
        grid->SetCells(c, r, DgCellText::Widen("r" + std::to_string(r) + "c" + std::to_string(c)));
    grid->SetOptions(TGridOptions{goHeader, goGrid});
    host.Attach(grid);
    host.focused = true;
    Select(0, 2);
  }
  void TearDown() override {
    if (grid) {
      host.grid = nullptr;
      grid->SetHost(nullptr);
      grid->Free();
    }
    DgSetTextEditorFactory(nullptr);
    if (!file.empty()) fs::remove(file);
  }

 public:
  // The handler every case arms: it takes whatever the event hands over.
  auto Freeing() {
    return [this](auto&&...) { FreeGrid(); };
  }
  void FreeGrid() {
    host.grid = nullptr;
    TDataGrid* g = grid;
    grid = nullptr;
    freed = true;
    g->Free();
  }

  TDgCustomColumn* Column(int I) { return grid->Columns()->Item(I); }
  void Editable(int I) { Column(I)->SetOptions(Column(I)->Options() + TColumnOptions{coEditing}); }
  void Options(TGridOptions More) { grid->SetOptions(grid->Options() + More); }
  void Select(int Col, int Row) { grid->SelectCell(Col, Row, true, TShiftState()); }
  TFakeInplaceEditor* Editor() { return dynamic_cast<TFakeInplaceEditor*>(grid->AttachedEditor()); }
  void Key(uint16_t K, TShiftState Shift = {}) { grid->KeyDown(K, Shift); }
  void Char(char16_t C) { grid->KeyPress(C); }
  TPoint CellCentre(int Col, int Row) {
    TRect r;
    grid->GetCellRect(Col, Row, r);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Press(int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {}) {
    grid->MouseDown(Button, Shift, X, Y);
  }
  // A press and a release, the release only while the grid lives.
  void Click(int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {}) {
    Press(X, Y, Button, Shift);
    if (grid) grid->MouseUp(Button, Shift, X, Y);
  }
  void ClickCell(int Col, int Row, TShiftState Shift = {}) {
    const TPoint p = CellCentre(Col, Row);
    Click(p.X, p.Y, mbLeft, Shift);
  }
  // A press on a cell, a drag to another row and the release there.
  void DragRow(int From, int To) {
    const TPoint a = CellCentre(0, From), b = CellCentre(0, To);
    Press(a.X, a.Y);
    if (grid) grid->MouseMove(TShiftState{ssLeft}, b.X, b.Y);
    if (grid) grid->MouseUp(mbLeft, TShiftState(), b.X, b.Y);
  }
  void Hover(int Col, int Row) {
    const TPoint p = CellCentre(Col, Row);
    grid->MouseMove(TShiftState(), p.X, p.Y);
  }
  void Paint() { grid->Paint(host.canvas, TRect{0, 0, host.width, host.height}); }
  // Column 3: Boolean cells with the play above.
  void PlayColumn() { grid->Columns()->Add(new TToggleColumn); }
  void EditCell(int Col, int Row) {
    Editable(Col);
    grid->BeginEdit(Col, Row, u"new");
  }

  TFakeGridHost host{300, kHeight};
  TDataGrid* grid = new TDataGrid();
  bool freed = false;
  fs::path file;
};

struct TFreeCase {
  const char* Name;
  // Brings the grid where the operation raises the event, then arms it.
  void (*Arrange)(FreeInHandler& F);
  void (*Act)(FreeInHandler& F);
};

void PrintTo(const TFreeCase& C, std::ostream* Out) { *Out << C.Name; }

using F = FreeInHandler;

// Rows 2 and 4 selected, and a press on row 4 that may begin moving them:
// given up, it selects row 4 alone.
void PressOnASelection(F& f) {
  f.Options(TGridOptions{goSelectFullRow, goMultiSelect, goRowMoving});
  f.ClickCell(0, 4, TShiftState{ssCtrl});
  const TPoint p = f.CellCentre(0, 4);
  f.Press(p.X, p.Y);
  f.grid->OnSelectCell = f.Freeing();
}

const TFreeCase kCases[] = {
    // --- Selection ------------------------------------------------------------------------
    {"SelectCellByArrowKey", [](F& f) { f.grid->OnSelectCell = f.Freeing(); },
     [](F& f) { f.Key(vk::Down); }},
    {"SelectCellByClick", [](F& f) { f.grid->OnSelectCell = f.Freeing(); },
     [](F& f) { f.ClickCell(1, 4); }},
    {"SelectCellByPageDown",
     [](F& f) {
       f.Select(0, 4);
       f.grid->OnSelectCell = f.Freeing();
     },
     [](F& f) { f.Key(vk::PageDown); }},
    {"SelectCellByNextColumn", [](F& f) { f.grid->OnSelectCell = f.Freeing(); },
     [](F& f) { f.Key(vk::Right); }},
    {"SelectCellByTabFromTheLastColumn",
     [](F& f) {
       f.Select(2, 2);
       f.grid->OnSelectCell = f.Freeing();
     },
     [](F& f) { f.Key(vk::Tab); }},
    {"SelectCellByShiftTabFromTheFirstColumn", [](F& f) { f.grid->OnSelectCell = f.Freeing(); },
     [](F& f) { f.Key(vk::Tab, TShiftState{ssShift}); }},
    {"SelectCellByIncrementalSearch",
     [](F& f) {
       f.Column(0)->SetOptions(f.Column(0)->Options() + TColumnOptions{coSearchColumn});
       f.grid->OnSelectCell = f.Freeing();
     },
     [](F& f) { f.Char(u'r'); }},
    {"SelectCellAfterTheSelectedRowIsDeleted", [](F& f) { f.grid->OnSelectCell = f.Freeing(); },
     [](F& f) { f.grid->DeleteRow(2); }},
    {"SelectCellWhenFocusLeavesAPressOnASelection", PressOnASelection,
     [](F& f) { f.grid->FocusExit(); }},
    {"SelectCellWhenTheApplicationIsLeftDuringAPressOnASelection", PressOnASelection,
     [](F& f) { f.grid->AppDeactivated(); }},
    {"SelectCellWhenAPressOnASelectionEndsWithoutADrag", PressOnASelection,
     [](F& f) {
       const TPoint p = f.CellCentre(0, 4);
       f.grid->MouseUp(mbLeft, TShiftState(), p.X, p.Y);
     }},
    {"DeselectCellByArrowKey", [](F& f) { f.grid->OnDeselectCell = f.Freeing(); },
     [](F& f) { f.Key(vk::Down); }},
    {"DeselectCellOfADeletedRow", [](F& f) { f.grid->OnDeselectCell = f.Freeing(); },
     [](F& f) { f.grid->DeleteRow(2); }},
    {"BeforeSelectByArrowKey", [](F& f) { f.grid->OnBeforeSelect = f.Freeing(); },
     [](F& f) { f.Key(vk::Down); }},
    {"BeforeSelectBySelectCell", [](F& f) { f.grid->OnBeforeSelect = f.Freeing(); },
     [](F& f) { f.Select(1, 5); }},
    {"InputSelectCellByNextColumn",
     [](F& f) {
       f.Options(TGridOptions{goInput});
       f.Select(0, 0);
       f.Key(vk::Up); // into the input line
       f.grid->OnInputSelectCell = f.Freeing();
     },
     [](F& f) { f.Key(vk::Right); }},
    {"InputSelectCellByBeginInputEdit",
     [](F& f) {
       f.Options(TGridOptions{goInput});
       f.grid->OnInputSelectCell = f.Freeing();
     },
     [](F& f) { f.grid->BeginInputEdit(f.Column(1), u"new"); }},

    // --- Cells and edits ------------------------------------------------------------------
    {"ChangeBySetCells", [](F& f) { f.grid->OnChange = f.Freeing(); },
     [](F& f) { f.grid->SetCells(1, 1, u"x"); }},
    {"ChangeByTheDefaultValuesOfANewRow",
     [](F& f) {
       f.Options(TGridOptions{goUseDefaultValues});
       f.Column(1)->SetDefaultValue(u"default");
       f.grid->OnChange = f.Freeing();
     },
     [](F& f) { f.grid->AddRow(2); }},
    {"ChangeByTheDefaultValuesOfAChildRow",
     [](F& f) {
       f.Options(TGridOptions{goUseDefaultValues});
       f.Column(1)->SetDefaultValue(u"default");
       f.grid->OnChange = f.Freeing();
     },
     [](F& f) { f.grid->AddChildRow(2, true); }},
    {"ChangeByAnAppliedEdit",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnChange = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"EditAcceptByEnter",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditAccept = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"EditTextByEnter",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditText = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"AfterEditByEnter",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"AfterEditByAClickOnAnotherCell",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) { f.ClickCell(0, 4); }},
    {"AfterEditWhenTheFocusLeaves",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) {
       f.host.focused = false;
       f.Editor()->LoseFocus();
       f.host.DeliverPosted();
     }},
    {"EditExitByEnter",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"EditExitByEscape",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Escape); }},
    {"EditExitBySelectingAnotherCell",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.Select(0, 5); }},
    {"EditExitByDeletingARow",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.grid->DeleteRow(5); }},
    {"EditExitByInsertingARow",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.grid->InsertRow(5); }},
    {"EditExitByClearingTheRows",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.grid->ClearRows(); }},
    {"EditExitByMovingARow",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.grid->MoveRow(5, 7); }},
    {"EditExitByFreeingAColumn",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.Column(2)->Free(); }},
    {"EditExitBySlidesStyle",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.grid->SetGridStyle(gsSlides); }},
    {"EditExitByAHeaderClickThatSorts",
     [](F& f) {
       f.EditCell(1, 2);
       f.grid->OnEditExit = f.Freeing();
     },
     [](F& f) { f.Click(20, 5); }},
    {"BeforeEditByATypedLetter",
     [](F& f) {
       f.Editable(0);
       f.grid->OnBeforeEdit = f.Freeing();
     },
     [](F& f) { f.Char(u'x'); }},
    {"ApplyEditTextByBeginEdit",
     [](F& f) {
       f.Editable(1);
       f.grid->OnApplyEditText = f.Freeing();
     },
     [](F& f) { f.grid->BeginEdit(1, 2, WideString()); }},
    {"EditByATypedLetter",
     [](F& f) {
       f.Editable(0);
       f.grid->OnEdit = f.Freeing();
     },
     [](F& f) { f.Char(u'x'); }},
    {"EditByEscapeClearing",
     [](F& f) {
       f.Options(TGridOptions{goEscClearEdit});
       f.EditCell(1, 2);
       f.grid->OnEdit = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Escape); }},
    {"EditByALetterInTheInputLine",
     [](F& f) {
       f.Options(TGridOptions{goInput});
       f.Select(0, 0);
       f.Key(vk::Up); // into the input line
       f.grid->OnEdit = f.Freeing();
     },
     [](F& f) { f.Char(u'x'); }},
    {"InputAcceptByEnter",
     [](F& f) {
       f.Options(TGridOptions{goInput});
       f.grid->BeginInputEdit(f.Column(0), u"new");
       f.grid->OnInputAccept = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},
    {"InputAddedByEnter",
     [](F& f) {
       f.Options(TGridOptions{goInput});
       f.grid->BeginInputEdit(f.Column(0), u"new");
       f.grid->OnInputAdded = f.Freeing();
     },
     [](F& f) { f.Editor()->Press(vk::Enter); }},

    // --- A cell's play ------------------------------------------------------------------------
    {"BeforeEditByAPressOnAPlay",
     [](F& f) {
       f.PlayColumn();
       f.grid->OnBeforeEdit = f.Freeing();
     },
     [](F& f) { f.ClickCell(3, 2); }},
    {"ChangeByAPlay",
     [](F& f) {
       f.PlayColumn();
       f.grid->OnChange = f.Freeing();
     },
     [](F& f) { f.ClickCell(3, 2); }},
    {"AfterEditByAPlay",
     [](F& f) {
       f.PlayColumn();
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) { f.ClickCell(3, 2); }},
    {"AfterEditByAKeyOnAPlay",
     [](F& f) {
       f.PlayColumn();
       f.Editable(3);
       f.Select(3, 2);
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) { f.Char(u' '); }},
    // A kind that reacts to keys takes them without coEditing, as it takes clicks.
    {"AfterEditByAKeyOnAPlayOfAKindThatReactsToKeys",
     [](F& f) {
       f.PlayColumn();
       f.Select(3, 2);
       f.grid->OnAfterEdit = f.Freeing();
     },
     [](F& f) { f.Char(u' '); }},
    {"ExpandByAPlay",
     [](F& f) {
       f.PlayColumn();
       f.grid->AddChildRow(2, true);
       f.grid->OnExpand = f.Freeing();
     },
     [](F& f) {
       const TPoint p = f.CellCentre(3, 2);
       f.Click(p.X, p.Y, mbRight);
     }},

    // --- Rows ---------------------------------------------------------------------------------
    {"DataChangeByAddRow", [](F& f) { f.grid->OnDataChange = f.Freeing(); },
     [](F& f) { f.grid->AddRow(1); }},
    {"DataChangeByStartRowCount", [](F& f) { f.grid->OnDataChange = f.Freeing(); },
     [](F& f) { f.grid->SetStartRowCount(2); }},
    {"ChangeRowHeightBySetRowHeight", [](F& f) { f.grid->OnChangeRowHeight = f.Freeing(); },
     [](F& f) { f.grid->SetRowHeight(1, 30); }},
    {"ChangeRowHeightByDraggingARowEdge",
     [](F& f) {
       f.Options(TGridOptions{goIndicator, goRowResizing});
       f.grid->OnChangeRowHeight = f.Freeing();
     },
     [](F& f) {
       const int y = f.grid->RowTop(1) + f.grid->RowPitch(1);
       f.Press(5, y);
       if (f.grid) f.grid->MouseMove(TShiftState{ssLeft}, 5, y + 12);
       if (f.grid) f.grid->MouseUp(mbLeft, TShiftState(), 5, y + 12);
     }},
    {"RowMoveByDraggingARow",
     [](F& f) {
       f.Options(TGridOptions{goRowMoving});
       f.grid->OnRowMove = f.Freeing();
     },
     [](F& f) { f.DragRow(1, 4); }},
    {"AfterRowMoveByDraggingARow",
     [](F& f) {
       f.Options(TGridOptions{goRowMoving});
       f.grid->OnAfterRowMove = f.Freeing();
     },
     [](F& f) { f.DragRow(1, 4); }},

    // --- Columns ------------------------------------------------------------------------------
    {"DataChangeByFreeingAColumn", [](F& f) { f.grid->OnDataChange = f.Freeing(); },
     [](F& f) { f.Column(2)->Free(); }},
    {"ColumnMoveBySetPosition", [](F& f) { f.grid->OnColumnMove = f.Freeing(); },
     [](F& f) { f.Column(0)->SetPosition(2); }},
    {"ColumnMoveByAssign", [](F& f) { f.grid->OnColumnMove = f.Freeing(); },
     [](F& f) { f.Column(0)->Assign(f.Column(2)); }},
    {"ColumnResizeBySetWidth", [](F& f) { f.grid->OnColumnResize = f.Freeing(); },
     [](F& f) { f.Column(0)->SetWidth(120); }},
    {"ColumnResizeByAssign",
     [](F& f) {
       f.Column(2)->SetWidth(120); // an equal width would change nothing
       f.grid->OnColumnResize = f.Freeing();
     },
     [](F& f) { f.Column(0)->Assign(f.Column(2)); }},
    {"ColumnResizeOfAutoSizedColumnsByAResize",
     [](F& f) {
       f.Column(1)->SetOptions(f.Column(1)->Options() + TColumnOptions{coAutoSize});
       f.Column(2)->SetOptions(f.Column(2)->Options() + TColumnOptions{coAutoSize});
       f.grid->OnColumnResize = f.Freeing();
     },
     [](F& f) { f.host.Resize(400, f.host.height); }},
    {"ColumnResizeByAddingAColumnBesideAnAutoSizedOne",
     [](F& f) {
       f.Column(2)->SetOptions(f.Column(2)->Options() + TColumnOptions{coAutoSize});
       f.grid->OnColumnResize = f.Freeing();
     },
     [](F& f) { f.grid->Columns()->Add(new TDgTextColumn(nullptr)); }},
    {"ColumnResizeByMakingAColumnAutoSized", [](F& f) { f.grid->OnColumnResize = f.Freeing(); },
     [](F& f) { f.Column(2)->SetOptions(f.Column(2)->Options() + TColumnOptions{coAutoSize}); }},
    {"ColumnResizeOfAutoSizedColumnsByTheIndicator",
     [](F& f) {
       f.Column(2)->SetOptions(f.Column(2)->Options() + TColumnOptions{coAutoSize});
       f.grid->OnColumnResize = f.Freeing();
     },
     [](F& f) { f.Options(TGridOptions{goIndicator}); }},
    {"SortColumnBySetSorted", [](F& f) { f.grid->OnSortColumn = f.Freeing(); },
     [](F& f) { f.Column(0)->SetSorted(true); }},
    {"FooterCalculate",
     [](F& f) {
       f.Column(0)->Footer()->SetFormulaKind(fkCount);
       f.Column(1)->Footer()->SetFormulaKind(fkCount);
       f.grid->OnFooterCalculate = f.Freeing();
     },
     [](F& f) { f.grid->RecalculateFooters(false); }},
    {"ColumnFooterValue",
     [](F& f) {
       f.Column(0)->Footer()->SetFormulaKind(fkCustom);
       f.grid->OnColumnFooterValue = f.Freeing();
     },
     [](F& f) { f.grid->RecalculateFooters(false); }},
    {"ApplyCellByAutoSizeColumn", [](F& f) { f.grid->OnApplyCell = f.Freeing(); },
     [](F& f) { f.grid->AutoSizeColumn(0, 1, false); }},
    {"CellFormatingByAutoSizeColumn", [](F& f) { f.grid->OnCellFormating = f.Freeing(); },
     [](F& f) { f.grid->AutoSizeColumn(0, 1, false); }},

    // --- The mouse over cells -------------------------------------------------------------------
    {"ApplyCellByHoveringATextFitColumn",
     [](F& f) {
       f.Column(1)->SetOptions(f.Column(1)->Options() + TColumnOptions{coShowTextFitHint});
       f.grid->OnApplyCell = f.Freeing();
     },
     [](F& f) { f.Hover(1, 3); }},
    {"CellFormatingByHoveringATextFitColumn",
     [](F& f) {
       f.Column(1)->SetOptions(f.Column(1)->Options() + TColumnOptions{coShowTextFitHint});
       f.grid->OnCellFormating = f.Freeing();
     },
     [](F& f) { f.Hover(1, 3); }},
    {"CellHintByHoveringACellWithAHint",
     [](F& f) {
       f.grid->Cell(1, 3)->Hint = u"hint";
       f.grid->OnCellHint = f.Freeing();
     },
     [](F& f) { f.Hover(1, 3); }},

    // --- Painting -------------------------------------------------------------------------------
    {"CellColoringByPaint", [](F& f) { f.grid->OnCellColoring = f.Freeing(); },
     [](F& f) { f.Paint(); }},
    {"CellColoringOfTheEmptyRowsByPaint",
     [](F& f) {
       f.grid->ClearRows();
       f.grid->OnCellColoring = f.Freeing();
     },
     [](F& f) { f.Paint(); }},
    {"DrawCellBackgroundByPaint", [](F& f) { f.grid->OnDrawCellBackground = f.Freeing(); },
     [](F& f) { f.Paint(); }},
    {"CellFormatingByPaint", [](F& f) { f.grid->OnCellFormating = f.Freeing(); },
     [](F& f) { f.Paint(); }},
    {"CellHintByPaintingHintMarks",
     [](F& f) {
       f.grid->SetAppearanceOptions(f.grid->AppearanceOptions() + aoHintMarks);
       f.grid->OnCellHint = f.Freeing();
     },
     [](F& f) { f.Paint(); }},
    {"CustomDrawCellByPaint",
     [](F& f) {
       f.Column(1)->SetDrawingOptions(doCustom);
       f.grid->OnCustomDrawCell = f.Freeing();
     },
     [](F& f) { f.Paint(); }},
    {"SlideColoringByPaint",
     [](F& f) {
       f.grid->SetGridStyle(gsSlides);
       f.grid->OnSlideColoring = f.Freeing();
     },
     [](F& f) { f.Paint(); }},
    {"CellColoringByPaintingSlides",
     [](F& f) {
       f.grid->SetGridStyle(gsSlides);
       f.grid->OnCellColoring = f.Freeing();
     },
     [](F& f) { f.Paint(); }},
    {"PostDrawByPaint", [](F& f) { f.grid->OnPostDraw = f.Freeing(); }, [](F& f) { f.Paint(); }},

    // --- Text files -----------------------------------------------------------------------------
    {"LoadProgressByLoadFromTextFile",
     [](F& f) {
       f.file = fs::temp_directory_path() /
                ("grid_free_in_handler_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt");
       std::ofstream(f.file, std::ios::binary) << "a;b;c\r\nd;e;f\r\n";
       f.grid->OnLoadProgress = f.Freeing();
     },
     [](F& f) { f.grid->LoadFromTextFile(f.file.u16string(), u';', u'\x01'); }},
};

TEST_P(FreeInHandler, NothingOfTheGridIsTouchedOnceTheHandlerFreedIt) {
  GetParam().Arrange(*this);
  ASSERT_FALSE(freed) << "the event fired while the grid was being set up";
  GetParam().Act(*this);
  EXPECT_TRUE(freed) << "the operation did not raise the event";
}

INSTANTIATE_TEST_SUITE_P(Events, FreeInHandler, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TFreeCase>& I) {
                           return std::string(I.param.Name);
                         });

} // namespace
