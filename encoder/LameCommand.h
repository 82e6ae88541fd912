// The two command lines the encoder stand-in accepts:
//   <program> --decode  "in.mp3"  "out.wav"
//   <program> -m s -b <kbit/s> "in.wav" "out.mp3"
// The companion passes its program path unquoted, so a path with blanks
// arrives split into several words before the options; those words are
// part of the program's name and are skipped.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TLameCommand {
  enum class Kind { Invalid, Decode, Encode } kind = Kind::Invalid;
  int bitrate = 0;    // kbit/s, for Encode
  std::string input;  // UTF-8 path
  std::string output; // UTF-8 path
};

// `words` are the command line's words after the first (argv[1..]).
TLameCommand ParseLameCommand(const std::vector<std::string>& words);

// The words of a whole command line (argv[0] included) that follow the
// program's own path. The system runs an unquoted path with blanks as the
// shortest run of words that names an existing file (".exe" may be left
// out), so that run is the program even when a piece of it starts with "-"
// (a folder "Radio - копия"). When no run names a file, argv[0] alone is the
// program.
std::vector<std::string> ArgumentWords(const std::vector<std::string>& argv,
                                       const std::function<bool(const std::string&)>& isFile);

extern const char* const kLameUsage;
