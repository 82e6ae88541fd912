// Korvalis.exe started as a user starts it, from a player folder whose path
// holds blanks and Cyrillic: it cleans up small recordings, shows only its
// main window and ends cleanly when closed; beside a library of another
// version it says so and keeps running.
#include <gtest/gtest.h>

#include "player/tests/win/PlayerProcess.h"

using namespace playerproc;

namespace {

TEST(ProgramStart, FromAFolderWithBlanksAndCyrillicShowsOnlyTheMainWindowAndClosesCleanly) {
  PlayerProcess p(L"Плеер с пробелами", ExeFolder() + L"bass.dll");
  const std::wstring small = p.Dir() + L"AUDIO\\Станция 1\\Короткая запись.mp3";
  const std::wstring big = p.Dir() + L"AUDIO\\Станция 1\\Длинная запись.mp3";
  PutFile(small, std::string(10, 'x'));
  PutFile(big, std::string(2000000, 'x'));
  p.Start();
  const HWND main = p.WaitForWindow(L"Korvalis  7.5");
  ASSERT_NE(main, nullptr);
  Sleep(1500); // past the one-second start-up timer
  EXPECT_TRUE(p.Answers(main));
  std::wstring message;
  EXPECT_EQ(p.WaitForBox(message, 100), nullptr) << classlib::WideToUtf8(message);
  EXPECT_FALSE(Exists(small));
  EXPECT_TRUE(Exists(big));
  EXPECT_EQ(p.CloseAndWait(main), 0);
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
