// Controls: TControl (anything placed on a window), TGraphicControl (no
// window of its own; painted by its parent), TWinControl (a window, made on
// demand) and TCustomControl (a window with a canvas and Paint).
//
// Messages: the window procedure hands each message to WndProc (override to
// see everything), which ends in Dispatch: a handler bound with
// SetMessageHandler, else the class's HandleMessage, else DefaultHandler (the
// window class's own procedure). WM_COMMAND, WM_NOTIFY, scroll, owner-draw
// and colour messages of a child window come back to that child's control as
// CN_xxx, so a wrapped common control handles its own notifications.
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DragDockCore.h"
#include "classlib/ControlLayoutCore.h"
#include "classlib/Forward.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"

namespace classlib {

// BeginPaint and EndPaint as a scope: EndPaint runs however the painting ends.
class TPaintScope {
 public:
  explicit TPaintScope(HWND wnd) : wnd_(wnd), dc_(BeginPaint(wnd, &ps_)) {}
  ~TPaintScope() { EndPaint(wnd_, &ps_); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return dc_; }
  const RECT& Rect() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

} // namespace classlib
#include "classlib/Set.h"
#include "classlib/SysUtils.h"
#include "classlib/Types.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
namespace classlib {
// The shift state of a mouse message's key flags (plus Alt from the keyboard).
TShiftState ShiftStateFromKeys(WPARAM keys);
TShiftState KeyboardShiftState();
// The window procedure of every window the library creates.
LRESULT CALLBACK ClassWndProc(HWND, UINT, WPARAM, LPARAM);
} // namespace classlib

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMessageHandler = std::function<void(TMessage& Message)>;
// MousePos: client coordinates of the click, (-1, -1) from the keyboard.
using TContextPopupEvent =
    std::function<void(TObject* Sender, const TPoint& MousePos, bool& Handled)>;

class TBasicAction;
class TControlActionLink;

// --- Drag and drop, docking (DragDock.h) ------------------------------------------------
class TDragObject;
class TDragDockObject;
class TDockManager;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient,
                                             TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
namespace classlib {
class TDragControlSession;
}

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- Place -----------------------------------------------------------------------
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int w, int h);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& p);
  TPoint ScreenToClient(const TPoint& p);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v);

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent visible and on screen.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  void BringToFront();
  void SendToBack();

  // --- Look ------------------------------------------------------------------------
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  TFont* Font() { return &font_; }
  void SetFont(TFont* f) { font_.Assign(f); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);
  // The reading order; it follows the parent's while ParentBiDiMode is set
  // (setting a different one clears that). Any mode but bdLeftToRight reads
  // right to left.
  TBiDiMode BiDiMode() const { return bidi_mode_; }
  void SetBiDiMode(TBiDiMode v);
  bool ParentBiDiMode() const { return parent_bidi_mode_; }
  void SetParentBiDiMode(bool v);
  bool UseRightToLeftReading() const { return bidi_mode_ != bdLeftToRight; }
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& v) { SetText(v); }
  std::string Text() { return GetText(); }
  virtual std::string GetText();
  virtual void SetText(const std::string& v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  // ShowHint follows the parent's while ParentShowHint is set.
  bool ShowHint() const;
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool v) { parent_show_hint_ = v; }
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor v);
  TControlStyle ControlStyle;
  bool MouseInControl() const { return mouse_in_control_; }

  // --- Painting and messages ---------------------------------------------------------
  virtual void Invalidate();
  void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message);
  // Binds a handler for one message (WMSysCommand and the like); it may call
  // InheritedMessage for the class's own handling.
  void SetMessageHandler(UINT Msg, TMessageHandler Handler);
  void InheritedMessage(TMessage& Message) { HandleMessage(Message); }
  virtual void DefaultHandler(TMessage& Message);

  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // --- Drag and drop, docking (DragDock.h) ------------------------------------------
  // With dmAutomatic a left press drags the control once the mouse moves past
  // the threshold; DragKind says whether it is dragged (dkDrag: a drop on a
  // control whose OnDragOver accepts) or docked (dkDock: onto a dock site, or
  // floated where it is dropped).
  TDragMode DragMode() const { return drag_mode_; }
  void SetDragMode(TDragMode v) { drag_mode_ = v; }
  TDragKind DragKind() const { return drag_kind_; }
  void SetDragKind(TDragKind v) { drag_kind_ = v; }
  TCursor DragCursor() const { return drag_cursor_; }
  void SetDragCursor(TCursor v) { drag_cursor_ = v; }
  // Starts a drag now (Immediate) or once the mouse moves past Threshold
  // pixels (negative: the default 5); EndDrag drops where the mouse is or
  // cancels. Nothing happens while another drag runs.
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  // Docks the control onto NewDockSite (null floats it); false when the site
  // refuses it or its host does not let it go.
  bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr,
                  TAlign ControlSide = alNone);
  // Takes the control out of its dock site to float at ScreenPos (a form as
  // its own window, another control in a small host window).
  bool ManualFloat(const TRect& ScreenPos);
  TWinControl* HostDockSite() const { return host_dock_site_; }
  bool Floating() const;
  // Moves the control into NewDockSite's dock clients (null: none) without
  // asking anyone; ManualDock and the drop use it.
  void Dock(TWinControl* NewDockSite, const TRect& ARect);
  // The drag events the control hears as a source and as a target.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);

  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDockEvent OnStartDock;
  TEndDragEvent OnEndDock;

  // --- Action (ActnList.h) -----------------------------------------------------------
  // The action the control follows (none by default). Binding takes the
  // action's look (while the action is loading, only into properties still
  // at their defaults); a click without an OnClick of its own runs it.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* v);

  // --- Anchors and constraints (ControlLayout.cpp; rules in ControlLayoutCore.h) -------
  // The parent's edges the control keeps its distance to when the parent is
  // resized ([akLeft, akTop] by default); Align other than alNone overrides.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors v);
  // Size limits of every change of the bounds; a form also limits the
  // user's sizing of its window with them.
  TSizeConstraints* Constraints() { return &constraints_; }
  void SetConstraints(TSizeConstraints* v) { constraints_.Assign(v); }
  // Every change of size asks OnCanResize first, then OnConstrainedResize.
  TCanResizeEvent OnCanResize;
  TConstrainedResizeEvent OnConstrainedResize;

  // --- Context menu (WinMessages.cpp) ------------------------------------------------
  // A right click or the context-menu key: OnContextPopup first; unless it
  // sets Handled, the PopupMenu shows.
  TContextPopupEvent OnContextPopup;

  // --- Stored names ------------------------------------------------------------------
  // The help topic of the control; kept for the form's description (there is
  // no help file to show it from).
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int v) { help_context_ = v; }

 protected:
  // Takes the look of the action Sender (caption, enabled state, hint,
  // visibility); with CheckDefaults only into properties at their defaults.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  // The link a bound control keeps (the caller owns it).
  virtual TControlActionLink* CreateActionLink();
  TControlActionLink* ActionLink() const { return action_link_.get(); }
  void BeforeDestruction() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // The class's own message handling; ends in DefaultHandler.
  virtual void HandleMessage(TMessage& Message);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Resize();
  virtual void FontChanged();
  virtual void ColorChanged();
  // Parent asks the control to realign; also after a visibility change.
  void RequestAlign();
  // The colour / font / reading order a ParentColor / ParentFont /
  // ParentBiDiMode control takes (with no parent, its own).
  void AdoptParentLook();
  // The size rule for a new size (OnCanResize, then the limits); false when
  // the change is refused.
  bool CheckNewSize(int& NewWidth, int& NewHeight);
  // The limits in force now: Constraints as OnConstrainedResize leaves them.
  classlib::TSizeLimits SizeLimits();
  // Raises OnContextPopup and, unless it is handled, shows the popup menu at
  // ScreenPos; true when either took the request.
  virtual bool ContextPopup(const TPoint& ScreenPos, bool FromKeyboard);

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;

 private:
  friend class TWinControl;
  void DoMouseDown(TMessage& M, TMouseButton Button, TShiftState Extra);
  void DoMouseUp(TMessage& M, TMouseButton Button);
  TAlign align_ = alNone;
  TColor color_ = clWindow;
  bool parent_color_ = true, parent_font_ = true, adopting_ = false;
  TBiDiMode bidi_mode_ = bdLeftToRight;
  bool parent_bidi_mode_ = true;
  TFont font_;
  std::string hint_;
  bool show_hint_ = false, parent_show_hint_ = true;
  TPopupMenu* popup_menu_ = nullptr;
  TCursor cursor_ = crDefault;
  bool mouse_in_control_ = false, clicked_ = false;
  std::map<UINT, TMessageHandler> handlers_;
  std::unique_ptr<TControlActionLink> action_link_;
  // Drag and drop, docking (DragDock.cpp).
  friend class classlib::TDragControlSession;
  TDragMode drag_mode_ = dmManual;
  TDragKind drag_kind_ = dkDrag;
  TCursor drag_cursor_ = crDrag;
  TWinControl* host_dock_site_ = nullptr;
  // Where the control was on screen when it last floated (it floats back there).
  TRect undock_rect_{};
  void ForgetDragAndDock();
  bool DockMessage(TMessage& Message);
  // Docks onto site through d (the host letting go first); false when it
  // did not happen.
  bool DockVia(TWinControl* site, TDragDockObject& d, const TPoint& p);
  void DispatchToHandler(TMessage& Message);
  // Anchors and constraints: the bounds the control had at the parent's
  // client size anchor_parent_; stale until the parent's next alignment
  // takes them anew (after a move by code, loading, a new parent or Align).
  void ConstraintsChanged();
  void BoundsSetByCode() {
    if (!anchoring_) anchor_base_stale_ = true;
  }
  TAnchors anchors_{akLeft, akTop};
  TSizeConstraints constraints_;
  TRect anchor_base_;
  TSize anchor_parent_;
  bool anchor_base_stale_ = true, anchoring_ = false;
  int help_context_ = 0;
};

// A canvas that draws on a control: during painting the DC of the paint;
// otherwise a DC fetched on first use and given back when the application is
// idle (see FreeDeviceContexts).
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  void FreeHandle();
  // Lends the canvas a DC its caller owns (a WM_PAINT one) for `paint`, with
  // the control's font selected; the canvas lets go of it however paint ends.
  void PaintOn(HDC dc, const std::function<void()>& paint);

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HWND dc_window_ = nullptr;
};
namespace classlib {
// Returns the DCs that control canvases fetched outside painting.
void FreeDeviceContexts();
} // namespace classlib

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return &canvas_; }
  // Draws the control on dc, whose origin is the control's top-left corner.
  void PaintTo(HDC dc);
  TNotifyEvent OnPaint;

 protected:
  virtual void Paint();

 private:
  TControlCanvas canvas_{this};
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0, ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSW WindowClass{};
  std::wstring WinClassName;
};

// An editor's bevel: edges drawn in the window's frame (bkNone: none).
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;
// The state of the input method a control asks for when it gets the focus
// (imDontCare: whatever it is).
enum TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // For a control without a parent control: the window to create it in.
  HWND ParentWindow() const { return parent_window_; }
  void SetParentWindow(HWND h) { parent_window_ = h; }
  // The control of a window made by this library (null for others).
  static TWinControl* FindControl(HWND h);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const;
  // Hands a copy of the message to every control inside, each before the
  // controls inside it; one freed on the way (or its parent) is skipped.
  void Broadcast(const TMessage& Message);
  // The topmost visible child at p (client coordinates): graphic controls
  // only, unless AllowWinControls.
  TControl* ControlAtPos(const TPoint& p, bool AllowDisabled, bool AllowWinControls = false);
  bool ContainsControl(TControl* c) const;

  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  bool Showing() const override;
  std::string GetText() override;
  void SetText(const std::string& v) override;
  void Invalidate() override;

  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v);
  int TabOrder() const;
  void SetTabOrder(int v);
  // The next (or previous) tab stop among this control's descendants.
  TWinControl* FindNextControl(TWinControl* Current, bool Forward);
  void SelectNext(TWinControl* Current, bool Forward);
  bool Focused();
  virtual bool CanFocus();
  virtual void SetFocus();
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool v);
  TBrush* Brush() { return &brush_; }

  void DisableAlign() { ++align_disabled_; }
  void EnableAlign();
  void Realign();
  // Paints the graphic children intersecting the DC's clip box, from First
  // (null: the bottom one) up.
  void PaintControls(HDC dc, TControl* First = nullptr);
  // Captures the mouse for a graphic child until its button goes up.
  void SetCaptureControl(TControl* c);

  // --- Docking (DragDock.h) ----------------------------------------------------------
  // A dock site takes dkDock controls dropped on it; with UseDockManager its
  // DockManager lays the docked clients out by their Align.
  bool DockSite() const { return dock_site_; }
  void SetDockSite(bool v);
  bool UseDockManager() const { return use_dock_manager_; }
  void SetUseDockManager(bool v);
  TDockManager* DockManager();
  int DockClientCount() const { return static_cast<int>(dock_clients_.size()); }
  TControl* DockClients(int Index) const;
  // The site's side of docking: where a client dropped at (X, Y) would go
  // and whether it may (OnDockOver), taking it in (OnDockDrop), letting one
  // go (OnUnDock), and whether the site takes a client at all (OnGetSiteInfo).
  virtual void DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DockDrop(TDragDockObject* Source, int X, int Y);
  virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);
  virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, const TPoint& MousePos,
                           bool& CanDock);
  TDockOverEvent OnDockOver;
  TDockDropEvent OnDockDrop;
  TUnDockEvent OnUnDock;
  TGetSiteInfoEvent OnGetSiteInfo;

  TNotifyEvent OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // --- Frame and input method (WinFrame.cpp) ------------------------------------------
  // A control with a system border (an edit, a list) shows it as the sunken
  // client edge while Ctl3D is set (the default), as a flat line otherwise.
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool v);
  // The bevel drawn around the window inside its frame, on the BevelEdges
  // sides: BevelInner and BevelOuter cut as a panel's bevels; BevelKind
  // bkSoft softens it, bkFlat draws it flat, bkNone (the default) leaves it out.
  TBevelEdges BevelEdges() const { return bevel_edges_; }
  void SetBevelEdges(TBevelEdges v);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut v);
  TBevelKind BevelKind() const { return bevel_kind_; }
  void SetBevelKind(TBevelKind v);
  // The input method's state set when the control gets the focus.
  TImeMode ImeMode() const { return ime_mode_; }
  void SetImeMode(TImeMode v) { ime_mode_ = v; }
  // The name of the input method the form's description asks for; kept only.
  const std::string& ImeName() const { return ime_name_; }
  void SetImeName(const std::string& v) { ime_name_ = v; }

 protected:
  // Adds the control's system border to Params: the client edge, or a
  // flat line without Ctl3D.
  void AddBorder(TCreateParams& Params) const;
  virtual void CreateParams(TCreateParams& Params);
  // Makes Params a subclass of a system window class (its procedure becomes
  // DefaultHandler's).
  void CreateSubClass(TCreateParams& Params, const wchar_t* SystemClass);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void CreateHandle();
  void DestroyHandle();
  void RecreateWnd();
  void HandleMessage(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // The window goes while the whole object still exists.
  void BeforeDestruction() override;
  void Loaded() override;
  void FontChanged() override;
  void ColorChanged() override;
  // Whether WM_PAINT is painted by this library (true) or by the window
  // class (a wrapped common control without graphic children).
  virtual bool CustomPaint() const { return false; }
  // Paints the window's own content on dc (the background is already there).
  virtual void PaintWindow(HDC dc);
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // Docking: a client comes in (by default it becomes a child at ARect, in
  // client coordinates) or has gone; a docked client's caption or visibility
  // changed (Msg is CM_TEXTCHANGED or CM_VISIBLECHANGED).
  virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
  virtual void DoRemoveDockClient(TControl* Client);
  virtual void DockClientChanged(TControl* Client, UINT Msg) {}
  void UpdateBounds();
  // Showing changes: after this control was shown or hidden (a form that
  // appears or goes included), it and every control inside it hear
  // CM_SHOWINGCHANGED, each before the controls inside it. A control that
  // cares compares Showing() with what it saw last.
  void NotifyShowingChanged();
  WNDPROC DefWndProc = DefWindowProcW;
  HWND handle_ = nullptr;

 private:
  friend class TControl;
  friend LRESULT CALLBACK classlib::ClassWndProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void PaintHandler(HDC paintDC, const RECT& area);
  bool ForwardMouse(TMessage& M);
  void TrackHover(TControl* now);
  bool ReflectToChild(TMessage& M);
  bool ShowContextMenu(TMessage& M);
  bool SetCursorFor(TMessage& M);
  void ListTabStops(std::vector<TWinControl*>& out);
  // Anchors: places the unaligned children anchored otherwise than
  // [akLeft, akTop] for the client size now (ControlLayout.cpp).
  void AnchorControls();
  // Frame: the bevel's room and painting, the input method on focus.
  int BevelSize() const;
  void FrameChanged();
  bool FrameMessage(TMessage& M);
  void ApplyImeMode();
  bool ctl3d_ = true;
  TBevelEdges bevel_edges_{beLeft, beTop, beRight, beBottom};
  TBevelCut bevel_inner_ = bvRaised, bevel_outer_ = bvLowered;
  TBevelKind bevel_kind_ = bkNone;
  TImeMode ime_mode_ = imDontCare;
  std::string ime_name_;
  bool ime_disabled_ = false;
  bool sizing_checked_ = false; // SetBounds has run the size rule already
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tab_list_;
  HWND parent_window_ = nullptr;
  TBrush brush_;
  TControl* capture_control_ = nullptr;
  TControl* hover_control_ = nullptr;
  bool tracking_leave_ = false;
  bool tab_stop_ = false;
  bool double_buffered_ = false;
  int align_disabled_ = 0;
  bool aligning_ = false;
  // Docking (DragDock.cpp).
  bool dock_site_ = false, use_dock_manager_ = false;
  std::unique_ptr<TDockManager> dock_manager_;
  std::vector<TControl*> dock_clients_;
};

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* Canvas() { return &canvas_; }
  TNotifyEvent OnPaint;

 protected:
  bool CustomPaint() const override { return true; }
  void PaintWindow(HDC dc) override;
  virtual void Paint();

 private:
  TControlCanvas canvas_{this};
};

namespace classlib {
// Set by the application: reports an exception raised inside a message.
void HandleControlException(TObject* Sender);
// Set by the application: the mouse entered (true) or left a control; drives
// the hint window.
extern void (*ControlHintHook)(TControl* Control, bool Entered);

// The cursor table behind TScreen: standard cursors by their negative
// numbers, custom ones as registered; and the screen-wide override.
HCURSOR CursorHandleOf(TCursor c);
void RegisterCursor(TCursor c, HCURSOR h);
TCursor ScreenCursorOverride();
void SetScreenCursorOverride(TCursor c);
} // namespace classlib
