// The alert popup's rules, free of Windows: the message scroller, where the
// caption bar, buttons and text sit, the automatic size, the footer's
// position text, the disabled-glyph grey, the colour styles and where the
// popup goes on the work area.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"

// Which message is shown (from 1; 0: none) among Min..Max.
class TMsgScroller {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  bool Visible() const { return visible_; }
  void SetMin(int v) {
    if (max_ >= v) min_ = v;
  }
  void SetMax(int v) {
    if (v >= min_) max_ = v;
  }
  void SetPosition(int v) { position_ = v; }
  void SetVisible(bool v) { visible_ = v; }
  bool CanGoPrev() const { return min_ < position_; }
  bool CanGoNext() const { return position_ < max_; }

 private:
  int min_ = 0, max_ = 0, position_ = 0;
  bool visible_ = false;
};

namespace components {

// "%d of %d" with the two numbers: only "%d" is replaced, never read as a
// printf format ("%s", "%n" and a lone "%" stay as they are).
std::string PositionText(const std::string& format, int a, int b);

} // namespace components

struct AlertLayout {
  TRect Caption, Close, Prev, Next, Delete, Popup, Text;
};
namespace components {

// W x H window; positionWidth: the position text's width + 8; imagesWidth:
// the image list's width (0 without images).
AlertLayout LayoutAlert(int W, int H, int positionWidth, bool scrollerVisible, bool showDelete,
                        int imagesWidth, bool hasImages, int marginX, int marginY);

} // namespace components

struct AlertAutoSizeInput {
  int TextWidth = 0, TextHeight = 0; // the largest of all messages
  bool HasImages = false;
  int ImagesWidth = 0, ImagesHeight = 0;
  bool ScrollerVisible = false, ShowDelete = false, ShowPopup = false;
  int MarginX = 4, MarginY = 1, MaxWidth = 0, MaxHeight = 0;
};
TSize AlertAutoSize(const AlertAutoSizeInput& in);

namespace components {

// The grey of a disabled glyph's pixel.
inline int DisabledGrey(int r, int g, int b) { return ((r + g + b) / 3) / 2 + 128; }
// One row of a disabled glyph: each of `width` source pixels (blue, green,
// red first in its srcBytes) becomes its grey in the blue, green and red of
// the destination pixel (dstBytes each; a fourth byte is set to 0).
void DisabledRow(const uint8_t* src, int srcBytes, uint8_t* dst, int dstBytes, int width);

} // namespace components

struct AlertColors {
  TColor WindowColor = 0, WindowColorTo = 0, CaptionColor = 0, CaptionColorTo = 0, BorderColor = 0,
         BtnDownColor = 0, BtnDownColorTo = 0, BtnHoverColor = 0, BtnHoverColorTo = 0;
};
// Styles 0..3; false for any other number (nothing changes).
bool AlertColorStyle(int style, AlertColors& c);
// The style for a desktop theme's colour name (exact case); 3 for any other.
int AlertThemeStyle(const std::wstring& colorName);

enum TWindowPosition { wpLeftTop, wpRightTop, wpLeftBottom, wpRightBottom, wpPreset };
// Where a W x H popup goes on the work area.
TPoint AlertTarget(TWindowPosition p, const TRect& work, int W, int H, int marginX, int marginY,
                   int presetLeft, int presetTop);
