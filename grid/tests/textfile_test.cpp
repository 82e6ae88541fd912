// Text files of a grid's rows: the exact bytes of the recorded-files list,
// quoting, line ends and the delimiter, the three encodings, files that end
// early or oddly, random round trips, and failures that keep the grid and
// the file as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgTextFile.h"
#include "grid/tests/fake_text_grid.h"

namespace fs = std::filesystem;

namespace {

std::string LittleEndian(const std::u16string& text) {
  std::string out = "\xFF\xFE";
  for (char16_t u : text) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

// A scratch folder whose name has blanks and Cyrillic letters.
class TextFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           fs::path(u"сетка с пробелами " + std::u16string(u"№") +
                    fs::path(std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name())
                        .u16string());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::u16string Name(const std::u16string& leaf) const {
    return (dir_ / fs::path(leaf)).u16string();
  }
  static std::string Bytes(const std::u16string& name) {
    std::ifstream in(fs::path(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const std::u16string& name, const std::string& bytes) {
    std::ofstream out(fs::path(name), std::ios::binary);
    out << bytes;
  }
  fs::path dir_;
};

FakeGrid Recorded() {
  FakeGrid g(3);
  g.AddRow(3);
  g.rows[0] = {u"1", u"Кино - Группа крови.mp3", u"1,91 mb"};
  g.rows[1] = {u"2", u"Ария - Беспечный ангел.mp3", u"5,20 mb"};
  g.rows[2] = {u"3", u"ДДТ - Осень.mp3", u"12,00 mb"};
  return g;
}

TEST_F(TextFiles, RecordedFilesListHasTheExactBytesAndLoadsBack) {
  FakeGrid g = Recorded();
  std::u16string name = Name(u"zapisano.ini");
  SaveToTextFile(g, name, u',', u'|', 1);
  std::string expected = LittleEndian(
      u"1,Кино - Группа крови.mp3,\"1,91 mb\"\r\n"
      u"2,Ария - Беспечный ангел.mp3,\"5,20 mb\"\r\n"
      u"3,ДДТ - Осень.mp3,\"12,00 mb\"\r\n");
  EXPECT_EQ(Bytes(name), expected);
  EXPECT_EQ(static_cast<unsigned char>(expected[4]), 0x2C); // "," after the number
  FakeGrid back(3);
  back.AddRow(1); // replaced
  LoadFromTextFile(back, name, u',', u'|');
  EXPECT_EQ(back.rows, g.rows);
  EXPECT_EQ(back.progress.size(), 9u);
  EXPECT_EQ(back.progress.back(), std::make_pair(2, 2));
  EXPECT_EQ(back.lock, 0);
}

TEST_F(TextFiles, QuotesAreDoubledAndComeBack) {
  FakeGrid g(2);
  g.AddRow(4);
  g.rows[0] = {u"\"", u"a\"b"};
  g.rows[1] = {u"\"starts", u"ends\""};
  g.rows[2] = {u"\"\",x", u""};
  g.rows[3] = {u"", u"plain"};
  std::u16string name = Name(u"q.txt");
  SaveToTextFile(g, name, u',', u'|', 1);
  EXPECT_EQ(Bytes(name), LittleEndian(u"\"\"\"\",\"a\"\"b\"\r\n\"\"\"starts\",\"ends\"\"\"\r\n"
                                      u"\"\"\"\"\",x\",\r\n,plain\r\n"));
  FakeGrid back(2);
  LoadFromTextFile(back, name, u',', u'|');
  EXPECT_EQ(back.rows, g.rows);
}

TEST_F(TextFiles, LineEndsAndTheDelimiter) {
  FakeGrid g(1);
  g.AddRow(4);
  g.rows[0] = {u"a\r\nb"}; // survives
  g.rows[1] = {u"a\nb"};   // a lone LF is lost
  g.rows[2] = {u"a\rb"};   // a lone CR comes back with its LF
  g.rows[3] = {u"a|b"};    // the delimiter in a text comes back as a line end
  std::u16string name = Name(u"d.txt");
  SaveToTextFile(g, name, u',', u'|', 2);
  std::string bytes = Bytes(name);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFE\xFF\x00\x61", 4));
  FakeGrid back(1);
  LoadFromTextFile(back, name, u',', u'|');
  ASSERT_EQ(back.rows.size(), 4u);
  EXPECT_EQ(back.rows[0][0], u"a\r\nb");
  EXPECT_EQ(back.rows[1][0], u"ab");
  EXPECT_EQ(back.rows[2][0], u"a\r\nb");
  EXPECT_EQ(back.rows[3][0], u"a\r\nb");
}

TEST_F(TextFiles, EightBitFilesUseTheCodePageBothWays) {
  FakeGrid g = Recorded();
  std::u16string name = Name(u"ansi.txt");
  SaveToTextFile(g, name, u',', u'|', 0);
  std::string bytes = Bytes(name);
  EXPECT_EQ(bytes.substr(0, 6), "1,\xCA\xE8\xED\xEE"); // "1,Кино" in Windows-1251
  FakeGrid back(3);
  LoadFromTextFile(back, name, u',', u'|');
  EXPECT_EQ(back.rows, g.rows);
  // Text the code page lacks is refused, and the file stays as it was.
  g.rows[1][1] = u"\u6F22\u5B57";
  EXPECT_THROW(SaveToTextFile(g, name, u',', u'|', 0), EConvertError);
  EXPECT_EQ(Bytes(name), bytes);
  EXPECT_THROW(SaveToTextFile(g, name, u',', u'|', 3), EConvertError);
  EXPECT_EQ(Bytes(name), bytes);
  SaveToTextFile(g, name, u',', u'|', 1); // UTF-16 holds it
  LoadFromTextFile(back, name, u',', u'|');
  EXPECT_EQ(back.rows[1][1], u"\u6F22\u5B57");
}

TEST_F(TextFiles, OddFiles) {
  auto load = [&](const std::string& bytes, int cols = 2) {
    std::u16string name = Name(u"odd.txt");
    Put(name, bytes);
    FakeGrid g(cols);
    LoadFromTextFile(g, name, u',', u'|');
    return g;
  };
  EXPECT_TRUE(load("").rows.empty());
  EXPECT_TRUE(load("\xFF\xFE").rows.empty());
  EXPECT_TRUE(load("\xFE\xFF").rows.empty());
  FakeGrid blank = load("a,b\r\n\r\nc"); // a blank line, no final line end
  ASSERT_EQ(blank.rows.size(), 3u);
  EXPECT_EQ(blank.rows[1][0], u"");
  EXPECT_EQ(blank.rows[2][0], u"c");
  EXPECT_EQ(blank.progress.size(), 3u); // the last field, ended by the file, is silent
  FakeGrid lf = load("a,b\nc,d\n");
  FakeGrid crlf = load("a,b\r\nc,d\r\n");
  EXPECT_EQ(lf.rows, crlf.rows);
  FakeGrid cr = load("a\rb,c\r\n"); // a CR alone ends nothing
  ASSERT_EQ(cr.rows.size(), 1u);
  EXPECT_EQ(cr.rows[0][0], u"ab");
  FakeGrid odd =
      load(std::string("\xFF\xFE"
                       "a\0,\0b\0\n\0x",
                       11)); // trailing odd byte
  ASSERT_EQ(odd.rows.size(), 1u);
  EXPECT_EQ(odd.rows[0], (std::vector<WideString>{u"a", u"b"}));
  FakeGrid none = load("\xC0\xE1", 1); // no mark: Windows-1251
  EXPECT_EQ(none.rows[0][0], u"Аб");
}

TEST_F(TextFiles, GridWithoutColumns) {
  FakeGrid g(0);
  g.AddRow(2);
  std::u16string name = Name(u"empty.txt");
  SaveToTextFile(g, name, u',', u'|', 1);
  EXPECT_EQ(Bytes(name), "\xFF\xFE");
  SaveToTextFile(g, name, u',', u'|', 0);
  EXPECT_EQ(Bytes(name), "\r\n\r\n");
}

TEST_F(TextFiles, RandomRoundTrips) {
  std::mt19937 rng(18);
  const std::u16string alphabet = u"ab Яё,\"'\t;1.";
  for (int round = 0; round < 60; ++round) {
    int cols = 1 + static_cast<int>(rng() % 4);
    FakeGrid g(cols);
    g.AddRow(static_cast<int>(rng() % 6));
    for (auto& row : g.rows)
      for (auto& cell : row) {
        size_t n = rng() % 7;
        for (size_t i = 0; i < n; ++i) cell += alphabet[rng() % alphabet.size()];
        if (rng() % 5 == 0) cell += u"\r\n";
      }
    uint8_t enc = static_cast<uint8_t>(rng() % 3);
    std::u16string name = Name(u"r.txt");
    SaveToTextFile(g, name, u',', u'|', enc);
    FakeGrid back(cols);
    LoadFromTextFile(back, name, u',', u'|');
    ASSERT_EQ(back.rows, g.rows) << "round " << round << " encoding " << int(enc);
  }
}

TEST_F(TextFiles, FailuresKeepTheGridAndTheFile) {
  FakeGrid g = Recorded();
  std::u16string name = Name(u"keep.ini");
  SaveToTextFile(g, name, u',', u'|', 1);
  std::string bytes = Bytes(name);
  FakeGrid target(3);
  target.AddRow(1);
  target.rows[0][0] = u"kept";
  EXPECT_THROW(LoadFromTextFile(target, Name(u"missing.ini"), u',', u'|'), EInOutError);
  EXPECT_EQ(target.rows.size(), 1u);
  EXPECT_EQ(target.rows[0][0], u"kept");
  for (auto marks : {std::make_pair(u',', u','), std::make_pair(u'"', u'|'),
                     std::make_pair(u',', u'\n'), std::make_pair(u'\r', u'|')}) {
    EXPECT_THROW(SaveToTextFile(g, name, marks.first, marks.second, 1), EConvertError);
    EXPECT_THROW(LoadFromTextFile(target, name, marks.first, marks.second), EConvertError);
  }
  EXPECT_EQ(Bytes(name), bytes);
  EXPECT_EQ(target.rows[0][0], u"kept");
  EXPECT_THROW(SaveToTextFile(g, Name(u"no folder/x.ini"), u',', u'|', 1), EInOutError);
  // A read-only list is not overwritten, and nothing is left beside it.
  fs::permissions(fs::path(name),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  g.rows[0][0] = u"changed";
  EXPECT_THROW(SaveToTextFile(g, name, u',', u'|', 1), EInOutError);
  EXPECT_EQ(Bytes(name), bytes);
  EXPECT_FALSE(fs::exists(fs::path(name + u".tmp")));
  fs::permissions(fs::path(name), fs::perms::owner_all);
}

TEST_F(TextFiles, ARecordWithTooManyFieldsStopsThereAndRaises) {
  std::u16string name = Name(u"wide.txt");
  Put(name, "a,b\r\nc,d,e,f\r\ng,h\r\n");
  FakeGrid g(2);
  try {
    LoadFromTextFile(g, name, u',', u'|');
    FAIL() << "no error";
  } catch (const Exception& e) { EXPECT_EQ(e.Message(), "Cell out of bounds (2, 1)"); }
  ASSERT_EQ(g.rows.size(), 2u);
  EXPECT_EQ(g.rows[1], (std::vector<WideString>{u"c", u"d"}));
  EXPECT_EQ(g.lock, 0);
}

} // namespace
