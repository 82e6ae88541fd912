// The station lists' line files, lines, search and result numbers, on files
// in a scratch folder.
#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "classlib/TextFile.h"
#include "player/StationListCore.h"

namespace {

class StationFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = IncludeTrailingPathDelimiter(
        GetTempDir() + "stations_" +
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ForceDirectories(dir_);
  }
  void TearDown() override {
    for (const char* n : {"k1.ini", "k1.ini.tmp", "favoritkanel.ini"}) DeleteFile(dir_ + n);
    RemoveDir(dir_);
  }
  void Put(const std::string& name, const std::string& bytes) {
    TFileStream f(dir_ + name, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  std::string Read(const std::string& name) {
    TMemoryStream m;
    m.LoadFromFile(dir_ + name);
    return std::string(static_cast<char*>(m.Memory()), static_cast<size_t>(m.Size()));
  }
  std::vector<StationEntry> Load(const std::string& name) {
    std::vector<StationEntry> e;
    ReadStationFile(dir_ + name, e);
    return e;
  }
  std::string dir_;
};

TEST_F(StationFiles, SixLineFileShowsNumberedLinesAndSavesBackByteForByte) {
  const std::string six = "addr-1\r\nJazz A\r\n\r\naddr-2\r\nJazz B\r\n\r\n";
  Put("k1.ini", six);
  std::vector<StationEntry> e = Load("k1.ini");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[1], (StationEntry{"addr-2", "Jazz B"}));
  EXPECT_EQ(StationLine(1, e[0].Name), "1 Jazz A");
  EXPECT_EQ(StationLine(2, e[1].Name), "2 Jazz B");
  WriteStationFile(dir_ + "k1.ini", e);
  EXPECT_EQ(Read("k1.ini"), six);
  EXPECT_FALSE(FileExists(dir_ + "k1.ini.tmp"));
}

TEST_F(StationFiles, CyrillicNamesAndAddressesRoundTripInTheCodePage) {
  std::vector<StationEntry> e = {{"http://127.0.0.1:8000/радио", "Радио Ёлка"},
                                 {"http://x/;stream.mp3", "Europa Plus"}};
  WriteStationFile(dir_ + "favoritkanel.ini", e);
  EXPECT_EQ(Read("favoritkanel.ini"),
            "http://127.0.0.1:8000/радио\r\nРадио Ёлка\r\n\r\nhttp://x/;stream.mp3\r\nEuropa "
            "Plus\r\n\r\n");
  EXPECT_EQ(Load("favoritkanel.ini"), e);
  // One byte per letter: the file is Windows-1251, not UTF-8.
  EXPECT_EQ(Read("favoritkanel.ini").find("\xD0\xE0\xE4\xE8\xEE \xA8\xEB\xEA\xE0"), 29u);
}

TEST_F(StationFiles, EmptyUnterminatedAndLfOnlyFiles) {
  Put("k1.ini", "");
  EXPECT_TRUE(Load("k1.ini").empty());
  WriteStationFile(dir_ + "k1.ini", {});
  EXPECT_EQ(Read("k1.ini"), "");
  // The last station without its empty line, and its name without a line end.
  Put("k1.ini", "a1\r\nOne\r\n\r\na2\r\nTwo");
  EXPECT_EQ(Load("k1.ini"), (std::vector<StationEntry>{{"a1", "One"}, {"a2", "Two"}}));
  Put("k1.ini", "a1\nOne\n\na2\nTwo\n\n");
  EXPECT_EQ(Load("k1.ini").size(), 2u);
  // Blank lines at the end add no station.
  Put("k1.ini", "a1\r\nOne\r\n\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(Load("k1.ini").size(), 1u);
}

TEST_F(StationFiles, EveryStationReadIsWholeSoTheListsStayInStep) {
  // An empty address: the station is skipped, the ones after it keep their
  // own names. An empty name: the address stands in for it.
  Put("k1.ini", "a1\r\nOne\r\n\r\n\r\nNo address\r\n\r\na3\r\n\r\n\r\na4\r\nFour\r\n\r\n");
  std::vector<StationEntry> e = Load("k1.ini");
  EXPECT_EQ(e, (std::vector<StationEntry>{{"a1", "One"}, {"a3", "a3"}, {"a4", "Four"}}));
  WriteStationFile(dir_ + "k1.ini", e);
  EXPECT_EQ(Load("k1.ini"), e);
  // An address alone at the end of the file.
  Put("k1.ini", "a1\r\nOne\r\n\r\nlast");
  EXPECT_EQ(Load("k1.ini").back(), (StationEntry{"last", "last"}));
}

TEST_F(StationFiles, AMissingFileRaisesAndKeepsWhatWasReadBefore) {
  std::vector<StationEntry> e = {{"a0", "Zero"}};
  try {
    ReadStationFile(dir_ + "favoritkanel.ini", e);
    ADD_FAILURE() << "no error for a missing file";
  } catch (const EInOutError& x) {
    EXPECT_EQ(x.ErrorCode, 2);
    EXPECT_NE(x.Message().find("favoritkanel.ini"), std::string::npos) << x.Message();
  }
  EXPECT_EQ(e.size(), 1u);
  // A failed save leaves the old file as it was.
  Put("k1.ini", "a1\r\nOne\r\n\r\n");
  EXPECT_THROW(WriteStationFile(dir_ + "gone" + PathDelim + "k1.ini", e), EInOutError);
  EXPECT_EQ(Read("k1.ini"), "a1\r\nOne\r\n\r\n");
}

TEST(StationLines, CopiedLinesHaveFiveBlanksUntilTheNextLoad) {
  EXPECT_EQ(CopiedStationLine(3, "Name"), "3     Name");
  EXPECT_EQ(StationLine(3, "Name"), "3 Name");
  EXPECT_EQ(StationLine(12, "Blues"), "12 Blues");
}

TEST(StationSearch, MatchesUpperCasedInTheCodePage) {
  const std::vector<std::string> lines = {"1 Jazz A",      "2 JAZZ B",      "3 Rock",
                                          "12 Радио Ёлка", "22 радио ёлка", "4 Ретро"};
  EXPECT_EQ(SearchStationLines("jazz", lines), (std::vector<std::string>{"1 Jazz A", "2 JAZZ B"}));
  // The number is part of the line.
  EXPECT_EQ(SearchStationLines("2", lines),
            (std::vector<std::string>{"2 JAZZ B", "12 Радио Ёлка", "22 радио ёлка"}));
  // Cyrillic letters fold both ways, Ё and ё included.
  EXPECT_EQ(SearchStationLines("ЁЛКА", lines).size(), 2u);
  EXPECT_EQ(SearchStationLines("ёлка", lines).size(), 2u);
  EXPECT_EQ(SearchStationLines("РАДИО", lines).size(), 2u);
  // Е and Ё are different letters.
  EXPECT_TRUE(SearchStationLines("елка", lines).empty());
  EXPECT_EQ(SearchStationLines("рет", lines), (std::vector<std::string>{"4 Ретро"}));
  EXPECT_TRUE(SearchStationLines("", lines).empty());
  EXPECT_TRUE(SearchStationLines("blues", lines).empty());
  EXPECT_FALSE(StationLineMatches("", ""));
}

TEST(StationSearch, ResultNumberNamesAStationOfTheList) {
  EXPECT_EQ(ResultLineIndex("12 Blues", 12), 11);
  EXPECT_EQ(ResultLineIndex("1 Jazz A", 2), 0);
  EXPECT_EQ(ResultLineIndex("3     Copied", 3), 2);
  EXPECT_EQ(ResultLineIndex("13 Blues", 12), -1); // beyond the list
  EXPECT_EQ(ResultLineIndex("0 Zero", 12), -1);
  EXPECT_EQ(ResultLineIndex(" Blues", 12), -1); // no number
  EXPECT_EQ(ResultLineIndex("Blues", 12), -1);
  EXPECT_EQ(ResultLineIndex("", 12), -1);
  EXPECT_EQ(ResultLineIndex("-1 Minus", 12), -1);
  EXPECT_EQ(ResultLineIndex("1x Odd", 12), -1);
  EXPECT_EQ(ResultLineIndex("99999999999 Big", 12), -1);
  EXPECT_EQ(ResultLineIndex("1 One", 0), -1); // empty list
}

} // namespace
