// libFuzzer target: the companion's WAV path as a run goes it: open the WAV
// named in the hand-over file (header and samples), then fade its end. Any
// header, however damaged, either ends the run with an exception its guard
// takes, or gives audio holding at most the file's bytes, faded without
// reading or writing outside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "classlib/SysUtils.h"
#include "converter/CompanionRun.h"
#include "tests/support/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = fuzzsupport::WriteScratchFile("in.wav", data, size);
  // One audio buffer for the whole process: the run's own would cost a
  // scratch file and its window per input. OpenInput clears it.
  static std::unique_ptr<TAudioData> audio =
      std::make_unique<TAudioData>(fuzzsupport::ScratchDir() + "/");
  TCompanionRun run([] {});
  run.Audio = std::move(audio);
  run.State = "starting";
  run.InputName = input;
  try {
    run.OpenInput();
    const uint32_t bytes = run.Audio->Data().Size();
    if (run.State != "waiting") std::abort();
    // The samples run from the data chunk to the end: never more than the file.
    if (bytes > size) std::abort();
    run.ApplyFade();
    if (run.Audio->Data().Size() != bytes) std::abort();
  } catch (const Exception&) {
    // the run's guard ends it here
  }
  audio = std::move(run.Audio);
  return 0;
}
