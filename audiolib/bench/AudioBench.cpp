// Benchmark: CPU time to decode, equalise (10 bands) and analyse (one
// 2048-sample FFT per 10 ms of audio) one minute of a 128 kbit/s stereo
// MP3, against `mpg123 -t` decoding the same file. Prints both times and the
// ratio, with every band at a non-zero gain and with all bands flat, and what
// one spectrum query costs among the rest of the work.
// Usage: audiolib_bench [seconds=60]
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audiolib/src/Decoder.h"
#include "audiolib/src/Dsp.h"
#include "audiolib/src/EqChain.h"
#include "tools/station/TestMp3.h"

using namespace audiolib;

namespace {

double ProcessCpu() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

double ChildrenCpu() {
  rusage ru;
  getrusage(RUSAGE_CHILDREN, &ru);
  return ru.ru_utime.tv_sec + ru.ru_utime.tv_usec / 1e6 + ru.ru_stime.tv_sec +
         ru.ru_stime.tv_usec / 1e6;
}

// The playback thread's work without the device: decode, equalise, analyse,
// volume and 16-bit conversion. Returns CPU seconds.
// With timeQueries, also the CPU seconds spent in spectrum queries and their
// number (a run of its own: reading the clock costs time too).
double RunChain(const std::vector<uint8_t>& mp3, float gain, bool analyse, size_t& framesOut,
                bool timeQueries = false, double* spectrumCpu = nullptr,
                size_t* spectra = nullptr) {
  double t0 = ProcessCpu();
  Decoder dec;
  EqChain eq;
  Analyzer an;
  std::vector<EqBand> bands;
  const float centres[10] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
  for (int i = 0; i < 10; ++i) bands.push_back(EqBand{centres[i], 10.0f, i % 2 ? gain : -gain});
  eq.Configure(bands, 44100);
  std::vector<float> pcm;
  std::vector<int16_t> out;
  float fft[1024];
  size_t sinceFft = 0, frames = 0;
  double queryCpu = 0;
  size_t queries = 0;
  const size_t fftEvery = 441; // 10 ms at 44.1 kHz, as the spectrum timer asks
  for (size_t pos = 0; pos < mp3.size(); pos += 4096) {
    dec.Feed(mp3.data() + pos, std::min<size_t>(4096, mp3.size() - pos));
    pcm.clear();
    size_t n = dec.Decode(pcm);
    if (!n) continue;
    eq.Process(pcm.data(), n);
    an.Push(pcm.data(), n);
    ToPcm16(pcm.data(), n, 0.8f, out);
    frames += n;
    if (analyse) {
      double q0 = timeQueries ? ProcessCpu() : 0;
      for (sinceFft += n; sinceFft >= fftEvery; sinceFft -= fftEvery, ++queries) an.Spectrum(fft);
      if (timeQueries) queryCpu += ProcessCpu() - q0;
    }
  }
  framesOut = frames;
  if (timeQueries) {
    *spectrumCpu = queryCpu;
    *spectra = queries;
  }
  return ProcessCpu() - t0;
}

} // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
  std::vector<uint8_t> mp3 = teststation::MakeMelodyMp3(seconds, 128);
  if (mp3.empty()) {
    std::fprintf(stderr, "could not make the test MP3\n");
    return 1;
  }
  char path[] = "/tmp/korvalis-bench-XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) return 1;
  FILE* f = fdopen(fd, "wb");
  std::fwrite(mp3.data(), 1, mp3.size(), f);
  std::fclose(f);

  const int runs = 3;
  double peer = 1e9, eq = 1e9, flat = 1e9, bare = 1e9, perQuery = 1e9;
  size_t frames = 0, queries = 0;
  std::string cmd = std::string("mpg123 -q -t ") + path + " >/dev/null 2>&1";
  for (int r = 0; r < runs; ++r) {
    double c0 = ChildrenCpu();
    if (std::system(cmd.c_str()) != 0) {
      std::fprintf(stderr, "mpg123 -t failed (is mpg123 installed?)\n");
      std::remove(path);
      return 1;
    }
    peer = std::min(peer, ChildrenCpu() - c0);
    eq = std::min(eq, RunChain(mp3, 6.0f, true, frames));
    flat = std::min(flat, RunChain(mp3, 0.0f, true, frames));
    bare = std::min(bare, RunChain(mp3, 0.0f, false, frames));
    double queryCpu = 0;
    RunChain(mp3, 0.0f, true, frames, true, &queryCpu, &queries);
    if (queries) perQuery = std::min(perQuery, queryCpu / static_cast<double>(queries));
  }
  std::remove(path);
  std::printf("audio: %.1f s of 128 kbit/s stereo MP3 (%zu frames decoded)\n", seconds, frames);
  std::printf("mpg123 -t:                    %.3f s CPU\n", peer);
  std::printf("ours, 10 bands at +-6 dB:     %.3f s CPU  ratio %.2f (target <= 2.5)\n", eq,
              eq / peer);
  std::printf("ours, 10 bands flat (0 dB):   %.3f s CPU  ratio %.2f (target <= 1.3)\n", flat,
              flat / peer);
  std::printf("ours, flat, without spectrum: %.3f s CPU  ratio %.2f (decode + flat bands)\n", bare,
              bare / peer);
  std::printf("spectrum query (2048-point FFT, %zu of them): %.2f us CPU each (%s kernel)\n",
              queries, perQuery * 1e6, RealFft(2048).KernelName());
  return 0;
}
