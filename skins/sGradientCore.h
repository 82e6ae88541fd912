// Gradient strings of the skinned controls' backgrounds and their painting.
//
// The text is decimal integers separated by ';', read five at a time, one
// band each: start colour, end colour, size in percent of the painted
// height (vertical) or width (horizontal), direction (only the first band's
// counts: 0 top to bottom, 1 left to right, anything else paints nothing),
// and a fifth number nobody reads. Empty fields do not exist (runs of ';'
// count as one), an incomplete last group is ignored, a percent keeps only
// its low byte (300 is 44). The last band always runs to the picture's far
// edge; bands may run past the rectangle, and only what lies inside the
// picture is painted.
//
// Contract: ParseGradient either returns every band or raises (the caller's
// text and bands stay as they were: parse first, then store both, as
// SetGradientData does). PaintGradient never writes outside the picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"

namespace skins {

struct TsGradBand {
  TColor color1 = 0;  // start
  TColor color2 = 0;  // end
  uint8_t percent = 0;
  int32_t direction = 0;
};
using TsGradArray = std::vector<TsGradBand>;

// The bands of a gradient text; raises EConvertError (naming the word) when
// a word of a complete group is not an integer.
TsGradArray ParseGradient(const std::string& text);
// Parses `text`, then stores it and its bands; on a bad number raises and
// leaves both as they were.
void SetGradientData(const std::string& text, TsGradientData& data, TsGradArray& bands);

// Turns a TColor (possibly a system colour, 0xFF0000nn) into 0x00BBGGRR.
using TColorResolver = uint32_t (*)(TColor color);

// Paints the bands into rectangle r of the picture (clipped to it), each
// colour resolved first; without a resolver a colour's low three bytes are
// taken as they are.
void PaintGradient(const TPixels& bitmap, const TRect& r, const TsGradArray& bands,
                   TColorResolver resolve = nullptr);

}  // namespace skins
