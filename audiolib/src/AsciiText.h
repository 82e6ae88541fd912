// Small ASCII text helpers shared by the address and playlist parsers: the
// protocol words they compare are ASCII, so the C locale's classes serve.
#pragma once
#include <cctype>
#include <string>

namespace audiolib {

inline std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Without leading and trailing white space (blanks, tabs, line ends).
inline std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

} // namespace audiolib
