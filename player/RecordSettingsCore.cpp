// The recording settings' file and the published choice (see RecordSettingsCore.h).
#include "player/RecordSettingsCore.h"

#include <mutex>

#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

const char* const kBitrates[kBitrateCount] = {"96", "128", "192", "224", "256", "320"};

void ApplyRecordSettingsLines(const std::string& Line1, const std::string& Line2,
                              RecordSettings& Settings) {
  if (!Line1.empty()) Settings.AsReceived = Line1 == "TRUE";
  if (Line2.empty()) return;
  const int index = StrToInt(Line2);
  // An index beyond the list would leave no bitrate chosen, and the
  // re-encoding would be handed an empty one.
  if (index < 0 || index >= kBitrateCount)
    throw EConvertError("'" + Line2 + "' is not a valid bitrate index");
  Settings.BitrateIndex = index;
}

void ReadRecordSettings(const std::string& FileName, RecordSettings& Settings) {
  TTextFile f(FileName);
  f.Reset();
  const std::string line1 = f.ReadLn();
  const std::string line2 = f.ReadLn();
  f.CloseFile();
  ApplyRecordSettingsLines(line1, line2, Settings);
}

std::string RecordSettingsText(const RecordSettings& Settings) {
  return std::string(Settings.AsReceived ? "TRUE" : "FALSE") + "\r\n" +
         IntToStr(Settings.BitrateIndex) + "\r\n\r\n";
}

void WriteRecordSettings(const std::string& FileName, const RecordSettings& Settings) {
  classlib::WriteFileReplacing(FileName, RecordSettingsText(Settings));
}

namespace {
// Held only while one side copies the choice in or out.
std::mutex& ChoiceMutex() {
  static std::mutex m;
  return m;
}
RecordChoice& SharedChoice() {
  static RecordChoice c;
  return c;
}
} // namespace

void PublishRecordChoice(const RecordChoice& Choice) {
  std::lock_guard<std::mutex> lock(ChoiceMutex());
  SharedChoice() = Choice;
}

RecordChoice CurrentRecordChoice() {
  std::lock_guard<std::mutex> lock(ChoiceMutex());
  return SharedChoice();
}
