// libFuzzer target: the station line files ("k1.ini", "favoritkanel.ini"),
// which a user edits by hand or copies from elsewhere. Whatever the bytes,
// every station read is whole (an address, a name, no line end inside
// either); written back and read again the list is the same; and each
// station's visible line finds it again by search and by its number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "player/StationListCore.h"
#include "tests/support/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = fuzzsupport::WriteScratchFile("k1.ini", data, size);
  std::vector<StationEntry> entries;
  ReadStationFile(file, entries); // an existing file: nothing to raise
  std::vector<std::string> lines;
  for (const StationEntry& e : entries) {
    if (e.Address.empty() || e.Name.empty()) std::abort();
    for (const std::string* s : {&e.Address, &e.Name})
      if (s->find_first_of("\r\n") != std::string::npos) std::abort();
    lines.push_back(StationLine(static_cast<int>(lines.size()) + 1, e.Name));
  }
  const int count = static_cast<int>(entries.size());
  for (int i = 0; i < count; ++i) {
    if (ResultLineIndex(lines[static_cast<size_t>(i)], count) != i) std::abort();
    if (!StationLineMatches(entries[static_cast<size_t>(i)].Name, lines[static_cast<size_t>(i)]))
      std::abort();
  }
  WriteStationFile(file, entries);
  std::vector<StationEntry> again;
  ReadStationFile(file, again);
  if (again != entries) std::abort();
  return 0;
}
