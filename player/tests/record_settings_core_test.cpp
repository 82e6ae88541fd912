// "zap.ini": reading in the file's order with its failures, writing, and the
// choice published for the recording engine.
#include <gtest/gtest.h>

#include "classlib/Classes.h"
#include "player/RecordSettingsCore.h"

namespace {

class ZapIni : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = IncludeTrailingPathDelimiter(
        GetTempDir() + "zap_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ForceDirectories(dir_);
    name_ = dir_ + "zap.ini";
  }
  void TearDown() override {
    DeleteFile(name_);
    RemoveDir(dir_);
  }
  void Put(const std::string& bytes) {
    TFileStream f(name_, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  std::string Read() {
    TMemoryStream m;
    m.LoadFromFile(name_);
    return std::string(static_cast<char*>(m.Memory()), static_cast<size_t>(m.Size()));
  }
  std::string dir_, name_;
};

TEST_F(ZapIni, OwnSettingsWith224) {
  Put("FALSE\r\n3\r\n\r\n");
  RecordSettings s;
  ReadRecordSettings(name_, s);
  EXPECT_FALSE(s.AsReceived);
  EXPECT_EQ(s.BitrateIndex, 3);
  EXPECT_STREQ(kBitrates[s.BitrateIndex], "224");
  WriteRecordSettings(name_, s);
  EXPECT_EQ(Read(), "FALSE\r\n3\r\n\r\n");
  s.AsReceived = true;
  s.BitrateIndex = 5;
  WriteRecordSettings(name_, s);
  EXPECT_EQ(Read(), "TRUE\r\n5\r\n\r\n");
}

TEST_F(ZapIni, EmptyLinesLeaveWhatTheFormHas) {
  RecordSettings s;
  s.AsReceived = false;
  s.BitrateIndex = 2;
  Put("\r\n\r\n\r\n");
  ReadRecordSettings(name_, s);
  EXPECT_FALSE(s.AsReceived);
  EXPECT_EQ(s.BitrateIndex, 2);
  Put("");
  ReadRecordSettings(name_, s);
  EXPECT_EQ(s.BitrateIndex, 2);
  // Any other non-empty first line means own settings.
  s.AsReceived = true;
  ApplyRecordSettingsLines("true", "", s);
  EXPECT_FALSE(s.AsReceived);
  ApplyRecordSettingsLines("TRUE", " 4 ", s);
  EXPECT_TRUE(s.AsReceived);
  EXPECT_EQ(s.BitrateIndex, 4);
}

TEST_F(ZapIni, ABadSecondLineRaisesAfterTheModeIsTaken) {
  for (const char* bad : {"abc", "3.5", "9", "-1", "6"}) {
    RecordSettings s;
    s.BitrateIndex = 1;
    Put(std::string("FALSE\r\n") + bad + "\r\n\r\n");
    EXPECT_THROW(ReadRecordSettings(name_, s), EConvertError) << bad;
    EXPECT_FALSE(s.AsReceived) << bad;
    EXPECT_EQ(s.BitrateIndex, 1) << bad;
  }
}

TEST_F(ZapIni, AMissingFileRaisesAndChangesNothing) {
  RecordSettings s;
  EXPECT_THROW(ReadRecordSettings(name_, s), EInOutError);
  EXPECT_TRUE(s.AsReceived);
  EXPECT_EQ(s.BitrateIndex, 0);
  EXPECT_THROW(WriteRecordSettings(dir_ + "gone" + PathDelim + "zap.ini", s), EInOutError);
}

TEST(RecordChoiceTest, ReadersSeeWhatWasPublishedLast) {
  PublishRecordChoice({false, "224"});
  RecordChoice c = CurrentRecordChoice();
  EXPECT_FALSE(c.AsReceived);
  EXPECT_EQ(c.Bitrate, "224");
  PublishRecordChoice({});
  EXPECT_TRUE(CurrentRecordChoice().AsReceived);
  EXPECT_EQ(CurrentRecordChoice().Bitrate, "96");
}

} // namespace
