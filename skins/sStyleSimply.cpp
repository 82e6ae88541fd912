// The style model bound to the class library's controls (see sStyleSimply.h).
#include "skins/sStyleSimply.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "skins/sCommonDataCore.h"
#include "skins/sCustomLabel.h"
#include "skins/sGraphUtils.h"
#include "skins/sStyleActiveCore.h"

namespace skins {

static_assert(msg::ParentColorChanged == CM_PARENTCOLORCHANGED &&
                  msg::VisibleChanged == CM_VISIBLECHANGED &&
                  msg::EnabledChanged == CM_ENABLEDCHANGED && msg::MouseEnter == CM_MOUSEENTER &&
                  msg::MouseLeave == CM_MOUSELEAVE && msg::Enter == CM_ENTER &&
                  msg::Exit == CM_EXIT && msg::CmSysColorChange == CM_SYSCOLORCHANGE,
              "the class library's control messages");
static_assert(msg::Move == WM_MOVE && msg::Size == WM_SIZE && msg::SetFocus == WM_SETFOCUS &&
                  msg::KillFocus == WM_KILLFOCUS && msg::SetText == WM_SETTEXT &&
                  msg::Paint == WM_PAINT && msg::SysColorChange == WM_SYSCOLORCHANGE &&
                  msg::FontChange == WM_FONTCHANGE &&
                  msg::WindowPosChanged == WM_WINDOWPOSCHANGED &&
                  msg::CtlColorListBox == WM_CTLCOLORLISTBOX,
              "the window messages");

namespace {

// Background pictures load by their extension (.bmp, .jpg, .jpeg). A file
// that does not load, or of another kind, leaves the picture the style had.
bool LoadBackgroundPicture(const std::string& file, TsMemoryImage& into) {
  TPicture picture;
  if (!LoadPictureFile(&picture, file, false)) return false;
  TBitmap* loaded = picture.Bitmap();
  if (!loaded || loaded->Empty()) return false;
  TsBitmapImage image;
  image.Bitmap()->Assign(loaded);
  image.Bitmap()->SetPixelFormat(pf24bit);
  into.Assign(&image);
  return true;
}

struct InstallLoader {
  InstallLoader() { TsBGImage::LoadPicture = &LoadBackgroundPicture; }
} install_loader;

bool IsDestroying(TComponent* c) { return c->ComponentState().Contains(csDestroying); }

void ListTabOrder(TWinControl* parent, std::vector<TsTabStop>& out) {
  std::vector<TWinControl*> kids;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) kids.push_back(w);
  std::stable_sort(kids.begin(), kids.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* w : kids) {
    out.push_back(TsTabStop{w, w->CanFocus(), w->TabStop(), w->Enabled(), w->Visible()});
    ListTabOrder(w, out);
  }
}

}  // namespace

// --- ISkinnedControl ------------------------------------------------------------------

TParentBackground ISkinnedControl::ImageForChild(TControl*) {
  if (TsGenStyle* s = SkinStyle()) return s->ImageForChildren();
  if (TsCommonData* d = SkinCommonData()) return d->ImageForChildren();
  return TParentBackground{};
}

void ISkinnedControl::ChildChanged() {}

ISkinnedControl* SkinnedOf(TControl* c) { return dynamic_cast<ISkinnedControl*>(c); }

TsGenStyle* StyleOf(TControl* c) {
  ISkinnedControl* s = SkinnedOf(c);
  return s ? s->SkinStyle() : nullptr;
}

// --- Images -------------------------------------------------------------------------------

TPixels TsBitmapImage::Pixels() {
  if (bitmap_.Width() <= 0 || bitmap_.Height() <= 0 || bitmap_.Empty()) return TPixels{};
  // Text drawn through the bitmap's canvas must be in the bits first.
  GdiFlush();
  return TPixels{bitmap_.Width(), bitmap_.Height(), bitmap_.RowBytes(), bitmap_.ScanLine(0)};
}

TBitmap* ImageBitmap(TsImage* image) {
  auto* b = dynamic_cast<TsBitmapImage*>(image);
  return b ? b->Bitmap() : nullptr;
}

TBitmap* CacheBitmap(TsGenStyle* style) { return style ? ImageBitmap(style->Cache()) : nullptr; }

// --- TsWinOwner ---------------------------------------------------------------------------

std::string TsWinOwner::ClassName() {
  std::string n = control_->ClassName();
  const size_t colon = n.rfind("::");
  return colon == std::string::npos ? n : n.substr(colon + 2);
}

bool TsWinOwner::Creating() { return control_->ComponentState().Contains(csLoading); }

bool TsWinOwner::Destroying() { return IsDestroying(control_); }

TColor TsWinOwner::ParentsColor() {
  TWinControl* p = control_->Parent();
  return p ? p->Color() : control_->Color();
}

uint32_t TsWinOwner::ColorToRgb(TColor c) { return static_cast<uint32_t>(::ColorToRGB(c)) & 0xFFFFFF; }

bool TsWinOwner::ApplyRegion(const std::vector<TRect>& rects, bool redraw) {
  if (!control_->HandleAllocated()) return false;
  HRGN rgn = nullptr;
  for (const TRect& r : rects) {
    HRGN piece = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    if (!rgn) {
      rgn = piece;
    } else {
      CombineRgn(rgn, rgn, piece, RGN_OR);
      DeleteObject(piece);
    }
  }
  // The window owns the region once it took it.
  if (!SetWindowRgn(control_->Handle(), rgn, redraw ? TRUE : FALSE) && rgn) DeleteObject(rgn);
  return true;
}

bool TsWinOwner::HasParent() {
  TWinControl* p = control_->Parent();
  return p && !IsDestroying(p);
}

bool TsWinOwner::ParentSkinned() {
  TWinControl* p = control_->Parent();
  return p && p->Perform(msg::GetStyle, 0, 0) == 1 && SkinnedOf(p);
}

TParentBackground TsWinOwner::ParentBackground() {
  TWinControl* p = control_->Parent();
  ISkinnedControl* s = p ? SkinnedOf(p) : nullptr;
  if (!s || IsDestroying(p)) return TParentBackground{};
  return s->ImageForChild(control_);
}

void TsWinOwner::RefreshParent() {
  TWinControl* p = control_->Parent();
  if (!p || IsDestroying(p)) return;
  p->Perform(msg::ParentImageChanged, 0, -1);
  if (ISkinnedControl* s = SkinnedOf(p)) s->ChildChanged();
  p->Invalidate();
}

std::vector<TsGenStyle*> TsWinOwner::ChildStyles() {
  std::vector<TsGenStyle*> out;
  for (int i = 0; i < control_->ControlCount(); ++i) {
    TControl* c = control_->Controls(i);
    if (IsDestroying(c)) break;
    if (TsGenStyle* s = StyleOf(c)) out.push_back(s);
  }
  return out;
}

std::unique_ptr<TsCaptionLabel> TsWinOwner::NewCaptionLabel() {
  return NewStyleCaptionLabel(control_);
}

void TsWinOwner::SendToControl(unsigned message, uintptr_t wparam, intptr_t lparam) {
  control_->Perform(message, wparam, lparam);
}

void TsWinOwner::RepaintLabels() {
  for (int i = 0; i < control_->ControlCount(); ++i) {
    TControl* c = control_->Controls(i);
    if (dynamic_cast<ISkinnedLabel*>(c) && !IsDestroying(c)) c->Invalidate();
  }
}

std::vector<TsTabStop> TsWinOwner::TabOrder() {
  TWinControl* top = control_;
  while (top->Parent() && !dynamic_cast<TCustomForm*>(top)) top = top->Parent();
  std::vector<TsTabStop> out;
  ListTabOrder(top, out);
  return out;
}

void TsWinOwner::FocusControl(const void* id) {
  auto* w = static_cast<TWinControl*>(const_cast<void*>(id));
  if (w && w->CanFocus()) w->SetFocus();
}

// --- Messages and the screen -----------------------------------------------------------------

bool OfferToStyle(TsGenStyle* style, TMessage& m) {
  if (!style) return false;
  TsMessage t{m.Msg, static_cast<uintptr_t>(m.WParam), static_cast<intptr_t>(m.LParam), 0};
  style->WndProc(t);
  if (t.Result != 1) return false;
  m.WParam = static_cast<WPARAM>(t.WParam);
  m.Result = 1;
  return true;
}

void CopyToDC(TsGenStyle* style, HDC dc, int x, int y, int w, int h) {
  TBitmap* b = CacheBitmap(style);
  if (!b || b->Empty()) return;
  const int saved = SaveDC(dc);
  BitBlt(dc, x, y, w, h, b->Canvas()->Handle(), x, y, SRCCOPY);
  RestoreDC(dc, saved);
  style->CacheShown();
}

}  // namespace skins
