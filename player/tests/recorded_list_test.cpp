// The recorded-files list: the rows the engine adds and the colours they
// show, the engine's row kept through a header sort, updates for rows that
// are gone, the list file's exact bytes under a folder with blanks and
// Cyrillic letters, and the start-up load that must not undo a recording.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "player/RecordedListCore.h"
#include "player/tests/RecordedRowsFake.h"

namespace fs = std::filesystem;
using listtest::TFakeRows;

namespace {

// The list with the window's caption and total label as texts.
class TList : public TRecordedList {
 public:
  using TRecordedList::TRecordedList;
  void SetCaption(const std::string& Text) override { caption = Text; }
  void SetTotal(const std::string& Text) override { total = Text; }
  std::string caption, total;
};

class RecordedList : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           fs::path(u"записи с пробелами " +
                    fs::path(std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name())
                        .u16string());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "INI");
    file_ = (dir_ / "INI" / "zapisano.ini").u16string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string FileBytes() const {
    std::ifstream in(fs::path(file_), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void PutFile(const std::string& bytes) const {
    std::ofstream out(fs::path(file_), std::ios::binary);
    out << bytes;
  }
  static std::string LittleEndian(const std::u16string& text) {
    std::string out = "\xFF\xFE";
    for (char16_t u : text) {
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>(u >> 8);
    }
    return out;
  }

  fs::path dir_;
  std::u16string file_;
  TFakeRows rows_;
};

// Windows-1251 bytes of "Песня.mp3", as the engine names a Cyrillic title.
const std::string kSongCp1251 = "\xCF\xE5\xF1\xED\xFF.mp3";

TEST_F(RecordedList, ThreeFilesAreNumberedAndColouredByTheRuleOfTheWindow) {
  TList list(rows_, file_);
  list.AddRecordedFile("Alpha.mp3");
  list.AddRecordedFile(kSongCp1251);
  list.AddRecordedFile("Gamma.mp3");
  EXPECT_EQ(rows_.Column(0), (std::vector<WideString>{u"1", u"2", u"3"}));
  EXPECT_EQ(rows_.Column(1), (std::vector<WideString>{u"Alpha.mp3", u"Песня.mp3", u"Gamma.mp3"}));
  EXPECT_EQ(rows_.Column(2), (std::vector<WideString>{u"0.0", u"0.0", u"0.0"}));
  // Only the newest row is selected, once per file.
  EXPECT_EQ(rows_.shown, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(rows_.selected, 2);

  EXPECT_EQ(list.CellColor(2, 2).Color, kRecordedSizeRed);
  EXPECT_EQ(list.CellColor(2, 0).Color, kRecordedSizeBlue);
  EXPECT_EQ(list.CellColor(2, 1).Color, kRecordedSizeBlue);
  EXPECT_EQ(list.CellColor(1, 0).Color, kRecordedLatinTeal);
  EXPECT_EQ(list.CellColor(1, 1).Color, kRecordedGrey);
  EXPECT_EQ(list.CellColor(0, 0).Color, kRecordedGrey);
  // The newest row's number and name keep the column fonts.
  EXPECT_FALSE(list.CellColor(0, 2).Change);
  EXPECT_FALSE(list.CellColor(1, 2).Change);
}

TEST(RecordedNameColour, TheFirstUtf16UnitDecidesAndAnEmptyNameCountsAsLatin) {
  EXPECT_EQ(RecordedNameColor(u"zebra"), kRecordedLatinTeal);
  EXPECT_EQ(RecordedNameColor(u"7 дней"), kRecordedLatinTeal);
  EXPECT_EQ(RecordedNameColor(u"{x}"), kRecordedGrey); // just above "z"
  EXPECT_EQ(RecordedNameColor(u"Поле"), kRecordedGrey);
  EXPECT_EQ(RecordedNameColor(u"Ёлка"), kRecordedGrey);
  EXPECT_EQ(RecordedNameColor(u""), kRecordedLatinTeal);
  // With one row, that row is the one being recorded: its size red and
  // nothing else changed.
  EXPECT_EQ(RecordedCellColor(2, 0, 0, u"Поле").Color, kRecordedSizeRed);
  EXPECT_FALSE(RecordedCellColor(1, 0, 0, u"Поле").Change);
}

TEST_F(RecordedList, ASortDuringARecordingKeepsSizesDropAndRedOnTheEnginesRow) {
  TList list(rows_, file_);
  list.AddRecordedFile("b.mp3");
  list.SetLastRowSize("4.00 mb");
  list.AddRecordedFile("c.mp3");
  list.SetLastRowSize("3.00 mb");
  list.AddRecordedFile("a.mp3"); // being recorded
  rows_.Sort(1, true);           // a, b, c: the engine's row is now the first
  list.SetLastRowSize("1.50 mb");
  EXPECT_EQ(rows_.Column(2), (std::vector<WideString>{u"1.50 mb", u"4.00 mb", u"3.00 mb"}));
  EXPECT_EQ(list.EngineRow(), 0);
  EXPECT_EQ(list.CellColor(2, 0).Color, kRecordedSizeRed);
  EXPECT_EQ(list.CellColor(2, 2).Color, kRecordedSizeBlue);
  EXPECT_FALSE(list.CellColor(1, 0).Change);
  EXPECT_EQ(list.CellColor(1, 2).Color, kRecordedLatinTeal);

  rows_.Sort(1, false); // c, b, a
  EXPECT_EQ(list.EngineRow(), 2);
  // Too small to keep: a goes, not the last row's c; the file says so too.
  list.DeleteLastRow();
  EXPECT_EQ(rows_.Column(1), (std::vector<WideString>{u"c.mp3", u"b.mp3"}));
  EXPECT_EQ(FileBytes(), LittleEndian(u"2,c.mp3,3.00 mb\r\n1,b.mp3,4.00 mb\r\n"));
  // The next file goes on with the row count.
  list.AddRecordedFile("d.mp3");
  EXPECT_EQ(rows_.Column(0), (std::vector<WideString>{u"2", u"1", u"3"}));
  EXPECT_EQ(rows_.selected, 2);
}

TEST_F(RecordedList, UpdatesForARowThatIsGoneChangeNoOtherRow) {
  PutFile(LittleEndian(u"1,old.mp3,5.00 mb\r\n2,older.mp3,6.00 mb\r\n"));
  TList list(rows_, file_);
  ASSERT_TRUE(list.LoadRecordedList());
  // The rows of an earlier run: no engine row, the last one is marked.
  EXPECT_EQ(list.EngineRow(), -1);
  EXPECT_EQ(list.MarkedRow(), 1);
  list.SetLastRowSize("9.00 mb");
  list.DeleteLastRow();
  EXPECT_EQ(rows_.Column(2), (std::vector<WideString>{u"5.00 mb", u"6.00 mb"}));

  list.AddRecordedFile("x.mp3");
  list.ClearRows(); // a record start
  list.SetLastRowSize("1.00 mb");
  list.DeleteLastRow();
  EXPECT_EQ(rows_.RowCount(), 0);
  EXPECT_EQ(list.MarkedRow(), -1);
  list.AddRecordedFile("y.mp3");
  list.ClearRows();
  list.AddRecordedFile("z.mp3");
  rows_.Sort(1, true);
  list.SetLastRowSize("2.00 mb");
  EXPECT_EQ(rows_.Column(2), (std::vector<WideString>{u"2.00 mb"}));
}

TEST_F(RecordedList, TheListFileIsUtf16WithItsMarkAndReadsBackTheSame) {
  {
    TList list(rows_, file_);
    list.AddRecordedFile("AC_DC_ Back_In_Black_.mp3");
    list.SetLastRowSize("2.50 mb");
    list.AddRecordedFile(kSongCp1251);
  }
  EXPECT_EQ(FileBytes(),
            LittleEndian(u"1,AC_DC_ Back_In_Black_.mp3,2.50 mb\r\n2,Песня.mp3,0.0\r\n"));
  // The size of the file being recorded is not saved with every block.
  TFakeRows again;
  TList restarted(again, file_);
  ASSERT_TRUE(restarted.LoadRecordedList());
  EXPECT_EQ(again.Column(1), (std::vector<WideString>{u"AC_DC_ Back_In_Black_.mp3", u"Песня.mp3"}));
  EXPECT_EQ(again.Column(2), (std::vector<WideString>{u"2.50 mb", u"0.0"}));
  // A field with the separator is quoted and read back whole.
  again.SetText(1, 0, u"a,b \"c\".mp3");
  restarted.SaveRecordedList();
  TFakeRows third;
  TList(third, file_).LoadRecordedList();
  EXPECT_EQ(third.Text(1, 0), u"a,b \"c\".mp3");
}

TEST_F(RecordedList, TheStartUpLoadNeverUndoesARecordingAndIgnoresBadFiles) {
  PutFile(LittleEndian(u"1,old.mp3,5.00 mb\r\n"));
  TList list(rows_, file_);
  list.ClearRows(); // a record start before the load came due
  list.AddRecordedFile("new.mp3");
  EXPECT_FALSE(list.LoadRecordedList());
  EXPECT_EQ(rows_.Column(1), (std::vector<WideString>{u"new.mp3"}));

  // A missing file leaves the rows as they are.
  TFakeRows none;
  fs::remove(fs::path(file_));
  TList missing(none, file_);
  EXPECT_FALSE(missing.LoadRecordedList());
  EXPECT_EQ(none.RowCount(), 0);
  // A file with more fields than the window has columns is no error for the
  // window; the rows before the bad record are kept.
  PutFile(LittleEndian(u"1,a.mp3,1.00 mb\r\n2,b.mp3,2.00 mb,extra\r\n"));
  TFakeRows bad;
  TList broken(bad, file_);
  EXPECT_FALSE(broken.LoadRecordedList());
  ASSERT_GE(bad.RowCount(), 1);
  EXPECT_EQ(bad.Text(1, 0), u"a.mp3");
  // A record start after a good load empties the window and the engine's
  // rows follow as in any recording.
  PutFile(LittleEndian(u"1,a.mp3,1.00 mb\r\n"));
  TFakeRows good;
  TList fine(good, file_);
  ASSERT_TRUE(fine.LoadRecordedList());
  fine.ClearRows();
  fine.AddRecordedFile("b.mp3");
  EXPECT_EQ(good.Column(0), (std::vector<WideString>{u"1"}));
}

TEST_F(RecordedList, ASaveThatFailsRaisesAndKeepsTheOldFile) {
  PutFile(LittleEndian(u"1,old.mp3,5.00 mb\r\n"));
  const std::string before = FileBytes();
  fs::create_directories(fs::path(file_ + u".tmp")); // the file beside cannot be written
  TList list(rows_, file_);
  EXPECT_ANY_THROW(list.AddRecordedFile("new.mp3"));
  EXPECT_EQ(rows_.RowCount(), 1); // the row stays in the window
  EXPECT_EQ(FileBytes(), before);
}

} // namespace
