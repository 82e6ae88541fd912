// Test helper: removing a test's scratch folder with everything in it, so that
// a test starts from nothing and leaves nothing behind. Files made read-only
// go too (a test may leave some when the code under test fails), and an entry
// that can't go (held open, say) doesn't keep the rest from going. A missing
// folder is no fault.
//
// Header-only: the walk needs no library; only the overload for the class
// library's Windows-1251 names uses its conversion, on Windows.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "classlib/Cp1251.h"
#endif

namespace test_support {

// `folder` as the platform names it.
inline void RemoveTree(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  // Natively a folder needs write and search permission to lose its entries;
  // on Windows a read-only folder or file can't be removed.
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const bool link = it->is_symlink(ignored);
    if (!link && it->is_directory(ignored)) {
      RemoveTree(it->path());
      continue;
    }
    if (!link) fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove(it->path(), ignored);
  }
  fs::remove(folder, ignored);
}

// `folder` as the class library names it: Windows-1251 text, with or without
// its trailing separator.
inline void RemoveTree(const std::string& folder) {
  std::string name = folder;
  while (name.size() > 1 && (name.back() == '\\' || name.back() == '/')) name.pop_back();
#ifdef _WIN32
  RemoveTree(std::filesystem::path(Cp1251ToWide(name)));
#else
  // Natively the name's bytes are the path, with '\' read as '/'.
  std::replace(name.begin(), name.end(), '\\', '/');
  RemoveTree(std::filesystem::path(name));
#endif
}

} // namespace test_support
