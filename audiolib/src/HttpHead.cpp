// Parsing of the response head. Lenient where servers differ (bare LF line
// ends, missing reason phrase, blanks around values), strict where a wrong
// guess would turn garbage into a "stream" (the status line itself).
#include "audiolib/src/HttpHead.h"

#include <cctype>
#include <climits>

namespace audiolib {
namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return s.substr(b, e - b);
}

bool ParseStatusLine(const std::string& line, ResponseHead& out) {
  std::string rest;
  if (line.rfind("ICY ", 0) == 0) {
    out.icy = true;
    rest = line.substr(4);
  } else if (line.rfind("HTTP/1.", 0) == 0 && line.size() > 8 &&
             std::isdigit(static_cast<unsigned char>(line[7])) && line[8] == ' ') {
    rest = line.substr(9);
  } else {
    return false;
  }
  while (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  if (rest.size() < 3) return false;
  for (int i = 0; i < 3; ++i)
    if (!std::isdigit(static_cast<unsigned char>(rest[i]))) return false;
  if (rest.size() > 3 && rest[3] != ' ' && rest[3] != '\r') return false;
  out.status = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
  return out.status >= 100;
}

} // namespace

std::string ResponseHead::Field(const std::string& lowerName) const {
  auto it = fields.find(lowerName);
  return it == fields.end() ? std::string() : it->second;
}

long ResponseHead::IntField(const std::string& lowerName) const {
  std::string v = Field(lowerName);
  if (v.empty() || !std::isdigit(static_cast<unsigned char>(v[0]))) return -1;
  long n = 0;
  for (char c : v) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    if (n > (LONG_MAX - 9) / 10) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

size_t FindHeadEnd(const char* data, size_t size) {
  for (size_t i = 0; i + 1 < size; ++i) {
    if (data[i] != '\n') continue;
    if (data[i + 1] == '\n') return i + 2;
    if (data[i + 1] == '\r' && i + 2 < size && data[i + 2] == '\n') return i + 3;
  }
  return 0;
}

bool ParseResponseHead(const char* data, size_t size, ResponseHead& out) {
  out = ResponseHead();
  std::string text(data, size);
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? text.size() : nl + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) {
      if (!ParseStatusLine(line, out)) return false;
      first = false;
      continue;
    }
    if (line.empty()) break;
    size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) continue; // tolerate a stray line
    std::string name = Trim(line.substr(0, colon));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out.fields[name] = Trim(line.substr(colon + 1));
  }
  return !first;
}

} // namespace audiolib
