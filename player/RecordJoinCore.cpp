// Frame-aligned joins of a recording (see RecordJoinCore.h).
#include "player/RecordJoinCore.h"

#include "audiolib/mpeg/MpegHeader.h"

namespace {

using audiolib::FrameHeader;

bool SameKind(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sample_rate == b.sample_rate;
}

// Frames found in a row from a start: how many, and where the run ends (the
// offset of a frame that runs past the data, or the end of the data).
struct TRun {
  int Frames = 0;
  size_t End = 0;
  bool Broken = false; // a header that is not one where the next frame begins
};

TRun WalkFrames(const uint8_t* Data, size_t Length, size_t Start) {
  TRun run;
  FrameHeader first, h;
  size_t pos = Start;
  while (pos < Length) {
    if (Length - pos < 4) break; // a header cut off
    if (!audiolib::ParseFrameHeader(Data + pos, Length - pos, h) ||
        (run.Frames > 0 && !SameKind(first, h))) {
      run.Broken = true;
      break;
    }
    if (run.Frames == 0) first = h;
    if (h.frame_bytes > Length - pos) break; // the frame is cut off
    ++run.Frames;
    pos += h.frame_bytes;
  }
  run.End = pos;
  return run;
}

} // namespace

bool WholeFramesEnd(const uint8_t* Data, size_t Length, size_t& End) {
  End = Length;
  for (size_t start = 0; start < Length; ++start) {
    if (Data[start] != 0xFF) continue;
    TRun run = WalkFrames(Data, Length, start);
    if (!run.Broken && run.Frames >= 3) {
      End = run.End;
      return true;
    }
  }
  return false;
}

long FirstFrameStart(const uint8_t* Data, size_t Length) {
  FrameHeader h, next;
  for (size_t i = 0; i + 4 <= Length; ++i) {
    if (Data[i] != 0xFF || !audiolib::ParseFrameHeader(Data + i, Length - i, h)) continue;
    size_t at = i + h.frame_bytes;
    if (at + 4 > Length) return static_cast<long>(i);
    if (audiolib::ParseFrameHeader(Data + at, Length - at, next) && SameKind(h, next))
      return static_cast<long>(i);
  }
  return -1;
}
