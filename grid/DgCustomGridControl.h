// TDgCustomGridControl: the heart of the grid. It owns the columns, the
// header styles, the layout of the grid's regions, the selection and focus,
// the scroll state in rows and pixels, the editing state and the grid's
// events. It holds no cell data: every row and cell question is a virtual
// operation a data class answers (TDataGrid over the cell store).
//
// Portable: the window is reached only through IDgGridHost (SetHost; none
// means no window yet, and nothing is repainted or scrolled). The grid is
// used from the thread that made it; every public operation checks that and
// raises EGridThreadError otherwise.
//
// Sources by concern: DgGridGeometry.cpp (line widths, regions, row places,
// cell rectangles), DgGridScroll.cpp (scroll bars, ScrollToRow/Column),
// DgGridSelect.cpp (SelectCell and the selection), DgGridProps.cpp
// (properties, update lock), DgGridColumnsCore.cpp (column changes),
// DgGridEvents.cpp (event dispatch), DgGridText.cpp (grid text, auto size,
// row fit, text files), DgGridRowsCore.cpp (row steps of the core).
// Painting lives in DgGridPaint*.cpp, keys and editing in DgGridKeys*.cpp /
// DgGridEdit*.cpp, the mouse in DgGridMouse*.cpp.
#pragma once

#include <memory>
#include <thread>

#include "classlib/Component.h"
#include "classlib/SysUtils.h"
#include "grid/DgColumns.h"
#include "grid/DgDisplays.h"
#include "grid/DgEdit.h"
#include "grid/DgFont.h"
#include "grid/DgGridHost.h"
#include "grid/DgGridTypes.h"

class IDgInplaceEditor;

// Raised when the grid is used from a thread other than its own.
class EGridThreadError : public Exception {
 public:
  using Exception::Exception;
};

class TDgCustomGridControl;

// What the grid's in-place editor tells it goes to the grid (DgGridEdit.cpp).
class TDgEditorLink : public IDgEditorListener {
 public:
  explicit TDgEditorLink(TDgCustomGridControl* Grid) : grid_(Grid) {}
  void EditorChange() override;
  void EditorEnter() override;
  void EditorExit() override;
  void EditorKeyDown(uint16_t& Key, TShiftState Shift) override;
  void EditorKeyPress(char16_t& Key) override;
  void EditorKeyUp(uint16_t& Key, TShiftState Shift) override;

 private:
  TDgCustomGridControl* grid_ = nullptr;
};

class TDgCustomGridControl : public TComponent {
 public:
  explicit TDgCustomGridControl(TComponent* AOwner = nullptr, IDgGridHost* Host = nullptr);
  ~TDgCustomGridControl() override;

  // --- Window -----------------------------------------------------------------------
  IDgGridHost* Host() const { return host_; }
  // Binds (or with null unbinds) the window; when it already exists,
  // WindowCreated follows. A host given to the constructor is only stored:
  // it calls WindowCreated once its window exists.
  void SetHost(IDgGridHost* Host);
  // The window exists now (bars' steps, themes); SetHost calls it when the
  // host already has its window.
  virtual void WindowCreated();
  // The window's reading order; headers, footers, the input line and the
  // cells read right to left in any mode but bdLeftToRight, and the in-place
  // editor takes it when it is attached.
  TBiDiMode BiDiMode() const { return host_ ? host_->BiDiMode() : bdLeftToRight; }
  bool UseRightToLeftReading() const { return BiDiMode() != bdLeftToRight; }
  // The window's enabled state (a disabled grid paints grey text).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // A timer started through the host fired.
  virtual void TimerFired(int Id);
  // A message posted through the host arrives.
  virtual void HandlePosted(int Msg, intptr_t W, intptr_t L);
  // The window's themes changed (the header styles follow).
  virtual void ThemeChanged();
  // Scroll distances asked by the host's bars (pixels the content moves).
  virtual int HorzScrollDelta(int OldPos, int NewPos);
  virtual int VertScrollDelta(int OldPos, int NewPos);
  // Around a shift of the content by a bar (ScrollKind of the bar).
  virtual void BeforeScroll(int ScrollKind) {}
  virtual void AfterScroll(int ScrollKind) {}
  // The window was resized: the scroll ranges follow.
  virtual void Resized();
  // Raises EGridThreadError off the grid's thread.
  void CheckThread() const;

  // --- Properties --------------------------------------------------------------------
  TAppearanceOptions AppearanceOptions() const { return appearance_options_; }
  void SetAppearanceOptions(TAppearanceOptions v);
  bool AutoScroll() const { return auto_scroll_; }
  void SetAutoScroll(bool v);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle v);
  const WideString& Caption() const { return caption_; }
  void SetCaption(const WideString& v);
  TDgColumns* Columns() const { return columns_; }
  bool EnableVisualStyles() const { return enable_visual_styles_; }
  void SetEnableVisualStyles(bool v);
  int FixedCols() const;
  void SetFixedCols(int v);
  // The control's colour (fillers, the strip right of the columns, slides).
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v) { parent_color_ = v; }
  TDgFont* Font() { return &font_; }
  // A font of its own (any change of Font) clears ParentFont.
  void SetFont(const TDgFont* v);
  // The grid takes its parent's font, now and whenever the parent's changes.
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  // The window's parent, or its font, changed (the host tells).
  void ParentFontChanged();
  int FooterSize() const { return footer_size_; }
  void SetFooterSize(int v);
  TColor GridLinesColor() const { return grid_lines_color_; }
  void SetGridLinesColor(TColor v);
  TGridLinesStyle GridLinesStyle() const { return grid_lines_style_; }
  void SetGridLinesStyle(TGridLinesStyle v);
  TGridStyle GridStyle() const { return grid_style_; }
  void SetGridStyle(TGridStyle v);
  int HeaderSize() const { return header_size_; }
  void SetHeaderSize(int v);
  THeaderStyle HeaderStyle() const { return header_style_; }
  void SetHeaderStyle(THeaderStyle v);
  bool HideScrollBar() const { return hide_scroll_bar_; }
  void SetHideScrollBar(bool v);
  TColor HighlightedTextColor() const { return highlighted_text_color_; }
  void SetHighlightedTextColor(TColor v);
  THomeEndBehaviour HomeEndBehaviour() const { return home_end_behaviour_; }
  void SetHomeEndBehaviour(THomeEndBehaviour v);
  TColor InactiveSelectionColor() const { return inactive_selection_color_; }
  void SetInactiveSelectionColor(TColor v);
  TInputEnterMode InputEnterMode() const { return input_enter_mode_; }
  void SetInputEnterMode(TInputEnterMode v);
  int InputSize() const { return input_size_; }
  void SetInputSize(int v);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions v);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  int RowSize() const { return row_size_; }
  TColor SelectionColor() const { return selection_color_; }
  void SetSelectionColor(TColor v);
  TSelectionMoveDirection SelectionMoveDirection() const { return selection_move_direction_; }
  void SetSelectionMoveDirection(TSelectionMoveDirection v);
  TSlideOptions SlidesOptions() const { return slides_options_; }
  void SetSlidesOptions(TSlideOptions v);
  TColor SlideSelectionColor() const { return slide_selection_color_; }
  void SetSlideSelectionColor(TColor v);
  int SlideSize() const { return slide_size_; }
  void SetSlideSize(int v);
  TSortedStyle SortedStyle() const { return sorted_style_; }
  void SetSortedStyle(TSortedStyle v);
  const std::string& Version() const { return version_; }
  void SetVersion(const std::string& v);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool v);
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool v);
  // The control's size before (and without) a window, and its tab stop.
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int Height() const { return height_; }
  void SetHeight(int v) { height_ = v; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v) { tab_stop_ = v; }

  // --- Events ------------------------------------------------------------------------
  TEditEvent OnAfterEdit, OnEdit;
  TAfterRowMoveEvent OnAfterRowMove;
  TColumnEvent OnAfterSort, OnInputSelectCell, OnSlideChange;
  TApplyCellEvent OnApplyCell;
  TApplyEditText OnApplyEditText;
  TBeforeEditEvent OnBeforeEdit, OnBeforeSelect;
  TCellEvent OnCellClick, OnCellDblClick, OnDeselectCell, OnSelectCell;
  TCellColoringEvent OnCellColoring;
  TCellHintEvent OnCellHint;
  TChangeEvent OnChange;
  TChangeRowHeightEvent OnChangeRowHeight;
  TColumnFooterValueEvent OnColumnFooterValue;
  TFooterCalculateEvent OnFooterCalculate;
  TColumnMoveEvent OnColumnMove;
  TColumnResizeEvent OnColumnResize;
  TCustomDrawCellEvent OnCustomDrawCell;
  TDataChangeEvent OnDataChange;
  TDrawCellBackgroundEvent OnDrawCellBackground;
  TEditAcceptEvent OnEditAccept;
  TNotifyEvent OnEditExit, OnInputAdded, OnPostDraw, OnMouseEnter, OnMouseLeave;
  TEditTextEvent OnEditText;
  THeaderClickEvent OnFooterClick, OnHeaderClick, OnHeaderDblClick;
  TInputAcceptEvent OnInputAccept;
  TLoadProgressEvent OnLoadProgress;
  // A measuring query, like OnCompare: raised wherever a row's height is
  // read (painting, scrolling, key moves, hit tests), so its handler only
  // answers and must not free the grid.
  TMeasuringRowHeightEvent OnMeasuringRowHeight;
  TRowMoveEvent OnRowMove;
  TSlideColoringEvent OnSlideColoring;
  TSortColumnEvent OnSortColumn;
  TScrollEvent OnHorizontalScroll, OnVerticalScroll;
  // goIndicator was switched (no published property exposes it).
  TNotifyEvent OnIndicatorChange;

  // --- Virtual operations (slot order) -------------------------------------------------
  virtual void AfterScrollRows(int Rows) {}
  virtual void ApplyEditText(const WideString& Value);
  virtual bool CanEdit() { return true; }
  virtual bool CanSelectCell(int ACol, int ARow);
  virtual bool DrawCellText(int ACol, int ARow, TCellState CellState); // painting
  virtual TColor GetCellColor(int ACol, int ARow);
  virtual void GetCellHint(int ACol, int ARow, WideString& Value);
  virtual void GetCellInfo(int ACol, int ARow, TDgCellValue& Value) = 0;
  virtual WideString Cells(int ACol, int ARow) = 0;
  // The column collection's class (used by the constructor as the base's).
  virtual TDgColumns* CreateColumns();
  virtual void GetDisplayText(int ACol, int ARow, WideString& Text) = 0;
  virtual int FirstVisibleRow() = 0;
  virtual void GetHintText(int ACol, int ARow, WideString& Text) = 0;
  virtual int HorzScrollMax();
  virtual int LastVisibleRow() = 0;
  virtual int RowCount() const = 0;
  virtual int GetRowHeight(int ARow) { return row_size_; }
  virtual int GetRowLevel(int ARow) { return 0; }
  virtual bool GetRowVisible(int ARow) { return true; }
  virtual bool GetRowSelected(int ARow) = 0;
  virtual int SelectedCount();
  virtual int SelectedRow() { return selected_row_; }
  // The cells as Windows-1251 text: it starts with Separator, fields are
  // split by it, and every row but the last ends in Separator and CR LF; a
  // line break inside a cell reads "%" CR LF. A character the code page
  // lacks reads "?".
  virtual void GetGridText(char Separator, std::string& Text);
  virtual int DisplayRowCount();
  virtual int VisibleRowCount() = 0;
  virtual bool SkipPartialRows() { return false; }
  virtual void CellFormatting(int ACol, int ARow, TCellState CellState) {}
  virtual void ColumnsChanged(int Kind, int Index);
  virtual void ColumnChanged(TDgCustomColumn* Column, int Value, int Kind);
  virtual void ColumnsUpdated(int Kind);
  virtual void DrawCell(int ACol, int ARow);                             // painting
  virtual void DrawIndicatorCell(int ARow, bool Current, bool Selected); // painting
  virtual bool IsCellEmpty(int ACol, int ARow) { return false; }
  virtual void GridStyleChanged() {}
  virtual void DrawReport();       // painting
  virtual void DrawHeaderFooter(); // painting
  virtual void DrawRows();         // painting
  virtual void DrawSlides();       // painting
  virtual void DrawSlidesHeader(); // painting
  virtual void DrawSlideRows();    // painting
  virtual void EditorShown() {}
  virtual void SetCells(int ACol, int ARow, const WideString& Value) = 0;
  virtual void PrepareCellDisplay(int ACol, int ARow, TVirtualColElement* Display) {}
  virtual void HookEditor(); // editing
  virtual void SetRowHeight(int ARow, int Height);
  virtual void SetRowSize(int Value);
  virtual void SetRowVisible(int ARow, bool Visible);
  virtual void SetRowSelected(int ARow, bool Selected) = 0;
  virtual void SetSelectedRow(int ARow);
  virtual void SortColumn(TDgCustomColumn* Column, bool Ascending);
  virtual void UpdateHorzScrollBar();
  virtual void UpdateVertScrollBar();
  virtual bool ApplyEdit();                            // editing
  virtual TColor GetCellBackColor(int ACol, int ARow); // painting
  virtual TColor GetCellTextColor(int ACol, int ARow); // painting
  virtual void GetCellRect(int ACol, int ARow, TRect& Rect);
  virtual int AddRow(int Count) = 0;
  virtual void AddInputRow(); // editing
  virtual void RecalculateFooters(bool VisibleOnly) = 0;
  virtual void ClearRows();
  virtual void ClearSelection();
  virtual void DeleteRow(int ARow);
  virtual void EndEdit();                                             // editing
  virtual void BeginEdit(int ACol, int ARow, const WideString& Text); // editing
  virtual void InsertRow(int Pos);
  virtual void MoveRow(int FromRow, int ToRow);
  virtual void SelectNextRow(TShiftState Shift, bool WrapOut); // keys
  virtual void SelectPriorRow(TShiftState Shift);              // keys
  virtual void RepaintCell(int ACol, int ARow);
  virtual void RepaintColumn(TDgCustomColumn* Column, int Region);
  virtual void InvalidateColumn(TDgCustomColumn* Column);
  virtual void SelectCell(int ACol, int ARow, bool ClearMulti, TShiftState Shift);
  virtual void SelectFirstRow(TShiftState Shift);
  virtual void SelectLastRow(TShiftState Shift);
  virtual void SelectRowRange(int FromRow, int ToRow, bool Selected) = 0;
  virtual void ExchangeRows(int Row1, int Row2) = 0;

  // ===== editing (gridkeys defines these in DgGridKeys*.cpp / DgGridEdit*.cpp) =====
  // The editor follows its cell after a scroll, resize or layout change.
  virtual void RepositionEditor();
  // Editing begun by a typed character: the editor receives it as typed.
  void BeginEditWithChar(int ACol, int ARow, char16_t Key);
  // Editing in the input line (a click on an input cell; a key typed there).
  void BeginInputEdit(TDgCustomColumn* Column, const WideString& Text);
  void BeginInputEditWithChar(int ACol, char16_t Key);
  // The data class swapped two rows: an edit in either follows its row.
  void EditRowsExchanged(int Row1, int Row2);
  // The editor attached now; null when nothing is edited.
  IDgInplaceEditor* AttachedEditor() const { return editor_; }
  // The last ApplyEdit found a text its column could not take: reported
  // through the host, the cell kept its value.
  bool EditRefused() const { return edit_refused_; }
  // The message the grid posts itself to check where the focus went.
  static constexpr int PostedFocusCheck = 0x0B01;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The grid's own key handling behind the editor's key notifications.
  virtual void EditorKeyDownToGrid(uint16_t& Key, TShiftState Shift) {}
  virtual void EditorKeyPressToGrid(char16_t& Key) {}
  virtual void EditorKeyUpToGrid(uint16_t& Key, TShiftState Shift) {}
  // A column's editor: its InplaceEdit (External) or its own; null if none.
  IDgInplaceEditor* ColumnEditor(TDgCustomColumn* Column, bool& External);
  // Attaches Column's editor (for the input line with ForInput).
  bool AttachEditor(TDgCustomColumn* Column, int ARow, bool ForInput);
  void DetachEditor();
  // The shared steps of beginning an edit: checks, OnBeforeEdit, the edit
  // under way applied and ended, the state set and the editor attached.
  // Text, when given, takes the cell's text once the edit under way is in.
  bool StartCellEdit(int ACol, int ARow, bool& External, WideString* Text = nullptr);
  bool StartInputEdit(TDgCustomColumn* Column);
  // EndEdit, whose OnEditExit may free the grid: true when the grid outlived it.
  [[nodiscard]] bool EndEditSurvived();
  // Placed, then all selected or the caret at the end.
  void ShowStartedEditor(bool SelectAll);
  void ShowEditorAt();
  // The focus may have left both the grid and its editor: checked once the
  // focus change is over (a posted message), then any edit is applied.
  void CheckFocusLeft();
  void FocusLeft();

  TDgEditorLink editor_link_{this};
  // The component behind editor_ (its freeing ends the edit).
  TComponent* editor_component_ = nullptr;
  bool edit_refused_ = false;

 public:
  // ===== end of editing ==================================================================

  // ===== painting (gridpaint defines these in DgGridPaint*.cpp) =======================
  // The whole grid painted within Clip (the host's paint handler).
  void Paint(TDgCanvas& Canvas, const TRect& Clip);
  // The highlight rule of a cell, and the state handed to its colouring and drawing.
  bool IsCellSelected(int ACol, int ARow);
  TCellState CellStateOf(int ACol, int ARow);
  // The window or the in-place editor inside it has the keyboard focus.
  bool GridFocused();
  // How the window's border is drawn after the platform's own frame.
  enum class TBorderKind { Platform, Frame, Themed };
  struct TBorderLook {
    TBorderKind Kind = TBorderKind::Platform;
    TColor Color = clNone;
  };
  TBorderLook BorderLook(bool ThemesActive) const;
  // The canvas font of the cell text being drawn (for CellFormatting): its
  // colour and style as the formatting leaves them.
  const TDgFont& CellFont() const { return cell_font_; }
  TColor CellFontColor() const { return cell_font_.Color(); }
  void ApplyCellFont(TColor TextColor, TFontStyles Style);
  // The cell font as the painter starts it for a cell (the column's font,
  // the cell's text colour, bold by the state), before CellFormatting.
  void PrepareCellFont(int ACol, int ARow, TCellState CellState);
  // The width of a text in the cell font as it stands (after CellFormatting).
  int CellTextWidth(const WideString& Text);
  // The canvas of the paint under way (null outside painting).
  TDgCanvas* PaintCanvas() const { return canvas_; }
  // ===== end of painting ==================================================================

  // --- Other operations -----------------------------------------------------------------
  int SelectedColumn() const { return selected_column_; }
  int TopRow() const { return top_row_; }
  int Anchor() const { return anchor_; }
  bool MultiSelecting() const { return multi_select_; }
  int EditCol() const { return edit_col_; }
  int EditRow() const { return edit_row_; }
  int InputColumn() const { return input_col_; }
  bool InputFocused() const { return input_focus_; }
  bool CellEditing() const { return cell_editing_; }
  bool InputEditing() const { return input_editing_; }
  TDgCustomColumn* SortedColumn() const { return sorted_column_; }
  TStyleDisplay* CurrentDisplay() const { return display_; }
  void ScrollToRow(int ARow);
  void ScrollToColumn(TDgCustomColumn* Column);
  void BeginUpdate();
  // Never below 0; the last one repaints the cells, header and indicator,
  // updates the vertical bar and counts the footers changed meanwhile.
  void EndUpdate();
  int UpdateLock() const { return update_lock_; }
  // Rows came or went, or a cell's value changed: the footers that show a
  // formula are counted again (RecalculateFooters over every row), at once
  // or, under the update lock or while held, when that is over.
  void FootersChanged();
  // While held, the footers wait (a load's rows come one by one); letting
  // go counts them once if anything changed meanwhile.
  void HoldFooters(bool Hold);
  bool FootersHeld() const { return footers_held_; }
  // The whole region (DgRegion) repainted, when its option is on.
  void RepaintRegion(int Region);
  // Mode 0 header and cells, 1 cells only, 2 header only.
  void AutoSizeColumn(int ACol, int Mode, bool VisibleOnly);
  // The width a column's header needs in the current header style: the
  // style's indent and the header's content (caption, glyph or both by its
  // display mode; a vertical caption by its height), in the grid's font.
  int HeaderNeededWidth(TDgCustomColumn* Column);
  void FitRowHeight(int ARow);
  void LoadFromTextFile(const WideString& FileName, char16_t Separator, char16_t Delimiter);
  void SaveToTextFile(const WideString& FileName, char16_t Separator, char16_t Delimiter,
                      uint8_t Encoding);

  // --- Geometry -----------------------------------------------------------------------
  // Grid line widths: left, top, right, bottom and the row spacing.
  int LineLeft() const { return line_left_; }
  int LineTop() const { return line_top_; }
  int LineRight() const { return line_right_; }
  int LineBottom() const { return line_bottom_; }
  int RowSpacing() const { return row_spacing_; }
  int ClientWidth() const;
  int ClientHeight() const;
  int IndicatorWidth() const; // 12 with goIndicator
  int ColumnsWidth() const;   // the visible columns together
  int HorzPos() const;        // horizontal scroll position (pixels)
  int FixedLeft() const;      // where the scrolled columns start
  TRect HeaderRect() const;
  TRect InputRect() const;
  TRect CellAreaRect() const;
  TRect FooterRect() const;
  TRect IndicatorRect() const;
  // Top of a row in the cell area (rows past the end count as RowSize).
  int RowTop(int ARow);
  // Height a row takes on screen with its spacing (0 when hidden).
  int RowPitch(int ARow);
  // Whole rows that fit in the cell area from TopRow.
  int FullRowsFromTop();
  // Visible rows before ARow (the vertical bar's measure).
  int VisibleRowsBefore(int ARow);
  bool ValidRow(int ARow) const { return ARow >= 0 && ARow < RowCount(); }
  bool ValidColumn(int ACol) const { return columns_ && columns_->ValidIndex(ACol); }

 protected:
  // --- Dispatch of the core's events (raised only when assigned) ---------------------
  virtual void DoDeselectCell(int ACol, int ARow);
  virtual void DoSelectCell(int ACol, int ARow);
  virtual void DoInputSelectCell(int ACol);
  virtual void DoChange(int ACol, int ARow);
  virtual void DoChangeRowHeight(int Index, int Height);
  virtual void DoColumnMove(int ACol, int FromPos, int ToPos);
  virtual void DoColumnResize(int ACol);
  virtual void DoSlideChange(int ACol);
  virtual void DoSortColumn(int ACol, bool Ascending);
  virtual void DoDataChange(TDataChange Kind, int Index);
  virtual void DoLoadProgress(int ACol, int ARow);
  virtual void DoApplyCell(int ACol, int ARow, WideString& Value);
  virtual void DoMeasuringRowHeight(int Index, int& RowHeight);

  // Repaint helpers (nothing without a window).
  bool CanRepaint() const;
  void InvalidateAll();
  void InvalidateArea(const TRect& R);
  void RepaintRow(int ARow);
  void RepaintIndicatorCell(int ARow);
  void RepaintSelection();
  void RecalcLineWidths();
  void SwitchDisplay();
  void GridFontChanged();
  // The areas the bars shift (cells below the header; header to footer).
  void UpdateScrollAreas();
  // The collection's add/delete (ColumnsChanged, then OnDataChange) and
  // its refresh requests (DgColumnRefresh).
  void ColumnsCollectionChanged(int Kind, int Index);
  void ColumnRefresh(TDgCustomColumn* Column, int Code);
  // Gives the input line the focus or takes it away (repaints follow).
  void SetInputFocus(bool Focus);
  // Brings rows above the top back while the rows from the top leave room
  // at the bottom of the cell area (rows and pixels moved back).
  void FillRoomAtBottom(int& Rows, int& Pixels);
  void SelectEndRow(bool Last, TShiftState Shift);
  // Moves the vertical bar by Rows (negative: back), as ScrollToRow does.
  void MoveVertBar(int Rows);

  // Drawn at the end of Paint over everything painted (the mouse's guide
  // lines and markers).
  virtual void PaintFeedback(TDgCanvas& Canvas) {}

  // ===== painting state (gridpaint) ========================================================
  void PrepareDisplay();
  // The column's left and right on screen; false when nothing of it shows.
  bool ColumnSpan(TDgCustomColumn* Column, int& Left, int& Right);
  // Clips to Bounds within the paint's clip, a scrolled column no further
  // left than the fixed columns' end; RestoreClip goes back to the paint's.
  void ClipToArea(TDgCustomColumn* Column, const TRect& Bounds);
  void RestoreClip();
  void ClipCell(TDgCustomColumn* Column, const TRect& R);
  // The column of a cell to draw now (visible, meeting the clip) and the
  // cell's rectangle; null when there is nothing to draw.
  TDgCustomColumn* CellToDraw(int ACol, int ARow, TRect& R);
  void DrawCellLines(const TRect& R, TColor GridColor, bool BlackBottom, bool BlackRight);
  void DrawFillerCell(int ACol, int ARow);
  void DrawFocusRectangle();
  void DrawSlideCaption(int ACol, int ARow);
  void DrawEmptyCaption();
  TDgFont cell_font_;
  // ===== end of painting state =============================================================

  // --- Internal state ---------------------------------------------------------------------
  IDgGridHost* host_ = nullptr;
  TDgColumns* columns_ = nullptr;
  std::thread::id thread_ = std::this_thread::get_id();
  int selected_column_ = 0;
  int selected_row_ = -1;
  int anchor_ = -1;
  int edit_col_ = -1, edit_row_ = -1;
  int input_col_ = -1;
  bool input_focus_ = false;
  int top_row_ = 0;
  int first_visible_row_ = 0, last_visible_row_ = 0;
  int paint_row_ = 0;
  int update_lock_ = 0;
  bool footers_stale_ = false; // counted again once the lock is over
  bool footers_held_ = false;  // a batch of the grid's own cell writes
  int line_left_ = 0, line_top_ = 0, line_right_ = 0, line_bottom_ = 0, row_spacing_ = 0;
  bool cell_editing_ = false;
  bool input_editing_ = false;
  bool column_resizing_ = false;
  bool header_pressed_ = false;
  bool column_dragging_ = false;
  bool multi_select_ = false;
  bool row_moving_ = false;
  TDgCustomColumn* sorted_column_ = nullptr;
  TDgCustomColumn* pressed_column_ = nullptr;
  TDgCustomColumn* hot_column_ = nullptr;
  // The in-place editor attached to the edited column (it belongs to the
  // column) and whether the grid itself is writing its text.
  IDgInplaceEditor* editor_ = nullptr;
  bool setting_editor_text_ = false;
  // The canvas of the paint under way (null outside Paint).
  TDgCanvas* canvas_ = nullptr;
  TRect paint_clip_;
  std::unique_ptr<TStyleDisplay> displays_[7];
  TStyleDisplay* display_ = nullptr;

 private:
  class TColumnsBinding;
  friend class TColumnsBinding;
  std::unique_ptr<TColumnsBinding> binding_;
  friend class TDgEditorLink;
  TDgFont font_;
  bool parent_font_ = true;
  bool adopting_font_ = false; // the parent's font is being taken

  TAppearanceOptions appearance_options_{aoHideSelection, aoHighlightSlideCells};
  bool auto_scroll_ = false;
  TBorderStyle border_style_ = bsSingle;
  WideString caption_;
  bool enable_visual_styles_ = true;
  int footer_size_ = 18;
  TColor grid_lines_color_ = clBtnFace;
  TGridLinesStyle grid_lines_style_ = lsNormal;
  TGridStyle grid_style_ = gsReport;
  int header_size_ = 18;
  THeaderStyle header_style_ = hsAuto;
  bool hide_scroll_bar_ = true;
  TColor highlighted_text_color_ = clHighlightText;
  THomeEndBehaviour home_end_behaviour_ = hebTopBottom;
  TColor inactive_selection_color_ = clBtnFace;
  TInputEnterMode input_enter_mode_ = imEditing;
  int input_size_ = 16;
  TGridOptions options_{goHeader};
  bool read_only_ = false;
  int row_size_ = 16;
  TColor selection_color_ = clHighlight;
  TSelectionMoveDirection selection_move_direction_ = TSelectionMoveDirection::mdDown;
  TSlideOptions slides_options_{soFrame, soHideSelection};
  TColor slide_selection_color_ = clWindow;
  int slide_size_ = 80;
  TSortedStyle sorted_style_ = soDefault;
  std::string version_ = DgGridVersion;
  bool want_returns_ = false, want_tabs_ = false;
  int width_ = 250, height_ = 150;
  TColor color_ = clWindow;
  bool parent_color_ = false;
  bool enabled_ = true;
  bool tab_stop_ = true;
};
