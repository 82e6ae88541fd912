// The station road's rules (see StreamCore.h).
#include "player/StreamCore.h"

#include <cmath>
#include <cstdio>

#include "classlib/Cp1251.h"

std::optional<std::string> ExtractStreamTitle(const std::string& Meta) {
  const std::string key = "StreamTitle=";
  const size_t p = Meta.find(key);
  if (p == std::string::npos) return std::nullopt;
  const size_t start = p + key.size() + 1; // past the opening quote
  if (start > Meta.size()) return std::string();
  // The quote that closes the title is the one followed by ";" (a title may
  // hold ";" itself, and every character reference ends with one), else the
  // last quote of the block.
  size_t end = Meta.find("';", start);
  if (end == std::string::npos) end = Meta.rfind('\'');
  if (end == std::string::npos || end < start) return std::string();
  return Meta.substr(start, end - start);
}

namespace {

// One reference at s[i] ("&#...;"): its code point and length, or false.
bool ReadReference(const std::string& s, size_t i, char32_t& cp, size_t& len) {
  if (i + 3 >= s.size() || s[i] != '&' || s[i + 1] != '#') return false;
  size_t j = i + 2;
  const bool hex = s[j] == 'x' || s[j] == 'X';
  if (hex) ++j;
  const size_t digits = j;
  std::uint32_t v = 0;
  for (; j < s.size() && j - digits < 8; ++j) {
    const char c = s[j];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
  }
  if (j == digits || j >= s.size() || s[j] != ';') return false;
  if (v == 0 || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return false;
  cp = v;
  len = j + 1 - i;
  return true;
}

} // namespace

std::string DecodeCharacterReferences(const std::string& Utf8) {
  std::string out;
  out.reserve(Utf8.size());
  for (size_t i = 0; i < Utf8.size();) {
    char32_t cp;
    size_t len;
    if (Utf8[i] == '&' && ReadReference(Utf8, i, cp, len)) {
      classlib::AppendUtf8(out, cp);
      i += len;
    } else {
      out += Utf8[i++];
    }
  }
  return out;
}

std::string ConvertUtf8Cyrillic(const std::string& Text) {
  const std::string s = DecodeCharacterReferences(Text);
  if (!classlib::IsValidUtf8(s)) return Text; // not UTF-8: already the code page's
  return Utf8ToCp1251(s);
}

std::string TitleLabelText(const std::string& Title) {
  if (Title.empty() || Title == "-") return "------------";
  if (Title.size() <= 80) return Title;
  return Title.substr(0, 77) + "...";
}

std::string StationLineText(const std::string& Line, bool MainList) {
  if (!MainList || Line.size() <= 30) return Line;
  return Line.substr(0, 27) + "...";
}

int BitrateFromBufferLength(std::uint64_t End) {
  const std::uint32_t end = static_cast<std::uint32_t>(End);
  return static_cast<int>(std::lround(end / 125.0) / 5);
}

std::string BitrateText(int Kbps) { return std::to_string(Kbps) + "кбит/c"; }

std::string SampleRateText(int Hz) { return std::to_string(Hz).substr(0, 2) + "кгц"; }

int ClampVolume(int Value) { return Value < 0 ? 0 : (Value > 100 ? 100 : Value); }

std::string FormatTimeStr(int Hour, int Minute, int Second) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", Hour, Minute, Second);
  return buf;
}

BufferWait::Step BufferWait::Look(std::uint64_t Current, std::uint64_t Download, std::uint64_t End,
                                  std::int64_t NowMs) {
  const std::uint32_t len = static_cast<std::uint32_t>(End);
  if (len == 0xFFFFFFFFu || len == 0) { // no buffer length: nothing to wait for
    percent_ = -1;
    return Step::Done;
  }
  percent_ = (static_cast<std::int64_t>(Download - Current) * 100) / static_cast<std::int64_t>(len);
  if (static_cast<std::uint32_t>(percent_) > 75) return Step::Done;
  if (!started_ || Download != last_download_) {
    started_ = true;
    last_download_ = Download;
    moved_at_ = NowMs;
  } else if (NowMs - moved_at_ >= stall_ms_) {
    return Step::Stalled;
  }
  return Step::Wait;
}
