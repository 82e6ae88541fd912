// A Windows program for the Wine wrapper's test: it marks that it runs by
// making "<name>.started", waits until "<name>.gate" exists, then writes a
// line to each of its standard outputs and ends with the exit code given.
//   wine_run_gate.exe <name> <exit code>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: wine_run_gate <name> <exit code>\n");
    return 2;
  }
  const std::string name = argv[1];
  std::FILE* started = std::fopen((name + ".started").c_str(), "w");
  if (!started) {
    std::fprintf(stderr, "wine_run_gate: cannot make %s.started\n", name.c_str());
    return 2;
  }
  std::fclose(started);
  // Polled: the script opens the gate whenever it is ready, and the test's
  // own time limit bounds the wait.
  const std::string gate = name + ".gate";
  for (;;) {
    if (std::FILE* f = std::fopen(gate.c_str(), "r")) {
      std::fclose(f);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::printf("gate %s: out\n", name.c_str());
  std::fprintf(stderr, "gate %s: err\n", name.c_str());
  return std::atoi(argv[2]);
}
