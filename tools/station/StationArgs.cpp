// Command-line parsing and file loading for korvalis-station.
#include "tools/station/StationArgs.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "audiolib/mpeg/MpegHeader.h"
#include "tools/station/TestMp3.h"

namespace teststation {
namespace {

bool ToInt(const std::string& s, int lo, int hi, int& out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || errno != 0 || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

bool ToDouble(const std::string& s, double lo, double hi, double& out) {
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !(v >= lo && v <= hi)) return false;
  out = v;
  return true;
}

} // namespace

StationArgs DefaultStationArgs() {
  StationArgs a;
  a.cfg.titles = {u8"Корвалис — Утренний эфир", "Test Station - Sine Serenade",
                  u8"Тестовая станция — Мелодия до мажор", "Korvalis - Evening Tone"};
  a.cfg.title_seconds = 20;
  a.cfg.name = u8"Korvalis — тестовая станция";
  a.cfg.genre = "test";
  return a;
}

std::string StationUsage() {
  return "usage: korvalis-station [--port N] [--bitrate K] [--metaint N] [--title T]...\n"
         "                        [--title-seconds S] [--pace P] [--mp3 FILE] [--http]\n"
         "Serves an MP3 in a loop as an ICY radio station on 127.0.0.1 until killed.\n"
         "Without --mp3 it plays a generated tune; without --title, sample titles.\n";
}

bool ParseStationArgs(const std::vector<std::string>& args, StationArgs& out, std::string& error) {
  out = DefaultStationArgs();
  bool own_titles = false, bitrate_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& opt = args[i];
    if (opt == "--help" || opt == "-h") {
      out.help = true;
      continue;
    }
    if (opt == "--http") {
      out.cfg.icy_status_line = false;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = opt == "--port" || opt == "--bitrate" || opt == "--metaint" || opt == "--title" ||
                      opt == "--title-seconds" || opt == "--pace" || opt == "--mp3"
                  ? opt + " needs a value"
                  : "unknown option " + opt;
      return false;
    }
    const std::string& v = args[++i];
    bool ok = true;
    if (opt == "--port") {
      ok = ToInt(v, 0, 65535, out.port);
    } else if (opt == "--bitrate") {
      ok = ToInt(v, 8, 320, out.cfg.bitrate_kbps);
      bitrate_given = true;
    } else if (opt == "--metaint") {
      ok = ToInt(v, 0, 1 << 20, out.cfg.metaint);
    } else if (opt == "--title") {
      if (!own_titles) out.cfg.titles.clear();
      own_titles = true;
      out.cfg.titles.push_back(v);
    } else if (opt == "--title-seconds") {
      ok = ToDouble(v, 0.001, 1e6, out.cfg.title_seconds);
    } else if (opt == "--pace") {
      ok = ToDouble(v, 0, 1000, out.cfg.pace);
    } else if (opt == "--mp3") {
      out.mp3_file = v;
    } else {
      error = "unknown option " + opt;
      return false;
    }
    if (!ok) {
      error = "bad value for " + opt + ": " + v;
      return false;
    }
  }
  // A file announces its own bitrate unless one was asked for.
  if (!out.mp3_file.empty() && !bitrate_given) out.cfg.bitrate_kbps = 0;
  return true;
}

std::vector<uint8_t> LoadMp3ForLoop(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t end = data.size();
  size_t begin = std::min(end, audiolib::Id3v2TagSize(data.data(), data.size()));
  if (end - begin >= 128 && data[end - 128] == 'T' && data[end - 127] == 'A' &&
      data[end - 126] == 'G')
    end -= 128;
  return std::vector<uint8_t>(data.begin() + begin, data.begin() + end);
}

} // namespace teststation
