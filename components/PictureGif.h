// GIF frames for the picture container: how many frames a GIF holds and the
// bytes that show one chosen frame (the header, then that frame and every
// frame after it), walked block by block by their lengths with every read
// bounded, so a truncated or hostile file reads nothing past its end.
//
// A frame is a graphic control extension followed by an image descriptor; a
// pattern that merely looks like one inside compressed data is none.
#pragma once

#include <string>

namespace gif {

// At least 5 bytes starting "GIF8".
bool IsGif(const std::string& bytes);

int FrameCount(const std::string& bytes);

struct Selected {
  std::string Bytes;                            // what the decoder is given
  int Frame = 1;                                // the frame shown (clamped to 1..count)
  int Left = 0, Top = 0, Width = 0, Height = 0; // its image descriptor
  int ScreenWidth = 0, ScreenHeight = 0;        // the logical screen
};

// False (and `out` untouched) for a GIF without frames or a non-GIF.
bool SelectFrame(const std::string& bytes, int frame, Selected& out);

} // namespace gif
