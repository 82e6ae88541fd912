// libFuzzer target: the in-band metadata stripper and field parser. The
// first two bytes choose the metadata interval and the chunk size; every
// audio byte that comes out must be one that went in, in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audiolib/src/IcyMeta.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t metaint = data[0];
  size_t chunk = data[1] % 64 + 1;
  data += 2;
  size -= 2;
  audiolib::MetaStripper s(metaint);
  size_t audioBytes = 0;
  for (size_t pos = 0; pos < size; pos += chunk) {
    size_t n = size - pos < chunk ? size - pos : chunk;
    s.Feed(
        data + pos, n, [&](const uint8_t*, size_t k) { audioBytes += k; },
        [](const std::string& t) {
          for (auto& kv : audiolib::ParseMetaFields(t))
            if (kv.first.size() + kv.second.size() > t.size()) std::abort();
        });
  }
  if (audioBytes > size) std::abort();
  std::string text(reinterpret_cast<const char*>(data), size);
  audiolib::MetaStreamTitle(text);
  return 0;
}
