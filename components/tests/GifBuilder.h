// Small GIF files made by the tests: a logical screen and frames, each a
// graphic control extension and an image descriptor with one data block.
#pragma once

#include <string>
#include <vector>

struct GifFrameSpec {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  std::string Data = std::string("\x02\x44\x01", 3); // LZW data of one pixel
};

inline void PutU16(std::string& s, int v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

// A GIF89a with a two-colour global table (black, red).
inline std::string MakeGif(int screenW, int screenH, const std::vector<GifFrameSpec>& frames) {
  std::string s = "GIF89a";
  PutU16(s, screenW);
  PutU16(s, screenH);
  s += std::string("\x80\x00\x00", 3); // global table of 2 colours
  s += std::string("\x00\x00\x00\xFF\x00\x00", 6);
  for (const GifFrameSpec& f : frames) {
    s += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8); // delay 10, no transparency
    s.push_back('\x2C');
    PutU16(s, f.Left);
    PutU16(s, f.Top);
    PutU16(s, f.Width);
    PutU16(s, f.Height);
    s.push_back('\x00');
    s.push_back('\x02'); // LZW minimum code size
    s.push_back(static_cast<char>(f.Data.size()));
    s += f.Data;
    s.push_back('\x00');
  }
  s.push_back('\x3B');
  return s;
}
