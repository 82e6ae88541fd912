// TWinControl and TCustomControl: windows made on demand, the window
// procedure, painting of graphic children, alignment and tab order (see
// Controls.h).
#include <windowsx.h>

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/Cp1251.h"
#include "classlib/DragDock.h"
#include "classlib/Menus.h"

namespace {

thread_local TWinControl* t_creating = nullptr;

LPCWSTR ControlProp() {
  static ATOM atom = GlobalAddAtomW(L"Korvalis.Control");
  return MAKEINTATOM(atom);
}

UINT_PTR NextChildId() {
  static UINT_PTR id = 100;
  if (++id > 0xFFFF) id = 101;
  return id;
}

} // namespace

LRESULT CALLBACK classlib::ClassWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = static_cast<TWinControl*>(GetPropW(h, ControlProp()));
  if (!c) {
    c = t_creating;
    if (!c) return DefWindowProcW(h, msg, wp, lp);
    t_creating = nullptr;
    c->handle_ = h;
    SetPropW(h, ControlProp(), c);
  }
  LRESULT r = c->MainWndProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropW(h, ControlProp());
    if (c->handle_ == h) c->handle_ = nullptr;
  }
  return r;
}

TWinControl* TWinControl::FindControl(HWND h) {
  return h ? static_cast<TWinControl*>(GetPropW(h, ControlProp())) : nullptr;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  Destroying();
  // Docked clients outlive the site only as plain controls.
  ForgetDragAndDock();
  DestroyComponents();
  // Children owned by someone else go with their parent window, as they
  // cannot live without it.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    c->Free();
  }
  if (parent_) parent_->RemoveControl(this);
  DestroyHandle();
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  DestroyHandle();
}

LRESULT TWinControl::MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam};
  try {
    WndProc(m);
  } catch (...) {
    // Nothing may unwind into the system's window code.
    try {
      classlib::HandleControlException(this);
    } catch (...) {}
  }
  return m.Result;
}

// --- Window ---------------------------------------------------------------------------------

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = Cp1251ToWide(text_);
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  if (parent_) {
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    p.WndParent = parent_->Handle();
  } else {
    p.Style = WS_POPUP;
    p.WndParent = parent_window_;
    if (parent_window_) p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  }
  if (ControlStyle.Contains(csAcceptsControls)) p.Style |= WS_CLIPCHILDREN;
  if (visible_ && (parent_ || parent_window_)) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tab_stop_) p.Style |= WS_TABSTOP;
  if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
  p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  p.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  p.WinClassName = Cp1251ToWide(ClassName());
  DefWndProc = DefWindowProcW;
}

void TWinControl::CreateSubClass(TCreateParams& p, const wchar_t* SystemClass) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(nullptr, SystemClass, &wc) &&
      !GetClassInfoW(GetModuleHandleW(nullptr), SystemClass, &wc))
    throw EOutOfResources("Unknown window class");
  DefWndProc = wc.lpfnWndProc;
  p.WindowClass = wc;
  p.WindowClass.style &= ~CS_GLOBALCLASS;
  p.WinClassName = std::wstring(L"Korvalis.") + SystemClass;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (!GetClassInfoW(inst, p.WinClassName.c_str(), &existing) ||
      existing.lpfnWndProc != classlib::ClassWndProc) {
    if (existing.lpfnWndProc) UnregisterClassW(p.WinClassName.c_str(), inst);
    p.WindowClass.lpfnWndProc = classlib::ClassWndProc;
    p.WindowClass.hInstance = inst;
    p.WindowClass.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassW(&p.WindowClass))
      throw EOutOfResources("Cannot register window class " + ClassName());
  }
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(NextChildId()) : nullptr;
  t_creating = this;
  HWND h = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y,
                           p.Width, p.Height, p.WndParent, id, inst, p.Param);
  t_creating = nullptr;
  if (!h) throw EOutOfResources("Error creating window (" + ClassName() + ")");
  if (handle_ != h) {
    handle_ = h;
    SetPropW(h, ControlProp(), this);
  }
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (parent_ && !parent_->handle_) {
    parent_->CreateHandle(); // makes this one too
    if (handle_) return;
  }
  CreateWnd();
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->handle_) w->CreateHandle();
  UpdateBounds();
  Realign();
}

void TWinControl::DestroyWnd() {
  text_ = GetText(); // keep what the user typed
  DestroyWindow(handle_);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  CreateHandle();
}

void TWinControl::DefaultHandler(TMessage& M) {
  if (handle_) M.Result = CallWindowProcW(DefWndProc, handle_, M.Msg, M.WParam, M.LParam);
}

// --- Children ---------------------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) throw EListError("Control index out of bounds");
  return controls_[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(TControl* c) const {
  for (; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tab_list_.push_back(w);
    if (handle_) {
      if (w->handle_)
        ::SetParent(w->handle_, handle_);
      else
        w->CreateHandle();
    }
  }
  c->anchor_base_stale_ = true;
  c->AdoptParentLook();
  Realign();
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  c->Invalidate();
  if (capture_control_ == c) SetCaptureControl(nullptr);
  if (hover_control_ == c) hover_control_ = nullptr;
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
    w->DestroyHandle();
  }
  c->parent_ = nullptr;
  Realign();
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!AllowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    if (c->visible_ && (AllowDisabled || c->enabled_) && c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::SetCaptureControl(TControl* c) {
  capture_control_ = c;
  if (c && handle_)
    SetCapture(handle_);
  else if (!c && handle_ && GetCapture() == handle_)
    ReleaseCapture();
}

// --- Place and look ---------------------------------------------------------------------------

TRect TWinControl::ClientRect() {
  if (!handle_) return Rect(0, 0, width_, height_);
  RECT r;
  GetClientRect(handle_, &r);
  return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() {
  if (!handle_) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(handle_, &p);
  return Point(p.x, p.y);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if ((AWidth != width_ || AHeight != height_) && !CheckNewSize(AWidth, AHeight)) {
    AWidth = width_; // a refused size: the move still happens
    AHeight = height_;
  }
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  bool sized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  BoundsSetByCode();
  if (handle_ && !IsIconic(handle_)) {
    // The window hears of a size the rule has passed already.
    const bool checked = sizing_checked_;
    sizing_checked_ = true;
    const TLifeToken life = LifeToken();
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (life) sizing_checked_ = checked;
  } else if (sized) {
    Realign();
    Resize();
  }
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!handle_ || IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TWinControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (handle_) ShowWindow(handle_, v ? SW_SHOWNOACTIVATE : SW_HIDE);
  Perform(CM_VISIBLECHANGED, v);
  NotifyShowingChanged();
  RequestAlign();
}

void TWinControl::NotifyShowingChanged() {
  const TLifeToken life = LifeToken();
  Perform(CM_SHOWINGCHANGED);
  if (life) Broadcast(TMessage{CM_SHOWINGCHANGED, 0, 0});
}

void TWinControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (handle_) EnableWindow(handle_, v);
  Perform(CM_ENABLEDCHANGED);
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

std::string TWinControl::GetText() {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, &w[0], n + 1);
  w.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text_ = WideToCp1251(w);
}

void TWinControl::SetText(const std::string& v) {
  if (handle_) {
    if (GetText() == v) return;
    text_ = v;
    SetWindowTextW(handle_, Cp1251ToWide(v).c_str());
  } else {
    if (v == text_) return;
    text_ = v;
  }
  Perform(CM_TEXTCHANGED);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Broadcast(const TMessage& Message) {
  const TLifeToken life = LifeToken();
  std::vector<std::pair<TControl*, TLifeToken>> children;
  for (TControl* c : controls_) children.emplace_back(c, c->LifeToken());
  for (auto& [c, alive] : children) {
    if (!life) return;
    if (!alive) continue;
    TMessage m = Message;
    c->WndProc(m);
    if (!alive) continue;
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Broadcast(Message);
  }
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  TControl::ColorChanged();
  for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::SetDoubleBuffered(bool v) {
  double_buffered_ = v;
  Invalidate();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

// --- Alignment ----------------------------------------------------------------------------------

void TWinControl::EnableAlign() {
  if (align_disabled_ > 0 && --align_disabled_ == 0) Realign();
}

void TWinControl::Realign() {
  TRect r = ClientRect();
  AlignControls(nullptr, r);
}

void TWinControl::AlignControls(TControl* AControl, TRect& r) {
  if (aligning_ || align_disabled_ || ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csDestroying))
    return;
  aligning_ = true;
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->align_ == a && c->visible_) list.push_back(c);
    // Controls of one side stack in the order of their current places.
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->top_ < y->top_;
        case alBottom: return x->top_ + x->height_ > y->top_ + y->height_;
        case alLeft: return x->left_ < y->left_;
        case alRight: return x->left_ + x->width_ > y->left_ + y->width_;
        default: return false;
      }
    });
    for (TControl* c : list) {
      switch (a) {
        case alTop:
          c->SetBounds(r.Left, r.Top, r.Width(), c->height_);
          r.Top += c->height_;
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
          r.Bottom -= c->height_;
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, c->width_, r.Height());
          r.Left += c->width_;
          break;
        case alRight:
          c->SetBounds(r.Right - c->width_, r.Top, c->width_, r.Height());
          r.Right -= c->width_;
          break;
        default: c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
      }
    }
  }
  try {
    AnchorControls();
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

// --- Focus and tab order -----------------------------------------------------------------------

void TWinControl::SetTabStop(bool v) {
  tab_stop_ = v;
  if (handle_) {
    LONG_PTR s = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE,
                      v ? s | WS_TABSTOP : s & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
}

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& l = parent_->tab_list_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!parent_) return;
  auto& l = parent_->tab_list_;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  if (v < 0 || v > static_cast<int>(l.size())) v = static_cast<int>(l.size());
  l.insert(l.begin() + v, this);
}

void TWinControl::ListTabStops(std::vector<TWinControl*>& out) {
  for (TWinControl* c : tab_list_) {
    if (!c->visible_ || !c->enabled_) continue;
    if (c->tab_stop_) out.push_back(c);
    c->ListTabStops(out);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool Forward) {
  std::vector<TWinControl*> stops;
  ListTabStops(stops);
  if (stops.empty()) return nullptr;
  auto it = std::find(stops.begin(), stops.end(), Current);
  if (it == stops.end()) return Forward ? stops.front() : stops.back();
  size_t i = static_cast<size_t>(it - stops.begin()), n = stops.size();
  return stops[Forward ? (i + 1) % n : (i + n - 1) % n];
}

void TWinControl::SelectNext(TWinControl* Current, bool Forward) {
  if (TWinControl* next = FindNextControl(Current, Forward)) next->SetFocus();
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() {
  for (TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}
