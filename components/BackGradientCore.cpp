// Colour table and band geometry of the gradient background.
#include "components/BackGradientCore.h"

#include <cmath>

namespace components {

namespace {

int T(float v) { return static_cast<int>(std::trunc(v)); }

GradShape Poly(TColor c, std::initializer_list<TPoint> pts) {
  GradShape s;
  s.Type = GradShape::Kind::Polygon;
  s.Color = c;
  s.Pts = pts;
  return s;
}

GradShape Box(GradShape::Kind kind, TColor c, int l, int t, int r, int b) {
  GradShape s;
  s.Type = kind;
  s.Color = c;
  s.Pts = {{l, t}, {r, b}};
  return s;
}

GradShape Segment(TColor c, int width, TPoint from, TPoint to) {
  GradShape s;
  s.Type = GradShape::Kind::Line;
  s.Color = c;
  s.PenWidth = width;
  s.Pts = {from, to};
  return s;
}

void Bands(std::vector<GradShape>& out, TGradStyle style, const GradientColors& colors, int W,
           int H) {
  const float FX = W / 255.0f, FY = H / 255.0f;
  const int SW = T(FX + 1), SH = T(FY + 1);
  int X = 0, Y = 0;
  for (int i = 0; i <= 255; ++i) {
    const int t = 255 - i;
    const TColor c = colors[i];
    switch (style) {
      case gsCornerTopLeft:
        Y = T(FY * t);
        X = T(FX * t);
        out.push_back(
            Poly(c, {{0, Y}, {X, Y}, {X, 0}, {X + SW, 0}, {X + SW, Y + SH}, {0, Y + SH}}));
        break;
      case gsCornerTopRight:
        Y = T(FY * t);
        X = T(FX * i);
        out.push_back(
            Poly(c, {{X + SW, 0}, {X + SW, Y}, {W, Y}, {W, Y + SH}, {X, Y + SH}, {X, 0}}));
        break;
      case gsCornerBottomRight:
        Y = T(FY * i);
        X = T(FX * i);
        out.push_back(
            Poly(c, {{W, Y + SH}, {X + SW, Y + SH}, {X + SW, H}, {X, H}, {X, Y}, {W, Y}}));
        break;
      case gsCornerBottomLeft:
        Y = T(FY * i);
        X = T(FX * t);
        out.push_back(
            Poly(c, {{X, H}, {X, Y + SH}, {0, Y + SH}, {0, Y}, {X + SW, Y}, {X + SW, H}}));
        break;
      case gsHorizontal:
        out.push_back(Box(GradShape::Kind::FillRect, c, X, 0, X + SW, H));
        X = T(i * FX); // band i + 1 starts one step after band i
        break;
      default: // gsVertical
        out.push_back(Box(GradShape::Kind::FillRect, c, 0, Y, W, Y + SH));
        Y = T(i * FY);
        break;
    }
  }
}

void Diagonals(std::vector<GradShape>& out, bool rising, const GradientColors& colors, int W,
               int H) {
  const float FX = W / 127.0f, FY = H / 127.0f;
  const int SW = T(FX + 1), SH = T(FY + 1);
  int Xk[128], Yk[128];
  for (int k = 0; k < 128; ++k) {
    Xk[k] = T(k * FX);
    Yk[k] = T(k * FY);
  }
  for (int n = 0; n < 256; ++n) {
    const int k = n & 127;
    const TColor c = colors[n];
    if (!rising) {
      if (n < 128)
        out.push_back(Poly(c, {{Xk[k], 0}, {Xk[k] + SW, 0}, {0, Yk[k] + SH}, {0, Yk[k]}}));
      else
        out.push_back(Poly(c, {{W, Yk[k]}, {W, Yk[k] + SH}, {Xk[k] + SW, H}, {Xk[k], H}}));
    } else {
      const int J = 127 - k;
      if (n < 128)
        out.push_back(Poly(c, {{Xk[k], H}, {Xk[k] + SW, H}, {0, Yk[J]}, {0, Yk[J] + SH}}));
      else
        out.push_back(Poly(c, {{W, Yk[J] + SH}, {W, Yk[J]}, {Xk[k] + SW, 0}, {Xk[k], 0}}));
    }
  }
}

void Ellipses(std::vector<GradShape>& out, const GradientColors& colors, int W, int H, int step) {
  const int half = W / 2 - 2;
  if (W <= 0 || half <= 2) return; // no ring fits; avoids dividing by W or by half
  const float R = static_cast<float>(H) / W;
  const float A = 255.0f / half;
  int X = 1, Y = 1;
  for (int G = 2; G < half; G += step) {
    out.push_back(Box(GradShape::Kind::Ellipse, colors[T(G * A)], X, Y, W - X, H - Y));
    Y = T(G * R);
    X = G;
  }
}

void Pyramid(std::vector<GradShape>& out, const GradientColors& colors, int W, int H, int step) {
  if (W < 0 || H < 0 || W + H <= 0) return;
  const int CX = W / 2, CY = H / 2;
  const float A = 255.0f / (W + H);
  auto at = [&](int v) { return colors[T(v * A) > 255 ? 255 : T(v * A)]; };
  for (int M = 0; M <= W; M += step) {
    out.push_back(Segment(at(M), step, {M, 0}, {CX, CY}));
    out.push_back(Segment(at(M + H), step, {CX, CY}, {M, H}));
  }
  for (int M = 0; M <= H; M += step) {
    out.push_back(Segment(at(M + W), step, {W, M}, {CX, CY}));
    out.push_back(Segment(at(M), step, {CX, CY}, {-1, M}));
  }
}

} // namespace

} // namespace components

components::GradientColors BuildColors(TColor start, TColor end, TGradDirection direction) {
  const int s[3] = {classlib::ColorRed(start), classlib::ColorGreen(start),
                    classlib::ColorBlue(start)};
  const int e[3] = {classlib::ColorRed(end), classlib::ColorGreen(end), classlib::ColorBlue(end)};
  components::GradientColors table{};
  for (int i = 0; i < 256; ++i) {
    int c[3];
    for (int ch = 0; ch < 3; ++ch)
      c[ch] = s[ch] + static_cast<int>(std::nearbyint(i * ((e[ch] - s[ch]) / 255.0)));
    table[direction == gdDownRight ? i : 255 - i] = classlib::RGBColor(c[0], c[1], c[2]);
  }
  return table;
}

namespace components {

std::vector<GradShape> DrawGradientShapes(TGradStyle style, const GradientColors& colors, int W,
                                          int H, int stepWidth, bool buffered) {
  std::vector<GradShape> out;
  if (stepWidth < 1) stepWidth = 1;
  switch (style) {
    case gsDiagonalRising:
    case gsDiagonalFalling: Diagonals(out, style == gsDiagonalRising, colors, W, H); break;
    case gsEllipse:
      if (buffered) out.push_back(Box(GradShape::Kind::FillRect, kGradientSilver, 0, 0, W, H));
      Ellipses(out, colors, W, H, stepWidth);
      break;
    case gsPyramid: Pyramid(out, colors, W, H, stepWidth); break;
    default: Bands(out, style, colors, W, H); break;
  }
  return out;
}

} // namespace components
