// The companion as the player uses it, under Wine: a folder laid out as the
// player leaves it (AUDIO\TEMP\kdr.ini and the recording), Tamzo.exe and
// Lame.exe side by side in a folder whose path has blanks, Tamzo started
// without arguments. Every scenario runs at once in its own folder and TEMP;
// each test then waits for its companion to end by itself and checks what it
// left on disk.
#include "classlib/WinApi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "classlib/tests/support/ScratchFolder.h"
#include "tests/support/WavBytes.h"
#include "tests/support/Mp3Frames.h"

namespace {

std::wstring W(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
  return w;
}

std::string U(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
  return s;
}

// A build-tree path as Wine sees it.
std::wstring HostPath(const char* unixPath) {
  std::wstring w = L"Z:" + W(unixPath);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

std::vector<uint8_t> Bytes(const std::wstring& p) {
  std::ifstream f(p.c_str(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& p, const std::string& bytes) {
  std::ofstream f(p.c_str(), std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::wstring& p) {
  return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> Entries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring n = fd.cFileName;
    if (n != L"." && n != L"..") names.push_back(n);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

// A stereo 16-bit 44.1 kHz WAV of a 440 Hz tone at half scale.
std::string ToneWav(double seconds) {
  std::vector<uint8_t> data;
  uint32_t frames = static_cast<uint32_t>(44100 * seconds);
  for (uint32_t i = 0; i < frames; ++i) {
    int16_t v = static_cast<int16_t>(16000 * std::sin(2 * 3.14159265358979 * 440 * i / 44100.0));
    PutLE(data, static_cast<uint16_t>(v), 2);
    PutLE(data, static_cast<uint16_t>(v), 2);
  }
  std::vector<uint8_t> w = MakeWav(2, 44100, 16, data);
  return std::string(w.begin(), w.end());
}

// Starts a program; `temp` (if given) becomes its TEMP and TMP.
HANDLE Start(const std::wstring& commandLine, const std::wstring& temp = L"") {
  std::wstring env;
  if (!temp.empty()) {
    wchar_t* block = GetEnvironmentStringsW();
    for (wchar_t* p = block; *p; p += wcslen(p) + 1) {
      std::wstring var = p;
      if (_wcsnicmp(var.c_str(), L"TEMP=", 5) == 0 || _wcsnicmp(var.c_str(), L"TMP=", 4) == 0)
        continue;
      env += var;
      env += L'\0';
    }
    FreeEnvironmentStringsW(block);
    env += L"TEMP=" + temp + L'\0' + L"TMP=" + temp + L'\0' + L'\0';
  }
  std::wstring line = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      env.empty() ? nullptr : &env[0], nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// Waits for a process; false when it is still running after `seconds`.
bool WaitEnd(HANDLE process, int seconds, DWORD* exitCode = nullptr) {
  if (!process) return false;
  if (WaitForSingleObject(process, seconds * 1000) != WAIT_OBJECT_0) {
    TerminateProcess(process, 99);
    return false;
  }
  if (exitCode) GetExitCodeProcess(process, exitCode);
  return true;
}

const std::wstring kTamzo = HostPath(TAMZO_EXE);
const std::wstring kLame = HostPath(LAME_EXE);
const std::wstring kFakeLame = HostPath(FAKE_LAME_EXE);
const std::wstring kRoot = HostPath(E2E_DIR);

// One player folder with its companion and encoder, and a TEMP of its own.
struct TScenario {
  std::wstring folder; // the program folder (with blanks)
  std::wstring temp;
  std::wstring input, output;
  HANDLE process = nullptr;
  DWORD startTick = 0;

  void Prepare(const std::wstring& name, bool fakeEncoder) {
    std::wstring base = kRoot + L"\\" + name;
    test_support::RemoveTree(base);
    CreateDirectoryW(kRoot.c_str(), nullptr);
    CreateDirectoryW(base.c_str(), nullptr);
    folder = base + L"\\Player Folder";
    temp = base + L"\\Temp Dir";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(temp.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\AUDIO").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\AUDIO\\TEMP").c_str(), nullptr);
    CopyFileW(kTamzo.c_str(), (folder + L"\\Tamzo.exe").c_str(), FALSE);
    CopyFileW((fakeEncoder ? kFakeLame : kLame).c_str(), (folder + L"\\Lame.exe").c_str(), FALSE);
  }
  void HandOver(const std::vector<std::wstring>& lines) {
    std::string text;
    for (auto& l : lines) text += U(l) + "\r\n"; // the names here are plain ASCII
    WriteFile(folder + L"\\AUDIO\\TEMP\\kdr.ini", text);
  }
  void Launch() {
    startTick = GetTickCount();
    process = Start(L"\"" + folder + L"\\Tamzo.exe\"", temp);
  }
  // Seconds the companion took to end by itself, or -1.
  double Finish(int limit = 150) {
    int left = limit - static_cast<int>((GetTickCount() - startTick) / 1000);
    if (!WaitEnd(process, left > 1 ? left : 1)) return -1;
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    process = nullptr;
    auto ticks = [](const FILETIME& t) {
      return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(exited) - ticks(created)) / 1e7;
  }
};

std::map<std::string, TScenario> g_runs;

// Encodes `seconds` of tone with our encoder into `mp3` (through `scratch`).
bool MakeRecording(const std::wstring& mp3, const std::wstring& scratch, double seconds) {
  WriteFile(scratch, ToneWav(seconds));
  HANDLE enc = Start(L"\"" + kLame + L"\" -m s -b 128 \"" + scratch + L"\" \"" + mp3 + L"\"");
  DWORD code = 1;
  bool ok = WaitEnd(enc, 60, &code) && code == 0;
  if (enc) CloseHandle(enc);
  DeleteFileW(scratch.c_str());
  return ok;
}

// Decodes an MP3 with our encoder and gives the WAV's bytes.
std::vector<uint8_t> DecodeToWav(const std::wstring& mp3, const std::wstring& wav) {
  HANDLE dec = Start(L"\"" + kLame + L"\" --decode \"" + mp3 + L"\" \"" + wav + L"\"");
  DWORD code = 1;
  bool ok = WaitEnd(dec, 60, &code) && code == 0;
  if (dec) CloseHandle(dec);
  auto bytes = ok ? Bytes(wav) : std::vector<uint8_t>();
  DeleteFileW(wav.c_str());
  return bytes;
}

// The decoded RMS (of full scale) of a 16-bit stereo WAV between two times.
double Rms(const std::vector<uint8_t>& wav, double from, double to) {
  size_t a = 44 + 4 * static_cast<size_t>(from * 44100),
         b = 44 + 4 * static_cast<size_t>(to * 44100);
  b = std::min(b, wav.size() & ~size_t(3));
  double sum = 0;
  size_t n = 0;
  for (size_t i = a; i + 1 < b; i += 2, ++n) {
    int16_t s = static_cast<int16_t>(wav[i] | wav[i + 1] << 8);
    sum += double(s) * s;
  }
  return n ? std::sqrt(sum / n) / 32768 : 0;
}

class Companion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A real recording: 30 s of tone, encoded by our encoder at 128 kbit/s.
    TScenario& real = g_runs["real"];
    real.Prepare(L"real", false);
    real.input = real.folder + L"\\AUDIO\\TEMP\\12-00-00_Artist - Title.mp3";
    real.output = real.folder + L"\\AUDIO\\12-00-00_Artist - Title.mp3";
    ASSERT_TRUE(MakeRecording(real.input, real.temp + L"\\tone.wav", 30));
    real.HandOver({L"192", real.input, real.output});

    TScenario& fake = g_runs["fake"];
    fake.Prepare(L"fake", true);
    fake.input = fake.folder + L"\\AUDIO\\TEMP\\rec 1.Mp3";
    fake.output = fake.folder + L"\\AUDIO\\out file.mp3";
    WriteFile(fake.input, std::string(1000, '\x55'));
    fake.HandOver({L"192", fake.input, fake.output});

    TScenario& oneLine = g_runs["one-line"];
    oneLine.Prepare(L"one-line", false);
    oneLine.HandOver({L"128"});

    TScenario& notMp3 = g_runs["not-mp3"];
    notMp3.Prepare(L"not-mp3", false);
    notMp3.input = notMp3.folder + L"\\AUDIO\\TEMP\\fake.mp3";
    notMp3.output = notMp3.folder + L"\\AUDIO\\fake.mp3";
    WriteFile(notMp3.input, std::string(20000, 'x'));
    notMp3.HandOver({L"128", notMp3.input, notMp3.output});

    TScenario& noFolder = g_runs["no-folder"];
    noFolder.Prepare(L"no-folder", false);
    noFolder.input = noFolder.folder + L"\\AUDIO\\TEMP\\rec.wav";
    noFolder.output = noFolder.folder + L"\\AUDIO\\missing\\rec.wav";
    WriteFile(noFolder.input, ToneWav(1));
    noFolder.HandOver({L"128", noFolder.input, noFolder.output});

    TScenario& noLame = g_runs["no-lame"];
    noLame.Prepare(L"no-lame", false);
    DeleteFileW((noLame.folder + L"\\Lame.exe").c_str());
    noLame.input = noLame.folder + L"\\AUDIO\\TEMP\\rec.wav";
    noLame.output = noLame.folder + L"\\AUDIO\\rec.mp3";
    WriteFile(noLame.input, ToneWav(1));
    noLame.HandOver({L"128", noLame.input, noLame.output});

    // Two players' companions at once, sharing one TEMP folder: each must
    // convert its own recording (of a length of its own).
    for (auto [name, seconds] : {std::make_pair("pair-a", 14.0), std::make_pair("pair-b", 19.0)}) {
      TScenario& pair = g_runs[name];
      pair.Prepare(W(name), false);
      pair.temp = kRoot + L"\\shared temp";
      CreateDirectoryW(pair.temp.c_str(), nullptr);
      pair.input = pair.folder + L"\\AUDIO\\TEMP\\rec.mp3";
      pair.output = pair.folder + L"\\AUDIO\\rec.mp3";
      ASSERT_TRUE(MakeRecording(pair.input, pair.folder + L"\\tone.wav", seconds));
      pair.HandOver({L"160", pair.input, pair.output});
    }

    TScenario& noHandOver = g_runs["no-hand-over"];
    noHandOver.Prepare(L"no-hand-over", false);

    for (auto& [name, run] : g_runs) run.Launch();
  }
};

TEST_F(Companion, ConvertsARecordingAtTheChosenBitrate) {
  TScenario& run = g_runs["real"];
  auto input = Bytes(run.input);
  double took = run.Finish();
  ASSERT_GE(took, 40.0) << "ended early";
  auto mp3 = Bytes(run.output);
  auto frames = Mp3Frames(mp3);
  ASSERT_GT(frames.size(), 1000u);
  for (auto& f : frames) ASSERT_EQ(f.bitrate, 192);
  EXPECT_EQ(Bytes(run.input), input);
  EXPECT_TRUE(Entries(run.temp).empty()) << "scratch files left in TEMP";

  // Decode the result and listen to its end: full tone, then a fade to silence.
  auto wav = DecodeToWav(run.output, run.temp + L"\\back.wav");
  ASSERT_GT(wav.size(), 44u);
  double seconds = (wav.size() - 44) / 4.0 / 44100;
  ASSERT_NEAR(seconds, 30.0, 0.3);
  double full = Rms(wav, 2, 10);
  EXPECT_NEAR(full, 0.345, 0.03);
  double fadeStart = seconds - 11.34;
  EXPECT_NEAR(Rms(wav, fadeStart - 1.5, fadeStart - 0.5), full, 0.02);
  double previous = full;
  for (double t = fadeStart + 1; t + 1 < seconds - 0.3; t += 1.0) {
    double r = Rms(wav, t, t + 1);
    EXPECT_LT(r, previous) << "at " << t << " s";
    previous = r;
  }
  EXPECT_NEAR(Rms(wav, fadeStart + 5.17, fadeStart + 6.17), full * 0.5, 0.03);
  EXPECT_LT(Rms(wav, seconds - 0.4, seconds - 0.1), 0.01);
}

TEST_F(Companion, TwoCompanionsAtOnceEachConvertTheirOwnRecording) {
  TScenario& a = g_runs["pair-a"];
  TScenario& b = g_runs["pair-b"];
  ASSERT_GE(a.Finish(), 40.0);
  ASSERT_GE(b.Finish(), 40.0);
  auto wa = DecodeToWav(a.output, a.folder + L"\\back.wav");
  auto wb = DecodeToWav(b.output, b.folder + L"\\back.wav");
  ASSERT_GT(wa.size(), 44u);
  ASSERT_GT(wb.size(), 44u);
  EXPECT_NEAR((wa.size() - 44) / 4.0 / 44100, 14.0, 0.3);
  EXPECT_NEAR((wb.size() - 44) / 4.0 / 44100, 19.0, 0.3);
  for (auto* run : {&a, &b}) {
    auto frames = Mp3Frames(Bytes(run->output));
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().bitrate, 160);
  }
  EXPECT_TRUE(Entries(a.temp).empty());
}

TEST_F(Companion, RunsTheEncoderWithTheExactCommandLines) {
  TScenario& run = g_runs["fake"];
  ASSERT_GE(run.Finish(), 40.0);
  auto log = Bytes(run.folder + L"\\lame-calls.txt");
  std::string text(log.begin(), log.end());
  std::string lame = U(run.folder) + "\\Lame.exe";
  std::string wav = U(run.temp) + "\\TempWave.wav";
  // The companion passes the program path unquoted (the native tests check
  // the very bytes); Wine quotes it on the way to the child, so take it back.
  for (size_t at; (at = text.find("\"" + lame + "\"")) != std::string::npos;)
    text.replace(at, lame.size() + 2, lame);
  EXPECT_EQ(text, lame + " --decode  \"" + U(run.input) + "\"  \"" + wav + "\"\n" + lame +
                      " -m s -b 192 \"" + wav + "\" \"" + U(run.output) + "\"\n");
  // The fake encoder copies the WAV it is given: one second, faded nowhere
  // (too short), written with the canonical header.
  EXPECT_EQ(Bytes(run.output).size(), 44u + 44100u * 4);
  EXPECT_TRUE(Entries(run.temp).empty());
}

TEST_F(Companion, AOneLineHandOverEndsWithoutTouchingAnything) {
  TScenario& run = g_runs["one-line"];
  double took = run.Finish();
  EXPECT_GE(took, 40.0);
  EXPECT_EQ(Entries(run.folder + L"\\AUDIO").size(), 1u); // only TEMP
  EXPECT_TRUE(Entries(run.temp).empty());
}

TEST_F(Companion, AnInputThatIsNoMp3EndsTheRunAtOnce) {
  TScenario& run = g_runs["not-mp3"];
  double took = run.Finish();
  ASSERT_GE(took, 0.0);
  EXPECT_LT(took, 20.0);
  EXPECT_FALSE(Exists(run.output));
  EXPECT_EQ(Bytes(run.input).size(), 20000u);
  EXPECT_TRUE(Entries(run.temp).empty());
}

TEST_F(Companion, AnUnwritableOutputFolderLosesNothing) {
  TScenario& run = g_runs["no-folder"];
  ASSERT_GE(run.Finish(), 25.0);
  EXPECT_FALSE(Exists(run.output));
  std::string tone = ToneWav(1);
  EXPECT_EQ(Bytes(run.input), std::vector<uint8_t>(tone.begin(), tone.end()));
  EXPECT_TRUE(Entries(run.temp).empty());
}

TEST_F(Companion, AMissingEncoderEndsTheRunAtTheSave) {
  TScenario& run = g_runs["no-lame"];
  double took = run.Finish();
  ASSERT_GE(took, 25.0);
  EXPECT_LT(took, 40.0);
  EXPECT_FALSE(Exists(run.output));
  EXPECT_TRUE(Exists(run.input));
  EXPECT_TRUE(Entries(run.temp).empty());
}

struct TFound {
  DWORD pid;
  HWND wnd;
};

BOOL CALLBACK FindVisible(HWND wnd, LPARAM lp) {
  auto* f = reinterpret_cast<TFound*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid == f->pid && IsWindowVisible(wnd)) {
    f->wnd = wnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM lp) {
  wchar_t buf[1024];
  GetWindowTextW(child, buf, 1024);
  *reinterpret_cast<std::wstring*>(lp) += std::wstring(buf) + L"\n";
  return TRUE;
}

TEST_F(Companion, AMissingHandOverFileIsReportedAndEndsTheRun) {
  TScenario& run = g_runs["no-hand-over"];
  // The error box is the only window the companion ever shows; a person
  // reads it and presses OK.
  TFound found{GetProcessId(run.process), nullptr};
  for (int i = 0; i < 200 && !found.wnd; ++i) {
    Sleep(100);
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
  }
  ASSERT_NE(found.wnd, nullptr) << "no error box";
  std::wstring text;
  EnumChildWindows(found.wnd, CollectText, reinterpret_cast<LPARAM>(&text));
  EXPECT_NE(text.find(L"kdr.ini"), std::wstring::npos) << U(text);
  PostMessageW(found.wnd, WM_COMMAND, IDOK, 0);
  double took = run.Finish(60);
  EXPECT_GE(took, 0.0) << "still running after the error box was closed";
  EXPECT_TRUE(Entries(run.temp).empty());
}

} // namespace
