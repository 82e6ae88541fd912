// The root of every skinned control's style: TsGenStyle with its shadow
// (TsEffects, TsShadow), the rules that decide the hot look (IsHot), the
// off-screen image (the cache), the window region with cut corners, and the
// answers to the library's messages. Portable: the style reaches its control
// only through TsStyleOwner (size, place, state, parent's image, children,
// invalidate, region), which the Windows side binds to a TWinControl and
// native tests fake. Messages arrive as TsMessage; no handler reads memory
// through LParam (a parent's image and a child's style travel through typed
// calls of the owner instead).
//
// Every setter compares first: setting the value a property already holds
// invalidates nothing and tells the parent nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"
#include "skins/sGraphUtilsCore.h"

namespace skins {

class TsGenStyle;
class TsCommonData;

struct TsMessage {
  unsigned Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// A picture a style owns: its cache, a background picture, a border mask.
// The Windows side backs the cache with a TBitmap (so text can be drawn on
// it); everything else may live in memory.
class TsImage {
 public:
  virtual ~TsImage() = default;
  // Keeps the overlapping pixels.
  virtual void SetSize(int w, int h) = 0;
  // Empty while 0 x 0.
  virtual TPixels Pixels() = 0;
  int Width() { return Pixels().width; }
  int Height() { return Pixels().height; }
  bool Empty() { return Pixels().Empty(); }
};

class TsMemoryImage : public TsImage {
 public:
  TsMemoryImage() = default;
  TsMemoryImage(int w, int h) { SetSize(w, h); }
  void SetSize(int w, int h) override;
  TPixels Pixels() override;
  // Copies another picture's pixels (any size; empty empties this one).
  void Assign(TsImage* source);

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> bits_;
};

// One control of a form's tab order, as the focus move of ProcessKeys sees it.
struct TsTabStop {
  const void* id = nullptr;
  bool can_focus = true, tab_stop = true, enabled = true, visible = true;
};

// A caption label placed beside a control (a TsLabel on the Windows side).
class TsCaptionLabel {
 public:
  virtual ~TsCaptionLabel() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetFont(const TFontDesc& font) = 0;
  // Auto size on: the label measures its text; off: `width` and word wrap.
  virtual void SetSizing(bool auto_size, int width) = 0;
  virtual void SetAlignment(TAlignment a) = 0;
  virtual int Width() = 0;
  // The font's text height plus 6.
  virtual int TextHeight() = 0;
  virtual void SetPosition(int left, int top) = 0;
  virtual void SetVisible(bool v) = 0;
  virtual void SetEnabled(bool v) = 0;
  virtual void Invalidate() = 0;
};

// What a style needs of its control. The hooks with bodies are the ones only
// some kinds of control have (buttons, combo boxes, checked controls).
class TsStyleOwner {
 public:
  virtual ~TsStyleOwner() = default;

  // --- The control -------------------------------------------------------------
  // Place in the parent's client area.
  virtual TRect BoundsRect() = 0;
  virtual std::string ClassName() = 0;
  virtual std::string Name() = 0;
  virtual bool Visible() = 0;
  virtual bool Enabled() = 0;
  // Not yet complete: being constructed, or loading its layout.
  virtual bool Creating() = 0;
  virtual bool Destroying() = 0;
  virtual bool Designing() { return false; }
  // A windowed control that holds the input focus.
  virtual bool HasFocus() = 0;
  virtual TColor Color() = 0;
  virtual void SetColor(TColor c) = 0;
  virtual void SetParentColor(bool v) = 0;
  // The parent's colour (the control's own without a parent).
  virtual TColor ParentsColor() = 0;
  // 0x00BBGGRR of a colour (system colours resolved).
  virtual uint32_t ColorToRgb(TColor c);
  virtual void InvalidateControl() = 0;
  virtual void RepaintControl() = 0;
  // The window's region: the union of `rects`, none when empty. False when
  // the control has no window yet (the style tries again later).
  virtual bool ApplyRegion(const std::vector<TRect>& rects, bool redraw) = 0;
  // The cache picture.
  virtual std::unique_ptr<TsImage> NewImage() { return std::make_unique<TsMemoryImage>(); }

  // --- Parent and children -------------------------------------------------------
  // A parent that is not being destroyed.
  virtual bool HasParent() = 0;
  // The parent answers the style query (is a skinned control).
  virtual bool ParentSkinned() = 0;
  // The parent's image under this control.
  virtual TParentBackground ParentBackground() = 0;
  // The parent hears that its image is out of date and repaints (and a page
  // control behind a tab sheet parent likewise).
  virtual void RefreshParent() = 0;
  // The styles of the skinned children in order, up to the first child that
  // is being destroyed.
  virtual std::vector<TsGenStyle*> ChildStyles() = 0;

  // --- Kinds with more state --------------------------------------------------------
  // A button with Default set that acts as the default button now.
  virtual bool ActsAsDefault() { return false; }
  // A pressed button.
  virtual bool Down() { return false; }
  // A button's bevel width while not hot.
  virtual int ButtonBevelWidth() { return 1; }
  // Whether a pressed button's bevel goes into r (a drop-down button's arrow
  // part has its own), and the strip beside r that gets it too (empty for
  // a push button).
  virtual bool DownBevelApplies(const TRect& /*r*/) { return true; }
  virtual TRect DownBevelStrip(const TRect& /*r*/) { return TRect{}; }
  // A combo box whose list is open (and clearing that flag).
  virtual bool ListOpen() { return false; }
  virtual void ClearListOpen() {}
  // Starts the fade in or out of a fading control; false when it has none.
  virtual bool StartFade(bool /*in*/) { return false; }
  // A checked control's own refresh after a move.
  virtual void CheckedRefresh() { RepaintControl(); }
  // A panel's outer bevel follows the style's bevel.
  virtual void SetOuterBevel(TsControlBevel) {}
  // The check area of a checked control, in its own coordinates.
  virtual TRect CheckArea() { return TRect{}; }
  // The caption's height of a tab control (its shadow starts below).
  virtual int CaptionOffset() { return 0; }
  // A new caption label in the control's parent; null where there is none.
  virtual std::unique_ptr<TsCaptionLabel> NewCaptionLabel() { return nullptr; }
  // Sends the control one of its own messages (a WM_PAINT, a layout).
  virtual void SendToControl(unsigned /*message*/, uintptr_t /*wparam*/, intptr_t /*lparam*/) {}
  // Repaints the caption labels among the control's children.
  virtual void RepaintLabels() {}
  // The form's tab order, and the focus given to one of its controls.
  virtual std::vector<TsTabStop> TabOrder() { return {}; }
  virtual const void* Self() { return this; }
  virtual void FocusControl(const void* /*id*/) {}
};

class TsShadow {
 public:
  explicit TsShadow(TsGenStyle* style) : style_(style) {}
  ~TsShadow();
  // Held to 0..100.
  int Transparency() const { return transparency_; }
  void SetTransparency(int v);
  bool DontUse() const { return dont_use_; }
  void SetDontUse(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Offset() const { return offset_; }
  void SetOffset(int v);
  // At least 0.
  int Blur() const { return blur_; }
  void SetBlur(int v);

 private:
  friend class TsGenStyle;
  // The group messages store the values straight and refresh once.
  void StoreFromGroup(unsigned what, intptr_t value);
  friend class TsPaintStyle;
  friend class TsEditorStyle;
  TsGenStyle* style_;
  int transparency_ = 60;
  bool dont_use_ = true, enabled_ = false;
  TColor color_ = 0;
  int offset_ = 8, blur_ = 4;
};

class TsEffects {
 public:
  explicit TsEffects(TsGenStyle* style) : shadow_(style) {}
  TsShadow* Shadow() { return &shadow_; }

 private:
  TsShadow shadow_;
};

class TsGenStyle {
 public:
  explicit TsGenStyle(TsStyleOwner* owner, bool with_cache = true);
  virtual ~TsGenStyle();
  TsGenStyle(const TsGenStyle&) = delete;
  TsGenStyle& operator=(const TsGenStyle&) = delete;

  TsEffects* Effects() { return &effects_; }
  // Stored only: the style never raises it.
  TNotifyEvent OnMouseEnter;
  bool SoftControl() const { return soft_control_; }
  void SetSoftControl(bool v);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int v) { group_index_ = v; }
  // Empty until loading ends; then the control's class name.
  const std::string& SkinSection() const { return skin_section_; }
  void SetSkinSection(const std::string& v);

  // --- State ---------------------------------------------------------------------
  int SkinIndex() const { return skin_index_; }
  int BorderIndex() const { return border_index_; }
  bool RegionDirty = true;
  bool CacheDirty = true;
  TsStyleOwner* Owner() const { return owner_; }
  // Null for a style without one (a tab sheet's).
  TsImage* Cache() const { return cache_.get(); }
  unsigned KindCode = 0;
  bool Focused = false;
  bool MouseOver = false;

  // --- Operations -------------------------------------------------------------------
  // The skin's border mask; none without a skin.
  virtual TsImage* GetBorderMask() { return nullptr; }
  // Construction or loading has ended.
  virtual void Loaded();
  // The control's shadow drawn into its parent's image (dx, dy: that image's
  // offset against the parent's client area).
  virtual void PaintShadow(const TPixels& /*target*/, int /*dx*/, int /*dy*/) {}
  // Offered every message before the control; Result 1 consumes it.
  virtual void WndProc(TsMessage& m);
  // The answer's WParam to the style query.
  virtual uintptr_t StyleCode() const { return 1; }
  bool IsHot();
  virtual void Invalidate();
  void RefreshParent();
  virtual void UpdateRegion();
  // The cut-corner rectangles of a w x h control (empty: no region).
  std::vector<TRect> RegionRects(int w, int h) const;
  void SizeCache();
  TParentBackground GetParentBackground();
  // The image this control lends its children: valid only while it holds a
  // whole painting at the control's present size and is not out of date.
  TParentBackground ImageForChildren();
  // The painter records that the cache holds a whole image of the present size.
  void MarkPainted();
  // The copy to the screen is done: the cache is up to date.
  void CacheShown() { CacheDirty = false; }
  // The control is about to go (its whole object still exists): an enabled
  // shadow goes first and the parent repaints without it.
  void ControlDestroying();
  // While one lives, the style is painting: a region it applies then goes
  // without a redraw (which would only ask for another paint).
  class PaintScope {
   public:
    explicit PaintScope(TsGenStyle* s) : s_(s), was_(s->in_paint_) { s->in_paint_ = true; }
    ~PaintScope() { s_->in_paint_ = was_; }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

   private:
    TsGenStyle* s_;
    bool was_;
  };
  // The region on the window is not the one this style last applied (a
  // control shaped it from a mask).
  void ForgetAppliedRegion() { region_known_ = false; }

 protected:
  // Applies the rectangles unless they are what the window already has.
  void ApplyRegionRects(const std::vector<TRect>& rects);
  // Painting is running: regions go without a redraw.
  bool in_paint_ = false;
  TsStyleOwner* owner_;

 private:
  void RepaintAfterMove();
  // The section and border-mask indexes of the loaded skin (-1 without one).
  void LookUpSkin();
  TsEffects effects_{this};
  bool soft_control_ = true;
  int group_index_ = 0;
  std::string skin_section_;
  int border_index_ = -1, skin_index_ = -1;
  std::unique_ptr<TsImage> cache_;
  int painted_w_ = -1, painted_h_ = -1;
  bool region_known_ = false;
  std::vector<TRect> region_;
  friend class TsShadow;
};

// What a control lends its children as their parent's image: its picture,
// valid only while that holds a whole painting of the control's present
// size (painted_w x painted_h) and is not out of date.
TParentBackground LendImage(TsImage* image, const TRect& bounds, int painted_w, int painted_h,
                            bool out_of_date);

// A soft shadow of rectangle r laid over target (clipped to it; the rings
// follow the whole rectangle).
void PaintShadowRect(const TPixels& target, const TRect& r, TShadowShape shape, int radius,
                     int blur, TRgb color, int transparency);

// Whether a group message (by number) reaches a style of this family.
bool GroupMessageFor(unsigned message, bool editor);

}  // namespace skins
