// The tray icon: shell calls, the shared handler window, the owner window's
// subclass and the mouse state handling.
#include "components/TrayIcon.h"

#include <map>
#include <shlwapi.h>

#include "classlib/Cp1251.h"
#include "classlib/HiddenWindow.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "components/TrayApp.h"

namespace {

const wchar_t kHandlerClass[] = L"KorvalisTrayIconHandler";
constexpr UINT_PTR kOwnerSubclass = 0x54524159; // "TRAY"

// The shell broadcasts "TaskbarCreated" with common controls newer than
// 4.70; with older ones the message stays 0 and matches nothing.
UINT RegisterTaskbarCreated() {
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  if (!comctl) return 0;
  bool newer = false;
  if (auto get = reinterpret_cast<DLLGETVERSIONPROC>(
          reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")))) {
    DLLVERSIONINFO v{};
    v.cbSize = sizeof v;
    newer = SUCCEEDED(get(&v)) && components::ShellSendsTaskbarCreated(v.dwMajorVersion,
                                                                        v.dwMinorVersion);
  }
  FreeLibrary(comctl);
  return newer ? RegisterWindowMessageW(L"TaskbarCreated") : 0;
}

// Registered once, when the program starts.
const UINT g_taskbar_created = RegisterTaskbarCreated();

TShiftState ShiftNow() {
  TShiftState s;
  if (GetAsyncKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetAsyncKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetAsyncKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  return s;
}

} // namespace

// One hidden window for all tray icons: the shell's callbacks come here.
class TTrayIconHandler {
 public:
  static TTrayIconHandler& Get() {
    if (!instance_) instance_ = new TTrayIconHandler();
    return *instance_;
  }
  static TTrayIconHandler* Live() { return instance_; }

  UINT Register(TTrayIcon* icon) {
    const UINT id = ++next_id_;
    icons_[id] = icon;
    return id;
  }
  void Unregister(UINT id) {
    icons_.erase(id);
    if (icons_.empty()) {
      delete instance_;
      instance_ = nullptr;
    }
  }
  HWND Window() const { return wnd_; }
  int RefCount() const { return static_cast<int>(icons_.size()); }

 private:
  TTrayIconHandler() {
    wnd_ = classlib::CreateHiddenWindow(kHandlerClass, WndProc, WS_EX_TOOLWINDOW);
  }
  ~TTrayIconHandler() {
    if (wnd_) DestroyWindow(wnd_);
  }

  TTrayIcon* Find(UINT id) const {
    auto it = icons_.find(id);
    return it == icons_.end() ? nullptr : it->second;
  }

  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    try {
      return HandleMessage(wnd, msg, wp, lp);
    } catch (...) {
      // Nothing may unwind into the system's window code.
      tray_app::HandleException();
      return 0;
    }
  }

  static LRESULT HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TTrayIconHandler* h = instance_;
    if (h && msg == TTrayIcon::kCallbackMessage) {
      if (TTrayIcon* icon = h->Find(static_cast<UINT>(wp)))
        icon->HandleCallback(static_cast<UINT>(LOWORD(lp)));
      return 0;
    }
    switch (msg) {
      case WM_DESTROY:
      case WM_CLOSE:
      case WM_QUERYENDSESSION:
      case WM_QUIT:
      case WM_ENDSESSION:
      case WM_NCDESTROY: return 1;
      default: return DefWindowProcW(wnd, msg, wp, lp);
    }
  }

  static TTrayIconHandler* instance_;
  HWND wnd_ = nullptr;
  UINT next_id_ = 0;
  std::map<UINT, TTrayIcon*> icons_;
};

TTrayIconHandler* TTrayIconHandler::instance_ = nullptr;

BOOL(WINAPI* TTrayIcon::NotifyIcon)(DWORD, PNOTIFYICONDATAW) = Shell_NotifyIconW;

UINT TTrayIcon::TaskbarCreatedMessage() { return g_taskbar_created; }

HWND TTrayIcon::HandlerWindow() {
  TTrayIconHandler* h = TTrayIconHandler::Live();
  return h ? h->Window() : nullptr;
}

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner), icon_(new TIcon) {
  icon_->OnChange = [this](TObject*) { ModifyIcon(); };
  TTrayIconHandler& handler = TTrayIconHandler::Get();
  icon_data_.cbSize = sizeof icon_data_;
  icon_data_.hWnd = handler.Window();
  icon_data_.uID = handler.Register(this);
  icon_data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon_data_.uCallbackMessage = kCallbackMessage;
  cycle_timer_.reset(new TSimpleTimer(1000, [this](TSimpleTimer*) { CycleTick(); }));
  click_timer_.reset(new TSimpleTimer(1000, nullptr));
  exit_timer_.reset(new TSimpleTimer(20, [this](TSimpleTimer*) { ExitTick(); }));
  retry_timer_.reset(new TSimpleTimer(kAddRetryMs, [this](TSimpleTimer*) { RetryAdd(); }));
  clicks_.reset(new components::TrayClickLogic(
      *click_timer_, [this] { return static_cast<bool>(OnDblClick); }, [this] { Click(); },
      [this] { DblClick(); }));
  click_timer_->SetOnTimer([this](TSimpleTimer*) { clicks_->ClickTick(); });
  did_exit_ = true;
  // What a timer's handler lets out goes to the application, as from a form.
  TSimpleTimerHandler::ExceptionHandler = tray_app::HandleException;
  if (ComponentState().Contains(csDesigning)) return;
  app_wnd_ = tray_app::ApplicationWindow();
  app_hook_ = tray_app::Hook([this](UINT m, WPARAM w, LPARAM l) { AppHook(m, w, l); });
  // A form being built from its layout gets its window later: then the
  // subclass is installed by Loaded.
  SubclassOwner(tray_app::ExistingWindowOf(AOwner));
}

void TTrayIcon::SubclassOwner(HWND wnd) {
  if (!wnd || owner_wnd_) return;
  if (SetWindowSubclass(wnd, OwnerWndProc, kOwnerSubclass + icon_data_.uID,
                        reinterpret_cast<DWORD_PTR>(this)))
    owner_wnd_ = wnd;
}

TTrayIcon::~TTrayIcon() {
  EndLife();
  HideIcon();
  exit_timer_.reset();
  retry_timer_.reset();
  cycle_timer_.reset();
  clicks_.reset();
  click_timer_.reset();
  icon_.reset();
  // Each subclass is removed on its own: whatever else subclassed these
  // windows before or after keeps working.
  tray_app::Unhook(app_hook_);
  if (owner_wnd_ && IsWindow(owner_wnd_))
    RemoveWindowSubclass(owner_wnd_, OwnerWndProc, kOwnerSubclass + icon_data_.uID);
  // The link with the menu is undone by the component's own destruction:
  // removing it here would also cut the menu's watch on this icon.
  if (TTrayIconHandler* h = TTrayIconHandler::Live()) h->Unregister(icon_data_.uID);
}

void TTrayIcon::FillIconData() {
  icon_data_.hIcon = icon_ ? icon_->Handle() : nullptr;
  const std::wstring tip = Cp1251ToWide(components::TrayTooltip(hint_, show_hint_));
  const size_t n = std::min(tip.size(), sizeof icon_data_.szTip / sizeof(wchar_t) - 1);
  std::fill(std::begin(icon_data_.szTip), std::end(icon_data_.szTip), L'\0');
  std::copy(tip.begin(), tip.begin() + static_cast<long>(n), icon_data_.szTip);
}

bool TTrayIcon::Notify(DWORD message) { return NotifyIcon(message, &icon_data_) != FALSE; }

bool TTrayIcon::ShowIcon() {
  icon_visible_ = true;
  FillIconData();
  in_shell_ = Notify(NIM_ADD) || in_shell_;
  // A shell still starting or busy refuses the icon; try again for a while
  // rather than leave the player without its icon until the next restart of
  // the shell.
  add_retries_ = 0;
  if (!in_shell_ && retry_timer_) retry_timer_->Start();
  return in_shell_;
}

void TTrayIcon::RetryAdd() {
  if (in_shell_ || !icon_visible_ || ++add_retries_ > kAddRetries) {
    retry_timer_->Stop(true);
    return;
  }
  FillIconData();
  // A refused add may leave an entry behind; clear it before adding again.
  Notify(NIM_DELETE);
  in_shell_ = Notify(NIM_ADD);
  if (in_shell_) retry_timer_->Stop(true);
}

bool TTrayIcon::HideIcon() {
  icon_visible_ = false;
  if (retry_timer_) retry_timer_->Stop(true);
  if (!in_shell_) return false;
  in_shell_ = false;
  return Notify(NIM_DELETE);
}

bool TTrayIcon::ModifyIcon() {
  FillIconData();
  return in_shell_ && Notify(NIM_MODIFY);
}

void TTrayIcon::TaskbarCreated() {
  // The new shell knows no icon of ours.
  if (!icon_visible_) return;
  in_shell_ = false;
  ShowIcon();
}

void TTrayIcon::SetHint(const std::string& v) {
  hint_ = v;
  ModifyIcon();
}

void TTrayIcon::SetShowHint(bool v) {
  show_hint_ = v;
  ModifyIcon();
}

void TTrayIcon::ReplaceIcon(HICON h) {
  // The caller shows the result once, after whatever else it changes.
  TNotifyEvent changed = std::move(icon_->OnChange);
  icon_->OnChange = nullptr;
  icon_->SetHandle(h);
  icon_->OnChange = std::move(changed);
}

void TTrayIcon::SetIcon(TIcon* v) {
  if (v != icon_.get()) ReplaceIcon(v && v->Handle() ? CopyIcon(v->Handle()) : nullptr);
  ModifyIcon();
}

void TTrayIcon::SetIconVisible(bool v) {
  if (classlib::IsLoading(this)) { // applied by Loaded
    icon_visible_ = v;
    return;
  }
  if (v)
    ShowIcon();
  else
    HideIcon();
}

void TTrayIcon::SetIconList(TImageList* v) {
  if (icon_list_ != v) {
    icon_list_ = v;
    if (v) v->FreeNotification(this);
  }
  SetIconIndex(0);
}

int TTrayIcon::IconCount() const { return icon_list_ ? icon_list_->Count() : 0; }

void TTrayIcon::TakeListIcon(int index) {
  if (!icon_list_ || index < 0 || index >= icon_list_->Count()) return;
  if (HICON h = ImageList_GetIcon(icon_list_->Handle(), index, ILD_NORMAL)) ReplaceIcon(h);
}

void TTrayIcon::SetIconIndex(int v) {
  if (icon_list_) {
    v = components::ClampIconIndex(v, IconCount());
    TakeListIcon(v);
  } else {
    v = 0;
  }
  icon_index_ = v;
  ModifyIcon();
}

void TTrayIcon::SetCycleIcons(bool v) {
  cycle_icons_ = v;
  if (classlib::IsLoading(this)) return;
  if (v) {
    SetIconIndex(0);
    cycle_timer_->SetInterval(cycle_interval_);
    cycle_timer_->Start();
  } else {
    cycle_timer_->Stop(true);
  }
}

void TTrayIcon::SetCycleInterval(unsigned v) {
  cycle_interval_ = v;
  SetCycleIcons(cycle_icons_);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* v) {
  if (popup_menu_ == v) return;
  // A menu set before keeps its link: it may be watching this icon too.
  popup_menu_ = v;
  if (v) v->FreeNotification(this);
}

void TTrayIcon::SetWantEnterExitEvents(bool v) {
  want_enter_exit_ = v;
  if (!classlib::IsLoading(this)) exit_timer_->SetEnabled(v);
}

void TTrayIcon::SetDesignPreview(bool v) {
  if (!ComponentState().Contains(csDesigning)) return;
  design_preview_ = v;
  if (v) {
    if (icon_->Empty() && LoadDefaultIcon()) ReplaceIcon(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
    ShowIcon();
  } else {
    HideIcon();
  }
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (!ComponentState().Contains(csDesigning)) SubclassOwner(tray_app::WindowOf(Owner()));
  if (owner_wnd_) {
    bool showMainForm = true;
    if (OnStartup) OnStartup(this, showMainForm);
    if (!showMainForm) {
      tray_app::SetShowMainForm(false);
      HideMainForm();
    }
  }
  ModifyIcon();
  if (icon_visible_) ShowIcon();
  SetCycleIcons(cycle_icons_);
  exit_timer_->SetEnabled(want_enter_exit_);
  icon_data_.uVersion = 0; // the classic callback protocol
  Notify(NIM_SETVERSION);
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popup_menu_) popup_menu_ = nullptr;
  if (Operation == opRemove && AComponent == icon_list_) SetIconList(nullptr);
}

void TTrayIcon::Click() {
  if (OnClick) OnClick(this);
}
void TTrayIcon::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TTrayIcon::CycleIcon() {
  if (OnCycle) OnCycle(this, components::NextCycleIndex(icon_index_, IconCount()));
}
void TTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TTrayIcon::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TTrayIcon::MouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

void TTrayIcon::HideMainForm() {
  if (!owner_wnd_) return;
  tray_app::HideMainForm();
}

void TTrayIcon::DoMinimizeToTray() {
  HideMainForm();
  SetIconVisible(true);
}

void TTrayIcon::PopupAtCursor() {
  POINT p{};
  if (!popup_menu_ || !popup_menu_->AutoPopup || !GetCursorPos(&p)) return;
  // The menu must belong to the foreground window, or it would not close
  // when the user clicks elsewhere.
  SetForegroundWindow(app_wnd_ ? app_wnd_ : (owner_wnd_ ? owner_wnd_ : HandlerWindow()));
  const TLifeToken life = LifeToken();
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      // The program is ending: leave the quit to its message loop, no menu.
      PostQuitMessage(static_cast<int>(m.wParam));
      return;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  // What ran meanwhile may have freed the icon or its menu.
  if (!life || !popup_menu_) return;
  popup_menu_->PopupComponent = this;
  const HWND owner = owner_wnd_; // the chosen item may free this icon
  popup_menu_->Popup(p.x, p.y);
  if (owner && IsWindow(owner)) PostMessageW(owner, WM_NULL, 0, 0);
}

void TTrayIcon::HandleCallback(UINT msg) {
  if (!enabled_) return;
  POINT p{};
  GetCursorPos(&p);
  const TShiftState shift = ShiftNow();
  switch (msg) {
    case WM_MOUSEMOVE: {
      const TLifeToken life = LifeToken();
      if (want_enter_exit_ && did_exit_) {
        did_exit_ = false;
        MouseEnter();
        if (!life) break;
      }
      last_move_ = p;
      MouseMove(shift, p.x, p.y);
      break;
    }
    case WM_LBUTTONDOWN: {
      const TLifeToken life = LifeToken();
      clicks_->LButtonDown(GetDoubleClickTime());
      MouseDown(mbLeft, shift + ssLeft, p.x, p.y);
      if (life && left_popup_) PopupAtCursor();
      break;
    }
    case WM_LBUTTONUP: {
      const TLifeToken life = LifeToken();
      clicks_->LButtonUp();
      if (life) MouseUp(mbLeft, shift + ssLeft, p.x, p.y);
      break;
    }
    case WM_LBUTTONDBLCLK: {
      const TLifeToken life = LifeToken();
      clicks_->LButtonDblClk();
      if (life && popup_menu_ && popup_menu_->AutoPopup && !left_popup_) {
        TMenuItem* root = popup_menu_->Items();
        for (int i = 0; i < root->Count(); ++i)
          if (root->Items(i)->Default) {
            root->Items(i)->Click();
            break;
          }
      }
      break;
    }
    case WM_RBUTTONDOWN: {
      const TLifeToken life = LifeToken();
      MouseDown(mbRight, shift + ssRight, p.x, p.y);
      if (life) PopupAtCursor();
      break;
    }
    case WM_RBUTTONUP: MouseUp(mbRight, shift + ssRight, p.x, p.y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift + ssMiddle, p.x, p.y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift + ssMiddle, p.x, p.y); break;
    case NIN_BALLOONSHOW:
      if (OnBalloonHintShow) OnBalloonHintShow(this);
      break;
    case NIN_BALLOONHIDE:
      if (OnBalloonHintHide) OnBalloonHintHide(this);
      break;
    case NIN_BALLOONTIMEOUT:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
      break;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      break;
    default: break;
  }
}

void TTrayIcon::CycleTick() {
  if (!icon_list_) return;
  const int count = IconCount();
  TakeListIcon(components::ClampIconIndex(icon_index_, count));
  ModifyIcon();
  const TLifeToken life = LifeToken();
  CycleIcon();
  if (life) icon_index_ = components::NextCycleIndex(icon_index_, count);
}

void TTrayIcon::ExitTick() {
  if (did_exit_) return;
  POINT p{};
  GetCursorPos(&p);
  if (p.x != last_move_.x || p.y != last_move_.y) {
    did_exit_ = true;
    MouseExit();
  }
}

LRESULT CALLBACK TTrayIcon::OwnerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
  auto* self = reinterpret_cast<TTrayIcon*>(ref);
  try {
    if (msg == WM_SHOWWINDOW && wp == 1 && lp == 0) {
      if (self->app_wnd_) SetForegroundWindow(self->app_wnd_);
      SetForegroundWindow(wnd);
    } else if ((msg == WM_SHOWWINDOW && wp == 0 && lp == SW_PARENTCLOSING &&
                !tray_app::Terminating()) ||
               (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MINIMIZE)) {
      if (self->minimize_to_tray_ && self->OnMinimizeToTray) {
        const TLifeToken life = self->LifeToken();
        self->OnMinimizeToTray(self);
        if (life) self->DoMinimizeToTray();
        return 1;
      }
    }
  } catch (...) {
    // Nothing may unwind into the system's window code.
    tray_app::HandleException();
    return 0;
  }
  return DefSubclassProc(wnd, msg, wp, lp);
}

void TTrayIcon::AppHook(UINT msg, WPARAM wp, LPARAM) {
  if (g_taskbar_created != 0 && msg == g_taskbar_created) {
    TaskbarCreated();
  } else if (msg == WM_SIZE && wp == SIZE_MINIMIZED && minimize_to_tray_) {
    DoMinimizeToTray();
  } else if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_RESTORE) {
    tray_app::ShowMainForm();
  }
}
