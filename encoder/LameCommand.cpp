// Command-line parsing of the encoder stand-in (see LameCommand.h).
#include "encoder/LameCommand.h"

const char* const kLameUsage =
    "usage: Lame.exe --decode \"input.mp3\" \"output.wav\"\n"
    "       Lame.exe -m s -b <kbit/s> \"input.wav\" \"output.mp3\"\n";

namespace {

bool IsBitrate(const std::string& s, int& value) {
  if (s.empty() || s.size() > 3) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 8 && value <= 320;
}

} // namespace

TLameCommand ParseLameCommand(const std::vector<std::string>& words) {
  TLameCommand cmd;
  size_t i = 0;
  while (i < words.size() && words[i] != "--decode" && words[i] != "-m") {
    if (!words[i].empty() && words[i][0] == '-') return cmd; // an option we don't know
    ++i;
  }
  size_t left = words.size() - i;
  if (left == 3 && words[i] == "--decode" && !words[i + 1].empty() && !words[i + 2].empty()) {
    cmd.kind = TLameCommand::Kind::Decode;
    cmd.input = words[i + 1];
    cmd.output = words[i + 2];
  } else if (left == 6 && words[i] == "-m" && words[i + 1] == "s" && words[i + 2] == "-b" &&
             IsBitrate(words[i + 3], cmd.bitrate) && !words[i + 4].empty() &&
             !words[i + 5].empty()) {
    cmd.kind = TLameCommand::Kind::Encode;
    cmd.input = words[i + 4];
    cmd.output = words[i + 5];
  }
  return cmd;
}

std::vector<std::string> ArgumentWords(const std::vector<std::string>& argv,
                                       const std::function<bool(const std::string&)>& isFile) {
  size_t first = argv.empty() ? 0 : 1;
  std::string path;
  for (size_t i = 0; i < argv.size(); ++i) {
    path += (i ? " " : "") + argv[i];
    if (isFile(path) || isFile(path + ".exe")) {
      first = i + 1;
      break;
    }
  }
  return std::vector<std::string>(argv.begin() + static_cast<long>(first), argv.end());
}
