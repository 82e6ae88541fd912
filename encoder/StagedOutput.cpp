// Output files of the encoder stand-in (see StagedOutput.h).
//
// The file being written must not outlive a program that is killed or
// crashes: the result of such a run is half a recording beside the real ones.
// On Windows the file is marked for deletion as soon as it is made, so the
// system removes it when the program's handles go, and the mark is lifted
// only when the file is complete. Natively it is written without a name and
// linked into its folder only when complete.
#include "encoder/StagedOutput.h"

#include <string>

#include "encoder/Codec.h"

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#endif

std::FILE* OpenPath(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring m(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), m.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

namespace {

#ifdef _WIN32
bool MarkForDeletion(std::FILE* file, bool on) {
  FILE_DISPOSITION_INFO d{};
  d.DeleteFile = on ? TRUE : FALSE;
  auto h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return SetFileInformationByHandle(h, FileDispositionInfo, &d, sizeof d) != 0;
}
#endif

} // namespace

TStagedOutput::TStagedOutput(const std::filesystem::path& finalName) : final_(finalName) {
#ifdef _WIN32
  unsigned long pid = GetCurrentProcessId();
#else
  unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  temp_ = finalName;
  temp_ += "." + std::to_string(pid) + ".part";
#ifdef _WIN32
  HANDLE h = CreateFileW(temp_.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDWR | _O_BINARY);
    if (fd < 0) CloseHandle(h);
    file_ = fd < 0 ? nullptr : _fdopen(fd, "w+b");
    if (!file_ && fd >= 0) _close(fd);
  }
  if (file_) pending_delete_ = MarkForDeletion(file_, true);
#else
  std::filesystem::path folder = finalName.parent_path();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0644);
  if (fd >= 0) {
    file_ = fdopen(fd, "w+b");
    if (file_)
      unnamed_ = true;
    else
      ::close(fd);
  } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
    // A file system without unnamed files: a named one, removed on failure.
    file_ = OpenPath(temp_, "w+b");
  }
#endif
  if (!file_) throw TCodecError("cannot create output file " + finalName.u8string());
}

TStagedOutput::~TStagedOutput() {
#ifdef _WIN32
  // A file still marked goes with its handle.
  if (file_ && !committed_ && !pending_delete_) pending_delete_ = MarkForDeletion(file_, true);
#endif
  if (file_) std::fclose(file_);
  if (!committed_ && !unnamed_) {
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
  }
}

void TStagedOutput::Write(const void* data, size_t size) {
  if (size && std::fwrite(data, 1, size, file_) != size)
    throw TCodecError("cannot write output file " + final_.u8string() + " (disk full?)");
}

void TStagedOutput::WriteAt(long offset, const void* data, size_t size) {
  if (std::fseek(file_, offset, SEEK_SET) != 0) throw TCodecError("cannot seek in output file");
  Write(data, size);
  std::fseek(file_, 0, SEEK_END);
}

void TStagedOutput::Commit() {
  const std::string failed = "cannot write output file " + final_.u8string() + " (disk full?)";
  if (std::fflush(file_) != 0) throw TCodecError(failed);
#ifdef _WIN32
  if (pending_delete_) {
    if (!MarkForDeletion(file_, false)) throw TCodecError(failed);
    pending_delete_ = false;
  }
#else
  if (unnamed_) {
    // The complete file gets its side name; from here on it is a named one.
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(file_));
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp_.c_str(), AT_SYMLINK_FOLLOW) != 0)
      throw TCodecError(failed);
    unnamed_ = false;
  }
#endif
  int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) throw TCodecError(failed);
#ifdef _WIN32
  bool moved = MoveFileExW(temp_.c_str(), final_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  bool moved = std::rename(temp_.c_str(), final_.c_str()) == 0;
#endif
  if (!moved) throw TCodecError("cannot move the finished file to " + final_.u8string());
  committed_ = true;
}
