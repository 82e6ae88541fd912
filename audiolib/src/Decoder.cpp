// libmpg123 wrapper.
#include "audiolib/src/Decoder.h"

#include <mpg123.h>

#include <mutex>

namespace audiolib {

Decoder::Decoder() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
  int err = 0;
  mh_ = mpg123_new(nullptr, &err);
  if (!mh_) return;
  mpg123_param(mh_, MPG123_FLAGS, MPG123_FORCE_STEREO | MPG123_FORCE_FLOAT | MPG123_QUIET, 0);
  mpg123_param(mh_, MPG123_RESYNC_LIMIT, -1, 0);  // radio streams may hold long junk
  mpg123_format_none(mh_);
  static const long kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
  for (long r : kRates) mpg123_format(mh_, r, MPG123_STEREO, MPG123_ENC_FLOAT_32);
  if (mpg123_open_feed(mh_) != MPG123_OK) {
    mpg123_delete(mh_);
    mh_ = nullptr;
  }
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

}  // namespace audiolib
