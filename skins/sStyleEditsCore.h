// The editor styles of edits, combo boxes, check boxes and radio buttons:
// TsEditorStyle (colour and two-colour bevel in TsEditorPainting, the hot
// look in TsEditorSelection), TsCustomStyle (a caption label beside the
// control and keys that move the focus) and TsStyle. Portable: the label is
// made by the owner (a TsLabel on the Windows side) and the focus moves
// through the owner's tab order.
//
// ColorBorderTop starts as the system's button highlight; a value set by a
// layout is kept as set (white stays white).
#pragma once

#include <memory>
#include <string>

#include "classlib/DrawTypes.h"
#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsEditorStyle;
class TsCustomStyle;

// The look of an editor style (TsPainting is the painted styles' look).
class TsEditorPainting {
 public:
  explicit TsEditorPainting(TsEditorStyle* style) : style_(style) {}
  TsEditorBevel Bevel() const { return bevel_; }
  void SetBevel(TsEditorBevel v);
  TColor ColorBorderTop() const { return border_top_; }
  void SetColorBorderTop(TColor v);
  TColor ColorBorderBottom() const { return border_bottom_; }
  void SetColorBorderBottom(TColor v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v) { bevel_width_ = v; }

 private:
  friend class TsEditorStyle;
  TsEditorStyle* style_;
  TsEditorBevel bevel_ = TsEditorBevel::ebAsBottomBorder;
  TColor border_top_ = clBtnHighlight, border_bottom_ = 0x7E756B, color_ = 0xECFFFF;
  bool parent_color_ = false;
  int bevel_width_ = 0;
};

class TsEditorBorder {
 public:
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  TsEditorBevel Bevel() const { return bevel_; }
  void SetBevel(TsEditorBevel v) { bevel_ = v; }

 private:
  int width_ = 2;
  TsEditorBevel bevel_ = TsEditorBevel::ebAsBottomBorder;
};

class TsEditorSelection {
 public:
  TsEditorBorder* Border() { return &border_; }
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TModeSelection Mode() const { return mode_; }
  void SetMode(TModeSelection v) { mode_ = v; }

 private:
  TsEditorBorder border_;
  TColor color_ = clWindow;
  TModeSelection mode_{TModeSelectionItem::msBorder, TModeSelectionItem::msColor};
};

class TsStyleCaption {
 public:
  explicit TsStyleCaption(TsCustomStyle* style) : style_(style) {}
  TsCaptionLayout Layout() const { return layout_; }
  void SetLayout(TsCaptionLayout v);
  int MaxWidth() const { return max_width_; }
  void SetMaxWidth(int v);
  const TFontDesc& Font() const { return font_; }
  void SetFont(const TFontDesc& v);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v);
  bool Active() const { return active_; }
  void SetActive(bool v);

 private:
  friend class TsCustomStyle;
  TsCustomStyle* style_;
  TsCaptionLayout layout_ = TsCaptionLayout::sclLeft;
  int max_width_ = 0;
  TFontDesc font_;
  std::string text_;
  bool active_ = false;
};

class TsEditorStyle : public TsGenStyle {
 public:
  explicit TsEditorStyle(TsStyleOwner* owner, bool with_cache = true);
  TsEditorPainting* Painting() { return &painting_; }
  TsEditorSelection* Selection() { return &selection_; }
  // RGB (0x00BBGGRR): the selection colour while hot (custom styles with
  // msColor), else the painting's.
  uint32_t GetColor();
  void WndProc(TsMessage& m) override;
  void PaintShadow(const TPixels& target, int dx, int dy) override;
  // The cut-corner region, checked on every call, applied when it changed.
  void UpdateRegion() override;

  // What the bevel of an editor draws, for the Windows painter: nothing
  // (kind ebNone), or a kind with its width and, for a wide lowered hot
  // border, two inner frames.
  struct TBevelPlan {
    TsEditorBevel kind = TsEditorBevel::ebNone;
    int width = 0;
    bool inner_frames = false;
  };
  TBevelPlan BevelPlan();

 protected:
  virtual bool CustomStyle() const { return false; }

 private:
  TsEditorPainting painting_{this};
  TsEditorSelection selection_;
};

// Where the caption label goes beside control bounds c: its left and top
// and its justification. `label_width`: the label's width; `text_height`:
// the font's text height plus 6.
struct TsCaptionPlace {
  int left = 0, top = 0;
  TAlignment alignment = taRightJustify;
};
TsCaptionPlace PlaceCaption(TsCaptionLayout layout, const TRect& c, int label_width,
                            int text_height);

// The next (forward) or previous control of a tab order after position
// `from` (-1: before the first), wrapping around and skipping controls that
// cannot take the focus; -1 when none can. `wrapped` tells whether the move
// passed the end of the order.
int NextTabStop(const std::vector<TsTabStop>& order, int from, bool forward, bool& wrapped);

class TsCustomStyle : public TsEditorStyle {
 public:
  explicit TsCustomStyle(TsStyleOwner* owner, bool with_cache = true);
  ~TsCustomStyle() override;
  TsStyleCaption* Caption() { return &caption_; }
  // Key codes in decimal, separated by blanks or commas ("13" moves on
  // with Enter).
  const std::string& KeysNextControl() const { return keys_next_; }
  void SetKeysNextControl(const std::string& v) { keys_next_ = v; }
  const std::string& KeysPrevControl() const { return keys_prev_; }
  void SetKeysPrevControl(const std::string& v) { keys_prev_ = v; }
  // The label while the caption is active.
  TsCaptionLabel* CaptionLabel() const { return label_.get(); }
  bool WrappedToFirst() const { return wrapped_; }

  uintptr_t StyleCode() const override { return 14; }
  void WndProc(TsMessage& m) override;
  // Moves the focus on a key of KeysNextControl / KeysPrevControl (and
  // then clears the key).
  void ProcessKeys(uint16_t& key, TShiftState shift);
  // Applies the caption's values to the label and places it again.
  void PlaceCaptionLabel();

 protected:
  bool CustomStyle() const override { return true; }

 private:
  friend class TsStyleCaption;
  void CreateLabel();
  TsStyleCaption caption_{this};
  std::string keys_next_, keys_prev_;
  std::unique_ptr<TsCaptionLabel> label_;
  bool wrapped_ = false;
};

class TsStyle : public TsCustomStyle {
 public:
  using TsCustomStyle::TsCustomStyle;
  uintptr_t StyleCode() const override { return 15; }
};

}  // namespace skins
