// The file window: clamped reads, gap-free writes, window moves and
// write-back, clearing, and the failures that must surface.
#include <gtest/gtest.h>

#include <random>

#include "converter/FileUtils.h"
#include "classlib/SysUtils.h"
#include "converter/tests/TestDir.h"

namespace {

std::vector<uint8_t> Pattern(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  std::mt19937 rng(seed);
  for (auto& b : v) b = static_cast<uint8_t>(rng());
  return v;
}

// "ten.bin" in dir, holding the bytes 0 to 9.
std::string TenBytes(const TTestDir& dir) {
  std::string name = dir.Path("ten.bin");
  TTestDir::WriteBytes(name, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  return name;
}

TEST(FileWindow, ReadAtTheEndGivesTheLastByte) {
  TTestDir dir;
  TFile f(TenBytes(dir));
  f.SetPosition(10);
  uint8_t buf[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  EXPECT_EQ(f.Read(buf, 4), 1u);
  EXPECT_EQ(buf[0], 9);
  EXPECT_EQ(buf[1], 0xAA); // beyond the clamped count: untouched
  EXPECT_EQ(f.Position(), 10u);
  f.SetPosition(1000);
  EXPECT_EQ(f.Read(buf, 2), 1u);
  EXPECT_EQ(buf[0], 9);
}

TEST(FileWindow, ReadIsClampedAtTheEnd) {
  TTestDir dir;
  TFile f(TenBytes(dir));
  f.SetPosition(8);
  uint8_t buf[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  EXPECT_EQ(f.Read(buf, 4), 2u);
  EXPECT_EQ(buf[0], 8);
  EXPECT_EQ(buf[1], 9);
  EXPECT_EQ(buf[2], 0xAA);
  EXPECT_EQ(f.Position(), 10u);
}

TEST(FileWindow, ReadOfAnEmptyFileChangesNothing) {
  TTestDir dir;
  TFile f(dir.Path("empty.bin"), TFileCreation::Truncate);
  f.SetPosition(5);
  uint8_t b = 0x5A;
  EXPECT_EQ(f.Read(&b, 1), 0u);
  EXPECT_EQ(b, 0x5A);
  EXPECT_EQ(f.Position(), 5u);
}

TEST(FileWindow, WriteBeyondTheEndAppendsWithoutAGap) {
  TTestDir dir;
  std::string name = dir.Path("w.bin");
  {
    TFile f(name, TFileCreation::Truncate);
    f.Write("abc", 3);
    f.SetPosition(100);
    f.Write("de", 2);
    EXPECT_EQ(f.Size(), 5u);
    EXPECT_EQ(f.Position(), 5u);
    f.Close();
  }
  auto bytes = TTestDir::ReadBytes(name);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcde");
}

// Random reads and writes against a plain model of the same rules, over a
// file several windows long, so every kind of window move is exercised.
TEST(FileWindow, RandomAccessMatchesTheModel) {
  TTestDir dir;
  std::string name = dir.Path("big.bin");
  std::vector<uint8_t> model = Pattern(3 * TFile::WindowSize + 12345, 1);
  TTestDir::WriteBytes(name, model);
  std::mt19937 rng(7);
  {
    TFile f(name);
    ASSERT_EQ(f.Size(), model.size());
    for (int step = 0; step < 3000; ++step) {
      uint32_t pos = rng() % (model.size() + 70000);
      uint32_t count = rng() % 70000;
      f.SetPosition(pos);
      if (rng() % 2) {
        std::vector<uint8_t> got(count, 0xEE);
        uint32_t n = f.Read(got.data(), count);
        // The model: start at the last byte when past the end, clamp the count.
        size_t p = std::min<size_t>(pos, model.size() - 1);
        size_t want = std::min<size_t>(count, model.size() - p);
        ASSERT_EQ(n, want);
        ASSERT_TRUE(std::equal(got.begin(), got.begin() + n, model.begin() + p));
        ASSERT_EQ(f.Position(), p + want);
      } else {
        std::vector<uint8_t> data = Pattern(count, step);
        f.Write(data.data(), count);
        size_t p = std::min<size_t>(pos, model.size());
        if (p + count > model.size()) model.resize(p + count);
        std::copy(data.begin(), data.end(), model.begin() + p);
        ASSERT_EQ(f.Size(), model.size());
        ASSERT_EQ(f.Position(), p + count);
      }
      ASSERT_LE(uint64_t(f.BufStart()) + f.BufLen(), f.Size());
    }
    f.Close();
  }
  EXPECT_EQ(TTestDir::ReadBytes(name), model);
}

TEST(FileWindow, ReadingOnlyKeepsTheBytes) {
  TTestDir dir;
  std::string name = dir.Path("r.bin");
  auto bytes = Pattern(TFile::WindowSize * 2 + 7, 3);
  TTestDir::WriteBytes(name, bytes);
  {
    TFile f(name);
    std::vector<uint8_t> sink(70000);
    for (uint32_t p = 0; p < bytes.size(); p += 70000) {
      f.SetPosition(p);
      f.Read(sink.data(), 70000);
    }
  }
  EXPECT_EQ(TTestDir::ReadBytes(name), bytes);
}

TEST(FileWindow, ClearDropsTheWindowAndTruncates) {
  TTestDir dir;
  std::string name = dir.Path("c.bin");
  TTestDir::WriteBytes(name, Pattern(1000, 4));
  {
    TFile f(name);
    f.Write("xyz", 3);
    f.Clear();
    EXPECT_EQ(f.Size(), 0u);
    EXPECT_EQ(f.Position(), 0u);
    f.Write("q", 1);
    f.Close();
  }
  EXPECT_EQ(TTestDir::ReadBytes(name), std::vector<uint8_t>{'q'});
}

TEST(FileWindow, StringsAreBytes) {
  TTestDir dir;
  std::string name = dir.Path("s.bin");
  {
    TFile f(name, TFileCreation::Truncate);
    f.WriteString("RIFFxx", 4);
    f.SetPosition(0);
    EXPECT_EQ(f.ReadString(4), "RIFF");
    EXPECT_EQ(f.ReadString(2), "FF"); // at the end: the last byte again
  }
}

TEST(FileWindow, FailuresRaise) {
  TTestDir dir;
  EXPECT_THROW(TFile f(dir.Path("missing.bin")), EInOutError);
  EXPECT_THROW(TFile f(dir.Path("no-such-folder") + PathDelim + "x.bin", TFileCreation::Truncate),
               EInOutError);
  std::string name = dir.Path("taken.bin");
  TTestDir::WriteBytes(name, {1});
  EXPECT_THROW(TFile f(name, TFileCreation::Exclusive), EInOutError);
  TFile again(name, TFileCreation::Truncate);
  EXPECT_EQ(again.Size(), 0u);
}

} // namespace
