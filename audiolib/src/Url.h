// Parsing of stream addresses ("http://host[:port]/path") and resolution of
// redirect targets against the address that was redirected.
#pragma once
#include <string>

#include "audiolib/src/Errors.h"

namespace audiolib {

struct Url {
  std::string host;
  int port = 80;
  std::string path = "/"; // path and query as sent in the request line
};

// The scheme of an address in lower case ("http" of "HTTP://host/"); empty
// when there is no "://".
std::string UrlScheme(const std::string& text);

// Ok, Url (malformed, or a scheme other than http) or Ssl (https).
Err ParseUrl(const std::string& text, Url& out);

// Location header value -> absolute address ("/x" and "x" are relative to base).
std::string ResolveLocation(const Url& base, const std::string& location);

std::string ToString(const Url& url);

} // namespace audiolib
