// Benchmark: the companion's WAV-to-WAV work (load into the scratch buffer,
// fade out the end, write the WAV) on a 10-minute 44.1 kHz stereo 16-bit
// recording, against `sox in.wav out.wav fade 0 -0 11.34` on the same file.
// Prints the best of several runs of each, their ratio and peak memory.
//
//   converter_fade_bench [folder]   (needs sox on the PATH)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/AudioFormat.h"
#include "converter/PCM_Format.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Runs a command, returning wall time and the child's peak resident memory.
double RunChild(const std::vector<std::string>& args, long* peakKiB) {
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage ru {};
  wait4(pid, &status, 0, &ru);
  *peakKiB = ru.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", args[0].c_str());
    std::exit(1);
  }
  return Seconds(std::chrono::steady_clock::now() - t0);
}

} // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : "/tmp/korvalis-fade-bench";
  std::string in = dir + "/in.wav", ours = dir + "/ours.wav", theirs = dir + "/sox.wav";
  std::system(("mkdir -p '" + dir + "'").c_str());
  setenv("TEMP", dir.c_str(), 1);
  long kib = 0;
  RunChild({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", in, "synth", "600", "pinknoise",
            "vol", "0.5"},
           &kib);

  const int runs = 5;
  double best = 1e9, bestFade = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    TAudioData audio;
    {
      TPCMFile pcm(in);
      pcm.ReadData(audio);
      pcm.Close();
    }
    auto t1 = std::chrono::steady_clock::now();
    uint32_t frames = audio.Data().Size() / audio.BlockAlign;
    audio.FadeOut(0, frames - 2);
    TPCMFile::CreateFrom(ours, audio)->Close();
    auto t2 = std::chrono::steady_clock::now();
    best = std::min(best, Seconds(t2 - t0));
    bestFade = std::min(bestFade, Seconds(t2 - t1));
  }
  struct rusage self {};
  getrusage(RUSAGE_SELF, &self);

  double soxBest = 1e9;
  long soxPeak = 0;
  for (int i = 0; i < runs; ++i)
    soxBest =
        std::min(soxBest, RunChild({"sox", in, theirs, "fade", "0", "-0", "11.34"}, &soxPeak));

  std::printf("input: 10 min, 44100 Hz, stereo, 16-bit (%s)\n", in.c_str());
  std::printf("companion load+fade+write: %.3f s (fade+write alone %.3f s), peak RSS %ld KiB\n",
              best, bestFade, self.ru_maxrss);
  std::printf("sox fade 0 -0 11.34:       %.3f s, peak RSS %ld KiB\n", soxBest, soxPeak);
  std::printf("ratio (companion / sox):   %.2f x  (fade+write alone: %.2f x)\n", best / soxBest,
              bestFade / soxBest);
  std::remove(ours.c_str());
  std::remove(theirs.c_str());
  std::remove(in.c_str());
  return 0;
}
