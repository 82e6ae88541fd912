// Real FFT by the half-size complex transform: z[k] = x[2k] + i x[2k+1],
// Z = FFT(z), then X[k] = (Z[k] + conj Z[m-k]) / 2 - i/2 e^{-2 pi i k/n} (Z[k] - conj Z[m-k]).
#include "RealFft.h"

#include <cmath>

namespace audiolib {
namespace {

// One run of butterflies; the four halves never overlap, which the compiler
// must know to use vector instructions.
void Butterflies(float* __restrict ar, float* __restrict ai, float* __restrict br,
                 float* __restrict bi, const float* __restrict wr, const float* __restrict wi,
                 size_t half) {
  for (size_t k = 0; k < half; ++k) {
    float vr = br[k] * wr[k] - bi[k] * wi[k];
    float vi = br[k] * wi[k] + bi[k] * wr[k];
    float ur = ar[k], ui = ai[k];
    ar[k] = ur + vr;
    ai[k] = ui + vi;
    br[k] = ur - vr;
    bi[k] = ui - vi;
  }
}

// Two stages in one pass over four quarters (half h, then 2h): half the
// trips through memory. wa: the h twiddles of the first, wb: the 2h of the second.
void Butterflies2(float* __restrict r0, float* __restrict i0, float* __restrict r1,
                  float* __restrict i1, float* __restrict r2, float* __restrict i2,
                  float* __restrict r3, float* __restrict i3, const float* __restrict war,
                  const float* __restrict wai, const float* __restrict wbr,
                  const float* __restrict wbi, size_t h) {
  for (size_t k = 0; k < h; ++k) {
    float tr = r1[k] * war[k] - i1[k] * wai[k], ti = r1[k] * wai[k] + i1[k] * war[k];
    float ar = r0[k] + tr, ai = i0[k] + ti, br = r0[k] - tr, bi = i0[k] - ti;
    float sr = r3[k] * war[k] - i3[k] * wai[k], si = r3[k] * wai[k] + i3[k] * war[k];
    float cr = r2[k] + sr, ci = i2[k] + si, dr = r2[k] - sr, di = i2[k] - si;
    float ur = cr * wbr[k] - ci * wbi[k], ui = cr * wbi[k] + ci * wbr[k];
    float vr = dr * wbr[k + h] - di * wbi[k + h], vi = dr * wbi[k + h] + di * wbr[k + h];
    r0[k] = ar + ur;
    i0[k] = ai + ui;
    r2[k] = ar - ur;
    i2[k] = ai - ui;
    r1[k] = br + vr;
    i1[k] = bi + vi;
    r3[k] = br - vr;
    i3[k] = bi - vi;
  }
}

}  // namespace

RealFft::RealFft(size_t n) : n_(n), m_(n / 2), bitrev_(n / 2), re_(n / 2), im_(n / 2), revRe_(n / 2), revIm_(n / 2) {
  const double pi = 3.14159265358979323846;
  unsigned bits = 0;
  while ((size_t(1) << bits) < m_) ++bits;
  for (size_t i = 0; i < m_; ++i) {
    unsigned r = 0;
    for (unsigned b = 0; b < bits; ++b)
      if (i & (size_t(1) << b)) r |= 1u << (bits - 1 - b);
    bitrev_[i] = r;
  }
  for (size_t half = 1; half < m_; half <<= 1)
    for (size_t k = 0; k < half; ++k) {
      twRe_.push_back(static_cast<float>(std::cos(-pi * k / half)));
      twIm_.push_back(static_cast<float>(std::sin(-pi * k / half)));
    }
  for (size_t k = 0; k < m_; ++k) {
    postRe_.push_back(static_cast<float>(std::cos(-2 * pi * k / n)));
    postIm_.push_back(static_cast<float>(std::sin(-2 * pi * k / n)));
  }
}

void RealFft::ComplexFft() {
  float* re = re_.data();
  float* im = im_.data();
  // The first two stages have twiddles 1 and -i only: one 4-point DFT per
  // group, without multiplications (their short loops would not vectorise).
  for (size_t i = 0; i + 3 < m_; i += 4) {
    float r0 = re[i] + re[i + 1], i0 = im[i] + im[i + 1];
    float r1 = re[i] - re[i + 1], i1 = im[i] - im[i + 1];
    float r2 = re[i + 2] + re[i + 3], i2 = im[i + 2] + im[i + 3];
    float r3 = re[i + 2] - re[i + 3], i3 = im[i + 2] - im[i + 3];
    re[i] = r0 + r2;
    im[i] = i0 + i2;
    re[i + 2] = r0 - r2;
    im[i + 2] = i0 - i2;
    re[i + 1] = r1 + i3;  // (r3 + i i3) * -i = i3 - i r3
    im[i + 1] = i1 - r3;
    re[i + 3] = r1 - i3;
    im[i + 3] = i1 + r3;
  }
  size_t tw = 1 + 2;  // twiddles of the stages done above
  size_t half = 4;
  for (; half * 2 < m_; tw += 3 * half, half <<= 2) {
    const float* war = twRe_.data() + tw;
    const float* wai = twIm_.data() + tw;
    const float* wbr = war + half;
    const float* wbi = wai + half;
    for (size_t i = 0; i < m_; i += 4 * half)
      Butterflies2(re + i, im + i, re + i + half, im + i + half, re + i + 2 * half,
                   im + i + 2 * half, re + i + 3 * half, im + i + 3 * half, war, wai, wbr, wbi,
                   half);
  }
  for (; half < m_; tw += half, half <<= 1) {  // a last single stage, if any
    const float* wr = twRe_.data() + tw;
    const float* wi = twIm_.data() + tw;
    for (size_t i = 0; i < m_; i += 2 * half)
      Butterflies(re + i, im + i, re + i + half, im + i + half, wr, wi, half);
  }
}

void RealFft::Magnitudes(const float* in, float* out, float scale) {
  // Bit reversal is its own inverse: gather in reversed order, store in order.
  float* __restrict re = re_.data();
  float* __restrict im = im_.data();
  const unsigned* rev = bitrev_.data();
  for (size_t k = 0; k < m_; ++k) {
    const float* pair = in + 2 * static_cast<size_t>(rev[k]);
    re[k] = pair[0];
    im[k] = pair[1];
  }
  ComplexFft();
  const float* zr = re_.data();
  const float* zi = im_.data();
  // conj Z[m-k] laid out forwards, so the loop below runs contiguously.
  float* cr = revRe_.data();
  float* ci = revIm_.data();
  for (size_t k = 1; k < m_; ++k) {
    cr[k] = zr[m_ - k];
    ci[k] = -zi[m_ - k];
  }
  out[0] = std::fabs(zr[0] + zi[0]) * scale;
  for (size_t k = 1; k < m_; ++k) {
    float ar = zr[k], ai = zi[k];
    float br = cr[k], bi = ci[k];
    float er = 0.5f * (ar + br), ei = 0.5f * (ai + bi);
    float dr = 0.5f * (ar - br), di = 0.5f * (ai - bi);
    // o = -i * w * d
    float wr = postRe_[k], wi = postIm_[k];
    float tr = wr * dr - wi * di, ti = wr * di + wi * dr;
    float xr = er + ti, xi = ei - tr;
    out[k] = std::sqrt(xr * xr + xi * xi) * scale;
  }
}

}  // namespace audiolib
