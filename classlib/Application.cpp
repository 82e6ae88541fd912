// TApplication, TScreen and the hint window (see Forms.h).
#include "classlib/WinApi.h"
#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <functional>

#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

void classlib::HandleControlException(TObject* Sender) { Application->HandleException(Sender); }

namespace {
constexpr UINT_PTR kHintTimer = 1;
}

LRESULT CALLBACK classlib::AppWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (!Application || Application->handle_ != h) return DefWindowProcW(h, msg, wp, lp);
  try {
    return Application->AppMessage(msg, wp, lp);
  } catch (...) {
    // Nothing may unwind into the system's window code, not even from an
    // OnException that throws.
    try {
      Application->HandleException(Application);
    } catch (...) {}
    return 0;
  }
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  classlib::ControlHintHook = &TApplication::HintHook;
}

TApplication::~TApplication() {
  if (hint_window_) DestroyWindow(hint_window_);
  if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                           ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  Handle();
}

HWND TApplication::Handle() {
  if (!handle_) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = classlib::AppWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = L"TApplication";
    wc.hIcon = LoadIconW(inst, L"MAINICON");
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassW(&wc);
    // A window of no size whose only visible part is the taskbar button.
    handle_ = CreateWindowExW(0, wc.lpszClassName, Cp1251ToWide(Title()).c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, inst, nullptr);
    if (!handle_) throw EOutOfResources("Cannot create the application window");
  }
  return handle_;
}

std::string TApplication::ExeName() const { return ParamStr(0); }

std::string TApplication::Title() {
  if (title_.empty()) return ChangeFileExt(ExtractFileName(ExeName()), "");
  return title_;
}

void TApplication::SetTitle(const std::string& v) {
  title_ = v;
  if (handle_) SetWindowTextW(handle_, Cp1251ToWide(Title()).c_str());
}

void TApplication::AdoptForm(TCustomForm* Form) {
  Form->AfterConstruction();
  if (!main_form_) main_form_ = Form;
}

void TApplication::Run() {
  Handle();
  if (main_form_ && ShowMainForm) main_form_->SetVisible(true);
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) { HandleException(this); }
  }
  // The application owns the forms: they go when the loop ends.
  DestroyComponents();
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  // Handles what is waiting; a timer whose handler outlasts its interval
  // would refill the queue for ever, so a timer ticking a second time within
  // one call ends it.
  std::vector<std::pair<HWND, WPARAM>> timers;
  MSG msg;
  while (ProcessMessage(msg)) {
    if (msg.message != WM_TIMER) continue;
    auto key = std::make_pair(msg.hwnd, msg.wParam);
    if (std::find(timers.begin(), timers.end(), key) != timers.end()) break;
    timers.push_back(key);
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  classlib::FreeDeviceContexts();
  if (OnIdle) OnIdle(this);
  if (!terminated_) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (handled) return true;
  if (hint_window_ && IsWindowVisible(hint_window_) &&
      (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_KEYDOWN))
    HideHint();
  // Ctrl+Tab and Ctrl+Shift+Tab are offered to the focused control and its
  // containers as CM_DIALOGKEY (a page control turns its pages); the first
  // that answers non-zero takes the key.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    HWND h = msg.hwnd;
    TWinControl* c = nullptr;
    while (h && !(c = TWinControl::FindControl(h))) h = GetParent(h);
    for (TWinControl* p = c; p; p = p->Parent())
      if (p->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam)) return true;
  }
  // Tab and Shift+Tab move between the tab stops of a form.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
    HWND h = msg.hwnd;
    TWinControl* c = nullptr;
    while (h && !(c = TWinControl::FindControl(h))) h = GetParent(h);
    LRESULT code =
        msg.hwnd ? SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg))
                 : 0;
    if (c && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
      TWinControl* top = c;
      while (top->Parent()) top = top->Parent();
      if (dynamic_cast<TCustomForm*>(top)) {
        top->SelectNext(c, GetKeyState(VK_SHIFT) >= 0);
        return true;
      }
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr p = std::current_exception();
  if (!p) return;
  try {
    std::rethrow_exception(p);
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  } catch (...) {
    Exception e("Unknown exception");
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string msg = Trim(E.what());
  if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
  classlib::ShowMessageBox(nullptr, msg, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  HWND owner = GetActiveWindow();
  if (!owner && main_form_ && main_form_->HandleAllocated()) owner = main_form_->Handle();
  return classlib::ShowMessageBox(owner, Text, Caption, Flags);
}

void TApplication::Minimize() {
  minimized_forms_.clear();
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->HandleAllocated() && IsWindowVisible(f->Handle())) {
      minimized_forms_.push_back(f->Handle());
      ShowWindow(f->Handle(), SW_HIDE);
    }
  }
  ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  ShowWindow(Handle(), SW_RESTORE);
  for (HWND h : minimized_forms_)
    if (IsWindow(h)) ShowWindow(h, SW_SHOW);
  minimized_forms_.clear();
  if (main_form_ && main_form_->HandleAllocated()) SetForegroundWindow(main_form_->Handle());
}

int TApplication::HookMainWindow(TWindowHook Hook) {
  hooks_.emplace_back(next_hook_, std::move(Hook));
  return next_hook_++;
}

void TApplication::UnhookMainWindow(int Id) {
  hooks_.erase(
      std::remove_if(hooks_.begin(), hooks_.end(), [Id](auto& h) { return h.first == Id; }),
      hooks_.end());
}

LRESULT TApplication::AppMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam};
  // A hook may unhook others (freeing a tray icon does): each is looked up
  // again before its call, and one gone meanwhile is skipped.
  std::vector<int> ids;
  for (const auto& h : hooks_) ids.push_back(h.first);
  for (int id : ids) {
    auto it =
        std::find_if(hooks_.begin(), hooks_.end(), [id](const auto& h) { return h.first == id; });
    if (it == hooks_.end() || !it->second) continue;
    const TWindowHook hook = it->second; // it may unhook itself
    if (hook(m)) return m.Result;
  }
  switch (Msg) {
    case WM_CLOSE:
      if (main_form_) main_form_->Close();
      return 0;
    case WM_SYSCOMMAND:
      switch (WParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
      }
      break;
    case WM_TIMER:
      if (WParam == kHintTimer) {
        HintTick();
        return 0;
      }
      break;
    case WM_QUERYENDSESSION: return !main_form_ || main_form_->CloseQuery();
    case WM_ENDSESSION:
      if (WParam) Terminate();
      return 0;
  }
  return DefWindowProcW(handle_, Msg, WParam, LParam);
}

// --- Hints -----------------------------------------------------------------------------------

namespace {

constexpr UINT kHintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

// A canvas on `dc` in the system's font for tips, for the time of `draw`.
void OnHintCanvas(HDC dc, const std::function<void(TCanvas&)>& draw) {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  TCanvas c;
  c.SetHandle(dc);
  c.Font()->SetName(WideToCp1251(lf.lfFaceName));
  c.Font()->SetHeight(lf.lfHeight);
  c.Font()->SetCharset(lf.lfCharSet);
  if (lf.lfWeight >= FW_BOLD) c.Font()->SetStyle({fsBold});
  draw(c);
  c.SetHandle(nullptr);
}

} // namespace

LRESULT CALLBACK classlib::HintWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT cr;
    GetClientRect(h, &cr);
    OnHintCanvas(dc, [&](TCanvas& c) {
      TRect r = Rect(cr.left, cr.top, cr.right, cr.bottom);
      c.FillRect(r, clInfoBk);
      c.DrawTextTransparent(Application->hint_text_,
                            Rect(r.Left + 3, r.Top + 2, r.Right - 3, r.Bottom - 2), kHintTextFlags,
                            clInfoText);
    });
    EndPaint(h, &ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(h, msg, wp, lp);
}

void TApplication::HintHook(TControl* c, bool entered) {
  TApplication* a = Application;
  if (!a) return;
  if (entered) {
    a->mouse_control_ = c;
    a->HideHint();
    // The short hint: the text before a "|".
    std::string text = c->Hint().substr(0, c->Hint().find('|'));
    if (!a->ShowHint || !c->ShowHint() || text.empty()) {
      a->hint_control_ = nullptr;
      return;
    }
    a->hint_control_ = c;
    SetTimer(a->Handle(), kHintTimer, static_cast<UINT>(a->HintPause), nullptr);
  } else {
    if (c == a->mouse_control_) a->mouse_control_ = nullptr;
    if (c != a->hint_control_) return;
    a->hint_control_ = nullptr;
    KillTimer(a->Handle(), kHintTimer);
    a->HideHint();
  }
}

void TApplication::CancelHint() {
  KillTimer(Handle(), kHintTimer);
  HideHint();
  hint_control_ = nullptr;
  if (mouse_control_) HintHook(mouse_control_, true);
}

void TApplication::HintTick() {
  KillTimer(Handle(), kHintTimer);
  if (hint_window_ && IsWindowVisible(hint_window_)) {
    HideHint(); // shown long enough
  } else if (hint_control_) {
    ShowHintFor(hint_control_);
    SetTimer(Handle(), kHintTimer, static_cast<UINT>(HintHidePause), nullptr);
  }
}

void TApplication::ShowHintFor(TControl* c) {
  if (!hint_window_) {
    WNDCLASSW wc{};
    wc.style = CS_SAVEBITS | CS_DROPSHADOW;
    wc.lpfnWndProc = classlib::HintWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"THintWindow";
    RegisterClassW(&wc);
    hint_window_ =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                        WS_POPUP | WS_BORDER, 0, 0, 0, 0, Handle(), nullptr, wc.hInstance, nullptr);
  }
  hint_text_ = c->Hint().substr(0, c->Hint().find('|'));
  // The tip's text is also its window text, for whoever reads the screen.
  SetWindowTextW(hint_window_, Cp1251ToWide(hint_text_).c_str());
  TRect r = Rect(0, 0, 300, 0);
  HDC dc = GetDC(hint_window_);
  OnHintCanvas(
      dc, [&](TCanvas& canvas) { canvas.DrawText(hint_text_, r, kHintTextFlags | DT_CALCRECT); });
  ReleaseDC(hint_window_, dc);
  int w = r.Right + 8, h = r.Bottom + 6;
  POINT p;
  GetCursorPos(&p);
  TRect wa = Screen->WorkAreaRect();
  int x = std::min<int>(p.x, wa.Right - w), y = p.y + 20;
  if (y + h > wa.Bottom) y = p.y - h - 4;
  SetWindowPos(hint_window_, HWND_TOPMOST, std::max(x, wa.Left), std::max(y, wa.Top), w, h,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hint_window_, nullptr, TRUE);
}

void TApplication::HideHint() {
  if (hint_window_) ShowWindow(hint_window_, SW_HIDE);
}

// --- TScreen -----------------------------------------------------------------------------------

TRect TScreen::WorkAreaRect() const {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return Rect(r.left, r.top, r.right, r.bottom);
}

TRect TScreen::DesktopRect() const {
  return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}
