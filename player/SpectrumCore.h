// The main window's live display apart from Windows: the spectrum's bars
// and falling caps computed from the library's FFT magnitudes frame by
// frame, their picture on plain 24-bit rows, when a timer tick draws, and
// the level word split for the two meters.
//
// Band i (0..79) reads FFT bin 5 + i, scaled by 500 and cut at the bar
// ceiling. A cap rises at once to a new peak and falls one pixel a frame; a
// bar rises to one below the peak and falls three pixels a frame; so a cap
// always stands above its bar, or both lie on the floor.
#pragma once

#include <cstdint>

constexpr int kSpectrumBands = 80;
constexpr int kSpectrumBarWidth = 6;      // pixels; one more between bands
constexpr int kFftBufferSize = 2049;      // floats; the library fills 1024
constexpr int kFftFirstBin = 5;           // band 0's bin
constexpr float kFftBarScale = 500.0f;    // magnitude to pixels
constexpr int kCapFall = 1, kBarFall = 3; // pixels per frame
constexpr unsigned kLevelDivisor = 300;   // level word to meter segments

// The heights kept between frames (pixels above the bottom).
struct SpectrumHeights {
  int Caps[kSpectrumBands] = {};
  int Bars[kSpectrumBands] = {};
};

// One frame: with Clear every value of Fft (kFftBufferSize floats) becomes 0
// first, so the bars sink; then each band follows its bin. BarMax is the
// ceiling (the picture's height less 2).
void StepSpectrum(float* Fft, bool Clear, int BarMax, int* Caps, int* Bars);
inline void StepSpectrum(float* Fft, bool Clear, int BarMax, SpectrumHeights& H) {
  StepSpectrum(Fft, Clear, BarMax, H.Caps, H.Bars);
}
// True while some cap or bar stands above the floor.
bool SpectrumRaised(const int* Caps, const int* Bars);

// Left edge of band i's bar.
constexpr int SpectrumBandLeft(int Band) { return Band * (kSpectrumBarWidth + 1); }

// The columns [Left, Right) of a Width-pixel picture in which two frames'
// pictures differ: from the first band whose cap or bar moved to the last
// one. Left == Right when the frames look alike, so nothing need be shown
// again.
struct ColumnSpan {
  int Left = 0, Right = 0;
  bool Empty() const { return Left >= Right; }
};
ColumnSpan ChangedColumns(const SpectrumHeights& Before, const int* Caps, const int* Bars,
                          int Width);

// A 24-bit top-down picture: Height rows of Stride bytes, each pixel blue,
// green, red.
struct PixelRows {
  uint8_t* Bits = nullptr;
  int Stride = 0, Width = 0, Height = 0;
};
// Colours as 0x00BBGGRR.
constexpr uint32_t kSpectrumFrame = 0xC0C0C0; // silver
constexpr uint32_t kSpectrumCap = 0x00FFFF;   // yellow
constexpr uint32_t kSpectrumBar = 0xFFC880;   // RGB(128, 200, 255)
// Fills [Left, Right) x [Top, Bottom), cut to the picture.
void FillPixels(const PixelRows& P, int Left, int Top, int Right, int Bottom, uint32_t Colour);
// The frame's picture: black inside a one-pixel silver border; for band i a
// cap line BarWidth wide on row Height - cap (off the picture at 0) and a
// bar filling the rows Height - bar .. Height - 1. Bands past the right
// edge are cut off.
void PaintSpectrum(const PixelRows& P, const int* Caps, const int* Bars);

// What one tick of the spectrum timer does.
enum class SpectrumTick {
  Idle,  // nothing: no stream, and the picture already shows the floor
  Draw,  // draw the magnitudes just read
  Clear, // draw with clearing, so that the bars sink
};
// HasStream: a current stream; Playing: it plays; DataRead: its FFT was
// read; Stale: the picture differs from an empty one (bars or caps raised,
// or the recording text changed). Without a stream the bars still sink, as
// they do while a stream is not playing, so that a station whose reopening
// failed leaves no frozen frame behind and a stop takes "Включена запись"
// away; once the picture is empty the tick does nothing.
SpectrumTick DecideSpectrumTick(bool HasStream, bool Playing, bool DataRead, bool Stale);

// The level meters' values from a level word: low word left, high word
// right, each div 300. The library's failure value (all bits set) reads as
// silence, not as both channels at full scale.
struct MeterLevels {
  int Left = 0, Right = 0;
};
MeterLevels SplitLevel(uint32_t Level);
