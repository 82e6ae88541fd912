// libFuzzer target: the hand-over file "kdr.ini" as the companion reads it
// at its start (another program writes it; a crash may leave it cut short).
// Whatever the bytes, the three lines read hold no line end, and written
// again as the player writes them they read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "converter/CompanionRun.h"
#include "tests/support/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = fuzzsupport::WriteScratchFile("kdr.ini", data, size);
  const THandOver h = ReadHandOver(file);
  for (const std::string* s : {&h.Bitrate, &h.InputName, &h.OutputName})
    if (s->find_first_of("\r\n") != std::string::npos) std::abort();
  const std::string text = h.Bitrate + "\r\n" + h.InputName + "\r\n" + h.OutputName + "\r\n";
  fuzzsupport::WriteScratchFile("kdr.ini", text.data(), text.size());
  const THandOver again = ReadHandOver(file);
  if (again.Bitrate != h.Bitrate || again.InputName != h.InputName ||
      again.OutputName != h.OutputName)
    std::abort();
  return 0;
}
