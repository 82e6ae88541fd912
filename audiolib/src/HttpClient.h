// Opens a stream address: connects, sends the request with
// "Icy-MetaData: 1", reads the response head, follows redirects (at most
// kMaxRedirects) and, when asked to, playlists. What comes back is a
// connection positioned in the stream's body.
#pragma once
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "audiolib/src/HttpHead.h"
#include "audiolib/src/Network.h"

namespace audiolib {

constexpr int kMaxRedirects = 5;

// The end of the whole opening: a server that drips its answer a byte at a
// time, or a chain of slow redirects, still cannot hold the caller longer.
class Deadline {
 public:
  explicit Deadline(int totalMs)
      : end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(totalMs)) {}
  // The time-out for one wait: at most `perWaitMs`, never past the end; 0 when over.
  int Wait(int perWaitMs) const {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    end_ - std::chrono::steady_clock::now())
                    .count();
    return static_cast<int>(left <= 0 ? 0 : left < perWaitMs ? left : perWaitMs);
  }

 private:
  std::chrono::steady_clock::time_point end_;
};

struct OpenOptions {
  int timeoutMs = 5000;   // connect and each read
  bool playlists = false; // follow .pls / .m3u answers
};

struct OpenedStream {
  std::unique_ptr<Connection> conn;
  ResponseHead head;
  std::vector<uint8_t> body; // body bytes that arrived together with the head
  std::string url;           // the address finally played
  size_t metaint = 0;        // icy-metaint, 0 when the stream has no in-band titles
};

Err OpenStreamUrl(Network& net, const std::string& url, const OpenOptions& opt,
                  const Deadline& deadline, const std::atomic<bool>& abort, OpenedStream& out);

} // namespace audiolib
