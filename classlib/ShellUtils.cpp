// Shell open and process start (see ShellUtils.h).
#include "classlib/ShellUtils.h"

#include <shellapi.h>

#include "classlib/Cp1251.h"

bool classlib::ShellOpen(const std::string& Target, const std::string& Verb,
                         const std::string& Parameters, const std::string& Directory, int Show,
                         HWND Owner) {
  std::wstring t = Cp1251ToWide(Target), v = Cp1251ToWide(Verb), p = Cp1251ToWide(Parameters),
               d = Cp1251ToWide(Directory);
  HINSTANCE r =
      ShellExecuteW(Owner, v.empty() ? nullptr : v.c_str(), t.c_str(),
                    p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), Show);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

bool classlib::StartProcess(const std::string& CommandLine, const std::string& Directory, int Show,
                            bool Wait, DWORD* ExitCode) {
  std::wstring cmd = Cp1251ToWide(CommandLine), dir = Cp1251ToWide(Directory);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(Show);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                      dir.empty() ? nullptr : dir.c_str(), &si, &pi))
    return false;
  if (Wait) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    if (ExitCode) GetExitCodeProcess(pi.hProcess, ExitCode);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}
