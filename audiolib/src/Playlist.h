// Playlist files that stations publish instead of the stream address:
// ".pls" ("[playlist]", File1=...) and ".m3u" (one address per line).
#pragma once
#include <string>
#include <vector>

namespace audiolib {

// The largest playlist body we read.
constexpr size_t kMaxPlaylistBytes = 64 * 1024;

// Whether a response is a playlist, from its content type, its address' path
// or the first bytes of its body.
bool LooksLikePlaylist(const std::string& contentType, const std::string& path,
                       const std::string& bodyStart);

// The http(s) addresses of the playlist in order (File1, File2, ... for .pls;
// every non-comment line for .m3u). Entries that are not addresses are skipped.
std::vector<std::string> ParsePlaylist(const std::string& body);

} // namespace audiolib
