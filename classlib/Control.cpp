// TControl, TControlCanvas and TGraphicControl (see Controls.h).
#include <windowsx.h>

#include <algorithm>

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "classlib/Cp1251.h"
#include "classlib/Menus.h"

void (*classlib::ControlHintHook)(TControl* Control, bool Entered) = nullptr;

TShiftState classlib::ShiftStateFromKeys(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState classlib::KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

// --- Cursors ----------------------------------------------------------------------------

namespace {
std::map<int, HCURSOR>& CursorTable() {
  static std::map<int, HCURSOR> table;
  return table;
}
TCursor g_screen_cursor = crDefault;
} // namespace

HCURSOR classlib::CursorHandleOf(TCursor c) {
  auto& t = CursorTable();
  auto it = t.find(c);
  if (it != t.end()) return it->second;
  static const struct {
    TCursor c;
    LPCWSTR id;
  } kStd[] = {{crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},
              {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
              {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},
              {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},       {crHSplit, IDC_SIZEWE},
              {crVSplit, IDC_SIZENS},     {crNo, IDC_NO},           {crAppStart, IDC_APPSTARTING},
              {crHelp, IDC_HELP},         {crHandPoint, IDC_HAND},  {crSizeAll, IDC_SIZEALL}};
  if (c == crNone) return nullptr;
  for (const auto& s : kStd)
    if (s.c == c) return t[c] = LoadCursorW(nullptr, s.id);
  return LoadCursorW(nullptr, IDC_ARROW);
}

void classlib::RegisterCursor(TCursor c, HCURSOR h) { CursorTable()[c] = h; }
TCursor classlib::ScreenCursorOverride() { return g_screen_cursor; }
void classlib::SetScreenCursorOverride(TCursor c) {
  g_screen_cursor = c;
  POINT p;
  GetCursorPos(&p);
  SetCursorPos(p.x, p.y); // makes Windows ask for the cursor again
  if (c != crDefault) ::SetCursor(classlib::CursorHandleOf(c));
}

// --- TControl ------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  font_.OnChange = [this](TObject*) { FontChanged(); };
  constraints_.OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TControl::~TControl() {
  EndLife();
  ForgetDragAndDock();
  // A hint waiting to show for this control must not reach it.
  if (classlib::ControlHintHook) classlib::ControlHintHook(this, false);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  handlers_.clear();
  if (parent_) parent_->RemoveControl(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == popup_menu_) popup_menu_ = nullptr;
  // A freed action has let its links go already; the control keeps its look.
  if (action_link_ && !action_link_->Action()) action_link_.reset();
}

// --- Action ---------------------------------------------------------------------------------

TBasicAction* TControl::Action() const { return action_link_ ? action_link_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* v) {
  TBasicAction* old = Action();
  if (v == old) return;
  if (old) old->RemoveFreeNotification(this);
  if (!v) {
    action_link_.reset();
    return;
  }
  if (!action_link_) {
    action_link_.reset(CreateActionLink());
    action_link_->OnChange = [this](TObject* Sender) {
      if (Sender && Sender == Action()) ActionChange(Sender, false);
    };
  }
  action_link_->SetAction(v);
  ActionChange(v, classlib::IsLoading(v));
  v->FreeNotification(this);
}

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TAction*>(Sender);
  if (!a) return;
  if ((!CheckDefaults || Caption().empty()) && Caption() != a->Caption()) SetCaption(a->Caption());
  if ((!CheckDefaults || Enabled()) && Enabled() != a->Enabled()) SetEnabled(a->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(a->Hint());
  if ((!CheckDefaults || Visible()) && Visible() != a->Visible()) SetVisible(a->Visible());
}

void TControl::Loaded() {
  TComponent::Loaded();
  // The distances to keep are those of the finished layout.
  anchor_base_stale_ = true;
  AdoptParentLook();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if ((AWidth != width_ || AHeight != height_) && !CheckNewSize(AWidth, AHeight)) {
    AWidth = width_; // a refused size: the move still happens
    AHeight = height_;
  }
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  bool sized = AWidth != width_ || AHeight != height_;
  Invalidate();
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  Invalidate();
  BoundsSetByCode();
  RequestAlign();
  if (sized) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientSize(int w, int h) {
  TRect c = ClientRect();
  SetBounds(left_, top_, width_ + (w - c.Width()), height_ + (h - c.Height()));
}

TPoint TControl::ClientOrigin() {
  if (!parent_) return Point(left_, top_);
  TPoint p = parent_->ClientOrigin();
  return Point(p.X + left_, p.Y + top_);
}

TPoint TControl::ClientToScreen(const TPoint& p) {
  TPoint o = ClientOrigin();
  return Point(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& p) {
  TPoint o = ClientOrigin();
  return Point(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  anchor_base_stale_ = true;
  RequestAlign();
}

void TControl::RequestAlign() {
  // Also for unaligned controls: a parent that sizes itself to its controls
  // follows them. (A parent busy aligning ignores the request.)
  if (parent_) parent_->Realign();
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  if (v) Invalidate();
  Perform(CM_VISIBLECHANGED, v);
  RequestAlign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::BringToFront() {
  if (!parent_) {
    // A window of its own (a form) goes on top of the others and becomes
    // the active one, as a click on it would make it.
    auto* w = dynamic_cast<TWinControl*>(this);
    if (w && w->HandleAllocated() && IsWindowVisible(w->handle_))
      SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  auto& v = parent_->controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& v = parent_->controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

// --- Look -------------------------------------------------------------------------------

void TControl::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  ColorChanged();
  Perform(CM_COLORCHANGED);
}

void TControl::ColorChanged() {
  if (!adopting_) parent_color_ = false;
  Invalidate();
}

void TControl::SetParentColor(bool v) {
  parent_color_ = v;
  if (v) AdoptParentLook();
}

void TControl::FontChanged() {
  if (!adopting_) parent_font_ = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::SetParentFont(bool v) {
  parent_font_ = v;
  if (v) AdoptParentLook();
}

void TControl::SetBiDiMode(TBiDiMode v) {
  if (v == bidi_mode_) return;
  bidi_mode_ = v;
  if (!adopting_) parent_bidi_mode_ = false;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool v) {
  parent_bidi_mode_ = v;
  if (v) AdoptParentLook();
}

void TControl::AdoptParentLook() {
  if (!parent_ || adopting_) return;
  adopting_ = true;
  if (parent_color_ && color_ != parent_->color_) {
    color_ = parent_->color_;
    ColorChanged();
  }
  if (parent_font_) {
    TFont& pf = parent_->font_;
    if (pf.Name() != font_.Name() || pf.Height() != font_.Height() || pf.Color() != font_.Color() ||
        pf.Style() != font_.Style() || pf.Charset() != font_.Charset())
      font_.Assign(&pf);
  }
  if (parent_bidi_mode_) SetBiDiMode(parent_->bidi_mode_);
  adopting_ = false;
}

std::string TControl::GetText() { return text_; }

void TControl::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  Perform(CM_TEXTCHANGED);
}

bool TControl::ShowHint() const {
  if (parent_show_hint_ && parent_) return parent_->ShowHint();
  return show_hint_;
}

void TControl::SetShowHint(bool v) {
  show_hint_ = v;
  parent_show_hint_ = false;
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  popup_menu_ = v;
  if (v) v->FreeNotification(this);
}

void TControl::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  Perform(CM_CURSORCHANGED);
}

// --- Painting and messages ---------------------------------------------------------------

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || width_ <= 0 || height_ <= 0) return;
  RECT r{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->handle_, &r, !ControlStyle.Contains(csOpaque));
}

void TControl::Update() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (w->HandleAllocated()) UpdateWindow(w->handle_);
  } else if (parent_) {
    parent_->Update();
  }
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  if (DockMessage(Message)) return;
  // A docked client's caption and visibility show on its dock site.
  if (host_dock_site_ && (Message.Msg == CM_TEXTCHANGED || Message.Msg == CM_VISIBLECHANGED)) {
    const TLifeToken life = LifeToken();
    DispatchToHandler(Message);
    if (life && host_dock_site_) host_dock_site_->DockClientChanged(this, Message.Msg);
    return;
  }
  DispatchToHandler(Message);
}

void TControl::DispatchToHandler(TMessage& Message) {
  auto it = handlers_.find(Message.Msg);
  if (it != handlers_.end() && it->second) {
    TMessageHandler h = it->second; // the handler may rebind itself
    h(Message);
  } else {
    HandleMessage(Message);
  }
}

void TControl::SetMessageHandler(UINT Msg, TMessageHandler Handler) {
  if (Handler)
    handlers_[Msg] = std::move(Handler);
  else
    handlers_.erase(Msg);
}

void TControl::DefaultHandler(TMessage& Message) {}

void TControl::DoMouseDown(TMessage& M, TMouseButton Button, TShiftState Extra) {
  DefaultHandler(M);
  if (ControlStyle.Contains(csCaptureMouse)) {
    if (auto* w = dynamic_cast<TWinControl*>(this))
      SetCapture(w->Handle());
    else if (parent_)
      parent_->SetCaptureControl(this);
  }
  if (Button == mbLeft && ControlStyle.Contains(csClickEvents)) clicked_ = true;
  MouseDown(Button, classlib::ShiftStateFromKeys(M.WParam) + Extra, GET_X_LPARAM(M.LParam),
            GET_Y_LPARAM(M.LParam));
}

void TControl::DoMouseUp(TMessage& M, TMouseButton Button) {
  DefaultHandler(M);
  bool buttonsDown = (M.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
  if (!buttonsDown) {
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
      if (GetCapture() == w->handle_) ReleaseCapture();
    } else if (parent_ && parent_->capture_control_ == this) {
      parent_->SetCaptureControl(nullptr);
    }
  }
  TPoint p = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
  if (Button == mbLeft && clicked_) {
    clicked_ = false;
    const TLifeToken life = LifeToken();
    if (ClientRect().Contains(p)) Click();
    if (!life) return;
  }
  MouseUp(Button, classlib::ShiftStateFromKeys(M.WParam), p.X, p.Y);
}

void TControl::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN: return DoMouseDown(M, mbLeft, {});
    case WM_RBUTTONDOWN: return DoMouseDown(M, mbRight, {});
    case WM_MBUTTONDOWN: return DoMouseDown(M, mbMiddle, {});
    case WM_LBUTTONDBLCLK:
      if (ControlStyle.Contains(csDoubleClicks)) {
        const TLifeToken life = LifeToken();
        DblClick();
        if (!life) return;
        return DoMouseDown(M, mbLeft, ssDouble);
      }
      return DoMouseDown(M, mbLeft, {});
    case WM_RBUTTONDBLCLK: return DoMouseDown(M, mbRight, ssDouble);
    case WM_MBUTTONDBLCLK: return DoMouseDown(M, mbMiddle, ssDouble);
    case WM_LBUTTONUP: return DoMouseUp(M, mbLeft);
    case WM_RBUTTONUP: return DoMouseUp(M, mbRight);
    case WM_MBUTTONUP: return DoMouseUp(M, mbMiddle);
    case WM_MOUSEMOVE:
      DefaultHandler(M);
      MouseMove(classlib::ShiftStateFromKeys(M.WParam), GET_X_LPARAM(M.LParam),
                GET_Y_LPARAM(M.LParam));
      return;
    case CM_MOUSEENTER:
      if (!mouse_in_control_) {
        mouse_in_control_ = true;
        MouseEnter();
      }
      return;
    case CM_MOUSELEAVE:
      if (mouse_in_control_) {
        mouse_in_control_ = false;
        MouseLeave();
      }
      return;
    case CM_PARENTFONTCHANGED:
    case CM_PARENTCOLORCHANGED:
    case CM_PARENTBIDIMODECHANGED: AdoptParentLook(); return;
    case CM_BIDIMODECHANGED: Invalidate(); return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_VISIBLECHANGED:
    case CM_SHOWINGCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_CURSORCHANGED: return;
    default: DefaultHandler(M);
  }
}

void TControl::Click() {
  // A handler of the control's own comes before its action's.
  if (OnClick)
    OnClick(this);
  else if (action_link_)
    action_link_->Execute();
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseEnter() {
  if (classlib::ControlHintHook) classlib::ControlHintHook(this, true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (classlib::ControlHintHook) classlib::ControlHintHook(this, false);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// --- TControlCanvas -------------------------------------------------------------------------

namespace {
std::vector<TControlCanvas*>& LooseCanvases() {
  static std::vector<TControlCanvas*> list;
  return list;
}
} // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND w = nullptr;
  int dx = 0, dy = 0;
  if (auto* wc = dynamic_cast<TWinControl*>(control_)) {
    w = wc->Handle();
  } else {
    TWinControl* p = control_->Parent();
    if (!p) throw EInvalidOperation("Control '" + control_->Name() + "' has no parent window");
    w = p->Handle();
    dx = control_->Left();
    dy = control_->Top();
  }
  HDC dc = GetDCEx(w, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) throw EOutOfResources("Out of system resources");
  if (dx || dy) {
    IntersectClipRect(dc, dx, dy, dx + control_->Width(), dy + control_->Height());
    SetViewportOrgEx(dc, dx, dy, nullptr);
  }
  dc_ = dc;
  dc_window_ = w;
  LooseCanvases().push_back(this);
}

void TControlCanvas::FreeHandle() {
  auto& list = LooseCanvases();
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) {
    SetHandle(nullptr); // a paint DC lent by the parent
    return;
  }
  list.erase(it);
  HDC dc = dc_;
  DeselectHandles();
  dc_ = nullptr;
  ReleaseDC(dc_window_, dc);
  dc_window_ = nullptr;
}

void TControlCanvas::PaintOn(HDC dc, const std::function<void()>& paint) {
  FreeHandle();
  SetHandle(dc);
  Font()->Assign(control_->Font());
  try {
    paint();
  } catch (...) {
    SetHandle(nullptr);
    throw;
  }
  SetHandle(nullptr);
}

void classlib::FreeDeviceContexts() {
  auto list = LooseCanvases();
  for (TControlCanvas* c : list) c->FreeHandle();
}

// --- TGraphicControl --------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() { canvas_.FreeHandle(); }

void TGraphicControl::PaintTo(HDC dc) {
  canvas_.PaintOn(dc, [this] { Paint(); });
}

void TGraphicControl::Paint() {
  if (OnPaint) OnPaint(this);
}
