// Test folder and byte helpers (see TestDir.h).
#include "converter/tests/TestDir.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include "classlib/WinApi.h"
#else
#include <unistd.h>
#endif

#include "classlib/tests/support/ScratchFolder.h"
#include "converter/FileSystem.h"
#include "converter/MP3_Format.h"

namespace fs = std::filesystem;

namespace {
std::atomic<int> g_serial{0};
} // namespace

TTestDir::TTestDir() {
  // Taken once: the tests below point TEMP into folders they later remove.
  static const fs::path base = fs::temp_directory_path();
#ifdef _WIN32
  int pid = static_cast<int>(GetCurrentProcessId());
#else
  int pid = static_cast<int>(::getpid());
#endif
  fs::path root =
      base / ("korvalis-conv-" + std::to_string(pid) + "-" + std::to_string(g_serial++));
  test_support::RemoveTree(root);
  fs::create_directories(root / "temp");
  root_ = root.string();
  temp_ = (root / "temp").string() + PathDelim;
  std::string tempNoDelim = (root / "temp").string();
#ifdef _WIN32
  SetEnvironmentVariableA("TEMP", tempNoDelim.c_str());
#else
  setenv("TEMP", tempNoDelim.c_str(), 1);
#endif
  TempDir = temp_;
}

TTestDir::~TTestDir() { test_support::RemoveTree(fs::path(root_)); }

std::string TTestDir::Path(const std::string& name) const { return root_ + PathDelim + name; }

void TTestDir::WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TTestDir::ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool TTestDir::Exists(const std::string& path) { return fs::exists(path); }

void TTestDir::MakeReadOnly(const std::string& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

bool TTestDir::IsReadOnly(const std::string& path) {
  return (fs::status(path).permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::vector<std::string> TTestDir::Files(const std::string& folder) {
  std::vector<std::string> names;
  for (auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  return names;
}
