// The request head a station client sends: request line and headers, read
// without trusting the client (bounded size, any line ending).
#pragma once

#include <string>

namespace teststation {

struct StationRequest {
  std::string method; // "GET", as sent (methods are case-sensitive)
  // "/stream", without the query string, from an origin-form target
  // ("/stream?x") or an absolute-form one ("http://host:port/stream", as a
  // proxy sends); empty for any other target.
  std::string path;
  bool wants_metadata = false; // "Icy-MetaData: 1" (name in any case)
  std::string head;            // request line and headers, "\r\n"-separated
};

// Size of the end of the head ("\r\n\r\n" or "\n\n") in `data`, with its
// position in `end`; 0 when the head is not complete yet.
size_t FindHeadEnd(const std::string& data, size_t& end);
// Parses a complete head; false when the request line is not "METHOD TARGET ...".
bool ParseStationRequest(const std::string& head, StationRequest& out);

} // namespace teststation
