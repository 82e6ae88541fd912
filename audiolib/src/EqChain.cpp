// The pipelined equaliser. Step i: stage 0 takes sample i, stage j takes
// what stage j-1 made at step i-1; the vectors of one step are independent.
#include "audiolib/src/EqChain.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audiolib {
namespace {

typedef float V4 __attribute__((vector_size(16)));

#if defined(__clang__)
#define SHUFFLE(a, b, i0, i1, i2, i3) __builtin_shufflevector(a, b, i0, i1, i2, i3)
#else
typedef int I4 __attribute__((vector_size(16)));
#define SHUFFLE(a, b, i0, i1, i2, i3) __builtin_shuffle(a, b, I4{i0, i1, i2, i3})
#endif

inline V4 Load(const float* p) {
  V4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store(float* p, V4 v) { std::memcpy(p, &v, sizeof v); }

// N vectors (2N stages) fixed at compile time, so the states stay in registers.
template <int N>
void Run(EqChain::Lanes* l, float* s, size_t frames) {
  V4 b0[N], b1[N], b2[N], a1[N], a2[N], z1[N], z2[N], y[N];
  for (int v = 0; v < N; ++v) {
    b0[v] = Load(l[v].b0);
    b1[v] = Load(l[v].b1);
    b2[v] = Load(l[v].b2);
    a1[v] = Load(l[v].a1);
    a2[v] = Load(l[v].a2);
    z1[v] = Load(l[v].z1);
    z2[v] = Load(l[v].z2);
    y[v] = Load(l[v].y);
  }
  for (size_t i = 0; i < frames; ++i, s += 2) {
    V4 in = {s[0], s[1], 0, 0};
    V4 x[N];
    x[0] = SHUFFLE(in, y[0], 0, 1, 4, 5);
    for (int v = 1; v < N; ++v) x[v] = SHUFFLE(y[v - 1], y[v], 2, 3, 4, 5);
    for (int v = 0; v < N; ++v) { // transposed direct form II
      y[v] = b0[v] * x[v] + z1[v];
      z1[v] = b1[v] * x[v] - a1[v] * y[v] + z2[v];
      z2[v] = b2[v] * x[v] - a2[v] * y[v];
    }
    s[0] = y[N - 1][2];
    s[1] = y[N - 1][3];
  }
  for (int v = 0; v < N; ++v) {
    // Denormals would slow the filters to a crawl on silence.
    for (int c = 0; c < 4; ++c) {
      if (std::fabs(z1[v][c]) < 1e-15f) z1[v][c] = 0;
      if (std::fabs(z2[v][c]) < 1e-15f) z2[v][c] = 0;
    }
    Store(l[v].z1, z1[v]);
    Store(l[v].z2, z2[v]);
    Store(l[v].y, y[v]);
  }
}

void SetStage(EqChain::Lanes& l, int half, const PeakingFilter::Coeffs& c, int band) {
  for (int k = half * 2; k < half * 2 + 2; ++k) {
    l.b0[k] = static_cast<float>(c.b0);
    l.b1[k] = static_cast<float>(c.b1);
    l.b2[k] = static_cast<float>(c.b2);
    l.a1[k] = static_cast<float>(c.a1);
    l.a2[k] = static_cast<float>(c.a2);
  }
  l.band[half] = band;
}

} // namespace

void EqChain::Configure(const std::vector<EqBand>& bands, int sampleRate) {
  std::vector<int> active;
  std::vector<PeakingFilter::Coeffs> coeffs;
  for (size_t i = 0; i < bands.size(); ++i) {
    PeakingFilter f;
    f.Configure(bands[i], sampleRate);
    if (f.Flat()) continue;
    active.push_back(static_cast<int>(i));
    coeffs.push_back(f.Coefficients());
  }
  std::vector<Lanes> next((active.size() + 1) / 2);
  for (Lanes& l : next) std::memset(&l, 0, sizeof l);
  for (size_t j = 0; j < next.size() * 2; ++j) {
    Lanes& l = next[j / 2];
    int half = static_cast<int>(j % 2);
    if (j < active.size()) {
      SetStage(l, half, coeffs[j], active[j]);
    } else {
      SetStage(l, half, PeakingFilter::Coeffs{1, 0, 0, 0, 0}, -1); // passes through
    }
    // A band that stays on keeps its state, so moving a slider does not click.
    for (const Lanes& old : lanes_)
      for (int oh = 0; oh < 2; ++oh)
        if (l.band[half] >= 0 && old.band[oh] == l.band[half]) {
          for (int c = 0; c < 2; ++c) {
            l.z1[half * 2 + c] = old.z1[oh * 2 + c];
            l.z2[half * 2 + c] = old.z2[oh * 2 + c];
            l.y[half * 2 + c] = old.y[oh * 2 + c];
          }
        }
  }
  lanes_.swap(next);
}

size_t EqChain::Delay() const {
  size_t d = 0;
  for (size_t v = 0; v < lanes_.size(); v += 5) d += std::min<size_t>(5, lanes_.size() - v) * 2 - 1;
  return d;
}

void EqChain::Process(float* s, size_t frames) {
  // Five vectors (ten bands) at most per pass: what the registers hold.
  for (size_t v = 0; v < lanes_.size(); v += 5) {
    Lanes* l = lanes_.data() + v;
    switch (lanes_.size() - v) {
      case 1: Run<1>(l, s, frames); break;
      case 2: Run<2>(l, s, frames); break;
      case 3: Run<3>(l, s, frames); break;
      case 4: Run<4>(l, s, frames); break;
      default: Run<5>(l, s, frames); break;
    }
  }
}

} // namespace audiolib
