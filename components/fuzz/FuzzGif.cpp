// libFuzzer target: the GIF frame walker. For any bytes the count is
// bounded by the size, every frame can be chosen, and what is kept is never
// more than what came in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/PictureGif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const int count = gif::FrameCount(bytes);
  if (count < 0 || static_cast<size_t>(count) > size) std::abort();
  for (int f = 0; f <= count + 1; ++f) {
    gif::Selected s;
    const bool ok = gif::SelectFrame(bytes, f, s);
    if (ok != (count > 0)) std::abort();
    if (ok && (s.Bytes.size() > size || s.Frame < 1 || s.Frame > count)) std::abort();
  }
  return 0;
}
