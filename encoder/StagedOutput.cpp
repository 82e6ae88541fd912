// Output files of the encoder stand-in (see StagedOutput.h).
#include "encoder/StagedOutput.h"

#include <string>

#include "encoder/Codec.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

std::FILE* OpenPath(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring m(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), m.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

TStagedOutput::TStagedOutput(const std::filesystem::path& finalName) : final_(finalName) {
#ifdef _WIN32
  unsigned long pid = GetCurrentProcessId();
#else
  unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  temp_ = finalName;
  temp_ += "." + std::to_string(pid) + ".part";
  file_ = OpenPath(temp_, "w+b");
  if (!file_) throw TCodecError("cannot create output file " + finalName.u8string());
}

TStagedOutput::~TStagedOutput() {
  if (file_) std::fclose(file_);
  if (!committed_) {
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
  int flushed = std::fflush(file_);
  int closed = std::fclose(file_);
  file_ = nullptr;
  if (flushed != 0 || closed != 0)
    throw TCodecError("cannot write output file " + final_.u8string() + " (disk full?)");
#ifdef _WIN32
  bool moved = MoveFileExW(temp_.c_str(), final_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  bool moved = std::rename(temp_.c_str(), final_.c_str()) == 0;
#endif
  if (!moved) throw TCodecError("cannot move the finished file to " + final_.u8string());
  committed_ = true;
}
