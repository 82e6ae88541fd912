// The station road's rules, free of Windows: the title in a metadata block,
// its conversion to Windows-1251, what the labels show, the bitrate and
// sample-rate texts, the volume's range and the buffering wait.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The title of an in-stream metadata block: the text from past
// "StreamTitle='" up to the quote that closes it, the first quote followed by
// ";" or else the last quote of the block, so that ";" in a title and the
// ";" that ends a character reference ("&#1040;") stay in it. Empty when that
// span is empty or there is no closing quote; nothing when the block holds no
// "StreamTitle=". The references are decoded by ConvertUtf8Cyrillic.
std::optional<std::string> ExtractStreamTitle(const std::string& Meta);

// "&#1050;" and "&#x41A;" become the characters they name (as UTF-8);
// anything else, malformed references included, stays as it is.
std::string DecodeCharacterReferences(const std::string& Utf8);

// A title as received, in Windows-1251, its character references decoded.
// Valid UTF-8 is converted character by character, with "?" for those the
// code page lacks. In text that is not valid UTF-8 throughout, the two-byte
// forms of the 66 Russian letters (А..Я, Ё, а..я, ё) become their code-page
// bytes and every other byte stays as received.
std::string ConvertUtf8Cyrillic(const std::string& Text);

// Label2: "------------" for no title ("" or "-"); a title of more than 80
// characters as its first 77 and "...".
std::string TitleLabelText(const std::string& Title);
// Label14: a line of the main list longer than 30 characters as its first
// 27 and "..."; a line of the own list whole.
std::string StationLineText(const std::string& Line, bool MainList);

// kbit/s from the end position (the length of the download buffer, five
// seconds of the stream): round(End / 125) div 5, End read as 32 bits.
int BitrateFromBufferLength(std::uint64_t End);
// «128кбит/c»
std::string BitrateText(int Kbps);
// The first two digits of the rate and "кгц": 44100 gives «44кгц».
std::string SampleRateText(int Hz);

// Volume in percent, kept within 0..100.
int ClampVolume(int Value);
// "hh-mm-ss", 24-hour, two digits each.
std::string FormatTimeStr(int Hour, int Minute, int Second);

// The buffering wait before playback. Each look at the stream's file
// positions gives a step: go on waiting (with the percentage to show), done
// (more than 75 % buffered, or no buffer length known), or given up (the
// download did not move for StallMs while under 76 %).
class BufferWait {
 public:
  enum class Step { Wait, Done, Stalled };
  static constexpr std::int64_t kDefaultStallMs = 15000;
  explicit BufferWait(std::int64_t StallMs = kDefaultStallMs) : stall_ms_(StallMs) {}

  // Positions as the library reports them: current (0), download (1) and
  // end (2). NowMs: a steady clock.
  Step Look(std::uint64_t Current, std::uint64_t Download, std::uint64_t End, std::int64_t NowMs);
  // The percentage of the last look (to send while waiting and with Done);
  // -1 when the buffer length is unknown.
  std::int64_t Percent() const { return percent_; }

 private:
  std::int64_t stall_ms_ = kDefaultStallMs;
  std::int64_t percent_ = -1;
  std::uint64_t last_download_ = 0;
  std::int64_t moved_at_ = 0;
  bool started_ = false;
};
