// HTTP/1.1 chunked transfer coding ("Transfer-Encoding: chunked"), which
// proxies in front of stations send even to HTTP/1.0 clients: the body comes
// as chunks, each a line with its size in hexadecimal (optionally followed by
// ";extensions"), the bytes, and a line end; a chunk of size 0 and optional
// trailer lines end it. ChunkedDecoder gives back the body's own bytes
// whatever the pieces the coded bytes arrive in. Pure, so it is fuzzed and
// tested without a socket.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace audiolib {

// Whether a response head's Transfer-Encoding value ends with "chunked"
// (any case, "gzip, chunked" included).
bool IsChunkedCoding(const std::string& transferEncoding);

class ChunkedDecoder {
 public:
  // The longest size line (extensions included) and trailer part accepted:
  // a sender that goes on longer is not sending chunks.
  static constexpr size_t kMaxLine = 4096;
  static constexpr size_t kMaxTrailer = 16 * 1024;

  // Decodes `size` coded bytes and writes the body bytes among them to
  // `out`; returns how many. `out` may be `in` itself (decoding in place):
  // no body byte is written ahead of the coded byte it came from. Bytes
  // after the end, or after a framing error, are dropped.
  size_t Decode(const uint8_t* in, size_t size, uint8_t* out);

  bool Ended() const { return state_ == State::Done; }
  bool Failed() const { return state_ == State::Bad; }

 private:
  enum class State { Size, Extension, SizeLf, Data, DataCr, DataLf, TrailerLine, TrailerLf, Done, Bad };
  void EndSizeLine();

  State state_ = State::Size;
  uint64_t chunk_ = 0;     // size of the chunk being read, bytes left of it in Data
  size_t digits_ = 0;      // hex digits of the size line so far
  size_t line_ = 0;        // bytes of the current size or trailer line
  size_t trailer_ = 0;     // bytes of the trailer part so far
  bool line_empty_ = true; // the trailer line so far holds nothing
};

} // namespace audiolib
