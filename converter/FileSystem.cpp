// Platform side of the companion's file access (see FileSystem.h).
#include "converter/FileSystem.h"

#include <cerrno>
#include <cstring>

#include "classlib/SysUtils.h"

#ifdef _WIN32
#include "classlib/WinApi.h"

#include "classlib/Cp1251.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& s) { return Cp1251ToWide(s); }
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
int LastError() { return static_cast<int>(GetLastError()); }
#else
int LastError() { return errno; }
#endif

} // namespace

TFileHandle::~TFileHandle() {
  if (IsOpen()) {
#ifdef _WIN32
    CloseHandle(AsHandle(handle_));
#else
    ::close(static_cast<int>(handle_));
#endif
  }
}

bool TFileHandle::IsOpen() const { return handle_ != -1; }

void TFileHandle::Fail(const char* what) const {
  int code = LastError();
  throw EInOutError(std::string(what) + " \"" + name_ + "\" (error " + std::to_string(code) + ")",
                    code);
}

void TFileHandle::Open(const std::string& name, TOpenMode mode) {
  if (!TryOpen(name, mode)) {
    name_ = name;
    Fail("File already exists:");
  }
}

bool TFileHandle::TryOpen(const std::string& name, TOpenMode mode) {
  if (IsOpen()) Close();
  name_ = name;
#ifdef _WIN32
  DWORD disposition = mode == TOpenMode::Existing       ? OPEN_EXISTING
                      : mode == TOpenMode::CreateAlways ? CREATE_ALWAYS
                                                        : CREATE_NEW;
  HANDLE h = CreateFileW(Wide(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    if (mode == TOpenMode::CreateExclusive && (e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS))
      return false;
    Fail(mode == TOpenMode::Existing ? "Cannot open file" : "Cannot create file");
  }
  handle_ = reinterpret_cast<intptr_t>(h);
#else
  int flags = O_RDWR | O_CLOEXEC;
  if (mode == TOpenMode::CreateAlways) flags |= O_CREAT | O_TRUNC;
  if (mode == TOpenMode::CreateExclusive) flags |= O_CREAT | O_EXCL;
  int fd = ::open(name.c_str(), flags, 0644);
  if (fd < 0) {
    if (mode == TOpenMode::CreateExclusive && errno == EEXIST) return false;
    Fail(mode == TOpenMode::Existing ? "Cannot open file" : "Cannot create file");
  }
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    Fail("Cannot open file");
  }
  handle_ = fd;
#endif
  return true;
}

void TFileHandle::Seek(uint32_t offset) {
#ifdef _WIN32
  LARGE_INTEGER to;
  to.QuadPart = offset;
  if (!SetFilePointerEx(AsHandle(handle_), to, nullptr, FILE_BEGIN)) Fail("Seek failed in");
#else
  if (::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) < 0)
    Fail("Seek failed in");
#endif
}

void TFileHandle::ReadExact(void* dest, uint32_t count) {
  auto* p = static_cast<char*>(dest);
  while (count > 0) {
#ifdef _WIN32
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), p, count, &got, nullptr)) Fail("Read failed in");
#else
    ssize_t got = ::read(static_cast<int>(handle_), p, count);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail("Read failed in");
#endif
    if (got == 0) {
      // The file is shorter than the window expects: someone cut it under us.
      throw EInOutError("Unexpected end of file \"" + name_ + "\"", 38);
    }
    p += got;
    count -= static_cast<uint32_t>(got);
  }
}

void TFileHandle::WriteAll(const void* src, uint32_t count) {
  auto* p = static_cast<const char*>(src);
  while (count > 0) {
#ifdef _WIN32
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle_), p, count, &put, nullptr)) Fail("Write failed in");
#else
    ssize_t put = ::write(static_cast<int>(handle_), p, count);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) Fail("Write failed in");
#endif
    if (put == 0) throw EInOutError("Disk full writing \"" + name_ + "\"", 101);
    p += put;
    count -= static_cast<uint32_t>(put);
  }
}

void TFileHandle::TruncateHere() {
#ifdef _WIN32
  if (!SetEndOfFile(AsHandle(handle_))) Fail("Truncate failed in");
#else
  off_t at = ::lseek(static_cast<int>(handle_), 0, SEEK_CUR);
  if (at < 0 || ::ftruncate(static_cast<int>(handle_), at) != 0) Fail("Truncate failed in");
#endif
}

uint64_t TFileHandle::Length() {
#ifdef _WIN32
  LARGE_INTEGER n;
  if (!GetFileSizeEx(AsHandle(handle_), &n)) Fail("Cannot get size of");
  return static_cast<uint64_t>(n.QuadPart);
#else
  struct stat st;
  if (::fstat(static_cast<int>(handle_), &st) != 0) Fail("Cannot get size of");
  return static_cast<uint64_t>(st.st_size);
#endif
}

void TFileHandle::Close() {
  if (!IsOpen()) return;
  intptr_t h = handle_;
  handle_ = -1;
#ifdef _WIN32
  if (!CloseHandle(AsHandle(h))) Fail("Close failed in");
#else
  if (::close(static_cast<int>(h)) != 0) Fail("Close failed in");
#endif
}

bool PathExists(const std::string& name) {
#ifdef _WIN32
  return GetFileAttributesW(Wide(name).c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat st;
  return ::lstat(name.c_str(), &st) == 0;
#endif
}

bool IsDirectoryPath(const std::string& name) {
#ifdef _WIN32
  DWORD a = GetFileAttributesW(Wide(name).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
#else
  struct stat st;
  return ::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool ClearReadOnly(const std::string& name) {
#ifdef _WIN32
  std::wstring w = Wide(name);
  DWORD a = GetFileAttributesW(w.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  if (!(a & FILE_ATTRIBUTE_READONLY)) return true;
  return SetFileAttributesW(w.c_str(), a & ~DWORD(FILE_ATTRIBUTE_READONLY)) != 0;
#else
  struct stat st;
  if (::stat(name.c_str(), &st) != 0) return false;
  if (st.st_mode & S_IWUSR) return true;
  return ::chmod(name.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
#endif
}

void ListFolder(const std::string& folder,
                const std::function<void(const std::string&, bool)>& visit) {
#ifdef _WIN32
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Wide(folder + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::wstring n = fd.cFileName;
    if (n == L"." || n == L"..") continue;
    // A junction may lead back up the tree: treat it as a leaf.
    bool dir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
               !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    bool fits = true;
    std::string narrow = WideToCp1251(n, &fits);
    if (fits) visit(narrow, dir); // a name 1251 can't hold is not one of ours
  } while (FindNextFileW(h, &fd));
  FindClose(h);
#else
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n == "." || n == "..") continue;
    struct stat st;
    bool dir = ::lstat((folder + "/" + n).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    visit(n, dir);
  }
  ::closedir(d);
#endif
}
