// The objects a column owns for its cells: a display draws and measures a
// cell's text, a play reacts to input inside a cell. The grid fills in the
// cell (value, canvas, rectangle) before it asks either of them anything.
#pragma once

#include <functional>

#include "classlib/Component.h"
#include "grid/DgCanvas.h"
#include "grid/DgColumns.h"

class TColumnDisplay : public TVirtualColElement {
 public:
  explicit TColumnDisplay(TDgCustomColumn* Column) : TVirtualColElement(Column) {}

  // Colour the cell background is filled with (the grid's choice for the cell).
  TColor BackColor = clWindow;
  // The cell is highlighted (selected); the grid says so before painting.
  bool Highlighted = false;

  // The cell rectangle less 2 pixels at the left and at the right.
  virtual TRect ContentRect() const;
  // Draws Text in Rect with the column's text flags (ellipsis allowed) on a
  // clear brush; the brush is solid again afterwards.
  virtual void DrawText(const WideString& Text, const TRect& Rect);
  // The small red triangle at the top right of the cell that marks a hint.
  virtual void DrawHintCorner();
  virtual int QueryValue() const { return 0; }
  virtual int TextWidth();
  // The size the cell's display text takes in the content rectangle.
  virtual void Measure(TSize& Size);
  virtual void Paint() = 0;
  // The content alone (the text), over the background already there: the
  // grid fills the cell itself unless a handler asked it not to.
  virtual void PaintContent();
  // The rectangle the content goes in: the content rectangle less the
  // column's padding at each side.
  TRect TextRect() const;
  // Fills the whole cell rectangle with BackColor.
  void FillBackground();
  // Something the display depends on changed (see TColumnPlay::Refresh).
  virtual void Recompute() {}

 protected:
  // The column's display text of the cell's value.
  WideString CellText() const;
};

// The painter of text cells: the column's display text over the background.
class TTextColumnDisplay : public TColumnDisplay {
 public:
  explicit TTextColumnDisplay(TDgCustomColumn* Column) : TColumnDisplay(Column) {}
  void Paint() override;
};

class TColumnPlay : public TVirtualColElement {
 public:
  explicit TColumnPlay(TDgCustomColumn* Column) : TVirtualColElement(Column) {}

  // The cell acted on and its row's level in the tree (set by the grid
  // before use).
  int ColIndex = -1;
  int RowIndex = -1;
  int RowLevel = 0;
  TNotifyEvent OnClick;
  TNotifyEvent OnChange;

  // Input inside the cell; a play class handles what it needs. Button 0 is
  // the left, 1 the right and 2 the middle button.
  virtual void MouseDown(int Button, int X, int Y) {}
  virtual void MouseMove(int X, int Y) {}
  virtual void MouseUp(int Button, int X, int Y) {}
  // The mouse left the cell.
  virtual void MouseLeave() {}
  virtual void KeyDown(unsigned& Key) {}
  virtual void KeyPress(char16_t& Key) {}
  // Takes the Boolean of the display's cell value and lets the display
  // recompute.
  virtual void Refresh();

 protected:
  virtual void DoClick() {
    if (OnClick) OnClick(this);
  }
  virtual void DoChange() {
    if (OnChange) OnChange(this);
  }
};
