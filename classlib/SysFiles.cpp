// File names, files, folders and raw file handles of SysUtils.h.
//
// Windows: 1251 names become UTF-16 and go to the wide API. Elsewhere: the
// name's bytes are the POSIX path, with '\' read as '/'.
#include "classlib/SysUtils.h"

#include <algorithm>
#include <cstring>

#include "classlib/Cp1251.h"

#ifdef _WIN32
#include "classlib/WinApi.h"
#include <shellapi.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#endif

// --- File names -------------------------------------------------------------------

#ifdef _WIN32
const char PathDelim = '\\';
#else
const char PathDelim = '/';
#endif

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

namespace {

// Index of the last separator (or drive colon), npos when none.
size_t LastDelimiter(const std::string& name) {
  for (size_t i = name.size(); i-- > 0;)
    if (IsPathDelimiter(name[i]) || name[i] == ':') return i;
  return std::string::npos;
}

#ifdef _WIN32
std::wstring Native(const std::string& name) { return Cp1251ToWide(name); }
std::u16string Utf16(const std::string& name) {
  std::wstring w = Cp1251ToWide(name);
  return std::u16string(w.begin(), w.end());
}
#else
std::string Native(const std::string& name) {
  std::string r = name;
  std::replace(r.begin(), r.end(), '\\', '/');
  return r;
}
#endif

} // namespace

std::string ExtractFilePath(const std::string& name) {
  size_t p = LastDelimiter(name);
  return p == std::string::npos ? "" : name.substr(0, p + 1);
}

std::string ExtractFileDir(const std::string& name) {
  size_t p = LastDelimiter(name);
  if (p == std::string::npos) return "";
  // Keep the separator of a root ("C:\", "/").
  if (p > 0 && IsPathDelimiter(name[p]) && name[p - 1] != ':' && !IsPathDelimiter(name[p - 1]))
    return name.substr(0, p);
  return name.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& name) {
  size_t p = LastDelimiter(name);
  return p == std::string::npos ? name : name.substr(p + 1);
}

std::string ExtractFileExt(const std::string& name) {
  size_t p = name.find_last_of(".\\/:");
  return p != std::string::npos && name[p] == '.' ? name.substr(p) : "";
}

std::string ChangeFileExt(const std::string& name, const std::string& ext) {
  size_t p = name.find_last_of(".\\/:");
  if (p == std::string::npos || name[p] != '.') return name + ext;
  return name.substr(0, p) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && IsPathDelimiter(path.back())) return path;
  return path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && IsPathDelimiter(path.back())) return path.substr(0, path.size() - 1);
  return path;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  std::string n = AnsiUpperCase(name), m = AnsiUpperCase(mask);
  // "*.*" matches names without a dot as well, as the shell does.
  if (m == "*.*") return true;
  size_t ni = 0, mi = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == '?' || m[mi] == n[ni])) {
      ++ni;
      ++mi;
    } else if (mi < m.size() && m[mi] == '*') {
      star = mi++;
      mark = ni;
    } else if (star != std::string::npos) {
      mi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == '*') ++mi;
  return mi == m.size();
}

// --- Files and folders -------------------------------------------------------------

#ifdef _WIN32

namespace {
TDateTime FromFileTime(const FILETIME& ft) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  return EncodeDate(st.wYear, st.wMonth, st.wDay) +
         EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

// A path from the system in 1251. One with characters the code page lacks
// would come back with '?' in their place and name nothing; its short form
// has none of them and still names the same file or folder.
std::string FromNative(const std::wstring& path) {
  bool lossless = true;
  std::string r = WideToCp1251(path, &lossless);
  if (lossless) return r;
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return r;
  std::wstring shortPath(n, L'\0');
  n = GetShortPathNameW(path.c_str(), &shortPath[0], n);
  if (n == 0 || n >= shortPath.size()) return r;
  shortPath.resize(n);
  std::string s = WideToCp1251(shortPath, &lossless);
  return lossless ? s : r;
}
} // namespace

bool FileExists(const std::string& name) {
  DWORD a = GetFileAttributesW(Native(name).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
bool DirectoryExists(const std::string& name) {
  DWORD a = GetFileAttributesW(Native(name).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
bool CreateDir(const std::string& name) { return CreateDirectoryW(Native(name).c_str(), nullptr); }
bool RemoveDir(const std::string& name) { return RemoveDirectoryW(Native(name).c_str()); }
bool classlib::SysDeleteFile(const std::string& name) {
  return ::DeleteFileW(Native(name).c_str());
}
bool RenameFile(const std::string& from, const std::string& to) {
  return MoveFileW(Native(from).c_str(), Native(to).c_str());
}
bool classlib::RenameFileReplacing(const std::string& from, const std::string& to) {
  return classlib::RenameFileReplacingW(Utf16(from), Utf16(to));
}
int FileGetAttr(const std::string& name) {
  DWORD a = GetFileAttributesW(Native(name).c_str());
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int>(a & 0x3F);
}
bool FileSetAttr(const std::string& name, int attr) {
  DWORD a = static_cast<DWORD>(attr & (faReadOnly | faHidden | faSysFile | faArchive));
  return SetFileAttributesW(Native(name).c_str(), a ? a : FILE_ATTRIBUTE_NORMAL);
}
int64_t FileSize(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(Native(name).c_str(), GetFileExInfoStandard, &d)) return -1;
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}
std::string GetTempDir() {
  // TEMP names the folder; the system's own choice stands in when it is unset.
  DWORD n = GetEnvironmentVariableW(L"TEMP", nullptr, 0);
  std::wstring dir(n, L'\0');
  if (n > 0) n = GetEnvironmentVariableW(L"TEMP", &dir[0], n);
  if (n == 0 || n >= dir.size()) {
    wchar_t buf[MAX_PATH + 1];
    n = GetTempPathW(MAX_PATH + 1, buf);
    dir.assign(buf, n);
  } else {
    dir.resize(n);
  }
  return IncludeTrailingPathDelimiter(FromNative(dir));
}
std::string GetCurrentDir() {
  wchar_t buf[MAX_PATH + 1];
  DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, buf);
  return FromNative(std::wstring(buf, n));
}
std::string ParamStr(int index) {
  if (index == 0) {
    std::wstring buf(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
    return FromNative(buf.substr(0, n));
  }
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string r = argv && index > 0 && index < argc ? FromNative(argv[index]) : "";
  LocalFree(argv);
  return r;
}
int ParamCount() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  LocalFree(argv);
  return argc > 0 ? argc - 1 : 0;
}

int FindFirst(const std::string& pattern, int attr, TSearchRec& rec) {
  rec = TSearchRec();
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Native(pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  const int excluded = ~attr & (faHidden | faSysFile | faDirectory);
  do {
    TSearchRec e;
    e.Attr = static_cast<int>(fd.dwFileAttributes & 0x3F);
    if (e.Attr & excluded) continue;
    bool lossless = true;
    e.Name = WideToCp1251(fd.cFileName, &lossless);
    if (!lossless && fd.cAlternateFileName[0]) e.Name = WideToCp1251(fd.cAlternateFileName);
    e.Size = (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    e.Time = FromFileTime(fd.ftLastWriteTime);
    rec.pending_.push_back(e);
  } while (FindNextFileW(h, &fd));
  ::FindClose(h);
  return FindNext(rec);
}

#else // POSIX

bool FileExists(const std::string& name) {
  struct stat st;
  return stat(Native(name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}
bool DirectoryExists(const std::string& name) {
  struct stat st;
  return stat(Native(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
bool CreateDir(const std::string& name) { return mkdir(Native(name).c_str(), 0777) == 0; }
bool RemoveDir(const std::string& name) { return rmdir(Native(name).c_str()) == 0; }
bool classlib::SysDeleteFile(const std::string& name) {
  struct stat st;
  std::string n = Native(name);
  return stat(n.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && unlink(n.c_str()) == 0;
}
bool RenameFile(const std::string& from, const std::string& to) {
  // Like the Windows move: an existing target is not replaced.
  if (FileExists(to) || DirectoryExists(to)) return false;
  return rename(Native(from).c_str(), Native(to).c_str()) == 0;
}
int FileGetAttr(const std::string& name) {
  struct stat st;
  if (stat(Native(name).c_str(), &st) != 0) return -1;
  int a = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
  if (!(st.st_mode & 0222)) a |= faReadOnly;
  return a;
}
bool FileSetAttr(const std::string& name, int attr) {
  struct stat st;
  std::string n = Native(name);
  if (stat(n.c_str(), &st) != 0) return false;
  mode_t m = st.st_mode & 07777;
  m = (attr & faReadOnly) ? (m & ~0222) : (m | 0200);
  return chmod(n.c_str(), m) == 0;
}
bool classlib::RenameFileReplacing(const std::string& from, const std::string& to) {
  // rename() would replace a file without write permission; Windows refuses
  // a read-only target, and so does this (by the mode bits, which hold for
  // root too).
  struct stat st;
  if (stat(Native(to).c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && !(st.st_mode & 0222)) {
    errno = EACCES;
    return false;
  }
  return rename(Native(from).c_str(), Native(to).c_str()) == 0;
}
int64_t FileSize(const std::string& name) {
  struct stat st;
  if (stat(Native(name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return st.st_size;
}
std::string GetTempDir() {
  const char* t = std::getenv("TEMP");
  if (!t || !*t) t = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(t && *t ? t : "/tmp");
}
std::string GetCurrentDir() {
  char buf[4096];
  return getcwd(buf, sizeof buf) ? buf : "";
}
std::string ParamStr(int index) {
  if (index == 0) {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : "";
  }
  std::ifstream f("/proc/self/cmdline", std::ios::binary);
  std::string arg;
  for (int i = 0; std::getline(f, arg, '\0'); ++i)
    if (i == index) return arg;
  return "";
}
int ParamCount() {
  std::ifstream f("/proc/self/cmdline", std::ios::binary);
  std::string arg;
  int n = 0;
  while (std::getline(f, arg, '\0')) ++n;
  return n > 0 ? n - 1 : 0;
}

int FindFirst(const std::string& pattern, int attr, TSearchRec& rec) {
  rec = TSearchRec();
  std::string dir = ExtractFilePath(pattern), mask = ExtractFileName(pattern);
  DIR* d = opendir(dir.empty() ? "." : Native(dir).c_str());
  if (!d) return errno ? errno : ENOENT;
  while (dirent* ent = readdir(d)) {
    TSearchRec e;
    e.Name = ent->d_name;
    if (!MatchesMask(e.Name, mask)) continue;
    struct stat st;
    if (stat(Native(dir + e.Name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      e.Attr |= faDirectory;
    else
      e.Attr |= faArchive;
    if (access(Native(dir + e.Name).c_str(), W_OK) != 0) e.Attr |= faReadOnly;
    if ((e.Attr & faDirectory) && !(attr & faDirectory)) continue;
    e.Size = S_ISDIR(st.st_mode) ? 0 : st.st_size;
    e.Time = static_cast<double>(st.st_mtime) / 86400.0 + 25569.0;
    rec.pending_.push_back(e);
  }
  closedir(d);
  std::sort(rec.pending_.begin(), rec.pending_.end(),
            [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
  return FindNext(rec);
}

#endif

int FindNext(TSearchRec& rec) {
  if (rec.pending_.empty()) return 18; // "no more files"
  std::vector<TSearchRec> rest;
  rest.swap(rec.pending_);
  TSearchRec first = rest.front();
  rec.Name = first.Name;
  rec.Size = first.Size;
  rec.Attr = first.Attr;
  rec.Time = first.Time;
  rec.pending_.assign(rest.begin() + 1, rest.end());
  return 0;
}

void FindClose(TSearchRec& rec) { rec.pending_.clear(); }

bool ForceDirectories(const std::string& path) {
  std::string dir = ExcludeTrailingPathDelimiter(path);
  if (dir.empty() || DirectoryExists(dir)) return !dir.empty() || !path.empty();
  std::string parent = ExtractFileDir(dir);
  // Stop at a root or drive ("C:", "/") that ExtractFileDir cannot shorten.
  if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
  return CreateDir(dir) || DirectoryExists(dir);
}

// --- Raw handles -----------------------------------------------------------------------

namespace {

// Reads or writes `count` bytes in pieces of at most 1 GiB (what one system
// call takes). `step(done, piece)` moves one piece at offset `done` and returns
// the bytes it moved, 0 at the end of the file or -1 on failure. The result is
// the bytes moved; -1 only when nothing was.
template <typename Step>
int64_t InPieces(int64_t count, Step step) {
  int64_t total = 0;
  while (count > 0) {
    int64_t moved = step(total, std::min<int64_t>(count, 1 << 30));
    if (moved < 0) return total ? total : -1;
    if (moved == 0) break;
    total += moved;
    count -= moved;
  }
  return total;
}

} // namespace

#ifdef _WIN32

THandle FileOpen(const std::string& name, int mode) {
  return classlib::FileOpenW(Utf16(name), mode);
}
THandle FileCreate(const std::string& name) { return classlib::FileCreateW(Utf16(name)); }
int64_t FileRead(THandle h, void* buffer, int64_t count) {
  return InPieces(count, [&](int64_t done, int64_t piece) -> int64_t {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(h), static_cast<char*>(buffer) + done,
                  static_cast<DWORD>(piece), &got, nullptr))
      return -1;
    return got;
  });
}
int64_t FileWrite(THandle h, const void* buffer, int64_t count) {
  return InPieces(count, [&](int64_t done, int64_t piece) -> int64_t {
    DWORD put = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(h), static_cast<const char*>(buffer) + done,
                   static_cast<DWORD>(piece), &put, nullptr) ||
        put == 0)
      return -1; // a write that takes nothing would never end
    return put;
  });
}
int64_t FileSeek(THandle h, int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER d, r;
  d.QuadPart = offset;
  if (!SetFilePointerEx(reinterpret_cast<HANDLE>(h), d, &r, static_cast<DWORD>(origin))) return -1;
  return r.QuadPart;
}
bool FileTruncate(THandle h) { return SetEndOfFile(reinterpret_cast<HANDLE>(h)); }
bool FileFlush(THandle h) { return FlushFileBuffers(reinterpret_cast<HANDLE>(h)); }
void FileClose(THandle h) {
  if (h != classlib::kInvalidFile) CloseHandle(reinterpret_cast<HANDLE>(h));
}
int GetLastOSError() { return static_cast<int>(GetLastError()); }
std::string SysErrorMessage(int code) {
  wchar_t* buf = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&buf), 0, nullptr);
  std::string r = n ? Trim(WideToCp1251(std::wstring(buf, n))) : "System error " + IntToStr(code);
  LocalFree(buf);
  while (!r.empty() && r.back() == '.') r.pop_back();
  return r;
}

#else

THandle FileOpen(const std::string& name, int mode) {
  static const int kFlags[] = {O_RDONLY, O_WRONLY, O_RDWR};
  int fd = open(Native(name).c_str(), kFlags[(mode & 3) < 3 ? mode & 3 : 0] | O_CLOEXEC);
  if (fd >= 0) {
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      close(fd);
      errno = EISDIR;
      return classlib::kInvalidFile;
    }
  }
  return fd < 0 ? classlib::kInvalidFile : fd;
}
THandle FileCreate(const std::string& name) {
  int fd = open(Native(name).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return fd < 0 ? classlib::kInvalidFile : fd;
}
int64_t FileRead(THandle h, void* buffer, int64_t count) {
  return InPieces(count, [&](int64_t done, int64_t piece) -> int64_t {
    ssize_t got;
    do {
      got =
          read(static_cast<int>(h), static_cast<char*>(buffer) + done, static_cast<size_t>(piece));
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : got;
  });
}
int64_t FileWrite(THandle h, const void* buffer, int64_t count) {
  return InPieces(count, [&](int64_t done, int64_t piece) -> int64_t {
    ssize_t put;
    do {
      put = write(static_cast<int>(h), static_cast<const char*>(buffer) + done,
                  static_cast<size_t>(piece));
    } while (put < 0 && errno == EINTR);
    return put <= 0 ? -1 : put; // a write that takes nothing would never end
  });
}
int64_t FileSeek(THandle h, int64_t offset, TSeekOrigin origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  return lseek(static_cast<int>(h), offset, kWhence[origin]);
}
bool FileTruncate(THandle h) {
  off_t pos = lseek(static_cast<int>(h), 0, SEEK_CUR);
  return pos >= 0 && ftruncate(static_cast<int>(h), pos) == 0;
}
bool FileFlush(THandle h) { return fsync(static_cast<int>(h)) == 0; }
void FileClose(THandle h) {
  if (h != classlib::kInvalidFile) close(static_cast<int>(h));
}
int GetLastOSError() { return errno; }
std::string SysErrorMessage(int code) { return std::strerror(code); }

#endif
