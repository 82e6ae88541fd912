// TDgCustomGrid: the grid as a form places it: the core's properties and
// events made public, the control's colour, and the grid's keyboard,
// editing and mouse handling. The window (through IDgGridHost's owner)
// hands every key, character, mouse action, focus change and capture loss
// to the entry points below.
#pragma once

#include "grid/DgCustomGridControl.h"
#include "grid/DgGridMouseGeometry.h"
#include "grid/DgGridKeysSearch.h"

class TColumnPlay;

class TDgCustomGrid : public TDgCustomGridControl {
 public:
  explicit TDgCustomGrid(TComponent* AOwner = nullptr, IDgGridHost* Host = nullptr);
  ~TDgCustomGrid() override;

  // --- Virtual operations the grid class adds (slot order) ---------------------------
  // Raises OnBeforeEdit (Accept true); when accepted, readies the column's
  // play element on the cell.
  virtual bool CanBeginEditAt(TDgCustomColumn* Column, int ARow, const TRect& CellRect); // mouse
  // Fills the play element's value from the cell.
  virtual void PreparePlay(TDgCustomColumn* Column, int ARow, TVirtualColElement* Play) = 0;
  virtual void PlayValueChanged(TDgCustomColumn* Column, int ARow) {}
  virtual void PlayClicked(TDgCustomColumn* Column, int ARow) {}
  // A press landed outside every region.
  virtual void OutsideRegionsClick() {}

  // ===== keyboard and editing (gridkeys: DgGridKeys*.cpp, DgGridEdit*.cpp) ===========
  // Key is a virtual-key code; set it to 0 when handled.
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  // Whether the grid takes the key itself (the window's dialog-code answer):
  // arrows and characters always, Tab with WantTabs when there are visible
  // columns and rows or the input line has the focus.
  virtual bool WantsKey(uint16_t Key);
  // A typed character; set it to 0 when handled.
  virtual void KeyPress(char16_t& Key);
  // The window gained or lost the keyboard focus.
  virtual void FocusEnter();
  virtual void FocusExit();
  // Wheel steps (Delta in WHEEL_DELTA units of 120); true when handled.
  virtual bool MouseWheel(int Delta, TShiftState Shift, const TPoint& Pos);
  // The moves of the keys.
  void SelectNextColumn();
  void SelectPriorColumn();
  void TabForward(bool WrapOut);
  void TabBackward();
  void MoveSelection(int Rows);
  // A bar's scroll message arrived (before the bar moves).
  virtual void ScrollMessage(bool Vertical);
  // The application was deactivated.
  virtual void AppDeactivated();
  // The incremental search's text so far.
  const WideString& SearchText() const { return search_.Text(); }
  void TimerFired(int Id) override;
  void HandlePosted(int Msg, intptr_t W, intptr_t L) override;
  void Resized() override;
  // ===== end of keyboard and editing ==================================================

  // ===== mouse (gridmouse: DgGridMouse*.cpp) ==========================================
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The mouse capture was taken away (or the window cancelled modes).
  virtual void CancelMode();
  // The hint window of cell texts that do not fit.
  virtual void CreateHintWindow();
  // Ends resizing, row moving, column dragging and header pressing without
  // their effect, leaving no guide line, marker, box or arrow behind (focus
  // loss, the application's deactivation).
  void CancelMouseStates();
  // The drag box's notifications, in screen coordinates: it moved, it was
  // dropped, or its drag ended without a drop (lost capture).
  void ColumnDragMove(int X, int Y);
  void ColumnDragDrop(int X, int Y);
  void ColumnDragCancelled();
  // A press that could have begun a drag ended without one: a selection kept
  // for that drag collapses to the focused row.
  virtual void DragCanceled();
  // What a point hits (DgRegion) and the cell under it (column index and row,
  // -1 when none).
  int HitTest(int X, int Y);
  void PointToCell(int X, int Y, int& ACol, int& ARow);
  // The row whose lower edge a press in the indicator at (X, Y) would drag.
  int RowResizeZone(int X, int Y);
  // The row boundary nearest to Y while moving a row (-1 above the cells).
  int DropRowAt(int Y);
  TDgMouseState MouseState() const;
  // What the mouse shows now (tests and the window's checks).
  int GuideLineX(int Which) const { return guide_x_[Which & 1]; }
  int RowGuideY() const { return row_guide_y_; }
  int DropRow() const { return drop_row_; }
  int ResizeDelta() const { return resize_delta_; }
  TDgCustomColumn* DraggedColumn() const { return drag_column_; }
  int DropTarget() const { return drop_target_; }
  bool DropArrowsShown() const { return arrows_shown_; }
  // ===== end of mouse ===================================================================

 protected:
  // ===== keyboard and editing state (gridkeys) ==========================================
  void EditorKeyDownToGrid(uint16_t& Key, TShiftState Shift) override { KeyDown(Key, Shift); }
  void EditorKeyPressToGrid(char16_t& Key) override { KeyPress(Key); }
  void EditorKeyUpToGrid(uint16_t& Key, TShiftState Shift) override { KeyUp(Key, Shift); }
  void PageKey(bool Down);
  void SelectColumnBeside(bool Next);
  // Column selected in the current row and, in report style, scrolled to.
  void SelectColumnInRow(TDgCustomColumn* Column);
  void HomeEndKey(bool End, TShiftState Shift);
  void IncrementalSearch(char16_t Key);
  TDgIncrementalSearch search_;
  // ===== end of keyboard and editing state ==============================================

  // ===== mouse state (gridmouse) =========================================================
  // Draws the guide lines and the row marker over a finished paint.
  void PaintFeedback(TDgCanvas& Canvas) override;
  // The play element of a cell when it takes the mouse there, else null.
  TColumnPlay* ActivePlay(TDgCustomColumn* Column, int ARow);
  TRect TextRectOf(TDgCustomColumn* Column, const TRect& Cell);
  // Raises a header or footer event for the column under X (-1 when none).
  void RaiseColumnClick(const THeaderClickEvent& Event, int X);
  void MouseDoubleClick(int X, int Y);
  void CellPress(TMouseButton Button, TShiftState Shift, int X, int Y);
  void HeaderPress(TMouseButton Button, TShiftState Shift, int X);
  void IndicatorPress(int X, int Y);
  void CellRelease(int X, int Y);
  void HeaderRelease(TDgCustomColumn* Candidate, int X);
  // The reselection of a row whose move is given up may free the grid: true
  // when the grid outlived it.
  [[nodiscard]] bool CancelMouseStates(bool WithColumnDrag);
  void SetMouseCursor(TCursor Cursor);
  void HeaderHover(TShiftState Shift, int X, int Y);
  void FooterHover(int X);
  void CellHover(TShiftState Shift, int X, int Y);
  void IndicatorHover(int X, int Y);
  void SetHotColumn(TDgCustomColumn* Column);
  // The hovered cell's play hears the mouse leave, and its handlers may free
  // the grid: true when the grid outlived them.
  [[nodiscard]] bool LeaveHoveredCell();
  void ShowGridHint(int Kind, const WideString& Text, const TRect& Place);
  void HideGridHint();
  int RowAtY(int Y);
  int MarkerY(int DropRow);
  void SetGuideLines(int Left, int Right);
  void SetRowGuide(int Y);
  void SetDropRow(int DropRow);
  void BeginColumnResize(TDgCustomColumn* Column);
  void MoveColumnResize(int X);
  void FinishColumnResize();
  void BeginRowResize(int ARow, int Y);
  void MoveRowResize(int Y);
  void FinishRowResize();
  void TrackRowMove(int Y);
  void FinishRowMove(int Y);
  void StartColumnDrag(TDgCustomColumn* Column, int X, int Y);
  TPoint ScreenToGrid(int X, int Y);
  bool InDropBand(const TPoint& P);
  bool DragTargetAt(int ScreenX, int ScreenY, int& Target);
  void EndColumnDragState();

  // The last press: its point (client) and cell.
  TPoint down_point_{-1, -1};
  bool down_set_ = false;
  int down_col_ = -1, down_row_ = -1;
  // The header pressed with the left button (a click or a drag may follow).
  TDgCustomColumn* header_candidate_ = nullptr;
  // Column resizing: the column, the edge under the mouse, the width change
  // and the two guide lines' x (DgNoGuide when none).
  TDgCustomColumn* resize_column_ = nullptr;
  TDgCustomColumn* hover_resize_ = nullptr;
  int resize_delta_ = 0;
  int guide_x_[2] = {DgNoGuide, DgNoGuide};
  // Row resizing: the row and its guide line's y (-1 none).
  int row_resize_row_ = -1;
  int row_guide_y_ = -1;
  // Row moving: the pressed row, the boundary it would drop on and the
  // marker's y (-1 none).
  int move_source_row_ = -1;
  int drop_row_ = -1;
  int marker_y_ = -1;
  // The hint showing (1 footer, 2 header, 3 text-fit, 4 cell) and the
  // columns whose header or footer hint was shown.
  int hint_kind_ = 0;
  TDgCustomColumn* header_hint_column_ = nullptr;
  TDgCustomColumn* footer_hint_column_ = nullptr;
  int hover_col_ = -1, hover_row_ = -1, prev_hover_col_ = -1, prev_hover_row_ = -1;
  // A press on a row of a multi-selection to collapse if no drag follows.
  bool undo_on_cancel_ = false;
  // The last press hit the focused cell.
  bool focused_cell_click_ = false;
  // Column dragging: the column, its landing place, and the arrows shown.
  TDgCustomColumn* drag_column_ = nullptr;
  int drop_target_ = -1;
  bool arrows_shown_ = false;
  // ===== end of mouse state ==============================================================
};
