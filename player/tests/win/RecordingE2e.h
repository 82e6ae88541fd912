// What the recording's end-to-end tests under Wine share: pumping the
// window's messages while the station plays (with a report every ten
// seconds), closing the recording-settings dialog as it shows, reading what
// landed on disk, and telling whether a file is the station's audio unbroken.
#pragma once

#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "classlib/Cp1251.h"
#include "tests/support/Mp3Frames.h"
#include "player/Unit1.h"
#include "player/Unit5.h"

namespace rece2e {

// What the recording is doing, every ten seconds of a wait.
inline void Report() {
  std::printf("[rec] title '%s' file '%s' bytes %lld tail %d split %d stream %u active %d\n",
              Recorder().CurTitle().c_str(), Recorder().FileTitle().c_str(),
              static_cast<long long>(Recorder().FileBytes()), Recorder().TailCounter(),
              Recorder().SplitTicks(), static_cast<unsigned>(CurrentStream.load()),
              CurrentStream ? static_cast<int>(BASS_ChannelIsActive(CurrentStream)) : -1);
  std::fflush(stdout);
}

inline void Pump(double seconds, const std::function<bool()>& until = nullptr) {
  auto start = std::chrono::steady_clock::now();
  auto end = start + std::chrono::duration<double>(seconds);
  auto report = start + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    Application->ProcessMessages();
    if (until && until()) return;
    if (std::chrono::steady_clock::now() > report) {
      Report();
      report += std::chrono::seconds(10);
    }
    Sleep(5);
  }
}

inline std::vector<uint8_t> ReadAll(const std::string& path) {
  TMemoryStream m;
  m.LoadFromFile(path);
  auto* p = static_cast<uint8_t*>(m.Memory());
  return std::vector<uint8_t>(p, p + m.Size());
}

// Closes the modal recording-settings dialog as soon as it shows.
inline std::thread CloseSettingsWhenShown() {
  HWND dialog = Form5->Handle();
  return std::thread([dialog] {
    for (int i = 0; i < 1000 && !IsWindowVisible(dialog); ++i) Sleep(10);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
}

// A build-tree path as Wine sees it.
inline std::wstring HostPath(const char* unixPath) {
  std::wstring w = L"Z:" + Cp1251ToWide(unixPath);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

// How often the file's bytes start over at the beginning of the station's
// looped audio (a new connection), or -1 when a byte belongs to neither the
// running stream nor a new start.
inline int StreamRestarts(const std::vector<uint8_t>& file, const std::vector<uint8_t>& loop) {
  const size_t L = loop.size(), probe = 4096;
  if (file.size() < probe) return -1;
  auto matchesAt = [&](size_t fileAt, size_t loopAt) {
    size_t n = std::min(probe, file.size() - fileAt);
    for (size_t k = 0; k < n; ++k)
      if (file[fileAt + k] != loop[(loopAt + k) % L]) return false;
    return true;
  };
  size_t base = L;
  for (size_t o = 0; o < L && base == L; ++o)
    if (matchesAt(0, o)) base = o;
  if (base == L) return -1;
  int restarts = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    if (file[i] == loop[(base + i) % L]) continue;
    size_t j = i + 1, from = i > 2048 ? i - 2048 : 0;
    while (j-- > from)
      if (matchesAt(j, 0)) break;
    if (j + 1 == from || !matchesAt(j, 0)) return -1;
    base = (L - j % L) % L;
    ++restarts;
  }
  return restarts;
}

// The MPEG frames of a file cut out of a stream run unbroken from the first
// whole frame to the last, which may be cut.
inline bool FramesIntact(const std::vector<uint8_t>& file) {
  for (size_t f = 0; f < 4096 && f < file.size(); ++f) {
    std::vector<uint8_t> rest(file.begin() + f, file.end());
    std::vector<TMp3Frame> frames = Mp3Frames(rest);
    if (frames.size() < 20) continue;
    return frames.back().offset + 1044 >= rest.size() - 1;
  }
  return false;
}

// Every file under `dir`, by path relative to it.
inline void ListFiles(const std::string& dir, const std::string& rel,
               std::map<std::string, int64_t>& out) {
  TSearchRec r;
  if (FindFirst(dir + rel + "*.*", faAnyFile, r) != 0) return;
  do {
    if (r.Name == "." || r.Name == "..") continue;
    if (r.Attr & faDirectory)
      ListFiles(dir, rel + r.Name + "\\", out);
    else
      out[rel + r.Name] = r.Size;
  } while (FindNext(r) == 0);
  FindClose(r);
}

inline std::string Today() { return FormatDateTime("dd-mm-yyyy", Now()); }

} // namespace rece2e
