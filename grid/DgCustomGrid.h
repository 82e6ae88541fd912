// TDgCustomGrid: the grid as a form places it: the core's properties and
// events made public, the control's colour, and the grid's keyboard,
// editing and mouse handling. The window (through IDgGridHost's owner)
// hands every key, character, mouse action, focus change and capture loss
// to the entry points below.
#pragma once

#include "grid/DgCustomGridControl.h"

class TDgCustomGrid : public TDgCustomGridControl {
 public:
  explicit TDgCustomGrid(TComponent* AOwner = nullptr, IDgGridHost* Host = nullptr);
  ~TDgCustomGrid() override;

  // --- Virtual operations the grid class adds (slot order) ---------------------------
  // Raises OnBeforeEdit (Accept true); when accepted, readies the column's
  // play element on the cell.
  virtual bool CanBeginEditAt(TDgCustomColumn* Column, int ARow, const TRect& CellRect);  // mouse
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
  // arrows always, Tab and Return by WantTabs and WantReturns.
  virtual bool WantsKey(uint16_t Key);
  // A typed character; set it to 0 when handled.
  virtual void KeyPress(char16_t& Key);
  // The window gained or lost the keyboard focus.
  virtual void FocusEnter();
  virtual void FocusExit();
  // Wheel steps (Delta in WHEEL_DELTA units of 120); true when handled.
  virtual bool MouseWheel(int Delta, TShiftState Shift, const TPoint& Pos);
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
  // ===== end of mouse ===================================================================

 protected:
  // ===== keyboard and editing state (gridkeys) ==========================================
  // ===== end of keyboard and editing state ==============================================

  // ===== mouse state (gridmouse) =========================================================
  // ===== end of mouse state ==============================================================
};
