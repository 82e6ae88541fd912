// File handles by UTF-16 names (see SysUtils.h): on Windows the name goes to
// the wide API as it is; natively it becomes the UTF-8 path, '\' read as '/'.
#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

#ifdef _WIN32
#include "classlib/WinApi.h"
#else
#include <algorithm>
#endif

namespace {

#ifdef _WIN32
std::wstring Native(const std::u16string& name) { return std::wstring(name.begin(), name.end()); }
#else
std::string Native(const std::u16string& name) {
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    char32_t cp = name[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
        name[i + 1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (name[++i] - 0xDC00);
    classlib::AppendUtf8(out, cp == '\\' ? U'/' : cp);
  }
  return out;
}
#endif

} // namespace

#ifdef _WIN32

THandle classlib::FileOpenW(const std::u16string& name, int mode) {
  static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  DWORD share = (mode & fmShareDenyWrite) ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE h = CreateFileW(Native(name).c_str(), kAccess[(mode & 3) < 3 ? mode & 3 : 0], share,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? classlib::kInvalidFile : reinterpret_cast<THandle>(h);
}

THandle classlib::FileCreateW(const std::u16string& name) {
  HANDLE h = CreateFileW(Native(name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? classlib::kInvalidFile : reinterpret_cast<THandle>(h);
}

bool classlib::RenameFileReplacingW(const std::u16string& from, const std::u16string& to) {
  // Windows refuses a read-only target; not every implementation of the API
  // does, so it is checked here too.
  DWORD a = GetFileAttributesW(Native(to).c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return MoveFileExW(Native(from).c_str(), Native(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool classlib::SysDeleteFileW(const std::u16string& name) {
  return DeleteFileW(Native(name).c_str());
}

#else

// Natively the narrow functions take the path's bytes as they are.
THandle classlib::FileOpenW(const std::u16string& name, int mode) {
  return FileOpen(Native(name), mode);
}
THandle classlib::FileCreateW(const std::u16string& name) { return FileCreate(Native(name)); }
bool classlib::RenameFileReplacingW(const std::u16string& from, const std::u16string& to) {
  return classlib::RenameFileReplacing(Native(from), Native(to));
}
bool classlib::SysDeleteFileW(const std::u16string& name) {
  return classlib::SysDeleteFile(Native(name));
}

#endif
