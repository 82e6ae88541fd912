// libFuzzer target: playlist recognition and parsing. Every entry returned
// must be an http(s) address taken from the body.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audiolib/src/Playlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string body(reinterpret_cast<const char*>(data), size);
  audiolib::LooksLikePlaylist(body.substr(0, 32), body.substr(0, 16), body);
  for (const std::string& e : audiolib::ParsePlaylist(body)) {
    if (e.size() < 7 || body.find(e) == std::string::npos) std::abort();
  }
  return 0;
}
