// Address parsing: only plain http is spoken; https is refused with its own
// code so the user learns why, every other scheme is a malformed address.
#include "audiolib/src/Url.h"

#include <cctype>

#include "audiolib/src/AsciiText.h"

namespace audiolib {

std::string UrlScheme(const std::string& text) {
  size_t sep = text.find("://");
  return sep == std::string::npos ? std::string() : Lower(text.substr(0, sep));
}

Err ParseUrl(const std::string& input, Url& out) {
  std::string text = Trim(input);
  std::string scheme = UrlScheme(text);
  if (scheme == "https") return Err::Ssl;
  if (scheme != "http") return Err::Url;
  std::string rest = text.substr(scheme.size() + 3);
  size_t slash = rest.find_first_of("/?");
  std::string authority = rest.substr(0, slash);
  std::string path = slash == std::string::npos ? "/" : rest.substr(slash);
  if (path[0] == '?') path = "/" + path;
  size_t at = authority.rfind('@'); // user info is not used
  if (at != std::string::npos) authority = authority.substr(at + 1);
  std::string host = authority;
  int port = 80;
  size_t colon = authority.rfind(':');
  if (colon != std::string::npos) {
    host = authority.substr(0, colon);
    std::string digits = authority.substr(colon + 1);
    if (digits.empty() || digits.size() > 5) return Err::Url;
    port = 0;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return Err::Url;
      port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return Err::Url;
  }
  if (host.empty()) return Err::Url;
  for (char c : host) {
    unsigned char u = static_cast<unsigned char>(c);
    if (!(std::isalnum(u) || c == '.' || c == '-' || c == '_')) return Err::Url;
  }
  for (char c : path) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7f) return Err::Url; // would break the request line
  }
  out.host = host;
  out.port = port;
  out.path = path;
  return Err::Ok;
}

std::string ToString(const Url& url) {
  std::string s = "http://" + url.host;
  if (url.port != 80) s += ":" + std::to_string(url.port);
  return s + url.path;
}

std::string ResolveLocation(const Url& base, const std::string& location) {
  std::string loc = Trim(location);
  if (loc.find("://") != std::string::npos) return loc;
  Url u = base;
  if (loc.rfind("//", 0) == 0) return "http:" + loc;
  if (!loc.empty() && loc[0] == '/') {
    u.path = loc;
  } else {
    std::string dir = u.path.substr(0, u.path.find('?'));
    dir = dir.substr(0, dir.rfind('/') + 1);
    u.path = dir + loc;
  }
  return ToString(u);
}

} // namespace audiolib
