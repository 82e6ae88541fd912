// Request head parsing for the test station.
#include "tools/station/StationRequest.h"

#include <cctype>
#include <sstream>

namespace teststation {
namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}
// The path of an origin-form or absolute-form request target.
std::string TargetPath(const std::string& target) {
  std::string rest = target;
  if (Lower(rest.substr(0, 7)) == "http://") {
    // The authority ends at the path, the query or the end.
    size_t end = rest.find_first_of("/?", 7);
    if (end == 7) return std::string(); // no host
    rest = end == std::string::npos ? "/" : rest.substr(end);
    if (rest[0] == '?') rest = "/" + rest;
  }
  if (rest.empty() || rest[0] != '/') return std::string();
  return rest.substr(0, rest.find('?'));
}
} // namespace

size_t FindHeadEnd(const std::string& data, size_t& end) {
  size_t crlf = data.find("\r\n\r\n");
  size_t lf = data.find("\n\n");
  if (crlf != std::string::npos && (lf == std::string::npos || crlf < lf)) {
    end = crlf;
    return 4;
  }
  if (lf != std::string::npos) {
    end = lf;
    return 2;
  }
  return 0;
}

bool ParseStationRequest(const std::string& head, StationRequest& out) {
  out = StationRequest();
  std::istringstream in(head);
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) break;
    if (!out.head.empty()) out.head += "\r\n";
    out.head += line;
    if (first) {
      first = false;
      std::istringstream words(line);
      std::string target;
      if (!(words >> out.method >> target)) return false;
      out.path = TargetPath(target);
      continue;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    if (Lower(Trim(line.substr(0, colon))) == "icy-metadata" &&
        Trim(line.substr(colon + 1)) == "1") {
      out.wants_metadata = true;
    }
  }
  return !first;
}

} // namespace teststation
