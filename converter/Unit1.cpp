// The companion's window and its timed run (see Unit1.h).
#include "Unit1.h"

#include "Cp1251.h"
#include "FileSystem.h"
#include "SysUtils.h"

TForm1::TForm1() : Run([] { Terminate(); }) {}

TForm1::~TForm1() {
  if (Handle) DestroyWindow(Handle);
}

void TForm1::Terminate() { PostQuitMessage(0); }

void TForm1::Create() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TForm1";
  RegisterClassW(&wc);
  // Borderless, on top, translucent, 344 x 44; never shown.
  Handle = CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"TForm1", L"Tamzo",
                           WS_POPUP, 0, 0, 344, 44, nullptr, nullptr, wc.hInstance, this);
  SetLayeredWindowAttributes(Handle, 0, 150, LWA_ALPHA);
  FormCreate();
  SetTimer(Handle, kTimer1, kInterval, nullptr);
}

void TForm1::FormCreate() {
  Run.Start(HandOverPath(ProgramFolder()));
  Label2 = Run.Bitrate + " Кгц";
  Label4 = Run.InputName;
}

void TForm1::Timer1Timer() { Run.Tick(); }

void TForm1::FormClose() { Run.ReleaseAudio(); }

LRESULT CALLBACK TForm1::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (form && msg == WM_TIMER && wp == kTimer1) {
    form->Timer1Timer();
    return 0;
  }
  if (form && msg == WM_CLOSE) form->FormClose();
  return DefWindowProcW(wnd, msg, wp, lp);
}
