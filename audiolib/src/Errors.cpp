// Messages for the result codes.
#include "audiolib/src/Errors.h"

namespace audiolib {

const char* ErrorText(int code) {
  switch (static_cast<Err>(code)) {
    case Err::Ok: return "no error";
    case Err::Init: return "the library is not initialised";
    case Err::Already: return "the library is already initialised";
    case Err::Device: return "no audio output device";
    case Err::Handle: return "invalid handle";
    case Err::IllParam: return "invalid parameter";
    case Err::IllType: return "unsupported option or type";
    case Err::Url: return "malformed address or unsupported scheme";
    case Err::Ssl: return "secure (https) streams are not supported";
    case Err::NoNet: return "the server could not be reached";
    case Err::Timeout: return "the server did not answer in time";
    case Err::Http: return "the server answered with an error status";
    case Err::Protocol: return "the server's answer is not a valid HTTP/ICY response";
    case Err::Redirect: return "too many redirects";
    case Err::Playlist: return "the playlist has no playable entry";
    case Err::FileForm: return "the stream is not MPEG audio";
    case Err::FileOpen: return "the file could not be loaded";
    case Err::NotAvail: return "the requested data is not available";
    case Err::Mem: return "out of memory";
    case Err::Unknown: break;
  }
  return "unknown error";
}

} // namespace audiolib
