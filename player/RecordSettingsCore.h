// The recording settings apart from their window: the line file "zap.ini",
// the bitrates on offer, and the choice the recording engine reads.
//
// "zap.ini" holds three lines, each ended by CR LF: "TRUE" to record the
// stream as received or "FALSE" to re-encode with own settings; the index of
// the chosen bitrate in decimal (0 = "96" ... 5 = "320"); an empty line.
#pragma once

#include <string>

// The bitrates (kbit/s) the own-settings mode offers, in list order.
constexpr int kBitrateCount = 6;
extern const char* const kBitrates[kBitrateCount];

struct RecordSettings {
  bool AsReceived = true;
  int BitrateIndex = 0;
};

// Applies the first two lines of "zap.ini" to `Settings`, in the file's
// order: "TRUE" chooses as received, any other non-empty text own settings,
// an empty line leaves the mode; a non-empty second line is the bitrate
// index. A second line that is not a whole number, or names no bitrate of
// the list, raises EConvertError after the mode has been applied, and the
// index stays.
void ApplyRecordSettingsLines(const std::string& Line1, const std::string& Line2,
                              RecordSettings& Settings);

// Reads "zap.ini" into `Settings` as above; a file that can't be opened or
// read raises EInOutError and leaves `Settings` as it was.
void ReadRecordSettings(const std::string& FileName, RecordSettings& Settings);

// The content of "zap.ini" for `Settings`.
std::string RecordSettingsText(const RecordSettings& Settings);
// Rewrites "zap.ini" so that a failure leaves the previous one whole.
void WriteRecordSettings(const std::string& FileName, const RecordSettings& Settings);

// What the recording engine follows: the mode and the bitrate text of the
// settings window as they stand. The window publishes it on its own thread
// at every change; any thread reads a copy, and neither side ever waits for
// the other beyond that copy.
struct RecordChoice {
  bool AsReceived = true;
  std::string Bitrate = "96";
};
void PublishRecordChoice(const RecordChoice& Choice);
RecordChoice CurrentRecordChoice();
