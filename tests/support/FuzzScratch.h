// A scratch folder of the fuzzer's own, for the readers that take a file
// name: made once per process in memory (/dev/shm; the system's temporary
// folder where there is none: a disk file rewritten a million times is
// flushed at every close), made the process's TEMP (so scratch files the
// code under test makes land there and its clean-ups touch nothing else),
// and removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzsupport {

inline const std::string& ScratchDir() {
  static const std::string dir = [] {
    const char* base = std::getenv("TMPDIR");
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec)) base = "/dev/shm";
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/korvalis-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) std::abort();
    setenv("TEMP", pattern.c_str(), 1);
    static std::string removed;
    removed = pattern;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removed, ec);
    });
    return pattern;
  }();
  return dir;
}

// Writes `size` bytes to `name` in the scratch folder; its full path.
inline std::string WriteScratchFile(const std::string& name, const void* data, size_t size) {
  std::string path = ScratchDir() + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}

} // namespace fuzzsupport
