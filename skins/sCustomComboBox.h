// TsCustomComboBox and TsComboBox: the class library's combo box painted by
// its style (TsStyle, kinds 11 and 13) instead of the system look. Items,
// Text (which other threads may read), OnChange and Windows-1251 stay the
// TComboBox's; the control only paints. OnKeyDown (also for the keys of a
// drop-down combo's edit field) is the style's key handler until the form
// binds its own.
//
// A drop-down or drop-down-list combo paints its whole face inside WM_PAINT,
// on the paint's DC, through the style's image (one copy to the screen, no
// flicker): the editor colour, the text (grey when disabled), the style's
// frame, and the "COMBO" glyph (or GlyphMode's own) in frame 0, 1 when hot
// and 2 while the list is open. Focused, a drop-down list shows its text on
// the highlight colour inside a focus rectangle.
//
// The list counts as open from the combo's drop-down notification to its
// close-up notification; that one flag is what the glyph, the style's hot
// rules and its key handling see. The list's colour query, which comes
// while the list is open, does not close it.
#pragma once

#include "classlib/WinApi.h"

#include <memory>

#include "classlib/StdCtrls.h"
#include "skins/sCustomComboBoxCore.h"
#include "skins/sGlyphUtils.h"
#include "skins/sStyleEditsCore.h"
#include "skins/sStyleSimply.h"

namespace skins {

class TsCustomComboBox : public TComboBox, public ISkinnedControl {
 public:
  explicit TsCustomComboBox(TComponent* AOwner);
  ~TsCustomComboBox() override;

  TsStyle* sStyle() { return style_.get(); }
  TsGlyphMode* GlyphMode() { return glyph_mode_.get(); }
  TsGenStyle* SkinStyle() override { return style_.get(); }

  // The face inside the style's frame: 4 pixels in from every edge.
  TRect ClientRect() override;
  // The focus is in the combo, its edit field or its list.
  bool Focused();
  bool ListOpen() const { return list_open_; }
  void Invalidate() override;
  void AfterConstruction() override;
  void Loaded() override;

  // How many paints the control made itself (for tests and benchmarks).
  int PaintCount() const { return paints_; }

 protected:
  // The list is about to open: the glyph shows frame 2 from now on.
  virtual void DropDown();
  void WndProc(TMessage& Message) override;
  void HandleMessage(TMessage& Message) override;
  void CreateWnd() override;
  // An enabled shadow goes first and the parent repaints without it.
  void BeforeDestruction() override;

 private:
  friend class TsComboOwner;
  bool OwnPaint() const { return Style() == csDropDown || Style() == csDropDownList; }
  // Keeps a drop-down combo's edit field off the glyph.
  void PlaceEditField();
  // The strip the glyph comes from (null when there is none).
  TBitmap* GlyphStrip();
  TComboGeometry Geometry();
  void BuildImage();
  void PaintGlyph(TBitmap* image, const TComboGeometry& g, uint32_t editor);
  void PaintText(TCanvas* canvas, const TComboGeometry& g);

  std::unique_ptr<TsWinOwner> owner_;
  std::unique_ptr<TsStyle> style_;
  std::unique_ptr<TsGlyphMode> glyph_mode_;
  bool list_open_ = false;
  int paints_ = 0;
};

class TsComboBox : public TsCustomComboBox {
 public:
  explicit TsComboBox(TComponent* AOwner);
};

}  // namespace skins
