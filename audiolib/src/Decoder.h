// MPEG audio decoding (layers 1-3) through libmpg123 in feed mode: bytes go
// in as they arrive, stereo float frames come out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct mpg123_handle_struct;

namespace audiolib {

class Decoder {
 public:
  Decoder();
  ~Decoder();
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  bool Ok() const { return mh_ != nullptr; }
  void Feed(const uint8_t* data, size_t size);
  // Decodes what it can into `out` (interleaved stereo floats, appended);
  // returns the number of frames added. Damaged data is skipped.
  size_t Decode(std::vector<float>& out);
  int SampleRate() const { return rate_; }

 private:
  mpg123_handle_struct* mh_ = nullptr;
  int rate_ = 0;
};

} // namespace audiolib
