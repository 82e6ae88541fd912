// Text, number and date helpers of SysUtils.h (the file helpers are in
// SysFiles.cpp).
#include "classlib/SysUtils.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "classlib/Cp1251.h"

#ifdef _WIN32
#include "classlib/WinApi.h"
#endif

char DecimalSeparator = '.';

void Abort() { throw EAbort("Operation aborted"); }

// --- Numbers ----------------------------------------------------------------------

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(uint64_t value, int digits) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}

namespace {

bool ParseInt64(const std::string& text, int64_t lo, int64_t hi, int64_t& out) {
  std::string s = Trim(text);
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  // Accumulate as a negative number so that the lowest value fits.
  const int64_t limit = std::numeric_limits<int64_t>::min();
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d = c >= '0' && c <= '9'                 ? c - '0'
            : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
    if (d < 0) return false;
    if (v < (limit + d) / base) return false;
    v = v * base - d;
  }
  if (!neg) {
    if (v == limit) return false;
    v = -v;
  }
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

[[noreturn]] void NotAnInteger(const std::string& s) {
  throw EConvertError("'" + s + "' is not a valid integer value");
}

} // namespace

bool TryStrToInt(const std::string& s, int& value) {
  int64_t v;
  if (!ParseInt64(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v))
    return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& s) {
  int v;
  if (!TryStrToInt(s, v)) NotAnInteger(s);
  return v;
}

int64_t StrToInt64(const std::string& s) {
  int64_t v;
  if (!ParseInt64(s, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), v))
    NotAnInteger(s);
  return v;
}

int StrToIntDef(const std::string& s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

namespace {

// printf output with '.' replaced by the decimal separator.
std::string LocalizeDot(std::string s) {
  for (char& c : s)
    if (c == '.') c = DecimalSeparator;
  return s;
}

} // namespace

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string s = buf;
  // "1E+20" -> "1E20", "1E-05" -> "1E-5".
  size_t e = s.find('E');
  if (e != std::string::npos) {
    std::string mant = s.substr(0, e), exp = s.substr(e + 1);
    bool neg = !exp.empty() && exp[0] == '-';
    if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) exp.erase(0, 1);
    while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
    s = mant + "E" + (neg ? "-" : "") + exp;
  }
  return LocalizeDot(s);
}

bool TryStrToFloat(const std::string& text, double& value) {
  std::string s = Trim(text);
  if (s.empty()) return false;
  for (char& c : s)
    if (c == ',') c = '.';
  for (char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size()) return false;
  value = v;
  return true;
}

double StrToFloat(const std::string& s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
  return v;
}

// --- Format -----------------------------------------------------------------------

std::string Format(const std::string& fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, std::vector<TVarRec>(args));
}

std::string Format(const std::string& fmt, const std::vector<TVarRec>& args) {
  auto invalid = [&]() -> EConvertError {
    return EConvertError("Format '" + fmt + "' invalid or incompatible with argument");
  };
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') {
      out += fmt[i];
      continue;
    }
    if (++i >= fmt.size()) throw invalid();
    if (fmt[i] == '%') {
      out += '%';
      continue;
    }
    // Optional argument index "N:".
    size_t j = i;
    while (j < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[j]))) ++j;
    if (j < fmt.size() && fmt[j] == ':' && j > i) {
      next = static_cast<size_t>(std::atoi(fmt.substr(i, j - i).c_str()));
      i = j + 1;
    }
    bool left = false;
    if (i < fmt.size() && fmt[i] == '-') {
      left = true;
      ++i;
    }
    int width = 0, prec = -1;
    while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i])))
      width = width * 10 + (fmt[i++] - '0');
    if (i < fmt.size() && fmt[i] == '.') {
      prec = 0;
      ++i;
      while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i])))
        prec = prec * 10 + (fmt[i++] - '0');
    }
    if (i >= fmt.size() || next >= args.size()) throw invalid();
    const TVarRec& a = args[next++];
    char type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));
    std::string piece;
    char buf[128];
    switch (type) {
      case 'd':
      case 'u': {
        if (a.kind != TVarRec::Kind::kInt) throw invalid();
        bool neg = type == 'd' && a.i < 0;
        std::string digits = type == 'u' ? std::to_string(static_cast<uint64_t>(a.i))
                             : neg       ? std::to_string(a.i).substr(1)
                                         : std::to_string(a.i);
        if (prec > 0 && static_cast<int>(digits.size()) < prec)
          digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
        piece = (neg ? "-" : "") + digits;
        break;
      }
      case 'x': {
        if (a.kind != TVarRec::Kind::kInt) throw invalid();
        piece = IntToHex(static_cast<uint64_t>(a.i), prec > 0 ? prec : 1);
        break;
      }
      case 's': {
        if (a.kind != TVarRec::Kind::kString) throw invalid();
        piece = prec >= 0 && static_cast<size_t>(prec) < a.s.size() ? a.s.substr(0, prec) : a.s;
        break;
      }
      case 'f':
      case 'e':
      case 'g': {
        if (a.kind == TVarRec::Kind::kString) throw invalid();
        double v = a.kind == TVarRec::Kind::kFloat ? a.d : static_cast<double>(a.i);
        if (type == 'g') {
          piece = FloatToStr(v);
        } else {
          std::snprintf(buf, sizeof buf, type == 'f' ? "%.*f" : "%.*E",
                        prec >= 0 ? prec : (type == 'f' ? 2 : 15), v);
          piece = LocalizeDot(buf);
        }
        break;
      }
      default: throw invalid();
    }
    if (static_cast<int>(piece.size()) < width) {
      std::string pad(static_cast<size_t>(width) - piece.size(), ' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}

// --- Text ---------------------------------------------------------------------------

std::string TrimLeft(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  return s.substr(b);
}

std::string TrimRight(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(0, e);
}

std::string Trim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string AnsiUpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = static_cast<char>(Cp1251UpperChar(static_cast<unsigned char>(c)));
  return r;
}

std::string AnsiLowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = static_cast<char>(Cp1251LowerChar(static_cast<unsigned char>(c)));
  return r;
}

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  std::string x = AnsiUpperCase(a), y = AnsiUpperCase(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

bool SameText(const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }

bool IsAccel(char Key, const std::string& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i; // an "&" of the text
      continue;
    }
    return Cp1251UpperChar(static_cast<unsigned char>(Caption[i + 1])) ==
           Cp1251UpperChar(static_cast<unsigned char>(Key));
  }
  return false;
}

std::string classlib::StringReplaceAll(const std::string& s, const std::string& from,
                                       const std::string& to) {
  if (from.empty()) return s;
  std::string r;
  size_t pos = 0;
  for (size_t f; (f = s.find(from, pos)) != std::string::npos; pos = f + from.size())
    r += s.substr(pos, f - pos) + to;
  return r + s.substr(pos);
}

int Pos(const std::string& sub, const std::string& s) {
  size_t p = s.find(sub);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

// --- Dates ----------------------------------------------------------------------------

namespace {

constexpr double kMsPerDay = 86400000.0;
// Days from 1970-01-01 (civil calendar, any year) and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

// A date-time split into whole days and milliseconds of the day, rounded once
// so that date and time agree.
void Split(TDateTime t, int64_t& days, int64_t& ms) {
  int64_t total = std::llround(t * kMsPerDay);
  days = total >= 0 ? total / 86400000 : -((-total + 86399999) / 86400000);
  ms = total - days * 86400000;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > kDays[month - 1] + (month == 2 && leap))
    throw EConvertError("Invalid argument to date encode");
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
    throw EConvertError("Invalid argument to time encode");
  return ((hour * 3600.0 + min * 60.0 + sec) * 1000.0 + msec) / kMsPerDay;
}

void DecodeDate(TDateTime t, int& year, int& month, int& day) {
  int64_t days, ms;
  Split(t, days, ms);
  CivilFromDays(days + kEpochOffset, year, month, day);
}

void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec) {
  int64_t days, ms;
  Split(t, days, ms);
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

TDateTime Now() {
#ifdef _WIN32
  SYSTEMTIME st;
  GetLocalTime(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay) +
         EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
#else
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local;
  localtime_r(&ts.tv_sec, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                    static_cast<int>(ts.tv_nsec / 1000000));
#endif
}

TDateTime Date() { return std::floor(Now()); }

std::string FormatDateTime(const std::string& fmt, TDateTime t) {
  int y, mo, d, h, mi, s, ms;
  DecodeDate(t, y, mo, d);
  DecodeTime(t, h, mi, s, ms);
  auto num = [](int v, int width) {
    std::string r = std::to_string(v);
    if (static_cast<int>(r.size()) < width) r.insert(0, static_cast<size_t>(width) - r.size(), '0');
    return r;
  };
  std::string out;
  for (size_t i = 0; i < fmt.size();) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));
    size_t run = 1;
    while (i + run < fmt.size() && std::tolower(static_cast<unsigned char>(fmt[i + run])) == c)
      ++run;
    switch (c) {
      case 'y': out += run >= 3 ? num(y, 4) : num(y % 100, 2); break;
      case 'm': out += num(mo, run >= 2 ? 2 : 1); break;
      case 'd': out += num(d, run >= 2 ? 2 : 1); break;
      case 'h': out += num(h, run >= 2 ? 2 : 1); break;
      case 'n': out += num(mi, run >= 2 ? 2 : 1); break;
      case 's': out += num(s, run >= 2 ? 2 : 1); break;
      case 'z': out += num(ms, run >= 3 ? 3 : 1); break;
      case '"':
      case '\'': {
        size_t end = fmt.find(fmt[i], i + 1);
        if (end == std::string::npos) end = fmt.size();
        out += fmt.substr(i + 1, end - i - 1);
        run = end + 1 - i;
        if (i + run > fmt.size()) run = fmt.size() - i;
        break;
      }
      default: out += fmt.substr(i, run); break;
    }
    i += run;
  }
  return out;
}
