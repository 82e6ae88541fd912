// A raw-socket client for the station's tests: sends a request, reads the
// answer head and body with time-outs, and splits ICY metadata from audio.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/station/StationSocket.h"

namespace teststation {

class StationClient {
 public:
  // Connects and sends "GET path HTTP/1.0" with a Host header, plus
  // "Icy-MetaData: 1" when asked, plus `extra` (whole lines).
  bool Open(int port, const std::string& path, bool metadata = false,
            const std::string& extra = "");
  bool Connect(int port);
  bool SendRaw(const std::string& bytes);

  // Reads up to the blank line; the head without it.
  bool ReadHead(std::string& head, int timeout_ms = 5000);
  // Reads exactly n more bytes after the head.
  bool ReadBody(size_t n, std::vector<uint8_t>& out, int timeout_ms = 5000);
  // Reads until the server closes; false on time-out.
  bool ReadToClose(std::vector<uint8_t>& out, int timeout_ms = 5000);
  // True when within ms nothing arrives and the connection stays open.
  bool QuietFor(int ms);
  void Close() { socket_.Close(); }

  // Value of a header (name in any case) in a head; empty when absent.
  static std::string Header(const std::string& head, const std::string& name);

 private:
  bool Fill(int timeout_ms); // adds what arrives to pending_; false on close or time-out
  StationSocket socket_;
  std::vector<uint8_t> pending_;
  bool closed_ = false;
};

// The audio and the metadata texts of a stream read with Icy-MetaData: a
// text is "" for an empty (L = 0) block. False when a block is cut short.
bool SplitIcyStream(const std::vector<uint8_t>& raw, size_t metaint, std::vector<uint8_t>& audio,
                    std::vector<std::string>& texts);

// The title in "StreamTitle='...';" text; empty when there is none.
std::string TitleOf(const std::string& text);

} // namespace teststation
