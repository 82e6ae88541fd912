// The one set-up of libmpg123 for the audio library and the encoder stand-in:
// a decoder in feed mode (bytes go in as they arrive), quiet, that skips junk
// of any length between frames (a radio stream or a recording of one may hold
// a glitch of the station or the connection: skipping it beats losing the
// rest), and that puts out one sample encoding at every rate the library
// knows.
#pragma once

struct mpg123_handle_struct;

namespace audiolib {

struct Mpg123FeedSetup {
  // MPG123_FORCE_* and similar flags the caller needs besides MPG123_QUIET.
  long flags = 0;
  // true: `flags` (with MPG123_QUIET) replace the library's default flags;
  // false: they are added to them.
  bool replaceDefaultFlags = false;
  // MPG123_MONO and/or MPG123_STEREO, and one MPG123_ENC_* encoding.
  int channels = 0;
  int encoding = 0;
};

// A decoder ready to be fed, or null when the library refuses one. The
// library is initialised once per process, from whichever thread comes first.
mpg123_handle_struct* OpenMpg123Feed(const Mpg123FeedSetup& setup);

} // namespace audiolib
