// Files of the encoder stand-in: opening by a path that may hold any
// character, and an output that appears under its final name only once it is
// complete and leaves nothing behind when the program dies before that.
#pragma once

#include <cstdio>
#include <filesystem>

// fopen for a path of any characters; nullptr on failure.
std::FILE* OpenPath(const std::filesystem::path& path, const char* mode);

class TStagedOutput {
 public:
  // Creates the temporary file beside `finalName`; raises TCodecError.
  explicit TStagedOutput(const std::filesystem::path& finalName);
  TStagedOutput(const TStagedOutput&) = delete;
  TStagedOutput& operator=(const TStagedOutput&) = delete;
  // Removes the temporary file unless Commit succeeded.
  ~TStagedOutput();

  void Write(const void* data, size_t size);
  void WriteAt(long offset, const void* data, size_t size);
  // Closes the file and moves it over the final name.
  void Commit();

 private:
  std::filesystem::path final_;
  std::filesystem::path temp_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
  bool pending_delete_ = false; // Windows: the system deletes it with its handle
  bool unnamed_ = false;        // natively: not yet linked into its folder
};
