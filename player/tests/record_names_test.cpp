// What titles and station lines become in the recordings' folder and file
// names.
#include <gtest/gtest.h>

#include "player/RecordNamesCore.h"

namespace {

TEST(RecordNames, SanitizeReplacesEachForbiddenCharacter) {
  EXPECT_EQ(SanitizeFileName("AC/DC: Back.In.Black?"), "AC_DC_ Back_In_Black_");
  EXPECT_EQ(SanitizeFileName("/:*.?\"<>|\\;,+@!#\xB9$%^&"), std::string(21, '_'));
  EXPECT_EQ(SanitizeFileName("a\x01"
                             "b\x1F"
                             "c\td\n"),
            "a_b_c_d_");
  EXPECT_EQ(SanitizeFileName("Кино - Группа крови (live) [1988] 'x' = ~y"),
            "Кино - Группа крови (live) [1988] 'x' = ~y");
  EXPECT_EQ(SanitizeFileName(""), "");
}

TEST(RecordNames, NormalizeSpaces) {
  EXPECT_EQ(NormalizeSpaces("  Jazz   One  "), "Jazz One");
  EXPECT_EQ(NormalizeSpaces("   "), "");
  EXPECT_EQ(NormalizeSpaces(""), "");
  EXPECT_EQ(NormalizeSpaces("a b"), "a b");
}

TEST(RecordNames, StationFolderFromTheListLine) {
  EXPECT_EQ(StationFolderName("3     Jazz  One "), "Jazz One");
  EXPECT_EQ(StationFolderName("Alone"), "Alone");
  EXPECT_EQ(StationFolderName("12 Радио Рок"), "Радио Рок");
  // Only what Windows refuses changes: the title's other characters stay.
  EXPECT_EQ(StationFolderName("1 Radio 1.FM"), "Radio 1.FM");
  EXPECT_EQ(StationFolderName("1 Rock & Roll; 100% #1, +@!$^ №"), "Rock & Roll; 100% #1, +@!$^ №");
  EXPECT_EQ(StationFolderName("1 a<b>c:d\"e/f\\g|h?i*j\tk\nl"), "a_b_c_d_e_f_g_h_i_j_k_l");
}

TEST(RecordNames, AStationFolderStaysInTheRecordingsAndIsNoDevice) {
  EXPECT_EQ(StationFolderName("1 ..\\..\\x"), ".._.._x");
  // Windows drops trailing dots and blanks: ".." is no name, "Jazz." not "Jazz".
  EXPECT_EQ(StationFolderName("1 .."), "");
  EXPECT_EQ(StationFolderName("1 Radio 1.FM ."), "Radio 1.FM");
  for (const char* n : {"CON", "prn", "Aux", "NUL", "COM1", "com9", "LPT1", "lpt9"}) {
    EXPECT_TRUE(IsReservedDeviceName(n)) << n;
    EXPECT_EQ(StationFolderName(std::string("1 ") + n), std::string(n) + "_");
  }
  for (const char* n : {"COM0", "COM10", "CONSOLE", "NULL", "LPT", ""})
    EXPECT_FALSE(IsReservedDeviceName(n)) << n;
  // A device name before a dot is the device too, also once trailing dots went.
  EXPECT_EQ(StationFolderName("1 Con.FM"), "Con_.FM");
  EXPECT_EQ(StationFolderName("1 aux..."), "aux_");
  EXPECT_EQ(StationFolderName("1 Console.FM"), "Console.FM");
}

TEST(RecordNames, ALongStationNameIsCut) {
  std::string name = StationFolderName("1 " + std::string(kMaxStationFolder - 1, 'a') + " bcd");
  EXPECT_EQ(name, std::string(kMaxStationFolder - 1, 'a'));
  name = StationFolderName("1 CON." + std::string(kMaxStationFolder, 'x'));
  EXPECT_EQ(name, "CON_." + std::string(kMaxStationFolder - 5, 'x'));
}

TEST(RecordNames, FileBaseFromTitleOrStationLabel) {
  EXPECT_EQ(FileBaseFor("Artist - Song", "3 Jazz"), "Artist - Song");
  EXPECT_EQ(FileBaseFor("", "3 Jazz One"), "Jazz One");
  EXPECT_EQ(FileBaseFor("-", "3 Jazz.FM"), "Jazz_FM");
  EXPECT_EQ(FileBaseFor("-", "Nameless"), "Nameless");
  EXPECT_EQ(FileBaseFor(" ", "3 Jazz"), " ");
}

TEST(RecordNames, LanguageFolderByTheFirstByte) {
  EXPECT_EQ(LanguageFolder("Artist"), "\\ЗАРУБЕЖКА\\");
  EXPECT_EQ(LanguageFolder("z"), "\\ЗАРУБЕЖКА\\");
  EXPECT_EQ(LanguageFolder("7 days"), "\\ЗАРУБЕЖКА\\");
  EXPECT_EQ(LanguageFolder("{"), "\\РУССКОЕ\\");
  EXPECT_EQ(LanguageFolder("Ёлка"), "\\РУССКОЕ\\");
  EXPECT_EQ(LanguageFolder(""), "\\ЗАРУБЕЖКА\\");
}

TEST(RecordNames, StationDatePathAndFitting) {
  EXPECT_EQ(StationDatePath("Jazz One", "01-02-2026"), "\\Jazz One\\01-02-2026");
  EXPECT_EQ(FitBaseName("abc", 10), "abc");
  EXPECT_EQ(FitBaseName("abcdef", kMaxRecordingPath - 3), "abc");
  EXPECT_EQ(FitBaseName("ab  cdef", kMaxRecordingPath - 4), "ab");
  EXPECT_EQ(FitBaseName("abc", kMaxRecordingPath + 20), "_");
  EXPECT_EQ(FitBaseName("", kMaxRecordingPath), "");
}

} // namespace
