// Footer value formats (see DgFormatMask.h).
#include "grid/DgFormatMask.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
WideString Widen(const std::string& s) { return WideString(s.begin(), s.end()); }
} // namespace

WideString DgFormatFloat(const std::string& Mask, double Value) {
  if (!std::isfinite(Value)) Value = 0;
  if (Mask.empty()) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", Value);
    return Widen(buf);
  }
  const size_t point = Mask.find('.');
  const std::string intMask = Mask.substr(0, point);
  const std::string fracMask = point == std::string::npos ? "" : Mask.substr(point + 1);
  int fracDigits = 0, fracMin = 0, intMin = 0;
  bool group = false;
  for (char ch : fracMask) {
    if (ch == '0' || ch == '#') ++fracDigits;
    if (ch == '0') fracMin = fracDigits;
  }
  for (char ch : intMask) {
    if (ch == '0') ++intMin;
    if (ch == ',') group = true;
  }
  const bool negative = Value < 0;
  const double scaled = std::round(std::fabs(Value) * std::pow(10.0, fracDigits));
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", scaled);
  std::string digits = buf;
  while (int(digits.size()) <= fracDigits) digits.insert(digits.begin(), '0');
  std::string ip = digits.substr(0, digits.size() - size_t(fracDigits));
  std::string fp = digits.substr(digits.size() - size_t(fracDigits));
  while (int(fp.size()) > fracMin && !fp.empty() && fp.back() == '0') fp.pop_back();
  if (ip == "0" && intMin == 0) ip.clear();
  while (int(ip.size()) < intMin) ip.insert(ip.begin(), '0');
  if (group)
    for (int i = int(ip.size()) - 3; i > 0; i -= 3) ip.insert(size_t(i), " ");
  std::string out;
  // Literal characters before the first and after the last placeholder keep
  // their place around the number.
  const size_t first = Mask.find_first_of("0#"), last = Mask.find_last_of("0#");
  std::string before, after;
  if (first != std::string::npos) {
    before = Mask.substr(0, first);
    after = Mask.substr(last + 1);
  } else {
    before = Mask;
  }
  if (!after.empty() && after[0] == '.') after.erase(0, 1);
  if (negative && (scaled != 0)) out += '-';
  out += before + ip;
  if (!fp.empty()) out += '.' + fp;
  if (out.empty() || out == "-") out += '0';
  return Widen(out + after);
}

WideString DgFormatMaskText(const std::string& Mask, const WideString& Text) {
  WideString out;
  size_t next = 0;
  const std::string mask = Mask.substr(0, Mask.find(';'));
  for (size_t i = 0; i < mask.size(); ++i) {
    const char ch = mask[i];
    if (ch == '\\' && i + 1 < mask.size()) {
      out += char16_t(static_cast<unsigned char>(mask[++i]));
      continue;
    }
    switch (ch) {
      case '0':
      case '9':
      case '#':
      case 'L':
      case 'l':
      case 'A':
      case 'a':
      case 'C':
      case 'c': out += next < Text.size() ? Text[next++] : u' '; break;
      default: out += char16_t(static_cast<unsigned char>(ch)); break;
    }
  }
  return out;
}

double DgTextToFloat(const WideString& Text) {
  std::string s;
  for (char16_t ch : Text) {
    if (ch == u' ') continue;
    if (ch > 127) return 0;
    s += ch == u',' ? '.' : char(ch);
  }
  if (s.empty()) return 0;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  return end && *end == 0 && std::isfinite(v) ? v : 0;
}
