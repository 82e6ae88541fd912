// Playlist parsing. Only addresses are taken: a playlist pointing at local
// files means nothing to a network stream.
#include "audiolib/src/Playlist.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

#include "audiolib/src/AsciiText.h"
#include "audiolib/src/Url.h"

namespace audiolib {
namespace {

bool IsAddress(const std::string& s) {
  std::string scheme = UrlScheme(s);
  return scheme == "http" || scheme == "https";
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> Lines(const std::string& body) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos <= body.size()) {
    size_t nl = body.find_first_of("\r\n", pos);
    out.push_back(Trim(body.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos)));
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  return out;
}

} // namespace

bool LooksLikePlaylist(const std::string& contentType, const std::string& path,
                       const std::string& bodyStart) {
  std::string ct = Lower(contentType);
  if (ct.find("scpls") != std::string::npos || ct.find("mpegurl") != std::string::npos) return true;
  std::string p = Lower(path.substr(0, path.find('?')));
  if (EndsWith(p, ".pls") || EndsWith(p, ".m3u") || EndsWith(p, ".m3u8")) return true;
  std::string b = Lower(Trim(bodyStart.substr(0, 64)));
  return b.rfind("[playlist]", 0) == 0 || b.rfind("#extm3u", 0) == 0;
}

std::vector<std::string> ParsePlaylist(const std::string& body) {
  std::vector<std::string> lines = Lines(body.substr(0, kMaxPlaylistBytes));
  bool pls = false;
  for (const std::string& l : lines) {
    if (l.empty()) continue;
    pls = Lower(l).rfind("[playlist]", 0) == 0;
    break;
  }
  std::vector<std::string> out;
  if (!pls) {
    for (const std::string& l : lines)
      if (!l.empty() && l[0] != '#' && IsAddress(l)) out.push_back(l);
    return out;
  }
  std::map<long, std::string> files; // FileN, ordered by N
  for (const std::string& l : lines) {
    size_t eq = l.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Lower(Trim(l.substr(0, eq)));
    if (key.rfind("file", 0) != 0 || key.size() == 4 || key.size() > 12) continue;
    if (!std::all_of(key.begin() + 4, key.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      continue;
    std::string value = Trim(l.substr(eq + 1));
    long n = std::strtol(key.c_str() + 4, nullptr, 10);
    if (IsAddress(value) && !files.count(n)) files[n] = value;
  }
  for (auto& f : files) out.push_back(f.second);
  return out;
}

} // namespace audiolib
