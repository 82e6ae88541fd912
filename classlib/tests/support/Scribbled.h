// Test helper: an object whose freed memory is filled with ordered junk, so a
// pointer reached after its object went fails at once instead of reading
// whatever the heap happens to leave there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

template <class T>
struct Scribbled : T {
  using T::T;
  static void* operator new(std::size_t n) { return ::operator new(n); }
  static void operator delete(void* p, std::size_t n) {
    auto* words = static_cast<std::uintptr_t*>(p);
    for (std::size_t i = 0; i < n / sizeof *words; ++i)
      words[i] = static_cast<std::uintptr_t>(0xDD000000u) + i * 64;
    ::operator delete(p);
  }
};
