// The command line of korvalis-station, parsed into a station's settings.
#pragma once

#include <string>
#include <vector>

#include "tools/station/StationConfig.h"

namespace teststation {

struct StationArgs {
  StationConfig cfg;    // mp3 left empty: the program loads or makes it
  int port = 0;         // 0 = any free port
  std::string mp3_file; // empty = generate the demonstration tune
  bool help = false;
};

// The defaults of the demonstration station: Russian and English titles
// changing every 20 s, real-time pace, 128 kbit/s, metadata every 16000 bytes.
StationArgs DefaultStationArgs();

// Parses the arguments after the program name; false with a message on a
// bad or unknown option. --bitrate given with --mp3 overrides the announced
// rate; without it the file's first frame announces it.
bool ParseStationArgs(const std::vector<std::string>& args, StationArgs& out, std::string& error);

// The usage text for --help and errors.
std::string StationUsage();

// The audio of an MP3 file for looping: without a leading ID3v2 tag or a
// trailing ID3v1 tag. Empty when the file cannot be read.
std::vector<uint8_t> LoadMp3ForLoop(const std::string& path);

} // namespace teststation
