// The encoder bridge (see MP3_Format.h). The temporary WAV is removed on
// every path, and an encoder that fails is reported as a failure: a stale WAV
// of an earlier run must never be taken for this run's audio.
#include "converter/MP3_Format.h"

#include "converter/PCM_Format.h"
#include "classlib/SysUtils.h"

std::string TempDir = GetTempDir();
std::string LamePath = ExtractFileDir(ParamStr(0)) + PathDelim + "Lame.exe";

namespace {

TProcessStarter* g_starter = nullptr;

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Removes a left-over WAV; one that can't be removed would be read as ours.
void RemoveStale(const std::string& wav) {
  if (PathExists(wav) && !DeleteFile(wav))
    throw EInOutError("Cannot remove the old temporary file \"" + wav + "\"", 5);
}

void RunEncoder(const std::string& commandLine, uint32_t flags) {
  uint32_t code = ProcessStarter().RunAndWait(commandLine, flags);
  if (code != 0)
    throw EInOutError("The encoder failed (exit code " + std::to_string(code) + "): " + commandLine,
                      static_cast<int>(code));
}

} // namespace

TProcessStarter& ProcessStarter() { return g_starter ? *g_starter : PlatformProcessStarter(); }

void SetProcessStarter(TProcessStarter* starter) { g_starter = starter; }

std::string TempWaveName(const TAudioData& audio) {
  std::string n = ExtractFileName(audio.FileName());
  n = n.substr(0, n.size() - ExtractFileExt(n).size());
  return (n.empty() || n == "0") ? "TempWave.wav" : "TempWave" + n + ".wav";
}

std::string DecodeCommandLine(const std::string& mp3Name, const std::string& wavName) {
  return LamePath + " --decode  " + Quoted(mp3Name) + "  " + Quoted(wavName);
}

std::string EncodeCommandLine(const std::string& mode, const std::string& bitrateSwitch,
                              const std::string& bitrate, const std::string& wavName,
                              const std::string& outputName) {
  return LamePath + " -m " + mode + " " + bitrateSwitch + " " + bitrate + " " + Quoted(wavName) +
         " " + Quoted(outputName);
}

TMP3File::TMP3File(const std::string& fileName) : TAudioFile(fileName), MP3Name(fileName) {}

void TMP3File::Decode(TAudioData& audio) {
  std::string wav = TempDir + TempWaveName(audio);
  RemoveStale(wav);
  try {
    RunEncoder(DecodeCommandLine(MP3Name, wav), kDecodeProcessFlags);
    TPCMFile pcm(wav);
    pcm.ReadData(audio);
    pcm.Close();
  } catch (...) {
    DeleteFile(wav);
    throw;
  }
  DeleteFile(wav);
}

std::unique_ptr<TMP3File> TMP3File::CreateEncoded(const std::string& outputName, TAudioData& audio,
                                                  const std::string& bitrate,
                                                  const std::string& bitrateSwitch,
                                                  const std::string& mode) {
  std::string wav = TempDir + TempWaveName(audio);
  // What a failing encoder left under the output's name is no recording; a
  // file that was there before is not the encoder's to remove.
  const bool outputWasThere = PathExists(outputName);
  try {
    TPCMFile::CreateFrom(wav, audio)->Close();
    RunEncoder(EncodeCommandLine(mode, bitrateSwitch, bitrate, wav, outputName),
               kEncodeProcessFlags);
  } catch (...) {
    DeleteFile(wav);
    if (!outputWasThere) DeleteFile(outputName);
    throw;
  }
  DeleteFile(wav);
  return std::make_unique<TMP3File>(outputName);
}
