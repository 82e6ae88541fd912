// The companion's timed run (see CompanionRun.h).
#include "converter/CompanionRun.h"

#include "converter/MP3_Format.h"
#include "converter/PCM_Format.h"
#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

namespace {

std::string UpperExt(const std::string& name) { return AnsiUpperCase(ExtractFileExt(name)); }

} // namespace

std::string HandOverPath(const std::string& programFolder) {
  return programFolder + PathDelim + "AUDIO" + PathDelim + "TEMP" + PathDelim + "kdr.ini";
}

TCompanionRun::TCompanionRun(std::function<void()> terminate) : terminate_(std::move(terminate)) {}

TCompanionRun::~TCompanionRun() = default;

void TCompanionRun::Start(const std::string& handOverFile) {
  Audio = std::make_unique<TAudioData>();
  Audio->Channels = 2;
  Audio->BitsPerSample = 16;
  Audio->SampleRate = 44100;
  Audio->UpdateBlockAlign();
  State = "starting";
  THandOver h = ReadHandOver(handOverFile);
  Bitrate = std::move(h.Bitrate);
  InputName = std::move(h.InputName);
  OutputName = std::move(h.OutputName);
}

THandOver ReadHandOver(const std::string& fileName) {
  THandOver h;
  TTextFile f(fileName);
  f.Reset();
  h.Bitrate = f.ReadLn();
  h.InputName = f.ReadLn();
  h.OutputName = f.ReadLn();
  f.CloseFile();
  return h;
}

void TCompanionRun::Tick() {
  try {
    ++TickCount;
    if (TickCount == 1) OpenInput();
    if (TickCount == 15) ApplyFade();
    if (TickCount == 30) SaveOutput();
    if (TickCount > 45) terminate_();
  } catch (...) { terminate_(); }
}

void TCompanionRun::OpenInput() {
  if (State != "starting" && State != "waiting") return;
  if (InputName.empty()) return;
  State = "opening";
  Audio->Data().Clear();
  ClearReadOnly(InputName);
  std::string ext = UpperExt(InputName);
  if (ext == ".WAV") {
    TPCMFile pcm(InputName);
    pcm.ReadData(*Audio);
    pcm.Close();
  } else if (ext == ".MP3") {
    TMP3File mp3(InputName);
    mp3.Decode(*Audio);
    mp3.Close();
  }
  Audio->UpdateBlockAlign();
  State = "waiting";
}

void TCompanionRun::ApplyFade() {
  if (State != "waiting") return;
  State = "deformation";
  if (Audio->BlockAlign == 0) throw EZeroDivide("Division by zero: audio without frames");
  uint32_t frames = Audio->Data().Size() / Audio->BlockAlign;
  // Fewer than three frames leave nothing to process (the last two stay).
  if (frames >= 3) Audio->FadeOut(0, frames - 2);
  State = "waiting";
}

void TCompanionRun::SaveOutput() {
  if (State != "waiting") return;
  if (OutputName.empty()) return;
  std::string ext = UpperExt(OutputName);
  if (ext == ".WAV") {
    // Written under a side name and renamed when complete, so a failure
    // leaves no half file under the final name (and never hits the input
    // when both names are the same).
    std::string part = OutputName + ".part";
    try {
      TPCMFile::CreateFrom(part, *Audio)->Close();
      if (!classlib::RenameFileReplacing(part, OutputName))
        throw EInOutError("Cannot write \"" + OutputName + "\"", 5);
    } catch (...) {
      DeleteFile(part);
      throw;
    }
  } else if (ext == ".MP3") {
    TMP3File::CreateEncoded(OutputName, *Audio, Bitrate, "-b", "s")->Close();
  }
}

void TCompanionRun::ReleaseAudio() { Audio.reset(); }
