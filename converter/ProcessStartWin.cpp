// Starting the encoder on Windows: the command line as built (the program is
// found by the system's usual reading of an unquoted path), no inherited
// handles, the caller's environment and folder, a hidden window, and a wait
// without time limit.
#include "classlib/WinApi.h"

#include "classlib/Cp1251.h"
#include "converter/MP3_Format.h"
#include "classlib/SysUtils.h"

namespace {

class TWinProcessStarter : public TProcessStarter {
 public:
  uint32_t RunAndWait(const std::string& commandLine, uint32_t creationFlags) override {
    std::wstring line = Cp1251ToWide(commandLine);
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof pi);
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr,
                        &si, &pi)) {
      int code = static_cast<int>(GetLastError());
      throw EInOutError("Cannot start " + commandLine + " (error " + std::to_string(code) + ")",
                        code);
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD exitCode = 1;
    if (!GetExitCodeProcess(pi.hProcess, &exitCode)) exitCode = 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return exitCode;
  }
};

} // namespace

TProcessStarter& PlatformProcessStarter() {
  static TWinProcessStarter starter;
  return starter;
}
