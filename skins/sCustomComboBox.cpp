// TsCustomComboBox and TsComboBox (see sCustomComboBox.h).
#include "skins/sCustomComboBox.h"

#include <algorithm>

#include "skins/sBorders.h"
#include "skins/sConst.h"
#include "skins/sGraphUtils.h"
#include "skins/sStyleEdits.h"

namespace skins {

// The style sees the combo's own focus (its edit field and list count) and
// the list-open flag.
class TsComboOwner : public TsWinOwner {
 public:
  explicit TsComboOwner(TsCustomComboBox* c) : TsWinOwner(c), c_(c) {}
  bool HasFocus() override { return c_->Focused(); }
  bool ListOpen() override { return c_->list_open_; }
  // The list asks for its colours while it is open: the flag stays until
  // the close-up notification (cleared here, the glyph and the focus keys
  // would take the list for closed while it is still on screen), and the
  // image is only marked out of date.
  void ClearListOpen() override {}

 private:
  TsCustomComboBox* c_;
};

namespace {
// The glyph's distance from the right edge, and the default glyph's name.
constexpr int kGlyphMargin = 3;
constexpr char kDefaultGlyphName[] = "SCO1";
}  // namespace

TsCustomComboBox::TsCustomComboBox(TComponent* AOwner) : TComboBox(AOwner) {
  ControlStyle -= {csFramed};
  ControlStyle += {csOpaque};
  owner_ = std::make_unique<TsComboOwner>(this);
  style_ = std::make_unique<TsStyle>(owner_.get());
  style_->KindCode = kind::CustomComboBox;
  glyph_mode_ = std::make_unique<TsGlyphMode>(this, style_.get(), kDefaultGlyphName);
  SetParentColor(false);
  SetItemHeight(13);
  SetDropDownCount(16);
  SetDoubleBuffered(true);
  OnKeyDown = StyleKeysHandler(style_.get());
}

TsCustomComboBox::~TsCustomComboBox() { OnKeyDown = nullptr; }

void TsCustomComboBox::BeforeDestruction() {
  style_->ControlDestroying();
  TComboBox::BeforeDestruction();
}

void TsCustomComboBox::AfterConstruction() {
  TComboBox::AfterConstruction();
  style_->Loaded();
}

void TsCustomComboBox::Loaded() {
  TComboBox::Loaded();
  style_->Loaded();
}

TRect TsCustomComboBox::ClientRect() { return Geometry().Client(); }

bool TsCustomComboBox::Focused() {
  if (!HandleAllocated()) return false;
  const HWND f = GetFocus();
  if (!f) return false;
  if (f == handle_) return true;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(handle_, &info)) return false;
  return f == info.hwndItem || f == info.hwndList;
}

void TsCustomComboBox::Invalidate() {
  if (!style_) return TComboBox::Invalidate();
  if (Focused()) style_->Focused = true;
  SetColor(static_cast<TColor>(style_->GetColor()));
  TComboBox::Invalidate();
}

void TsCustomComboBox::DropDown() {
  list_open_ = true;
  style_->CacheDirty = true;
}

void TsCustomComboBox::WndProc(TMessage& M) {
  if (style_ && OfferToStyle(style_.get(), M)) return;
  TComboBox::WndProc(M);
}

void TsCustomComboBox::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_PAINT: {
      if (!OwnPaint()) break;
      const TComponentState s = ComponentState();
      if (s.Contains(csLoading) || s.Contains(csDestroying)) break;
      SetColor(static_cast<TColor>(style_->GetColor()));
      if (M.WParam) { // asked to paint into a given DC
        BuildImage();
        CopyToDC(style_.get(), reinterpret_cast<HDC>(M.WParam), 0, 0, Width(), Height());
        M.Result = 1;
        return;
      }
      // Everything is drawn before EndPaint, on the paint's own DC.
      classlib::TPaintScope paint(handle_);
      HDC dc = paint.DC();
      BuildImage();
      // The edit field of a drop-down combo paints itself.
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      if (Style() == csDropDown && GetComboBoxInfo(handle_, &info) && info.hwndItem) {
        RECT r;
        GetWindowRect(info.hwndItem, &r);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      }
      CopyToDC(style_.get(), dc, 0, 0, Width(), Height());
      M.Result = 1;
      return;
    }
    case WM_CTLCOLOREDIT:
      // The edit field of a drop-down combo is part of the face: the editor
      // colour behind its text.
      if (Style() == csDropDown) {
        HDC dc = reinterpret_cast<HDC>(M.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, style_->GetColor());
        M.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
      }
      break;
    case WM_SIZE:
    case WM_SETFONT:
      TComboBox::HandleMessage(M);
      PlaceEditField();
      return;
    case WM_NCPAINT:
      if (!OwnPaint()) break;
      M.Result = 1;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The whole face changes with the focus, not only the text the system
      // would repaint.
      TComboBox::HandleMessage(M);
      if (M.Msg == WM_KILLFOCUS) style_->Focused = Focused();
      style_->CacheDirty = true;
      Invalidate();
      return;
    case CN_KEYDOWN: {
      // A key of the edit field of a drop-down combo is the combo's own.
      WORD key = static_cast<WORD>(M.WParam);
      if (OnKeyDown) OnKeyDown(this, key, classlib::KeyboardShiftState());
      M.Result = key == 0;
      return;
    }
    case CN_COMMAND:
      switch (HIWORD(M.WParam)) {
        case CBN_DROPDOWN:
          DropDown();
          TComboBox::HandleMessage(M);
          Invalidate();
          return;
        case CBN_CLOSEUP:
          list_open_ = false;
          style_->CacheDirty = true;
          TComboBox::HandleMessage(M);
          Invalidate();
          return;
        case CBN_SELCHANGE:
          TComboBox::HandleMessage(M);
          Invalidate();
          return;
        case CBN_SETFOCUS:
        case CBN_KILLFOCUS:
          // The edit field of a drop-down combo takes the focus in its place:
          // the combo hears of it only through these.
          TComboBox::HandleMessage(M);
          style_->Focused = Focused();
          style_->CacheDirty = true;
          Invalidate();
          return;
      }
      break;
  }
  TComboBox::HandleMessage(M);
}

void TsCustomComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  PlaceEditField();
}

void TsCustomComboBox::PlaceEditField() {
  if (!HandleAllocated() || Style() != csDropDown) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(handle_, &info) || !info.hwndItem) return;
  // The system leaves room for its own button, narrower than the glyph:
  // the field ends where the glyph's column begins.
  RECT r;
  GetWindowRect(info.hwndItem, &r);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
  const TComboGeometry g = Geometry();
  const int right = g.GlyphClip().Left - 1;
  if (r.right <= right) return;
  SetWindowPos(info.hwndItem, nullptr, r.left, r.top, std::max<int>(0, right - r.left),
               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Painting -------------------------------------------------------------------------------

TBitmap* TsCustomComboBox::GlyphStrip() {
  TBitmap* own = glyph_mode_->Glyph();
  if (!glyph_mode_->UseDefaultGlyph() && own->Width() > 0 && !own->Empty()) return own;
  TBitmap* combo = BuiltinPicture(kComboGlyphResource);
  return combo->Width() > 0 && !combo->Empty() ? combo : nullptr;
}

TComboGeometry TsCustomComboBox::Geometry() {
  TComboGeometry g;
  g.Width = Width();
  g.Height = Height();
  TBitmap* strip = GlyphStrip();
  g.GlyphWidth = GlyphSpace(strip ? strip->Width() : 0);
  g.GlyphHeight = strip ? GlyphFrameHeight(strip->Height()) : 0;
  return g;
}

void TsCustomComboBox::PaintText(TCanvas* c, const TComboGeometry& g) {
  const std::string text = GetText();
  if (text.empty()) return;
  const TColor color = Enabled() ? Font()->Color() : static_cast<TColor>(0x808080);
  c->DrawTextTransparent(text, g.TextRect(), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS,
                         color);
}

void TsCustomComboBox::PaintGlyph(TBitmap* image, const TComboGeometry& g, uint32_t editor) {
  TBitmap* strip = GlyphStrip();
  const int w = g.GlyphWidth, h = g.GlyphHeight;
  if (!strip || w <= 0 || h <= 0) return;
  const TGlyphLook look = ComboGlyphLook(Enabled(), style_->IsHot(), list_open_,
                                         glyph_mode_->Grayed(), glyph_mode_->Blend());
  TBitmap glyph(w, h);
  const TPixels px = BitmapPixels(&glyph);
  if (px.Empty()) return;
  FillColor(glyph.Canvas()->Handle(), Rect(0, 0, w, h), static_cast<TColor>(editor));
  GdiFlush();
  const int x0 = look.Frame * w;
  const TPixels sp = BitmapPixels(strip);
  MaskedDraw(Rect(0, 0, w, h), Rect(x0, 0, x0 + w, h), px, kNoParentBackground, sp);
  // Where the strip keeps the background (full weight) the face shows
  // exactly, not a shade off: that colour, the editor colour, is the one
  // the grey and the tint below leave alone, so the glyph's corners and
  // inside always match the face.
  const TRgb back = RgbOf(editor);
  for (int y = 0; y < h && y + h < sp.height; ++y)
    for (int x = 0; x < w && x0 + x < sp.width; ++x) {
      const uint8_t* weight = sp.At(x0 + x, y + h);
      if (weight[0] == 255 && weight[1] == 255 && weight[2] == 255) {
        uint8_t* p = px.At(x, y);
        p[0] = back.b;
        p[1] = back.g;
        p[2] = back.r;
      }
    }
  if (look.Gray) MakeGrayExcept(px, back);
  if (look.Tint != 1.0) TintBitmap(px, back, editor, look.Tint);
  const TRect r = g.Glyph();
  CopyExceptColor(BitmapPixels(image), px, r.Left, r.Top, kNoTransparentColor);
}

void TsCustomComboBox::BuildImage() {
  ++paints_;
  style_->SizeCache();
  TBitmap* image = CacheBitmap(style_.get());
  if (!image || image->Empty()) return;
  TsGenStyle::PaintScope scope(style_.get());
  const uint32_t editor = style_->GetColor();
  const TComboGeometry g = Geometry();
  TCanvas* c = image->Canvas();
  c->SetFont(Font());
  HDC dc = c->Handle();
  FillColor(dc, Rect(0, 0, g.Width, g.Height), static_cast<TColor>(editor));
  const bool focused = Focused() || style_->Focused;
  const bool list = Style() == csDropDownList;
  if (focused) {
    const TPoint at = g.TextOrigin(list);
    TRect face = g.FocusedFace();
    if (list) {
      FillColor(dc, g.Highlight(), clHighlight);
      face = g.Highlight();
    }
    const std::string text = GetText();
    if (!text.empty())
      c->DrawTextTransparent(text, Rect(at.X, at.Y, face.Right, face.Bottom),
                             DT_LEFT | DT_TOP | DT_SINGLELINE | DT_EXPANDTABS,
                             list ? clHighlightText : Font()->Color());
  } else {
    PaintText(c, g);
  }
  PaintFrame(style_.get(), dc, Rect(0, 0, g.Width, g.Height));
  if (focused && list) {
    const TRect f = g.FocusRect();
    RECT fr{f.Left, f.Top, f.Right, f.Bottom};
    DrawFocusRect(dc, &fr);
  }
  GdiFlush();
  PaintGlyph(image, g, editor);
  style_->MarkPainted();
}

// --- TsComboBox -------------------------------------------------------------------------------

TsComboBox::TsComboBox(TComponent* AOwner) : TsCustomComboBox(AOwner) {
  sStyle()->KindCode = kind::ComboBox;
}

}  // namespace skins
