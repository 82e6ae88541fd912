// A stand-in for Lame.exe in the companion's Windows tests: it appends its
// raw command line (UTF-8) to "lame-calls.txt" beside itself, then acts the
// part: for --decode it writes a short WAV at the second quoted path, for an
// encode it copies the WAV at the first quoted path to the second.
#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "tests/support/WavBytes.h"

namespace {

std::wstring Folder() {
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 4);
  std::wstring p(buf, n);
  return p.substr(0, p.find_last_of(L'\\'));
}

std::vector<std::wstring> QuotedWords(const std::wstring& line) {
  std::vector<std::wstring> words;
  for (size_t at = line.find(L'"'); at != std::wstring::npos; at = line.find(L'"', at + 1)) {
    size_t end = line.find(L'"', at + 1);
    if (end == std::wstring::npos) break;
    words.push_back(line.substr(at + 1, end - at - 1));
    at = end;
  }
  return words;
}

bool WriteAll(const std::wstring& path, const std::string& bytes, bool append) {
  HANDLE h = CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ,
                         nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(h);
  return ok && put == bytes.size();
}

std::string ReadAll(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string s(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  if (!s.empty()) ReadFile(h, &s[0], static_cast<DWORD>(s.size()), &got, nullptr);
  CloseHandle(h);
  s.resize(got);
  return s;
}

} // namespace

int main() {
  std::wstring line = GetCommandLineW();
  int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &utf8[0], n, nullptr, nullptr);
  WriteAll(Folder() + L"\\lame-calls.txt", utf8 + "\n", true);

  // Wine hands the program path quoted even when it was started unquoted:
  // the file paths are the last two quoted words.
  auto words = QuotedWords(line);
  if (words.size() < 2) return 2;
  words.erase(words.begin(), words.end() - 2);
  if (line.find(L" --decode  ") != std::wstring::npos) {
    // One second of stereo 16-bit silence with a little signal in it.
    std::vector<uint8_t> data;
    for (int i = 0; i < 44100 * 2; ++i) PutLE(data, static_cast<uint32_t>((i % 200) * 10), 2);
    std::vector<uint8_t> wav = MakeWav(2, 44100, 16, data);
    return WriteAll(words[1], std::string(wav.begin(), wav.end()), false) ? 0 : 1;
  }
  std::string wav = ReadAll(words[0]);
  if (wav.empty()) return 1;
  return WriteAll(words[1], wav, false) ? 0 : 1;
}
