// SendInput-based driving of windows for the control tests (see the header).
#include "classlib/tests/controls_test_input.h"

#include <vector>

#include "classlib/tests/support/MessagePump.h"
#include "classlib/tests/support/Screenshot.h"

namespace testinput {

void (*ProcessHook)() = nullptr;

void Pump(int ms) { test_support::Pump(ms, ProcessHook); }

void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(INPUT));
}

void MoveTo(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  SetCursorPos(p.x, p.y);
  // A zero relative move makes the system see the pointer at its new place.
  SendMouse(MOUSEEVENTF_MOVE);
  Pump(30);
}

void Click(HWND wnd, int x, int y, bool right) {
  MoveTo(wnd, x, y);
  SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  Pump(60);
}

void DoubleClick(HWND wnd, int x, int y) {
  MoveTo(wnd, x, y);
  for (int i = 0; i < 2; ++i) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
  }
  Pump(80);
}

void MouseDown(HWND wnd, int x, int y) {
  MoveTo(wnd, x, y);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump(30);
}

void MouseUp() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  Pump(30);
}

void ClickCentre(HWND wnd, bool right) {
  RECT r;
  GetClientRect(wnd, &r);
  Click(wnd, r.right / 2, r.bottom / 2, right);
}

void MoveToScreen(POINT p) {
  SetCursorPos(p.x, p.y);
  SendMouse(MOUSEEVENTF_MOVE);
  Pump(30);
}

void DragAlong(POINT from, POINT to, int steps, bool release) {
  MoveToScreen(from);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump(30);
  for (int i = 1; i <= steps; ++i)
    MoveToScreen(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  if (release) MouseUp();
}

static void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

void Key(WORD vk, bool shift) {
  if (shift) SendKey(VK_SHIFT, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (shift) SendKey(VK_SHIFT, true);
  Pump(40);
}

void Type(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1] = in[0];
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
  Pump(60);
}

void KeyHolding(WORD modifier, WORD vk) {
  SendKey(modifier, false);
  SendKey(vk, false);
  SendKey(vk, true);
  SendKey(modifier, true);
  Pump(60);
}

void TypeHolding(WORD modifier, const std::wstring& text) {
  SendKey(modifier, false);
  Type(text);
  SendKey(modifier, true);
  Pump(60);
}

void AltCharacterAsALayoutGivesIt(MSG& msg, bool&) {
  // Such a message has the flag in its character and not in its key data.
  const LPARAM alt = static_cast<LPARAM>(KF_ALTDOWN) << 16;
  if (msg.message == WM_SYSCHAR && (msg.wParam & KF_ALTDOWN) && !(msg.lParam & alt)) {
    msg.wParam &= ~static_cast<WPARAM>(KF_ALTDOWN);
    msg.lParam |= alt;
  }
}

void Activate(HWND top) {
  ShowWindow(top, SW_SHOW);
  SetForegroundWindow(top);
  SetActiveWindow(top);
  Pump(150);
}

std::thread ChooseMenuItem(int downs) {
  return std::thread([downs] {
    for (int i = 0; i < 300 && !FindWindowW(L"#32768", nullptr); ++i) Sleep(10);
    Sleep(100);
    auto key = [](WORD vk) {
      INPUT in[2]{};
      in[0].type = in[1].type = INPUT_KEYBOARD;
      in[0].ki.wVk = in[1].ki.wVk = vk;
      in[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, in, sizeof(INPUT));
    };
    for (int i = 0; i < downs; ++i) {
      key(VK_DOWN);
      Sleep(50);
    }
    key(VK_RETURN);
    for (int i = 0; i < 200; ++i) {
      HWND menu = FindWindowW(L"#32768", nullptr);
      if (!menu || !IsWindowVisible(menu)) return;
      Sleep(10);
    }
    if (HWND menu = FindWindowW(L"#32768", nullptr)) PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  });
}

bool SaveScreenshot(HWND wnd, const std::wstring& path) {
  RECT r, screen_rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWindowRect(wnd, &r);
  // The part on screen: a source reaching past the screen copies nothing.
  IntersectRect(&r, &r, &screen_rect);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  const bool ok = test_support::SaveDcBmp(screen, r.left, r.top, w, h, path);
  ReleaseDC(nullptr, screen);
  return ok;
}

} // namespace testinput
