// libmpg123 wrapper.
#include "audiolib/src/Decoder.h"

#include <mpg123.h>

#include "audiolib/mpeg/Mpg123Feed.h"

namespace audiolib {

Decoder::Decoder() {
  Mpg123FeedSetup setup;
  setup.flags = MPG123_FORCE_STEREO | MPG123_FORCE_FLOAT;
  setup.replaceDefaultFlags = true;
  setup.channels = MPG123_STEREO;
  setup.encoding = MPG123_ENC_FLOAT_32;
  mh_ = OpenMpg123Feed(setup);
}

Decoder::~Decoder() {
  if (mh_) mpg123_delete(mh_);
}

void Decoder::Feed(const uint8_t* data, size_t size) {
  if (mh_ && size) mpg123_feed(mh_, data, size);
}

size_t Decoder::Decode(std::vector<float>& out) {
  if (!mh_) return 0;
  size_t added = 0;
  for (;;) {
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    off_t num = 0;
    int r = mpg123_decode_frame(mh_, &num, &audio, &bytes);
    if (r == MPG123_NEW_FORMAT) {
      long rate = 0;
      int ch = 0, enc = 0;
      mpg123_getformat(mh_, &rate, &ch, &enc);
      rate_ = static_cast<int>(rate);
      continue;
    }
    if (r == MPG123_OK) {
      const float* f = reinterpret_cast<const float*>(audio);
      size_t n = bytes / sizeof(float);
      out.insert(out.end(), f, f + n);
      added += n / 2;
      continue;
    }
    // NEED_MORE, DONE or an error: damaged data is skipped when more arrives.
    break;
  }
  return added;
}

} // namespace audiolib
