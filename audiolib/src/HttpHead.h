// The response head of an HTTP/1.x or ICY server: status line and header
// fields. Pure functions, so they can be fuzzed and tested without a socket.
#pragma once
#include <cstddef>
#include <map>
#include <string>

namespace audiolib {

// The longest head we accept; a server that sends more without the blank
// line ending the head is not a stream server.
constexpr size_t kMaxHeadBytes = 16 * 1024;

struct ResponseHead {
  bool icy = false; // "ICY 200 OK" instead of "HTTP/1.x 200 OK"
  int status = 0;
  std::map<std::string, std::string> fields; // names in lower case, values trimmed

  // Empty when absent.
  std::string Field(const std::string& lowerName) const;
  // Leading decimal digits of a field ("128,128" -> 128); -1 when absent or not a number.
  long IntField(const std::string& lowerName) const;
};

// Length of the head including the blank line that ends it ("\r\n\r\n" or
// "\n\n"), or 0 when that line has not arrived yet.
size_t FindHeadEnd(const char* data, size_t size);

// false when the first line is not an HTTP/1.x or ICY status line.
bool ParseResponseHead(const char* data, size_t size, ResponseHead& out);

} // namespace audiolib
