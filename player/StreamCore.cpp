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

// Every reference of `Text` decoded by Emit(out, code point); the rest kept.
template <class Emit>
std::string DecodeReferencesWith(const std::string& Text, Emit emit) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size();) {
    char32_t cp;
    size_t len;
    if (Text[i] == '&' && ReadReference(Text, i, cp, len)) {
      emit(out, cp);
      i += len;
    } else {
      out += Text[i++];
    }
  }
  return out;
}

void AppendCp1251(std::string& out, char32_t cp) {
  unsigned char b;
  out += UnicodeToCp1251(cp, b) ? static_cast<char>(b) : '?';
}

// The two-byte UTF-8 form at s[i] as one of the 66 Russian letters (А..я,
// Ё, ё), given as its Windows-1251 byte.
bool RussianLetterAt(const std::string& s, size_t i, char& out) {
  if (i + 1 >= s.size()) return false;
  const unsigned char lead = static_cast<unsigned char>(s[i]);
  const unsigned char next = static_cast<unsigned char>(s[i + 1]);
  if ((lead != 0xD0 && lead != 0xD1) || (next & 0xC0) != 0x80) return false;
  const char32_t cp = (static_cast<char32_t>(lead & 0x1F) << 6) | (next & 0x3F);
  if ((cp < 0x410 || cp > 0x44F) && cp != 0x401 && cp != 0x451) return false;
  unsigned char b;
  if (!UnicodeToCp1251(cp, b)) return false;
  out = static_cast<char>(b);
  return true;
}

// The Russian letters of a text that is not UTF-8 throughout, each replaced
// by its code-page byte; every other byte stays. One pass from the left: a
// letter's byte (Ё is 0xA8, ё 0xB8) never joins a stray byte before it into
// another letter, as replacing letter by letter over the whole text would
// ("\xD0" and Ё becoming Ш).
std::string ReplaceRussianLetters(const std::string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size();) {
    char letter;
    if (RussianLetterAt(Text, i, letter)) {
      out += letter;
      i += 2;
    } else {
      out += Text[i++];
    }
  }
  return out;
}

} // namespace

// Stations send titles whose letters are all references; left as they
// arrive, "&#1040;..." would show as text and name the file "_#1040_...".
std::string DecodeCharacterReferences(const std::string& Utf8) {
  return DecodeReferencesWith(Utf8, classlib::AppendUtf8);
}

std::string ConvertUtf8Cyrillic(const std::string& Text) {
  // Valid UTF-8 is converted whole: converting only the Russian letters
  // would leave every other character as its bytes, and "—" would show as
  // "вЂ”". References decode to UTF-8 first and are converted with it.
  if (classlib::IsValidUtf8(Text)) return Utf8ToCp1251(DecodeCharacterReferences(Text));
  // A stray byte (a title cut by the station, or one in the code page
  // already) costs only itself: the Russian letters are still replaced and
  // the references decoded straight into the code page.
  return DecodeReferencesWith(ReplaceRussianLetters(Text), AppendCp1251);
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
