// Real FFT by the half-size complex transform: z[t] = x[2t] + i x[2t+1],
// Z = FFT_m(z), then X[k] = (Z[k] + conj Z[m-k]) / 2 - i/2 e^{-2 pi i k/n} (Z[k] - conj Z[m-k]).
//
// FFT_m runs in "four-step" form for vectors of W lanes: lane l of every
// vector computes the sub-transform of size S = m / W over z[W s + l], so all
// of those passes are plain lane-wise arithmetic with twiddles shared by the
// lanes. A join pass then multiplies lane l at position q by e^{-2 pi i l q / m},
// transposes W x W blocks and ends with W-point transforms, which leaves Z in
// natural order. The sub-transforms are radix-4 decimation in time on
// bit-reversed input (two radix-2 stages fused: three complex multiplications
// per four points), with one radix-2 pass first when log2 S is odd; the first
// pass has no twiddles and is done while the input is gathered (and windowed).
//
// One template serves every kernel: plain floats (W = 1, the portable path),
// SSE2 (W = 4) and, chosen at run time, the same with fused multiply-adds.
// Wider (256-bit) vectors were tried: the transform itself ran faster, but
// the decoder around it ran slower afterwards, for a worse total.
#include "audiolib/src/RealFft.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define AUDIOLIB_FFT_SSE2 1
#endif
// GCC and clang can compile one function for FMA in an SSE2 build.
#if defined(AUDIOLIB_FFT_SSE2) && defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define AUDIOLIB_FFT_FMA 1
#endif

namespace audiolib {
namespace {

const double kPi = 3.14159265358979323846;

inline size_t RoundUp(size_t v) { return (v + 15) / 16 * 16; } // floats to 64 bytes

struct ScalarOps {
  typedef float V;
  static constexpr size_t W = 1;
  static V Load(const float* p) { return *p; }
  static V LoadU(const float* p) { return *p; }
  static void Store(float* p, V v) { *p = v; }
  static void StoreU(float* p, V v) { *p = v; }
  static V Splat(float x) { return x; }
  static V Broadcast(const float* p) { return *p; }
  static V MulAdd(V a, V b, V c) { return a * b + c; }
  static V MulSub(V a, V b, V c) { return a * b - c; }
  // The real and imaginary parts of W complex points, interleaved in a, b.
  static void Split(V a, V b, V& re, V& im) {
    re = a;
    im = b;
  }
  static void Transpose(V*) {}
  static V Reverse(V v) { return v; }
  static V Sqrt(V v) { return std::sqrt(v); }
};

#ifdef AUDIOLIB_FFT_SSE2
struct Sse2Ops {
  typedef __m128 V;
  static constexpr size_t W = 4;
  static V Load(const float* p) { return _mm_load_ps(p); }
  static V LoadU(const float* p) { return _mm_loadu_ps(p); }
  static void Store(float* p, V v) { _mm_store_ps(p, v); }
  static void StoreU(float* p, V v) { _mm_storeu_ps(p, v); }
  static V Splat(float x) { return _mm_set1_ps(x); }
  static V Broadcast(const float* p) { return _mm_set1_ps(*p); }
  static V MulAdd(V a, V b, V c) { return a * b + c; }
  static V MulSub(V a, V b, V c) { return a * b - c; }
  static void Split(V a, V b, V& re, V& im) {
    re = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    im = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
  static void Transpose(V* r) { _MM_TRANSPOSE4_PS(r[0], r[1], r[2], r[3]); }
  static V Reverse(V v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3)); }
  static V Sqrt(V v) { return _mm_sqrt_ps(v); }
};
#endif

#ifdef AUDIOLIB_FFT_FMA
struct FmaOps : Sse2Ops {
  __attribute__((target("fma"))) static V MulAdd(V a, V b, V c) { return _mm_fmadd_ps(a, b, c); }
  __attribute__((target("fma"))) static V MulSub(V a, V b, V c) { return _mm_fmsub_ps(a, b, c); }
};
#endif

// Four points in bit-reversed order (two fused radix-2 stages); the
// twiddles, if any, are already applied to x1..x3.
template <class V>
inline void Radix4(V& r0, V& i0, V& r1, V& i1, V& r2, V& i2, V& r3, V& i3) {
  V ar = r0 + r1, ai = i0 + i1, br = r0 - r1, bi = i0 - i1;
  V cr = r2 + r3, ci = i2 + i3, dr = r2 - r3, di = i2 - i3;
  r0 = ar + cr;
  i0 = ai + ci;
  r2 = ar - cr;
  i2 = ai - ci;
  r1 = br + di; // b - i d
  i1 = bi - dr;
  r3 = br - di; // b + i d
  i3 = bi + dr;
}

template <class O, class V>
inline void Mul(V& r, V& i, V wr, V wi) {
  V t = O::MulSub(r, wr, i * wi);
  i = O::MulAdd(r, wi, i * wr);
  r = t;
}

// The DFT of W points held one per vector (lane by lane), in natural order.
template <class O>
inline void SmallDft(typename O::V* r, typename O::V* i) {
  typedef typename O::V V;
  if constexpr (O::W == 4) {
    Radix4(r[0], i[0], r[2], i[2], r[1], i[1], r[3], i[3]);
    V tr = r[1], ti = i[1]; // outputs came back in bit-reversed slots
    r[1] = r[2], i[1] = i[2];
    r[2] = tr, i[2] = ti;
  }
}

// Reads the input in bit-reversed order of the sub-transform (W adjacent
// complex points a vector), windows it, and does the first pass.
template <class O, bool kWindowed>
inline void GatherFirst(const RealFftPlan& p, const float* in, const float* win, bool radix2) {
  typedef typename O::V V;
  const size_t W = O::W, S = p.sub;
  float* re = p.re;
  float* im = p.im;
  const unsigned* rev = p.rev;
  auto fetch = [&](size_t i, V& r, V& q) {
    size_t at = 2 * W * rev[i];
    V a = O::LoadU(in + at), b = O::LoadU(in + at + W);
    if (kWindowed) {
      a = a * O::LoadU(win + at);
      b = b * O::LoadU(win + at + W);
    }
    O::Split(a, b, r, q);
  };
  if (radix2) {
    for (size_t i = 0; i < S; i += 2) {
      V r0, i0, r1, i1;
      fetch(i, r0, i0);
      fetch(i + 1, r1, i1);
      O::Store(re + i * W, r0 + r1);
      O::Store(im + i * W, i0 + i1);
      O::Store(re + (i + 1) * W, r0 - r1);
      O::Store(im + (i + 1) * W, i0 - i1);
    }
    return;
  }
  for (size_t i = 0; i < S; i += 4) {
    V r[4], q[4];
    for (int j = 0; j < 4; ++j) fetch(i + j, r[j], q[j]);
    Radix4(r[0], q[0], r[1], q[1], r[2], q[2], r[3], q[3]);
    for (int j = 0; j < 4; ++j) {
      O::Store(re + (i + j) * W, r[j]);
      O::Store(im + (i + j) * W, q[j]);
    }
  }
}

// One radix-4 pass over blocks of 4h positions; tw: h entries of w1, w2, w3
// (w = e^{-2 pi i k / 4h}) applied to the points at k + 2h, k + h, k + 3h.
// All lanes share them: each is read once and broadcast (a small table
// leaves the cache to the data).
template <class O>
inline void Pass(float* re, float* im, size_t S, size_t h, const float* tw) {
  typedef typename O::V V;
  const size_t W = O::W, step = 4 * h * W, q = h * W;
  for (size_t k = 0; k < h; ++k) {
    const float* t = tw + k * 6;
    V w1r = O::Broadcast(t), w1i = O::Broadcast(t + 1), w2r = O::Broadcast(t + 2),
      w2i = O::Broadcast(t + 3), w3r = O::Broadcast(t + 4), w3i = O::Broadcast(t + 5);
    for (size_t b = k * W; b < S * W; b += step) {
      float* a = re + b;
      float* c = im + b;
      V r0 = O::Load(a), i0 = O::Load(c), r1 = O::Load(a + q), i1 = O::Load(c + q);
      V r2 = O::Load(a + 2 * q), i2 = O::Load(c + 2 * q), r3 = O::Load(a + 3 * q),
        i3 = O::Load(c + 3 * q);
      if (k) { // k = 0 has unit twiddles
        Mul<O>(r1, i1, w2r, w2i);
        Mul<O>(r2, i2, w1r, w1i);
        Mul<O>(r3, i3, w3r, w3i);
      }
      Radix4(r0, i0, r1, i1, r2, i2, r3, i3);
      O::Store(a, r0);
      O::Store(c, i0);
      O::Store(a + q, r1);
      O::Store(c + q, i1);
      O::Store(a + 2 * q, r2);
      O::Store(c + 2 * q, i2);
      O::Store(a + 3 * q, r3);
      O::Store(c + 3 * q, i3);
    }
  }
}

// Joins the W sub-transforms into Z, natural order, in zr / zi.
template <class O>
inline void Join(const RealFftPlan& p) {
  typedef typename O::V V;
  const size_t W = O::W, S = p.sub;
  const float* twr = p.joinTw;
  const float* twi = p.joinTw + S * W;
  for (size_t c = 0; c < S; c += W) {
    V r[W], q[W];
    for (size_t t = 0; t < W; ++t) {
      size_t at = (c + t) * W;
      r[t] = O::Load(p.re + at);
      q[t] = O::Load(p.im + at);
      Mul<O>(r[t], q[t], O::Load(twr + at), O::Load(twi + at));
    }
    O::Transpose(r);
    O::Transpose(q);
    SmallDft<O>(r, q);
    for (size_t k = 0; k < W; ++k) {
      O::Store(p.zr + k * S + c, r[k]);
      O::Store(p.zi + k * S + c, q[k]);
    }
  }
}

template <class O>
inline void Run(const RealFftPlan& p, const float* in, const float* win, float* out, float scale) {
  typedef typename O::V V;
  const size_t W = O::W, S = p.sub, m = p.m;
  bool radix2 = false; // log2 S odd
  for (size_t s = S; s > 1; s >>= 1) radix2 = !radix2;
  if (win)
    GatherFirst<O, true>(p, in, win, radix2);
  else
    GatherFirst<O, false>(p, in, nullptr, radix2);
  const float* tw = p.passTw;
  for (size_t h = radix2 ? 2 : 4; 4 * h <= S; h *= 4) {
    Pass<O>(p.re, p.im, S, h, tw);
    tw += h * 6;
  }
  float* zr = p.re;
  float* zi = p.im;
  if (W > 1) {
    Join<O>(p);
    zr = p.zr;
    zi = p.zi;
  }
  // X[k] and X[m-k] from the same Z[k] and Z[m-k]: with E = Z[k] + conj Z[m-k],
  // D = Z[k] - conj Z[m-k] and P = e^{-2 pi i k/n} D, 2 X[k] = E - i P and
  // 2 X[m-k] = conj E - i conj P. Blocks start at k = 1 (mod W), so the
  // Z[m-k] side is aligned; the last block ends at k = m/2.
  out[0] = std::fabs(zr[0] + zi[0]) * scale;
  const float* pr = p.postTw; // entry k - 1
  const float* pi = p.postTw + RoundUp(m / 2);
  const V half = O::Splat(0.5f * scale);
  for (size_t k = 1; k + W - 1 <= m / 2; k += W) {
    const size_t j = m - k - (W - 1);
    V ar = O::LoadU(zr + k), ai = O::LoadU(zi + k);
    V br = O::Reverse(O::Load(zr + j)), bi = O::Reverse(O::Load(zi + j));
    V er = ar + br, ei = ai - bi, dr = ar - br, di = ai + bi;
    V wr = O::Load(pr + k - 1), wi = O::Load(pi + k - 1);
    V qr = O::MulSub(wr, dr, wi * di), qi = O::MulAdd(wr, di, wi * dr);
    V lr = er + qi, li = ei - qr, hr = er - qi, hi = ei + qr;
    O::StoreU(out + k, O::Sqrt(O::MulAdd(lr, lr, li * li)) * half);
    O::StoreU(out + j, O::Reverse(O::Sqrt(O::MulAdd(hr, hr, hi * hi)) * half));
  }
}

void KernelScalar(const RealFftPlan& p, const float* in, const float* win, float* out,
                  float scale) {
  Run<ScalarOps>(p, in, win, out, scale);
}

#ifdef AUDIOLIB_FFT_SSE2
void KernelSse2(const RealFftPlan& p, const float* in, const float* win, float* out, float scale) {
  Run<Sse2Ops>(p, in, win, out, scale);
}
#endif

#ifdef AUDIOLIB_FFT_FMA
// flatten: everything the template calls is compiled into this FMA function.
__attribute__((target("fma"), flatten)) void KernelFma(const RealFftPlan& p, const float* in,
                                                       const float* win, float* out, float scale) {
  Run<FmaOps>(p, in, win, out, scale);
}
#endif

struct KernelInfo {
  const char* name;
  size_t lanes;
  RealFft::Kernel run;
};

std::vector<KernelInfo> KernelList() {
  std::vector<KernelInfo> list{{"plain", 1, KernelScalar}};
#ifdef AUDIOLIB_FFT_SSE2
  list.push_back({"sse2", 4, KernelSse2});
#endif
#ifdef AUDIOLIB_FFT_FMA
  __builtin_cpu_init(); // in case a RealFft is made before static constructors ran
  if (__builtin_cpu_supports("fma")) list.push_back({"sse2+fma", 4, KernelFma});
#endif
  return list;
}

} // namespace

std::vector<const char*> RealFft::Kernels() {
  std::vector<const char*> names;
  for (const KernelInfo& k : KernelList()) names.push_back(k.name);
  return names;
}

RealFft::RealFft(size_t n, int kernel) {
  const size_t m = n / 2;
  std::vector<KernelInfo> list = KernelList();
  size_t pick = kernel >= 0 && static_cast<size_t>(kernel) < list.size()
                    ? static_cast<size_t>(kernel)
                    : list.size() - 1;
  // The join transposes W x W blocks: at least W positions per sub-transform.
  while (pick > 0 && list[pick].lanes * list[pick].lanes > m) --pick;
  const size_t w = list[pick].lanes;
  const size_t S = m / w;
  plan_.n = n;
  plan_.m = m;
  plan_.lanes = w;
  plan_.sub = S;
  kernel_ = list[pick].run;
  name_ = list[pick].name;

  unsigned bits = 0;
  while ((size_t(1) << bits) < S) ++bits;
  rev_.resize(S);
  for (size_t i = 0; i < S; ++i) {
    unsigned r = 0;
    for (unsigned b = 0; b < bits; ++b)
      if (i & (size_t(1) << b)) r |= 1u << (bits - 1 - b);
    rev_[i] = r;
  }
  plan_.rev = rev_.data();

  // Twiddles of the radix-4 passes after the first.
  std::vector<float> pass;
  for (size_t h = (bits % 2) ? 2 : 4; 4 * h <= S; h *= 4)
    for (size_t k = 0; k < h; ++k)
      for (int j = 1; j <= 3; ++j) {
        double a = -2 * kPi * double(j * k) / double(4 * h);
        pass.push_back(static_cast<float>(std::cos(a)));
        pass.push_back(static_cast<float>(std::sin(a)));
      }

  const size_t work = RoundUp(m);
  const size_t sizes[] = {RoundUp(pass.size()), 2 * m, 2 * RoundUp(m / 2), work, work, work, work};
  size_t total = 16;
  for (size_t s : sizes) total += s;
  mem_.assign(total, 0.0f);
  float* at = mem_.data();
  at += (16 - (reinterpret_cast<uintptr_t>(at) / sizeof(float)) % 16) % 16;
  float* region[7];
  for (int i = 0; i < 7; ++i) {
    region[i] = at;
    at += sizes[i];
  }
  std::copy(pass.begin(), pass.end(), region[0]);
  for (size_t q = 0; q < S; ++q)
    for (size_t l = 0; l < w; ++l) {
      double a = -2 * kPi * double(l * q) / double(m);
      region[1][q * w + l] = static_cast<float>(std::cos(a));
      region[1][m + q * w + l] = static_cast<float>(std::sin(a));
    }
  for (size_t k = 1; k <= m / 2; ++k) {
    double a = -2 * kPi * double(k) / double(n);
    region[2][k - 1] = static_cast<float>(std::cos(a));
    region[2][RoundUp(m / 2) + k - 1] = static_cast<float>(std::sin(a));
  }
  plan_.passTw = region[0];
  plan_.joinTw = region[1];
  plan_.postTw = region[2];
  plan_.re = region[3];
  plan_.im = region[4];
  plan_.zr = region[5];
  plan_.zi = region[6];
}

} // namespace audiolib
