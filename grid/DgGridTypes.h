// The grid control's option sets, enumerations and event types. The values
// keep the library's own names (forms and saved layouts use them), so they
// are plain enums; for a set the bit number is the value's ordinal.
#pragma once

#include <functional>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/Set.h"
#include "classlib/Types.h"
#include "grid/DgScrollBar.h"
#include "grid/DgTypes.h"

enum TAppearanceOption {
  ao3DGridLines,
  aoAlphaBlendedSelection,
  aoBoldTextSelection,
  aoDontFillCells,
  aoHideFocus,
  aoHideSelection,
  aoHighlightSlideCells,
  aoHintMarks,
  aoIndicateSelectedCell,
  aoIndicateSortedColumn
};
using TAppearanceOptions = TSet<TAppearanceOption>;

enum TGridOption {
  goCanHideColumn,
  goDisableColumnMoving,
  goDisableKeys,
  goEscClearEdit,
  goFooter,
  goGrid,
  goHeader,
  goIndicator,
  goInput,
  goLockFixedCols,
  goMultiSelect,
  goRowResizing,
  goRowMoving,
  goSecondClickEdit,
  goSelectFullRow,
  goUseDefaultValues,
  goInplaceEditEvents
};
using TGridOptions = TSet<TGridOption>;

enum TGridStyle { gsReport, gsSlides };
enum TGridLinesStyle {
  lsNormal,
  lsActiveHorzOnly,
  lsActiveRows,
  lsFramed,
  lsHorizontalOnly,
  lsVerticalOnly
};
enum TSortedStyle { soDefault, soDarker, soWhite };
// Scoped: the level meters' directions take the same names.
enum class TSelectionMoveDirection { mdNone, mdUp, mdDown, mdLeft, mdRight };
enum TInputEnterMode { imAllways, imEditing };
enum THomeEndBehaviour { hebTopBottom, hebLeftRight };
enum TDataChange {
  dcAddColumn,
  dcAddRow,
  dcInsertColumn,
  dcInsertRow,
  dcDeleteColumn,
  dcDeleteRow
};

enum TSlideOption { soFrame, soHideSelection };
using TSlideOptions = TSet<TSlideOption>;
enum TSlideStateItem { stFocused, stSelected };
using TSlideState = TSet<TSlideStateItem>;
enum TCellStateItem { csBoldTextSelection, csEmpty, csFocused, csSelected };
using TCellState = TSet<TCellStateItem>;

// Regions of the grid's client area (whole-region and column repaints).
namespace DgRegion {
constexpr int Client = 0, Cells = 1, Footer = 2, Header = 3, Indicator = 4, Input = 5;
}

// Timers the grid asks its host for (the host calls TimerFired(Id)).
namespace DgGridTimer {
constexpr int IncrementalSearch = 1;
}

// Events: Sender (the grid) first; a var parameter arrives holding its
// starting value (Accept and DefaultDrawing true, colours the computed ones,
// texts the current text).
using TEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value)>;
using TAfterRowMoveEvent = std::function<void(TObject* Sender, int FromPos, int ToPos)>;
using TColumnEvent = std::function<void(TObject* Sender, int ACol)>;
using TApplyCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TApplyEditText = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TBeforeEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Accept)>;
using TCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCellColoringEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& CellColor, TColor& GridColor,
                       TCellState CellState)>;
using TCellHintEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using TChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TChangeRowHeightEvent = std::function<void(TObject* Sender, int Index, int Height)>;
using TColumnFooterValueEvent = std::function<void(TObject* Sender, int ACol, double& Value)>;
using TFooterCalculateEvent = std::function<void(TObject* Sender, int ACol, double& Value)>;
using TColumnMoveEvent = std::function<void(TObject* Sender, int ACol, int FromPos, int ToPos)>;
using TColumnResizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TCustomDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                                const TRect& CellRect, TCellState CellState)>;
using TDataChangeEvent = std::function<void(TObject* Sender, TDataChange AChangeType, int AIndex)>;
using TDrawCellBackgroundEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& CellRect,
                       TCellState CellState, bool& DefaultDrawing)>;
using TEditAcceptEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const WideString& Value, bool& Accept)>;
using TEditTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;
using THeaderClickEvent = std::function<void(TObject* Sender, int ACol)>;
using TInputAcceptEvent = std::function<void(TObject* Sender, bool& Accept)>;
using TLoadProgressEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TMeasuringRowHeightEvent = std::function<void(TObject* Sender, int Index, int& RowHeight)>;
using TRowMoveEvent = std::function<void(TObject* Sender, int FromPos, int ToPos, bool& Accept)>;
using TSlideColoringEvent = std::function<void(TObject* Sender, int Index, TColor& SlideColor,
                                               TColor& GridColor, TSlideState SlideState)>;
using TSortColumnEvent = std::function<void(TObject* Sender, int ACol, bool Ascending)>;

// The library's version string.
constexpr const char* DgGridVersion = "1.0.0";
