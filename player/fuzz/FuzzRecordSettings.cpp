// libFuzzer target: the recording settings' file "zap.ini", which a user may
// edit or damage. Whatever the bytes, reading either applies the file or
// raises EConvertError for a bad bitrate line; the chosen bitrate always
// names one of the list; and the settings written back read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/SysUtils.h"
#include "player/RecordSettingsCore.h"
#include "tests/support/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = fuzzsupport::WriteScratchFile("zap.ini", data, size);
  RecordSettings settings;
  settings.AsReceived = size % 2 == 0; // either starting state
  try {
    ReadRecordSettings(file, settings);
  } catch (const EConvertError&) {
    // a bitrate line that names no bitrate: the index stays
  }
  if (settings.BitrateIndex < 0 || settings.BitrateIndex >= kBitrateCount) std::abort();
  WriteRecordSettings(file, settings);
  RecordSettings back;
  back.AsReceived = !settings.AsReceived;
  back.BitrateIndex = (settings.BitrateIndex + 1) % kBitrateCount;
  ReadRecordSettings(file, back);
  if (back.AsReceived != settings.AsReceived || back.BitrateIndex != settings.BitrateIndex)
    std::abort();
  return 0;
}
