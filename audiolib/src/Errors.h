// Named result codes of the engine. Their numbers are the C interface's
// BASS_ERROR_* codes, so the interface passes them through unchanged.
#pragma once

namespace audiolib {

enum class Err : int {
  Ok = 0,
  Init = 1,
  Already = 2,
  Device = 3,
  Handle = 4,
  IllParam = 5,
  IllType = 6,
  Url = 7,
  Ssl = 8,
  NoNet = 9,
  Timeout = 10,
  Http = 11,
  Protocol = 12,
  Redirect = 13,
  Playlist = 14,
  FileForm = 15,
  FileOpen = 16,
  NotAvail = 17,
  Mem = 18,
  Unknown = -1,
};

// English message for a code; never null.
const char* ErrorText(int code);

} // namespace audiolib
