// Lame.exe, our encoder stand-in: the companion runs it to decode an MP3 into
// a WAV and to encode a WAV into an MP3 at a constant bitrate. Exactly two
// command lines are accepted (see LameCommand.h); anything else gets the
// usage text. Exit code 0 on success, 1 on failure, 2 for a wrong command
// line; the reason goes to standard error.
#include <cstdio>
#include <string>
#include <vector>

#include "encoder/Codec.h"
#include "encoder/LameCommand.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

int Run(const std::vector<std::string>& words) {
  TLameCommand cmd = ParseLameCommand(words);
  if (cmd.kind == TLameCommand::Kind::Invalid) {
    std::fputs(kLameUsage, stderr);
    return 2;
  }
  try {
    auto in = std::filesystem::u8path(cmd.input), out = std::filesystem::u8path(cmd.output);
    if (cmd.kind == TLameCommand::Kind::Decode)
      DecodeMp3ToWav(in, out);
    else
      EncodeWavToMp3(in, out, cmd.bitrate);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Lame: %s\n", e.what());
    return 1;
  }
  return 0;
}

} // namespace

#ifdef _WIN32
int main() {
  // The command line is taken as the system gave it, in UTF-16, so paths of
  // any characters survive.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> words;
  for (int i = 0; argv && i < argc; ++i) {
    int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, &s[0], n, nullptr, nullptr);
    words.push_back(s);
  }
  LocalFree(argv);
  return Run(ArgumentWords(words, [](const std::string& path) {
    DWORD a = GetFileAttributesW(std::filesystem::u8path(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }));
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
