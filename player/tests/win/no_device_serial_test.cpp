// Korvalis.exe with no output device: the library's failure is reported
// with its code and the program keeps running. Runs alone: it switches the
// Wine prefix's audio driver off for the moment the program starts.
#include <gtest/gtest.h>

#include "player/tests/win/PlayerProcess.h"

using namespace playerproc;

namespace {

// Sets the prefix's audio driver list while it lives, then restores it.
class AudioDriver {
 public:
  explicit AudioDriver(const std::wstring& value) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key_, nullptr);
    wchar_t buf[256] = {};
    DWORD size = sizeof buf, type = 0;
    had_ = RegQueryValueExW(key_, L"Audio", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) ==
           ERROR_SUCCESS;
    old_ = buf;
    Set(value);
  }
  ~AudioDriver() {
    if (had_)
      Set(old_);
    else
      RegDeleteValueW(key_, L"Audio");
    RegCloseKey(key_);
  }

 private:
  void Set(const std::wstring& v) {
    RegSetValueExW(key_, L"Audio", 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                   static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  bool had_ = false;
  std::wstring old_;
};

TEST(ProgramStart, NoOutputDeviceIsReportedWithTheLibrarysCode) {
  PlayerProcess p(L"Без звука", ExeFolder() + L"bass.dll");
  std::wstring message;
  HWND box = nullptr;
  {
    AudioDriver none(L"");
    p.Start();
    box = p.WaitForBox(message);
  }
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(message, L"Can't initialize device\r\n(error code: 3)");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  const HWND main = p.WaitForWindow(L"Korvalis  7.5");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(p.CloseAndWait(main), 0);
}

} // namespace
