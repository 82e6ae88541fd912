// The two command lines the encoder stand-in accepts:
//   <program> --decode  "in.mp3"  "out.wav"
//   <program> -m s -b <kbit/s> "in.wav" "out.mp3"
// The companion passes its program path unquoted, so a path with blanks
// arrives split into several words before the options; those words are
// part of the program's name and are skipped.
#pragma once

#include <string>
#include <vector>

struct TLameCommand {
  enum Kind { Invalid, Decode, Encode } kind = Invalid;
  int bitrate = 0;     // kbit/s, for Encode
  std::string input;   // UTF-8 path
  std::string output;  // UTF-8 path
};

// `words` are the command line's words after the first (argv[1..]).
TLameCommand ParseLameCommand(const std::vector<std::string>& words);

extern const char* const kLameUsage;
