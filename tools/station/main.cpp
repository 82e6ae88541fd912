// korvalis-station: the test radio station as a program, for trying the
// player against a local station by hand or from the run script.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/station/StationArgs.h"
#include "tools/station/TestStation.h"

int main(int argc, char** argv) {
  using namespace teststation;
  StationArgs args;
  std::string error;
  if (!ParseStationArgs(std::vector<std::string>(argv + 1, argv + argc), args, error)) {
    std::fprintf(stderr, "korvalis-station: %s\n%s", error.c_str(), StationUsage().c_str());
    return 2;
  }
  if (args.help) {
    std::printf("%s", StationUsage().c_str());
    return 0;
  }
  if (args.mp3_file.empty()) {
    args.cfg.mp3 = MakeMelodyMp3(60, args.cfg.bitrate_kbps);
  } else {
    args.cfg.mp3 = LoadMp3ForLoop(args.mp3_file);
    if (FirstFrameKbps(args.cfg.mp3) == 0) {
      std::fprintf(stderr, "korvalis-station: %s is not an MPEG audio file\n",
                   args.mp3_file.c_str());
      return 1;
    }
    if (args.cfg.bitrate_kbps == 0) args.cfg.bitrate_kbps = FirstFrameKbps(args.cfg.mp3);
  }
  if (args.cfg.mp3.empty()) {
    std::fprintf(stderr, "korvalis-station: no audio (bitrate %d kbit/s not encodable?)\n",
                 args.cfg.bitrate_kbps);
    return 1;
  }
  TestStation station(args.cfg);
  if (station.Start(args.port) == 0) {
    std::fprintf(stderr, "korvalis-station: cannot listen on 127.0.0.1:%d\n", args.port);
    return 1;
  }
  std::printf("listening on %s\n", station.Url().c_str());
  std::fflush(stdout);
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}
