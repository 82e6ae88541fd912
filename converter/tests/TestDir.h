// A private folder per test, with the TEMP folder of the code under test
// pointed into it, and small byte-level file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/WavBytes.h"

class TTestDir {
 public:
  TTestDir();
  ~TTestDir();
  // `name` inside the folder.
  std::string Path(const std::string& name) const;
  // The TEMP folder the code under test uses, with its trailing separator.
  std::string Temp() const { return temp_; }

  static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
  static std::vector<uint8_t> ReadBytes(const std::string& path);
  static bool Exists(const std::string& path);
  // The read-only attribute (natively: no write permission for anyone).
  static void MakeReadOnly(const std::string& path);
  static bool IsReadOnly(const std::string& path);
  // Names of the files directly in `folder`.
  static std::vector<std::string> Files(const std::string& folder);

 private:
  std::string root_;
  std::string temp_;
};
