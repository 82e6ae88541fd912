// The GIF block walker (see PictureGif.h).
#include "components/PictureGif.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif {
namespace {

struct FrameAt {
  size_t Start = 0; // the graphic control extension
  size_t Descriptor = 0;
};

int U16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}

// Skips data sub-blocks from `p`; returns the position after the
// terminator, or npos when the data ends first.
size_t SkipSubBlocks(const std::string& b, size_t p) {
  while (p < b.size()) {
    const size_t n = static_cast<uint8_t>(b[p]);
    if (n == 0) return p + 1;
    p += n + 1;
  }
  return std::string::npos;
}

size_t ColorTableSize(uint8_t flags) { return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0; }

// The frames of a GIF in order; stops at the trailer, an unknown block or
// the end of the data.
std::vector<FrameAt> Walk(const std::string& b) {
  std::vector<FrameAt> frames;
  if (!IsGif(b) || b.size() < 13) return frames;
  size_t p = 13 + ColorTableSize(static_cast<uint8_t>(b[10]));
  size_t pendingGce = std::string::npos;
  while (p < b.size()) {
    const uint8_t kind = static_cast<uint8_t>(b[p]);
    if (kind == 0x21) {
      if (p + 1 >= b.size()) break;
      const bool gce = static_cast<uint8_t>(b[p + 1]) == 0xF9;
      const size_t next = SkipSubBlocks(b, p + 2);
      if (next == std::string::npos) break;
      pendingGce = gce ? p : std::string::npos;
      p = next;
    } else if (kind == 0x2C) {
      if (p + 10 > b.size()) break;
      if (pendingGce != std::string::npos) frames.push_back(FrameAt{pendingGce, p});
      pendingGce = std::string::npos;
      size_t q = p + 10 + ColorTableSize(static_cast<uint8_t>(b[p + 9]));
      if (q >= b.size()) break;
      q = SkipSubBlocks(b, q + 1); // after the LZW code size
      if (q == std::string::npos) break;
      p = q;
    } else {
      break; // the trailer, or something no GIF holds
    }
  }
  return frames;
}

} // namespace

bool IsGif(const std::string& bytes) {
  return bytes.size() >= 5 && bytes.compare(0, 4, "GIF8") == 0;
}

int FrameCount(const std::string& bytes) { return static_cast<int>(Walk(bytes).size()); }

bool SelectFrame(const std::string& bytes, int frame, Selected& out) {
  const std::vector<FrameAt> frames = Walk(bytes);
  if (frames.empty()) return false;
  const int count = static_cast<int>(frames.size());
  if (frame < 1) frame = 1;
  if (frame > count) frame = count;
  const FrameAt& f = frames[static_cast<size_t>(frame - 1)];
  out.Frame = frame;
  out.ScreenWidth = U16(bytes, 6);
  out.ScreenHeight = U16(bytes, 8);
  out.Left = U16(bytes, f.Descriptor + 1);
  out.Top = U16(bytes, f.Descriptor + 3);
  out.Width = U16(bytes, f.Descriptor + 5);
  out.Height = U16(bytes, f.Descriptor + 7);
  // The header, then the chosen frame and all after it.
  out.Bytes.assign(bytes, 0, frames[0].Start);
  out.Bytes.append(bytes, f.Start, std::string::npos);
  return true;
}

} // namespace gif
