// libmpg123 in feed mode, set up alike for every program of the tree.
#include "audiolib/mpeg/Mpg123Feed.h"

#include <mpg123.h>

#include <mutex>

namespace audiolib {

mpg123_handle* OpenMpg123Feed(const Mpg123FeedSetup& setup) {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); }); // needed by older library versions
  int err = MPG123_OK;
  mpg123_handle* h = mpg123_new(nullptr, &err);
  if (!h) return nullptr;
  mpg123_param(h, setup.replaceDefaultFlags ? MPG123_FLAGS : MPG123_ADD_FLAGS,
               setup.flags | MPG123_QUIET, 0);
  mpg123_param(h, MPG123_RESYNC_LIMIT, -1, 0);
  mpg123_format_none(h);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i) mpg123_format(h, rates[i], setup.channels, setup.encoding);
  if (mpg123_open_feed(h) != MPG123_OK) {
    mpg123_delete(h);
    return nullptr;
  }
  return h;
}

} // namespace audiolib
