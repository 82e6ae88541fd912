// Dates and times as text by the program's format settings (see SysUtils.h).
#include <cctype>
#include <cmath>
#include <vector>

#include "classlib/SysUtils.h"

std::string ShortDateFormat = "dd.mm.yyyy";
std::string LongTimeFormat = "hh:nn:ss";

namespace {

// The first character of a format that is no letter: its separator.
char SeparatorOf(const std::string& fmt, char fallback) {
  for (char c : fmt)
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != '"' && c != '\'') return c;
  return fallback;
}

// Numbers of `s` split at `sep`; false when a part is empty or no number.
bool SplitNumbers(const std::string& s, char sep, std::vector<int>& out) {
  out.clear();
  std::string part;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      if (part.empty() || part.size() > 9) return false;
      for (char c : part)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      out.push_back(std::stoi(part));
      part.clear();
    } else {
      part += s[i];
    }
  }
  return true;
}

bool ParseDate(const std::string& s, TDateTime& value) {
  std::vector<int> n;
  if (!SplitNumbers(s, SeparatorOf(ShortDateFormat, '.'), n) || n.size() != 3) return false;
  // The order of day, month and year as the format gives them.
  int day = -1, month = -1, year = -1, next = 0;
  for (char c : ShortDateFormat) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    int* slot = l == 'd' ? &day : l == 'm' ? &month : l == 'y' ? &year : nullptr;
    if (slot && *slot < 0 && next < 3) *slot = n[static_cast<size_t>(next++)];
  }
  if (day < 0 || month < 0 || year < 0) return false;
  if (year < 100) year += year < 50 ? 2000 : 1900;
  try {
    value = EncodeDate(year, month, day);
  } catch (const EConvertError&) { return false; }
  return true;
}

bool ParseTime(const std::string& s, TDateTime& value) {
  std::string main = s;
  int ms = 0;
  size_t dot = s.find('.');
  if (dot != std::string::npos && SeparatorOf(LongTimeFormat, ':') != '.') {
    std::string frac = s.substr(dot + 1);
    if (frac.empty() || frac.size() > 3) return false;
    for (char c : frac)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    ms = std::stoi(frac) * (frac.size() == 1 ? 100 : frac.size() == 2 ? 10 : 1);
    main = s.substr(0, dot);
  }
  std::vector<int> n;
  if (!SplitNumbers(main, SeparatorOf(LongTimeFormat, ':'), n) || n.size() < 2 || n.size() > 3)
    return false;
  try {
    value = EncodeTime(n[0], n[1], n.size() > 2 ? n[2] : 0, ms);
  } catch (const EConvertError&) { return false; }
  return true;
}

} // namespace

std::string DateToStr(TDateTime t) { return FormatDateTime(ShortDateFormat, t); }

std::string TimeToStr(TDateTime t) { return FormatDateTime(LongTimeFormat, t); }

std::string DateTimeToStr(TDateTime t) {
  int h, m, s, ms;
  DecodeTime(t, h, m, s, ms);
  if (h == 0 && m == 0 && s == 0 && ms == 0) return DateToStr(t);
  return DateToStr(t) + " " + TimeToStr(t);
}

bool TryStrToDateTime(const std::string& text, TDateTime& value) {
  std::string s = Trim(text);
  if (s.empty()) return false;
  size_t blank = s.find(' ');
  if (blank == std::string::npos) {
    TDateTime v;
    if (s.find(SeparatorOf(LongTimeFormat, ':')) != std::string::npos) {
      if (!ParseTime(s, v)) return false;
    } else if (!ParseDate(s, v)) {
      return false;
    }
    value = v;
    return true;
  }
  TDateTime d, t;
  if (!ParseDate(s.substr(0, blank), d) || !ParseTime(Trim(s.substr(blank + 1)), t)) return false;
  // Before 1899-12-30 the day counts down while the time still counts up.
  value = d < 0 ? d - t : d + t;
  return true;
}

TDateTime StrToDateTime(const std::string& s) {
  TDateTime v;
  if (!TryStrToDateTime(s, v)) throw EConvertError("'" + s + "' is not a valid date and time");
  return v;
}
