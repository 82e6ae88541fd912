// TMP3File: the bridge to the encoder program Lame.exe beside the companion.
//
// The companion has no MP3 codec of its own: it runs the encoder hidden,
// waits for it, and exchanges audio with it through a temporary WAV in the
// TEMP folder. The two command lines are fixed; the encoder relies on them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "converter/AudioFormat.h"
#include "converter/FileUtils.h"

// Creation flags of the encoder's process: default error mode plus priority.
constexpr uint32_t kEncodeProcessFlags = 0x04000080; // high priority
constexpr uint32_t kDecodeProcessFlags = 0x04000020; // normal priority

// Starts a program by its command line, hidden, and waits for it to end.
// Replaceable so tests can watch the command lines without running anything.
class TProcessStarter {
 public:
  virtual ~TProcessStarter() = default;
  // The program's exit code; raises EInOutError when it can't be started.
  virtual uint32_t RunAndWait(const std::string& commandLine, uint32_t creationFlags) = 0;
};

// The starter in use (the platform's own unless a test set another).
TProcessStarter& ProcessStarter();
// nullptr restores the platform's own.
void SetProcessStarter(TProcessStarter* starter);
// The platform's own starter; defined by the platform's source file.
TProcessStarter& PlatformProcessStarter();

// Unit state, set when the program starts: the TEMP folder (with its
// separator) and the full path of the encoder program.
extern std::string TempDir;
extern std::string LamePath;

// The temporary WAV of one companion. The first companion's is TempDir +
// "TempWave.wav"; a companion whose scratch file is N.TAD (N > 0) uses
// "TempWaveN.wav", so two companions running at once never share one.
std::string TempWaveName(const TAudioData& audio);

// `LamePath --decode  "mp3"  "wav"`
std::string DecodeCommandLine(const std::string& mp3Name, const std::string& wavName);
// `LamePath -m <mode> <switch> <bitrate> "wav" "output"`
std::string EncodeCommandLine(const std::string& mode, const std::string& bitrateSwitch,
                              const std::string& bitrate, const std::string& wavName,
                              const std::string& outputName);

class TMP3File : public TAudioFile {
 public:
  // Opens the MP3 (for reading and writing, loading its first window).
  explicit TMP3File(const std::string& fileName);
  // Encodes `audio` into `outputName`; the result is open on the new MP3.
  static std::unique_ptr<TMP3File> CreateEncoded(const std::string& outputName, TAudioData& audio,
                                                 const std::string& bitrate,
                                                 const std::string& bitrateSwitch,
                                                 const std::string& mode);
  // Decodes this MP3 into `audio` through the encoder program.
  void Decode(TAudioData& audio);

  std::string MP3Name;
};
