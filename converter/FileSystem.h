// The companion's few calls into the operating system's file layer that the
// class library does not offer: one open binary file with the sharing the
// companion needs, attributes and folder walks. Paths are
// Windows-1251 text; on Windows they go through the wide API, natively the
// bytes are the POSIX path.
//
// Kept apart from the file window so that the window's logic is the same on
// every build and only this file knows the platform.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum class TOpenMode {
  Existing,       // open for reading and writing; a missing file fails
  CreateAlways,   // create, or truncate an existing file
  CreateExclusive // create only if no such file exists (see TryOpen)
};

// One open binary file. Every failure raises EInOutError with the path.
// Other programs may read and write the file while it is open (the encoder
// reads the MP3 the companion holds), but it can't be deleted meanwhile, so a
// second companion's clean-up leaves a running companion's scratch file alone.
class TFileHandle {
 public:
  TFileHandle() = default;
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  ~TFileHandle(); // closes without raising

  void Open(const std::string& name, TOpenMode mode);
  // False (and nothing open) when CreateExclusive finds the name taken.
  bool TryOpen(const std::string& name, TOpenMode mode);
  void Seek(uint32_t offset);
  void ReadExact(void* dest, uint32_t count);
  void WriteAll(const void* src, uint32_t count);
  void TruncateHere();
  uint64_t Length(); // size of the file on disk
  void Close();
  bool IsOpen() const;
  const std::string& Name() const { return name_; }

 private:
  [[noreturn]] void Fail(const char* what) const;
  std::string name_;
  intptr_t handle_ = -1;
};

// True for a file or folder of that name.
bool PathExists(const std::string& name);
bool IsDirectoryPath(const std::string& name);
// Clears the read-only attribute and keeps the others; false on failure.
bool ClearReadOnly(const std::string& name);
// Calls `visit` for every entry of `folder` but "." and "..", with its name
// and whether it is a folder to descend into (links to folders are not).
void ListFolder(const std::string& folder,
                const std::function<void(const std::string& name, bool isDir)>& visit);
