// The player's windows under test read and write their files in a scratch
// player folder; message boxes are answered by the test and recorded.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "classlib/tests/controls_test_input.h"
#include "player/PlayerFolderCore.h"

class PlayerTestFolder {
 public:
  explicit PlayerTestFolder(const std::string& name)
      : dir_(IncludeTrailingPathDelimiter(GetTempDir() + name)) {
    ForceDirectories(dir_ + "INI");
    SetPlayerFolder(dir_);
  }
  ~PlayerTestFolder() { SetPlayerFolder(""); }
  std::string Ini(const std::string& file) const { return dir_ + "INI\\" + file; }
  void Put(const std::string& file, const std::string& bytes) const {
    SetReadOnly(file, false);
    TFileStream f(Ini(file), fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  std::string Read(const std::string& file) const {
    TMemoryStream m;
    m.LoadFromFile(Ini(file));
    return std::string(static_cast<char*>(m.Memory()), static_cast<size_t>(m.Size()));
  }
  void Remove(const std::string& file) const {
    SetReadOnly(file, false);
    DeleteFile(Ini(file));
  }
  void SetReadOnly(const std::string& file, bool on) const {
    SetFileAttributesW(Cp1251ToWide(Ini(file)).c_str(),
                       on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
  }

 private:
  std::string dir_;
};

// Message boxes shown while it lives: their texts, answered with OK.
class BoxRecorder {
 public:
  BoxRecorder() {
    classlib::MessageBoxHook = [this](HWND, const std::string& text, const std::string&, UINT) {
      texts.push_back(text);
      return IDOK;
    };
  }
  ~BoxRecorder() { classlib::MessageBoxHook = nullptr; }
  std::vector<std::string> texts;
};

// Writes a screenshot of a window beside the test program, for the report.
inline void Screenshot(HWND wnd, const std::string& name) {
  testinput::Pump(200);
  testinput::SaveScreenshot(wnd,
                            Cp1251ToWide(IncludeTrailingPathDelimiter(GetCurrentDir()) + name));
}

inline std::wstring WindowText(HWND h) {
  wchar_t buf[512] = {};
  GetWindowTextW(h, buf, 512);
  return buf;
}
