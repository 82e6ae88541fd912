// Korvalis.exe started as a separate program from a player folder of its own
// (the programs copied in), and what a person sees of it: its windows and
// message boxes.
#pragma once

#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

namespace playerproc {

inline std::wstring ExeFolder() {
  wchar_t buf[MAX_PATH];
  GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring s = buf;
  return s.substr(0, s.find_last_of(L'\\') + 1);
}

inline void PutFile(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
}

inline bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::wstring Text(HWND h) {
  wchar_t buf[512] = {};
  GetWindowTextW(h, buf, 512);
  return buf;
}

struct FoundWindows {
  DWORD pid = 0;
  std::vector<HWND> found;
};

inline BOOL CALLBACK CollectWindow(HWND h, LPARAM l) {
  auto* c = reinterpret_cast<FoundWindows*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == c->pid && IsWindowVisible(h)) c->found.push_back(h);
  return TRUE;
}

inline BOOL CALLBACK CollectStaticText(HWND c, LPARAM l) {
  wchar_t k[64] = {};
  GetClassNameW(c, k, 64);
  if (_wcsicmp(k, L"Static") == 0 && GetWindowTextLengthW(c) > 0)
    *reinterpret_cast<std::wstring*>(l) += Text(c);
  return TRUE;
}

// A player folder of its own, with the programs copied in.
class PlayerProcess {
 public:
  PlayerProcess(const std::wstring& name, const std::wstring& library) {
    dir_ = Cp1251ToWide(GetTempDir()) + L"Korvalis старт\\" + name + L"\\";
    ForceDirectories(WideToCp1251(dir_ + L"INI"));
    ForceDirectories(WideToCp1251(dir_ + L"AUDIO\\Станция 1"));
    CopyFileW((ExeFolder() + L"Korvalis.exe").c_str(), (dir_ + L"Korvalis.exe").c_str(), FALSE);
    CopyFileW(library.c_str(), (dir_ + L"bass.dll").c_str(), FALSE);
    PutFile(dir_ + L"INI\\zap.ini", "TRUE\r\n0\r\n\r\n");
    PutFile(dir_ + L"INI\\k1.ini", "");
    PutFile(dir_ + L"INI\\favoritkanel.ini", "");
  }
  ~PlayerProcess() {
    if (pi_.hProcess) {
      TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  const std::wstring& Dir() const { return dir_; }

  // Starts the program from another current folder; `extraEnv` is added to
  // the environment ("NAME=value").
  void Start(const std::wstring& extraEnv = L"") {
    std::wstring env;
    for (wchar_t *e = GetEnvironmentStringsW(), *p = e; *p; p += wcslen(p) + 1) {
      if (!extraEnv.empty() && _wcsnicmp(p, extraEnv.c_str(), extraEnv.find(L'=') + 1) == 0)
        continue;
      env.append(p).push_back(L'\0');
    }
    if (!extraEnv.empty()) env.append(extraEnv).push_back(L'\0');
    env.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + dir_ + L"Korvalis.exe\"";
    ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE,
                               CREATE_UNICODE_ENVIRONMENT, &env[0], ExeFolder().c_str(), &si,
                               &pi_));
  }

  // The visible top-level windows of the program.
  std::vector<HWND> Windows() const {
    FoundWindows ctx;
    ctx.pid = pi_.dwProcessId;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
  }
  HWND WaitForWindow(const std::wstring& caption, int ms = 20000) const {
    for (int t = 0; t < ms; t += 50) {
      for (HWND h : Windows())
        if (Text(h) == caption) return h;
      Sleep(50);
    }
    return nullptr;
  }
  // The first message box of the program: its window and its message text.
  HWND WaitForBox(std::wstring& message, int ms = 20000) const {
    for (int t = 0; t < ms; t += 50) {
      for (HWND h : Windows()) {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        if (std::wstring(cls) != L"#32770") continue;
        message.clear();
        EnumChildWindows(h, CollectStaticText, reinterpret_cast<LPARAM>(&message));
        if (!message.empty()) return h;
      }
      Sleep(50);
    }
    return nullptr;
  }
  // Asks the main window to close; the exit code, or -1 when it did not end.
  int CloseAndWait(HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, 20000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
    pi_ = {};
    return static_cast<int>(code);
  }
  bool Answers(HWND h) const {
    DWORD_PTR r;
    return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &r) != 0;
  }

 private:
  std::wstring dir_;
  PROCESS_INFORMATION pi_{};
};

} // namespace playerproc
