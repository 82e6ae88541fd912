// The chunked transfer coding's decoder (see Chunked.h). One state per place
// in the grammar, so a coded body may be cut anywhere between two calls.
#include "audiolib/src/Chunked.h"

#include <algorithm>
#include <cstring>

#include "audiolib/src/AsciiText.h"

namespace audiolib {
namespace {

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A chunk larger than this is no stream's: a size line of garbage.
constexpr uint64_t kMaxChunk = uint64_t(1) << 40;

} // namespace

bool IsChunkedCoding(const std::string& transferEncoding) {
  size_t comma = transferEncoding.rfind(',');
  std::string last = comma == std::string::npos ? transferEncoding
                                                : transferEncoding.substr(comma + 1);
  return Lower(Trim(last)) == "chunked";
}

void ChunkedDecoder::EndSizeLine() {
  if (digits_ == 0) {
    state_ = State::Bad;
  } else if (chunk_ == 0) {
    state_ = State::TrailerLine;
    line_empty_ = true;
  } else {
    state_ = State::Data;
  }
}

size_t ChunkedDecoder::Decode(const uint8_t* in, size_t size, uint8_t* out) {
  size_t written = 0;
  size_t i = 0;
  while (i < size) {
    const uint8_t c = in[i];
    switch (state_) {
      case State::Size: {
        int v = HexValue(c);
        if (v >= 0) {
          chunk_ = chunk_ * 16 + static_cast<uint64_t>(v);
          if (++digits_ > 16 || chunk_ > kMaxChunk) state_ = State::Bad;
        } else if (c == ';' || c == ' ' || c == '\t') {
          state_ = digits_ ? State::Extension : State::Bad;
        } else if (c == '\r') {
          state_ = State::SizeLf;
        } else if (c == '\n') {
          EndSizeLine();
        } else {
          state_ = State::Bad;
        }
        ++line_;
        ++i;
        break;
      }
      case State::Extension:
        if (c == '\n') {
          EndSizeLine();
        } else if (c == '\r') {
          state_ = State::SizeLf;
        }
        if (++line_ > kMaxLine && state_ == State::Extension) state_ = State::Bad;
        ++i;
        break;
      case State::SizeLf:
        if (c == '\n') {
          EndSizeLine();
        } else {
          state_ = State::Bad;
        }
        ++i;
        break;
      case State::Data: {
        size_t n = static_cast<size_t>(std::min<uint64_t>(chunk_, size - i));
        // memmove: in place, `out + written` never lies after `in + i`.
        std::memmove(out + written, in + i, n);
        written += n;
        i += n;
        chunk_ -= n;
        if (chunk_ == 0) state_ = State::DataCr;
        break;
      }
      case State::DataCr:
        // The line end after the bytes; a bare LF is taken too.
        state_ = c == '\r' ? State::DataLf : c == '\n' ? State::Size : State::Bad;
        if (state_ == State::Size) digits_ = line_ = 0;
        ++i;
        break;
      case State::DataLf:
        state_ = c == '\n' ? State::Size : State::Bad;
        digits_ = line_ = 0;
        ++i;
        break;
      case State::TrailerLine:
        if (c == '\n') {
          if (line_empty_) {
            state_ = State::Done;
          } else {
            line_empty_ = true;
          }
        } else if (c == '\r') {
          state_ = State::TrailerLf;
        } else {
          line_empty_ = false;
        }
        if (++trailer_ > kMaxTrailer && state_ != State::Done) state_ = State::Bad;
        ++i;
        break;
      case State::TrailerLf:
        if (c != '\n') {
          state_ = State::Bad;
        } else if (line_empty_) {
          state_ = State::Done;
        } else {
          line_empty_ = true;
          state_ = State::TrailerLine;
        }
        ++i;
        break;
      case State::Done:
      case State::Bad:
        return written;
    }
  }
  return written;
}

} // namespace audiolib
