// libFuzzer target: the chunked transfer decoder. The first byte chooses the
// piece size; the rest is the coded body. Decoding in place in pieces and
// into another buffer in one go must agree, and never give more bytes than
// came in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audiolib/src/Chunked.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t piece = data[0] % 32 + 1;
  ++data;
  --size;
  std::vector<uint8_t> whole(size + 1), pieces(data, data + size);
  audiolib::ChunkedDecoder one;
  size_t n = one.Decode(data, size, whole.data());
  audiolib::ChunkedDecoder split;
  size_t m = 0;
  for (size_t pos = 0; pos < size; pos += piece) {
    size_t k = size - pos < piece ? size - pos : piece;
    size_t got = split.Decode(pieces.data() + pos, k, pieces.data() + pos);
    if (got > k) std::abort();
    std::memmove(pieces.data() + m, pieces.data() + pos, got);
    m += got;
  }
  if (n > size || m != n || (n && std::memcmp(whole.data(), pieces.data(), n) != 0)) std::abort();
  if (one.Ended() != split.Ended() || one.Failed() != split.Failed()) std::abort();
  return 0;
}
