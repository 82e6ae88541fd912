// The alert popup's rules (see AlertPopupCore.h).
#include "components/AlertPopupCore.h"

#include <algorithm>

std::string components::PositionText(const std::string& format, int a, int b) {
  std::string out;
  int n = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd' && n < 2) {
      out += std::to_string(n++ == 0 ? a : b);
      ++i;
    } else {
      out.push_back(format[i]);
    }
  }
  return out;
}

void components::DisabledRow(const uint8_t* src, int srcBytes, uint8_t* dst, int dstBytes,
                             int width) {
  for (int x = 0; x < width; ++x, src += srcBytes, dst += dstBytes) {
    const auto v = static_cast<uint8_t>(DisabledGrey(src[2], src[1], src[0]));
    dst[0] = dst[1] = dst[2] = v;
    if (dstBytes > 3) dst[3] = 0;
  }
}

AlertLayout components::LayoutAlert(int W, int H, int PW, bool scroller, bool showDelete,
                                    int imagesWidth, bool hasImages, int marginX, int marginY) {
  AlertLayout l;
  const int half = W / 2, pw2 = PW / 2;
  l.Caption = Rect(1, 1, W - 1, 7);
  l.Close = Rect(W - 21, 8, W - 1, 28);
  l.Prev = Rect(half - pw2 - 20, H - 26, half - pw2, H - 1);
  l.Next = Rect(half + pw2, H - 26, half + pw2 + 20, H - 1);
  const int dx = scroller ? half + pw2 + 20 : half - 10;
  l.Delete = Rect(dx, H - 26, dx + 20, H - 1);
  const int px = showDelete ? l.Delete.Right + 5 : scroller ? l.Next.Right + 5 : half - 10;
  l.Popup = Rect(px, H - 26, px + 20, H - 1);
  const int iw = hasImages ? imagesWidth + 5 : 0;
  l.Text = Rect(iw + marginX, 20 + marginY, W - 20 - marginX, H - marginY - 25);
  return l;
}

TSize AlertAutoSize(const AlertAutoSizeInput& in) {
  const int iw = in.HasImages ? in.ImagesWidth + 5 : 0;
  const int minW = in.ScrollerVisible ? 145 : (in.HasImages ? in.ImagesWidth + 10 : 10) + 20;
  int w = std::max(in.TextWidth + iw + 2 * in.MarginX + 20, minW) + 16;
  if (in.ShowPopup && in.ShowDelete) w += 2 * 20 + 10;
  const int ih = in.HasImages ? in.ImagesHeight + 5 : 20;
  const int minH = (in.ScrollerVisible || in.ShowDelete || in.ShowPopup)
                       ? 75
                       : std::max(in.HasImages ? in.ImagesHeight + 10 : 10, 30);
  int h =
      std::max(in.TextHeight + std::max(ih, 20) + 2 * in.MarginY + (in.ScrollerVisible ? 25 : 0),
               minH) +
      16;
  if (in.MaxWidth > 0 && w >= in.MaxWidth) w = in.MaxWidth;
  if (in.MaxHeight > 0 && h >= in.MaxHeight) h = in.MaxHeight;
  return TSize{w, h};
}

bool AlertColorStyle(int style, AlertColors& c) {
  static const TColor kStyles[3][4] = {{0xFADAC4, 0xF5BFA0, 0xD68759, 0x962D00},
                                       {0xF7F3F3, 0xE6D8D8, 0xBFA7A8, 0x947C7C},
                                       {0xE4F1F2, 0xAADADA, 0x6F8E78, 0x588060}};
  if (style >= 0 && style <= 2) {
    c.WindowColor = kStyles[style][0];
    c.WindowColorTo = kStyles[style][1];
    c.CaptionColor = kStyles[style][2];
    c.CaptionColorTo = c.BorderColor = kStyles[style][3];
    c.BtnDownColor = 0x087FE8;
    c.BtnDownColorTo = 0x7CDAF7;
    c.BtnHoverColor = 0xDCFFFF;
    c.BtnHoverColorTo = 0x5BC0F7;
    return true;
  }
  if (style != 3) return false;
  c.WindowColor = 0xFFFFFF;
  c.WindowColorTo = 0xC9D1D5;
  c.BtnDownColor = c.BtnDownColorTo = 0xB59285;
  c.BtnHoverColor = c.BtnHoverColorTo = 0xD2BDB6;
  c.CaptionColor = 0xC8D0D4;
  c.CaptionColorTo = 0x8C8D8E;
  c.BorderColor = clActiveCaption;
  return true;
}

int AlertThemeStyle(const std::wstring& name) {
  if (name == L"NormalColor") return 0;
  if (name == L"Metallic") return 1;
  if (name == L"HomeStead") return 2;
  return 3;
}

TPoint AlertTarget(TWindowPosition p, const TRect& work, int W, int H, int mx, int my,
                   int presetLeft, int presetTop) {
  switch (p) {
    case wpLeftTop: return TPoint{work.Left + 2 + mx, work.Top + my};
    case wpRightTop: return TPoint{work.Right - W - 2 - mx, work.Top + my};
    case wpLeftBottom: return TPoint{work.Left + 2 + mx, work.Bottom - H - my};
    case wpRightBottom: return TPoint{work.Right - W - 2 - mx, work.Bottom - H - my};
    default: return TPoint{presetLeft, presetTop};
  }
}
