// libFuzzer target: the response head parser, the head-end finder and the
// address parser (fed a Location value resolved against a fixed base).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "audiolib/src/HttpHead.h"
#include "audiolib/src/Url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  size_t end = audiolib::FindHeadEnd(text, size);
  if (end > size) std::abort();
  audiolib::ResponseHead head;
  if (audiolib::ParseResponseHead(text, end ? end : size, head)) {
    if (head.status < 100 || head.status > 999) std::abort();
    head.IntField("icy-metaint");
    head.IntField("icy-br");
    audiolib::Url base;
    audiolib::ParseUrl("http://127.0.0.1:8000/dir/list.pls", base);
    std::string next = audiolib::ResolveLocation(base, head.Field("location"));
    audiolib::Url u;
    if (audiolib::ParseUrl(next, u) == audiolib::Err::Ok && (u.port < 1 || u.port > 65535))
      std::abort();
  }
  audiolib::Url u;
  audiolib::ParseUrl(std::string(text, size), u);
  return 0;
}
