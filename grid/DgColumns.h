// The columns of a grid: TDgCustomColumn says what kind of cell each row
// holds in it, how its cells, header and footer look, how wide it is, where
// it stands and how it sorts; TDgColumns keeps the columns in creation order
// (which indexes the cell store) and in display order, lays them out and
// shares free width among auto-sized ones.
//
// The grid reaches in through three kinds of hooks:
//  - TDgColumnsHost: what the columns ask of their grid (loading state, font,
//    client width, scroll position, ...). Without a host they answer as a
//    grid that is idle, 0 pixels wide and not scrolled.
//  - the std::function notifications of TDgColumns (change, refresh and
//    collection codes, see the constants below), raised only when bound;
//  - the per-column listeners (code, user value), for displays and editors.
// Displays, editors and plays are made by virtual factories that column
// classes override; the column owns what they make.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "grid/DgColumnParts.h"
#include "grid/DgFont.h"
#include "grid/DgTypes.h"

class TDgColumns;
class TDgCanvas;

enum TColumnOption {
  coAutoSize,
  coCanClick,
  coCanInput,
  coCanSort,
  coDisableMoving,
  coDontHighlight,
  coEditing,
  coEditorAutoSelect,
  coFixedSize,
  coImageForIcon,
  coPublicUsing,
  coFullResort,
  coSearchColumn,
  coShowTextFitHint,
  coTextForCaption
};
using TColumnOptions = TSet<TColumnOption>;
enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP };
enum TSortKind { skAscending, skDescending };
enum TSlideCatpionLocation { clLeft, clTop };

// Kind of ColumnChanged (one column changed; Value is -1 unless said).
namespace DgColumnChange {
constexpr int InputValue = 1, Position = 2 /* Value: old position */, SlideBounds = 3,
              BecameSorted = 4, SortOrder = 5, Appearance = 6, Visibility = 7, Unsorted = 8,
              Width = 9 /* Value: new width - old width */;
}
// Codes of the grid's column refresh (what to repaint is the grid's choice).
namespace DgColumnRefresh {
constexpr int PartCaption = 0, Cells = 1, Footer = 2, Header = 3;
}
// Codes a column's listeners hear.
namespace DgColumnListen {
constexpr int Alignment = 0, Caption = 1, ColorOrOptions = 2, DrawingOptions = 3, Visibility = 6;
}
// Kinds of the collection's ColumnsChanged / ColumnsUpdated.
namespace DgColumnsKind {
constexpr int Added = 0, Deleted = 1;
}
// Capability flags of a column class.
namespace DgColumnCaps {
constexpr int Editing = 1 << 1, NotSortable = 1 << 2, Extra3 = 1 << 3, Extra5 = 1 << 5;
}

// What the columns ask of the grid they belong to.
class TDgColumnsHost {
 public:
  virtual ~TDgColumnsHost() = default;
  // The grid is being loaded from its form (layout and auto-size wait).
  virtual bool ColumnsLoading() const { return false; }
  // The grid is being designed (DefaultWidth follows Width).
  virtual bool ColumnsDesigning() const { return false; }
  // The grid is being destroyed (no layout on removal).
  virtual bool ColumnsDestroying() const { return false; }
  // The grid's font, copied into columns with ParentFont; may be null.
  virtual const TDgFont* GridFont() const { return nullptr; }
  virtual int ClientWidth() const { return 0; }
  // goIndicator is in the grid's Options.
  virtual bool HasIndicator() const { return false; }
  // GridStyle is gsReport.
  virtual bool ReportStyle() const { return true; }
  // Left edge of the first column (the cell area's left).
  virtual int ColumnsOrigin() const { return 0; }
  virtual int HorzScrollPosition() const { return 0; }
  virtual int SelectedColumnIndex() const { return -1; }
  // The two further columns the grid keeps (pressed and hot header column).
  virtual const TDgCustomColumn* PressedColumn() const { return nullptr; }
  virtual const TDgCustomColumn* HotColumn() const { return nullptr; }
  // Top and bottom of one of the grid's horizontal bands (kinds 0, 1, 4).
  virtual void BandSpan(int Kind, int& Top, int& Bottom) const { Top = Bottom = 0; }
  // Width of a text in a column's font (display canvas), for NeededWidth.
  virtual int TextWidth(const TDgCustomColumn* Column, const WideString& Text) const {
    return static_cast<int>(Text.size()) * 6;
  }
};

// Base of the objects a column owns to draw its cells (displays) and to act
// on clicks inside them (plays): the grid fills in the cell before use.
class TVirtualColElement : public TPersistent {
 public:
  explicit TVirtualColElement(TDgCustomColumn* Column) : Column(Column) {}
  TDgCellValue Value;
  TDgCanvas* Canvas = nullptr;
  TRect CellRect;
  TDgCustomColumn* Column = nullptr;
};

using TDgColumnListener = std::function<void(TDgCustomColumn* Column, int Code, intptr_t Data)>;

class TDgCustomColumn : public TComponent {
 public:
  explicit TDgCustomColumn(TComponent* AOwner = nullptr);
  ~TDgCustomColumn() override;

  // --- Virtual operations of a column class --------------------------------------
  // The in-place editor, display and play objects; null when the class has
  // none. Called once, on first use; the column owns the result.
  virtual TComponent* CreateEditor() { return nullptr; }
  virtual TVirtualColElement* CreateDisplay() { return nullptr; }
  virtual TVirtualColElement* CreatePlay() { return nullptr; }
  // 0 no input; else 2 with coCanInput plus 1 with coEditing.
  virtual int InputMode() const;
  virtual int CapabilityFlags() const { return 0; }
  // Width a text needs in this column.
  virtual int NeededWidth(const WideString& Text) const;
  // The column's answer to "are rows multi-line", given the grid's.
  virtual bool MultiLineRows(bool GridAnswer) const { return false; }
  virtual WideString DisplayText(const TDgCellValue& Value) const { return Value.Text; }
  WideString DisplayTextCopy(TDgCellValue Value) const { return DisplayText(Value); }
  virtual WideString InputText() const { return input_value_; }
  virtual WideString GetInputValue() const { return input_value_; }
  // The text of a virtual cell (kind 11) lives outside the store: a column
  // of that kind answers and takes it. The base column holds none.
  virtual WideString VirtualText(int ACol, int ARow) const { return WideString(); }
  virtual void SetVirtualText(int ACol, int ARow, const WideString& Text) {}
  // A key typed on the cell may start editing.
  virtual bool AcceptsEditKey(char16_t Key) const { return false; }
  // Enter in the cell's editor is part of the text (a new line), not the
  // end of the edit. No column of the library takes it.
  virtual bool TakesEnterAsText() const { return false; }
  // Sets up an editor before it is shown (alignment, margins; the painting
  // side applies what it holds). The base class fills the settings record.
  struct TEditorSettings {
    TAlignment Alignment = taLeftJustify;
    bool Border = false;
    int BorderWidth = 0;
    int LeftMargin = 1;
    int MaxLength = 0;
    char16_t PasswordChar = 0;
  };
  virtual void PrepareEditor(TEditorSettings& Settings) const;

  // --- Elements -----------------------------------------------------------------
  TComponent* Editor();
  TVirtualColElement* Display();
  TVirtualColElement* Play();
  // An external editor; its free notification clears it.
  TComponent* InplaceEdit() const { return inplace_edit_; }
  void SetInplaceEdit(TComponent* v);

  // --- Properties -----------------------------------------------------------------
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBiDiMode BiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(TBiDiMode v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  const WideString& DefaultValue() const { return default_value_; }
  void SetDefaultValue(const WideString& v) { default_value_ = v; }
  int DefaultWidth() const { return default_width_; }
  void SetDefaultWidth(int v) { default_width_ = v; }
  TDrawingOptions DrawingOptions() const { return drawing_options_; }
  void SetDrawingOptions(TDrawingOptions v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TDgFont* Font() { return &font_; }
  const TDgFont* Font() const { return &font_; }
  void SetFont(const TDgFont* v);
  TColumnFooter* Footer() { return &footer_; }
  const TColumnFooter* Footer() const { return &footer_; }
  // Copies v into the column's own footer.
  void SetFooter(TColumnFooter* v);
  TColumnHeader* Header() { return &header_; }
  const TColumnHeader* Header() const { return &header_; }
  void SetHeader(TColumnHeader* v);
  const WideString& InputCaption() const { return input_caption_; }
  void SetInputCaption(const WideString& v);
  const WideString& InputValue() const { return input_value_; }
  void SetInputValue(const WideString& v);
  int MinWidth() const { return min_width_; }
  void SetMinWidth(int v) { min_width_ = v; }
  TColumnOptions Options() const { return options_; }
  void SetOptions(TColumnOptions v);
  int Padding() const { return padding_; }
  void SetPadding(int v);
  bool ParentCellColor() const { return parent_cell_color_; }
  void SetParentCellColor(bool v);
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  // The grid's font changed: columns with ParentFont take it.
  void ParentFontChanged();
  int Position() const { return position_; }
  void SetPosition(int v);
  TDgSlideBounds* SlideBounds() { return &slide_bounds_; }
  const TDgSlideBounds* SlideBounds() const { return &slide_bounds_; }
  void SetSlideBounds(TDgSlideBounds* v);
  const std::string& SlideCaption() const { return slide_caption_; }
  void SetSlideCaption(const std::string& v);
  TSlideCatpionLocation SlideCaptionLocation() const { return slide_caption_location_; }
  void SetSlideCaptionLocation(TSlideCatpionLocation v);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  TSortKind SortKind() const { return sort_kind_; }
  void SetSortKind(TSortKind v);
  TSortType SortType() const { return sort_type_; }
  void SetSortType(TSortType v);
  const std::string& StyleClass() const { return style_class_; }
  void SetStyleClass(const std::string& v) { style_class_ = v; }
  TVerticalAlignment VerticalAlignment() const { return vertical_alignment_; }
  void SetVerticalAlignment(TVerticalAlignment v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TWrapKind WrapKind() const { return wrap_kind_; }
  void SetWrapKind(TWrapKind v);
  void SetName(const std::string& NewName) override;

  // Copies another column's properties (the text column adds its own).
  void Assign(TPersistent* Source) override;

  // --- State and queries ------------------------------------------------------------
  uint8_t CellKind() const { return cell_kind_; }
  TDgColumns* Columns() const { return columns_; }
  int Index() const;
  // Left edge within the columns and place among the visible ones (-1 when
  // hidden), set by the collection's layout.
  int Left() const { return left_; }
  int VisibleIndex() const { return visible_index_; }
  // Left edge on screen: minus the grid's horizontal scroll unless fixed.
  int VisibleLeft() const;
  bool IsFixed() const;
  // 0 the only visible column, 1 the first, 3 the last, 2 any other.
  int VisiblePlace() const;
  bool IsOnlyVisible() const;
  bool IsSelected() const;
  bool IsPressed() const;
  bool IsHot() const;
  // The column's strip within band kind 0, 1 or 4 of the grid.
  TRect BandRect(int Kind) const;
  // Text-drawing flags (DT_xxx values) of the column's cells; ellipsis only
  // when allowed (drawing, not measuring).
  unsigned TextFlags(bool AllowEllipsis) const;

  // --- Listeners ----------------------------------------------------------------------
  void AddListener(TDgColumnListener Listener, intptr_t Data);
  void RemoveListener(intptr_t Data);
  void NotifyListeners(int Code);
  // Tells the grid of a change of this column (DgColumnChange) or asks it to
  // repaint (DgColumnRefresh); used by the column's parts and subclasses.
  void Change(int Kind, int Value = -1);
  void Refresh(int Code);

 protected:
  friend class TDgColumns;
  void SetCellKind(uint8_t v) { cell_kind_ = v; }
  // Sets the width without auto-sizing the others (still at least MinWidth).
  void SetWidthInternal(int v);
  bool Loading() const;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void FontChanged();
  TDgColumns* columns_ = nullptr;
  uint8_t cell_kind_ = DgCellKind::Text;
  int left_ = 0;
  int visible_index_ = -1;
  struct ListenerEntry {
    TDgColumnListener Callback;
    intptr_t Data = 0;
  };
  std::vector<ListenerEntry> listeners_;
  TComponent* editor_ = nullptr;
  TVirtualColElement* display_ = nullptr;
  TVirtualColElement* play_ = nullptr;
  bool editor_made_ = false, display_made_ = false, play_made_ = false;
  bool updating_parent_font_ = false;

  TAlignment alignment_ = taLeftJustify;
  TBiDiMode bidi_mode_ = bdLeftToRight;
  TColor color_ = clWindow;
  TCursor cursor_ = crDefault;
  WideString default_value_;
  int default_width_ = 80;
  TDrawingOptions drawing_options_ = doNormal;
  bool enabled_ = true;
  TDgFont font_;
  TColumnFooter footer_{this};
  TColumnHeader header_{this};
  TComponent* inplace_edit_ = nullptr;
  WideString input_caption_;
  WideString input_value_;
  int min_width_ = 8;
  TColumnOptions options_{coCanClick, coCanInput, coCanSort, coPublicUsing};
  int padding_ = 0;
  bool parent_cell_color_ = false;
  bool parent_font_ = true;
  int position_ = -1;
  TDgSlideBounds slide_bounds_;
  std::string slide_caption_;
  TSlideCatpionLocation slide_caption_location_ = clTop;
  bool sorted_ = false;
  TSortKind sort_kind_ = skAscending;
  TSortType sort_type_ = stAlphabetic;
  std::string style_class_;
  TVerticalAlignment vertical_alignment_ = taVerticalCenter;
  bool visible_ = true;
  int width_ = 80;
  TWrapKind wrap_kind_ = wkEllipsis;
};

class TDgColumns : public TComponent {
 public:
  explicit TDgColumns(TComponent* AOwner = nullptr, TDgColumnsHost* Host = nullptr);
  // Frees every column, last index first.
  ~TDgColumns() override;

  TDgColumnsHost* Host() const { return host_; }
  void SetHost(TDgColumnsHost* v) { host_ = v; }

  int Count() const { return static_cast<int>(items_.size()); }
  // By index order; EListError when out of range.
  virtual TDgCustomColumn* Item(int Index) const;
  TDgCustomColumn* PositionItem(int Pos) const;
  int IndexOf(const TDgCustomColumn* Column) const;
  int PositionOf(const TDgCustomColumn* Column) const;
  TDgCustomColumn* FirstVisible() const;
  TDgCustomColumn* LastVisible() const;
  // The next or previous enabled, visible other column in display order;
  // the column itself when there is none.
  TDgCustomColumn* Next(TDgCustomColumn* Column) const;
  TDgCustomColumn* Previous(TDgCustomColumn* Column) const;
  int VisibleCount() const;
  int VisibleWidth() const;
  bool ValidIndex(int Index) const { return Index >= 0 && Index < Count(); }

  // The collection takes the column (and frees it with itself). A grid holds
  // at most MaxColumns columns: one more raises EListError, nothing changes.
  virtual void Add(TDgCustomColumn* Column);
  // Loading from a form: the column joins the index order when its parent
  // is set, then takes its display place once its properties are read.
  void AddStreamed(TDgCustomColumn* Column);
  void PlaceStreamed(TDgCustomColumn* Column);
  // Called by the column's destructor.
  void Remove(TDgCustomColumn* Column);
  // Moves within the display order (both clamped to the columns).
  void Move(int From, int To);
  void Layout(bool Renumber);
  void AutoSize(TDgCustomColumn* Column, bool FromColumn);

  int FixedCols() const { return fixed_cols_; }
  void SetFixedCols(int v);
  int FixedWidth() const { return fixed_width_; }

  static constexpr int MaxColumns = 1025;
  // Width of the grid's row indicator.
  static constexpr int IndicatorWidth = 12;

  // Bound by the grid. Kind: DgColumnsKind; Index -1 when no column index.
  std::function<void(int Kind, int Index)> OnColumnsChanged; // before the layout
  std::function<void(int Kind)> OnColumnsUpdated;            // after it
  std::function<void(TDgCustomColumn* Column, int Value, int Kind)> OnColumnChanged;
  std::function<void(TDgCustomColumn* Column, int Code)> OnColumnRefresh;

  bool Loading() const { return host_ && host_->ColumnsLoading(); }

 private:
  friend class TDgCustomColumn;
  void CheckRoom() const;
  TDgColumnsHost* host_ = nullptr;
  std::vector<TDgCustomColumn*> items_;     // index order
  std::vector<TDgCustomColumn*> positions_; // display order
  int fixed_cols_ = 0;
  int fixed_width_ = 0;
  bool destroying_ = false;
};
