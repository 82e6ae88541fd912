// The recording's memory buffer and its disk: safe saving, folder making and
// the clean-up of small and temporary recordings, on a scratch folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "classlib/tests/support/ScratchFolder.h"
#include "player/RecordDiskCore.h"

namespace {

class RecordDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = GetTempDir() + "korvalis_rec_" +
            std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + PathDelim;
    test_support::RemoveTree(root_);
    ASSERT_TRUE(ForceDirectories(root_));
  }
  void TearDown() override { test_support::RemoveTree(root_); }
  void Make(const std::string& name, size_t size) {
    ForceDirectories(ExtractFilePath(root_ + name));
    THandle h = FileCreate(root_ + name);
    ASSERT_NE(h, classlib::kInvalidFile) << name;
    std::string bytes(size, 'x');
    ASSERT_EQ(FileWrite(h, bytes.data(), static_cast<int64_t>(size)), static_cast<int64_t>(size));
    FileClose(h);
  }
  std::string root_;
};

TEST(RecordBuffer, KeepsTheBytesInOrderAcrossChunks) {
  TRecordBuffer b;
  std::string expect;
  for (int i = 0; i < 300; ++i) {
    std::string block(7919, static_cast<char>('a' + i % 26));
    b.Append(block.data(), block.size());
    expect += block;
  }
  EXPECT_EQ(b.Size(), expect.size());
  std::string got;
  int runs = 0;
  EXPECT_TRUE(b.ForEach([&](const uint8_t* p, size_t n) {
    got.append(reinterpret_cast<const char*>(p), n);
    ++runs;
    return true;
  }));
  EXPECT_EQ(got, expect);
  EXPECT_EQ(runs, 3); // 2375700 bytes in 1 MiB chunks
  EXPECT_FALSE(b.ForEach([](const uint8_t*, size_t) { return false; }));
  EXPECT_EQ(b.Tail(5), std::vector<uint8_t>(expect.end() - 5, expect.end()));
  // The last bytes across a chunk's edge, and more than there are.
  const size_t edge = TRecordBuffer::kChunk + 3;
  b.Truncate(edge);
  EXPECT_EQ(b.Size(), edge);
  EXPECT_EQ(b.Tail(10), std::vector<uint8_t>(expect.begin() + edge - 10, expect.begin() + edge));
  b.Truncate(edge + 100);
  EXPECT_EQ(b.Tail(1 << 30).size(), edge);
  b.Append("xyz", 3);
  EXPECT_EQ(b.Tail(4), (std::vector<uint8_t>{static_cast<uint8_t>(expect[edge - 1]), 'x', 'y', 'z'}));
  b.Clear();
  EXPECT_EQ(b.Size(), 0u);
  EXPECT_TRUE(b.ForEach([](const uint8_t*, size_t) { return false; }));
}

TEST(RecordBuffer, ChunksOfASavedFileServeTheNextOne) {
  TChunkPool pool;
  {
    TRecordBuffer a(&pool);
    std::string block(3 * TRecordBuffer::kChunk, 'a');
    a.Append(block.data(), block.size());
    a.Truncate(TRecordBuffer::kChunk + 1); // the third chunk goes back now
    EXPECT_EQ(pool.Kept(), 1u);
    TRecordBuffer moved(std::move(a));
    EXPECT_EQ(a.Size(), 0u);
    EXPECT_EQ(moved.Size(), TRecordBuffer::kChunk + 1);
  } // and the other two with the buffer
  EXPECT_EQ(pool.Kept(), 3u);
  TRecordBuffer b(&pool);
  b.Append("b", 1);
  EXPECT_EQ(pool.Kept(), 2u);
  b.Clear();
  EXPECT_EQ(pool.Kept(), 3u);
  pool.Release();
  EXPECT_EQ(pool.Kept(), 0u);
}

TEST_F(RecordDisk, ForceDirsMakesEveryFolderAndSkipsDoubledSeparators) {
  EXPECT_TRUE(ForceDirs(root_ + "AUDIO\\\\Jazz One\\09-12-2026\\ЗАРУБЕЖКА\\"));
  EXPECT_TRUE(DirectoryExists(root_ + "AUDIO\\Jazz One\\09-12-2026\\ЗАРУБЕЖКА"));
  EXPECT_TRUE(ForceDirs(root_ + "AUDIO\\x"));
  EXPECT_TRUE(DirectoryExists(root_ + "AUDIO\\x"));
  Make("file", 1);
  EXPECT_FALSE(ForceDirs(root_ + "file\\sub\\"));
}

TEST_F(RecordDisk, SaveLeavesEitherTheWholeFileOrNothing) {
  TSystemRecordDisk disk;
  TRecordBuffer data;
  std::string bytes(3 << 20, 'r');
  data.Append(bytes.data(), bytes.size());
  EXPECT_TRUE(disk.SaveFile(root_ + "a.mp3", data));
  EXPECT_EQ(FileSize(root_ + "a.mp3"), static_cast<int64_t>(bytes.size()));
  EXPECT_FALSE(FileExists(root_ + "a.mp3.part"));

  // A name taken by a folder, and a folder that is missing.
  ASSERT_TRUE(CreateDir(root_ + "taken.mp3"));
  EXPECT_FALSE(disk.SaveFile(root_ + "taken.mp3", data));
  EXPECT_FALSE(FileExists(root_ + "taken.mp3.part"));
  EXPECT_FALSE(disk.SaveFile(root_ + "missing\\b.mp3", data));

  EXPECT_TRUE(disk.SaveText(root_ + "kdr.ini", "1\r\n2\r\n3\r\n"));
  EXPECT_EQ(FileSize(root_ + "kdr.ini"), 9);
  EXPECT_TRUE(disk.RemoveFile(root_ + "a.mp3"));
  EXPECT_FALSE(FileExists(root_ + "a.mp3"));
}

TEST_F(RecordDisk, TheCleanUpRemovesOnlyWhatAPlayerSaveLeftUnfinished) {
  // The companion's re-encode at a lower bitrate, and the player's own files.
  Make("AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-00-00_reencoded at 96.mp3", 1875000);
  Make("AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-05-00_short title.mp3", 1100000);
  Make("AUDIO\\S\\d\\РУССКОЕ\\kept.MP3", 2000000);
  Make("AUDIO\\notes.txt", 10);
  Make("AUDIO\\TEMP\\handed.mp3", 2500000);
  // What saves cut short by a crash leave: the player's, under both cases,
  // in the final and the temporary folders; the encoder's is its own.
  Make("AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-10-00_crash.mp3.part", 3000000);
  Make("AUDIO\\S\\d\\РУССКОЕ\\x.MP3.PART", 10);
  Make("AUDIO\\TEMP\\10-20-00_t.mp3.part", 5);
  Make("AUDIO\\TEMP\\x.mp3.123.part", 5);
  Make("AUDIO\\TEMP\\out.wav.part", 5);
  FileSetAttr(root_ + "AUDIO\\TEMP", faHidden);
  auto found = FindMp3Files(root_ + "AUDIO", "");
  EXPECT_EQ(found.size(), 4u);
  DeleteSmallRecordings(root_ + "AUDIO\\");
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-00-00_reencoded at 96.mp3"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-05-00_short title.mp3"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\S\\d\\РУССКОЕ\\kept.MP3"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\notes.txt"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\TEMP\\handed.mp3"));
  EXPECT_FALSE(FileExists(root_ + "AUDIO\\S\\d\\ЗАРУБЕЖКА\\10-10-00_crash.mp3.part"));
  EXPECT_FALSE(FileExists(root_ + "AUDIO\\S\\d\\РУССКОЕ\\x.MP3.PART"));
  EXPECT_FALSE(FileExists(root_ + "AUDIO\\TEMP\\10-20-00_t.mp3.part"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\TEMP\\x.mp3.123.part"));
  EXPECT_TRUE(FileExists(root_ + "AUDIO\\TEMP\\out.wav.part"));
  DeleteSmallRecordings(root_ + "none\\"); // a missing folder is no failure
}

TEST_F(RecordDisk, ClearTempMp3DeletesEveryMp3ReadOnlyToo) {
  Make("TEMP\\big.mp3", 3000000);
  Make("TEMP\\ro.Mp3", 10);
  Make("TEMP\\sub\\deep.mp3", 10);
  Make("TEMP\\kdr.ini", 10);
  ASSERT_TRUE(FileSetAttr(root_ + "TEMP\\ro.Mp3", faReadOnly));
  EXPECT_NE(FileGetAttr(root_ + "TEMP\\ro.Mp3") & faReadOnly, 0);
  ClearTempMp3(root_ + "TEMP\\");
  EXPECT_FALSE(FileExists(root_ + "TEMP\\big.mp3"));
  EXPECT_FALSE(FileExists(root_ + "TEMP\\ro.Mp3"));
  EXPECT_FALSE(FileExists(root_ + "TEMP\\sub\\deep.mp3"));
  EXPECT_TRUE(FileExists(root_ + "TEMP\\kdr.ini"));
  ClearTempMp3(root_ + "none"); // a missing folder is no failure
}

} // namespace
