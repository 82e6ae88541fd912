// Korvalis.exe started as a user starts it, from a player folder whose path
// holds blanks and Cyrillic: it cleans up unfinished saves, shows only its
// main window and ends cleanly when closed; beside a library of another
// version it says so and keeps running.
#include <gtest/gtest.h>

#include "player/tests/win/PlayerProcess.h"

using namespace playerproc;

namespace {

TEST(ProgramStart, FromAFolderWithBlanksAndCyrillicShowsOnlyTheMainWindowAndClosesCleanly) {
  PlayerProcess p(L"Плеер с пробелами", ExeFolder() + L"bass.dll");
  // The companion's re-encode at a lower bitrate is under 2000000 bytes and
  // is kept; a save cut short by a crash left a ".part" that goes.
  const std::wstring small = p.Dir() + L"AUDIO\\Станция 1\\Короткая запись.mp3";
  const std::wstring big = p.Dir() + L"AUDIO\\Станция 1\\Длинная запись.mp3";
  const std::wstring part = p.Dir() + L"AUDIO\\Станция 1\\Оборванная запись.mp3.part";
  PutFile(small, std::string(1100000, 'x'));
  PutFile(big, std::string(2000000, 'x'));
  PutFile(part, std::string(10, 'x'));
  for (int run = 0; run < 2; ++run) { // a restart keeps it too
    p.Start();
    const HWND main = p.WaitForWindow(L"Korvalis  7.5");
    ASSERT_NE(main, nullptr);
    Sleep(1500); // past the one-second start-up timer
    EXPECT_TRUE(p.Answers(main));
    std::wstring message;
    EXPECT_EQ(p.WaitForBox(message, 100), nullptr) << classlib::WideToUtf8(message);
    EXPECT_TRUE(Exists(small));
    EXPECT_TRUE(Exists(big));
    EXPECT_FALSE(Exists(part));
    EXPECT_EQ(p.CloseAndWait(main), 0);
    EXPECT_TRUE(Exists(small));
  }
}

TEST(ProgramStart, ALibraryOfAnotherVersionIsReportedAndTheProgramGoesOn) {
  PlayerProcess p(L"Чужая библиотека", ExeFolder() + L"fakebass\\bass.dll");
  p.Start();
  std::wstring message;
  const HWND box = p.WaitForBox(message);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(message, L"An incorrect version of BASS.DLL was loaded");
  EXPECT_EQ(Text(box), L"");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  const HWND main = p.WaitForWindow(L"Korvalis  7.5");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(p.Answers(main));
  EXPECT_EQ(p.CloseAndWait(main), 0);
}

} // namespace
