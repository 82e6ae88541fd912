// What one test radio station serves: the audio, the ICY headers, the title
// schedule, the pace and the scripted faults. Plain data, filled with defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace teststation {

struct StationConfig {
  // Audio bytes, served in a loop; should hold whole MPEG frames. Audio byte
  // i of every stream is mp3[i % mp3.size()]. Empty: Start() refuses (0).
  std::vector<uint8_t> mp3;
  int bitrate_kbps = 128;          // sent as icy-br; 0 = header not sent
  int metaint = 16000;             // icy-metaint; 0 = no in-band metadata even if asked
  std::vector<std::string> titles; // UTF-8 (Cyrillic allowed), rotated; empty = no titles
  // Audio seconds per title, counted in the audio bytes served on each
  // connection from its start, so every listener sees the same schedule.
  double title_seconds = 10;
  // A scripted schedule: when not empty, title i lasts title_schedule[i]
  // audio seconds (in turn, then again from the first), instead of every
  // title lasting title_seconds. One entry per title.
  std::vector<double> title_schedule;
  double pace = 1.0;                  // 1 = real time, 4 = four times real time, 0 = unpaced
  bool icy_status_line = true;        // "ICY 200 OK", else "HTTP/1.0 200 OK" (icy-* kept)
  std::string name = "Korvalis test"; // icy-name (UTF-8 or 1251 bytes as given)
  std::string genre = "test";
  size_t drop_after_bytes = 0;  // on /drop: close after this many audio bytes
  size_t stall_after_bytes = 0; // on /stall: stop sending, keep the socket open
};

} // namespace teststation
