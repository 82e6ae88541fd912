// The recording's memory buffer and its disk: safe saving, folder making and
// the clean-up of small and temporary recordings, on a scratch folder.
#include <gtest/gtest.h>

#include <string>

#include "classlib/SysUtils.h"
#include "player/RecordDiskCore.h"

namespace {

class RecordDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    root = GetTempDir() + "korvalis_rec_" +
           std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + PathDelim;
    Remove(root);
    ASSERT_TRUE(ForceDirectories(root));
  }
  void TearDown() override { Remove(root); }
  static void Remove(const std::string& dir) {
    TSearchRec r;
    if (FindFirst(dir + "*.*", faAnyFile, r) == 0) {
      do {
        if (r.Name == "." || r.Name == "..") continue;
        if (r.Attr & faDirectory)
          Remove(dir + r.Name + PathDelim);
        else {
          FileSetAttr(dir + r.Name, 0);
          classlib::SysDeleteFile(dir + r.Name);
        }
      } while (FindNext(r) == 0);
      FindClose(r);
    }
    RemoveDir(ExcludeTrailingPathDelimiter(dir));
  }
  void Make(const std::string& name, size_t size) {
    ForceDirectories(ExtractFilePath(root + name));
    THandle h = FileCreate(root + name);
    ASSERT_NE(h, classlib::kInvalidFile) << name;
    std::string bytes(size, 'x');
    ASSERT_EQ(FileWrite(h, bytes.data(), static_cast<int64_t>(size)), static_cast<int64_t>(size));
    FileClose(h);
  }
  std::string root;
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
  b.Clear();
  EXPECT_EQ(b.Size(), 0u);
  EXPECT_TRUE(b.ForEach([](const uint8_t*, size_t) { return false; }));
}

TEST_F(RecordDisk, ForceDirsMakesEveryFolderAndSkipsDoubledSeparators) {
  EXPECT_TRUE(ForceDirs(root + "AUDIO\\\\Jazz One\\09-12-2026\\ЗАРУБЕЖКА\\"));
  EXPECT_TRUE(DirectoryExists(root + "AUDIO\\Jazz One\\09-12-2026\\ЗАРУБЕЖКА"));
  EXPECT_TRUE(ForceDirs(root + "AUDIO\\x"));
  EXPECT_TRUE(DirectoryExists(root + "AUDIO\\x"));
  Make("file", 1);
  EXPECT_FALSE(ForceDirs(root + "file\\sub\\"));
}

TEST_F(RecordDisk, SaveLeavesEitherTheWholeFileOrNothing) {
  TSystemRecordDisk disk;
  TRecordBuffer data;
  std::string bytes(3 << 20, 'r');
  data.Append(bytes.data(), bytes.size());
  EXPECT_TRUE(disk.SaveFile(root + "a.mp3", data));
  EXPECT_EQ(FileSize(root + "a.mp3"), static_cast<int64_t>(bytes.size()));
  EXPECT_FALSE(FileExists(root + "a.mp3.part"));

  // A name taken by a folder, and a folder that is missing.
  ASSERT_TRUE(CreateDir(root + "taken.mp3"));
  EXPECT_FALSE(disk.SaveFile(root + "taken.mp3", data));
  EXPECT_FALSE(FileExists(root + "taken.mp3.part"));
  EXPECT_FALSE(disk.SaveFile(root + "missing\\b.mp3", data));

  EXPECT_TRUE(disk.SaveText(root + "kdr.ini", "1\r\n2\r\n3\r\n"));
  EXPECT_EQ(FileSize(root + "kdr.ini"), 9);
  EXPECT_TRUE(disk.RemoveFile(root + "a.mp3"));
  EXPECT_FALSE(FileExists(root + "a.mp3"));
}

TEST_F(RecordDisk, DeleteSmallRecordingsKeepsTwoMillionBytesAndOtherFiles) {
  Make("AUDIO\\S\\d\\small.mp3", 1999999);
  Make("AUDIO\\S\\d\\kept.MP3", 2000000);
  Make("AUDIO\\notes.txt", 10);
  Make("AUDIO\\TEMP\\tiny.mp3", 5);
  Make("AUDIO\\TEMP\\x.mp3.123.part", 5);
  FileSetAttr(root + "AUDIO\\TEMP", faHidden);
  auto found = FindMp3Files(root + "AUDIO", "");
  EXPECT_EQ(found.size(), 3u);
  DeleteSmallRecordings(root + "AUDIO\\");
  EXPECT_FALSE(FileExists(root + "AUDIO\\S\\d\\small.mp3"));
  EXPECT_FALSE(FileExists(root + "AUDIO\\TEMP\\tiny.mp3"));
  EXPECT_TRUE(FileExists(root + "AUDIO\\S\\d\\kept.MP3"));
  EXPECT_TRUE(FileExists(root + "AUDIO\\notes.txt"));
  EXPECT_TRUE(FileExists(root + "AUDIO\\TEMP\\x.mp3.123.part"));
}

TEST_F(RecordDisk, ClearTempMp3DeletesEveryMp3ReadOnlyToo) {
  Make("TEMP\\big.mp3", 3000000);
  Make("TEMP\\ro.Mp3", 10);
  Make("TEMP\\sub\\deep.mp3", 10);
  Make("TEMP\\kdr.ini", 10);
  ASSERT_TRUE(FileSetAttr(root + "TEMP\\ro.Mp3", faReadOnly));
  EXPECT_NE(FileGetAttr(root + "TEMP\\ro.Mp3") & faReadOnly, 0);
  ClearTempMp3(root + "TEMP\\");
  EXPECT_FALSE(FileExists(root + "TEMP\\big.mp3"));
  EXPECT_FALSE(FileExists(root + "TEMP\\ro.Mp3"));
  EXPECT_FALSE(FileExists(root + "TEMP\\sub\\deep.mp3"));
  EXPECT_TRUE(FileExists(root + "TEMP\\kdr.ini"));
  ClearTempMp3(root + "none"); // a missing folder is no failure
}

} // namespace
