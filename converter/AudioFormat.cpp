// The audio buffer on disk, its sample access and the end fade-out
// (see AudioFormat.h).
#include "converter/AudioFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace fade {
namespace {

// The fade's step is held in 80-bit precision: 1/499000 has no exact binary
// form, and the recordings made so far were faded with this very rounding.
constexpr long double kStep = -1.0L / 499000.0L;

#if defined(__i386__) || defined(__x86_64__)
// The x87 unit does the fade's arithmetic. Some runtimes start threads with
// 53-bit precision; the fade needs the full 64-bit mantissa and rounding to
// nearest, so it sets both for its duration.
class X87Extended {
 public:
  X87Extended() {
    __asm__ volatile("fnstcw %0" : "=m"(old_));
    uint16_t cw = static_cast<uint16_t>((old_ & ~0x0F00u) | 0x0300u);
    __asm__ volatile("fldcw %0" : : "m"(cw));
  }
  ~X87Extended() { __asm__ volatile("fldcw %0" : : "m"(old_)); }

 private:
  uint16_t old_ = 0;
};
#else
struct X87Extended {};
#endif

// The raw steps assume the x87 settings above are in force.
inline double RawNextGain(double gain) {
  // The store to a double is the rounding step; volatile keeps the compiler
  // from carrying the wider value over to the next frame.
  volatile double sum = static_cast<double>(static_cast<long double>(gain) + kStep);
  return sum;
}

inline int32_t RawApply(int32_t value, double gain) {
  long double product = static_cast<long double>(value) * static_cast<long double>(gain);
#if defined(__i386__) || defined(__x86_64__)
  long long r;
  __asm__("fistpll %0" : "=m"(r) : "t"(product) : "st");
#else
  long long r = std::llrint(product);
#endif
  return static_cast<int32_t>(r);
}

} // namespace

double NextGain(double gain) {
  X87Extended fpu;
  return RawNextGain(gain);
}

int32_t Apply(int32_t value, double gain) {
  X87Extended fpu;
  return RawApply(value, gain);
}

uint32_t Limit(uint32_t bytesPerSample) {
  uint32_t power = 1;
  for (uint32_t i = 0; i < bytesPerSample; ++i) power *= 256u;
  return power / 2u - 1u;
}

int32_t Clamp(int32_t value, uint32_t limit) {
  int64_t magnitude = value < 0 ? -int64_t(value) : int64_t(value);
  if (magnitude > int64_t(limit)) return value < 0 ? -int32_t(limit) : int32_t(limit);
  return value;
}

int32_t Decode(const uint8_t* bytes, uint32_t size, uint16_t bitsPerSample) {
  uint32_t v = 0;
  for (uint32_t i = 0; i < size; ++i) v |= uint32_t(bytes[i]) << (8 * i);
  if (bitsPerSample <= 8) return static_cast<int32_t>(v - 128u);
  uint32_t range = 1; // 256^size modulo 2^32: 0 for four bytes
  for (uint32_t i = 0; i < size; ++i) range *= 256u;
  if (range == 0) return static_cast<int32_t>(v);
  return v < range / 2 ? static_cast<int32_t>(v) : static_cast<int32_t>(int64_t(v) - range);
}

void Encode(int32_t value, uint8_t* bytes, uint32_t size, uint16_t bitsPerSample) {
  uint32_t v = static_cast<uint32_t>(value);
  if (bitsPerSample <= 8) v += 128u;
  for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace fade

void DeleteTadFiles(const std::string& folder) {
  std::string dir = folder;
  if (!dir.empty() && IsPathDelimiter(dir.back())) dir.pop_back();
  ListFolder(dir, [&](const std::string& name, bool isDir) {
    std::string path = dir + PathDelim + name;
    if (isDir) {
      DeleteTadFiles(path);
    } else if (AnsiLowerCase(ExtractFileExt(name)) == ".tad") {
      ClearReadOnly(path);
      DeleteFile(path);
    }
  });
}

TAudioData::TAudioData() : TAudioData(GetTempDir()) {}

TAudioData::TAudioData(const std::string& tempDir) {
  DeleteTadFiles(tempDir);
  // The lowest free number. The file is created exclusively, so two
  // companions started at the same moment can't end up sharing one.
  for (uint32_t n = 0; n <= 0xFFFF; ++n) {
    std::string name = tempDir + std::to_string(n) + ".TAD";
    if (PathExists(name)) continue;
    try {
      data_ = std::make_unique<TFile>(name, TFileCreation::Exclusive);
    } catch (const EInOutError&) {
      if (PathExists(name)) continue; // taken between the check and the create
      throw;
    }
    file_name_ = name;
    return;
  }
  throw EInOutError("No free scratch file name in \"" + tempDir + "\"", 4);
}

TAudioData::~TAudioData() {
  if (!data_) return;
  try {
    data_->Close();
  } catch (...) {}
  data_.reset();
  DeleteFile(file_name_);
}

void TAudioData::UpdateBlockAlign() {
  uint16_t bytes = static_cast<uint16_t>(BitsPerSample / 8 + (BitsPerSample % 8 != 0 ? 1 : 0));
  BlockAlign = static_cast<uint16_t>(bytes * Channels);
}

uint32_t TAudioData::BytesPerSample() {
  if (Channels == 0) throw EZeroDivide("Division by zero: audio without channels");
  uint32_t b = BlockAlign / Channels;
  // Wider samples would not fit a 32-bit value; only a lying header asks.
  // None is narrower than a byte either: a block smaller than one byte per
  // channel comes from a sample size times channels that overflowed, and
  // going through it would walk every channel of every frame touching
  // nothing (tens of thousands of channels times every byte of the file).
  if (b == 0 || b > 4)
    throw EInOutError("Unsupported sample size: " + std::to_string(b) + " bytes", 0);
  return b;
}

int32_t TAudioData::ReadSample(uint32_t frame, uint32_t channel) {
  UpdateBlockAlign();
  uint32_t b = BytesPerSample();
  data_->SetPosition(frame * BlockAlign + channel * b);
  uint8_t bytes[4] = {0, 0, 0, 0};
  data_->Read(bytes, b);
  return fade::Decode(bytes, b, BitsPerSample);
}

void TAudioData::WriteSample(uint32_t frame, uint32_t channel, int32_t value) {
  UpdateBlockAlign();
  uint32_t b = BytesPerSample();
  uint32_t p = frame * BlockAlign + channel * b;
  if (p > data_->Size()) {
    static const uint8_t zeros[4096] = {};
    data_->SetPosition(data_->Size());
    for (uint32_t left = p - data_->Size(); left > 0;) {
      uint32_t n = std::min<uint32_t>(left, sizeof zeros);
      data_->Write(zeros, n);
      left -= n;
    }
  }
  data_->SetPosition(p);
  uint8_t bytes[4];
  fade::Encode(value, bytes, b, BitsPerSample);
  data_->Write(bytes, b);
}

void TAudioData::FadeOut(uint32_t start, uint32_t count) {
  fade::X87Extended fpu;
  if (Channels == 0) throw EZeroDivide("Division by zero: audio without channels");
  uint16_t blockAlign = BlockAlign;
  uint32_t limit = fade::Limit(blockAlign / Channels);
  UpdateBlockAlign();
  // Every sample's result depends only on its own value and its frame's gain,
  // which is the same for every channel. So when the whole range lies inside
  // the data, one pass over whole frames gives exactly the bytes of the
  // channel-by-channel pass, at a fraction of the cost.
  uint32_t b = BytesPerSample();
  bool inside = uint64_t(start) + count <= 0xFFFFFFFFull &&
                (uint64_t(start) + count) * BlockAlign <= data_->Size();
  if (blockAlign == BlockAlign && b * Channels == BlockAlign && b > 0 && inside)
    FadeOutInBlocks(start, count, limit);
  else
    FadeOutBySample(start, count, limit);
}

void TAudioData::FadeOutBySample(uint32_t start, uint32_t count, uint32_t limit) {
  uint32_t threshold = count - fade::kFadeFrames; // wraps: short inputs are not faded
  for (uint32_t c = 0; c < Channels; ++c) {
    double gain = 1.0;
    uint32_t j = start;
    for (uint32_t i = 0; i < count; ++i, ++j) {
      int32_t v = ReadSample(j, c);
      if (j >= threshold) {
        gain = fade::RawNextGain(gain);
        v = fade::RawApply(v, gain);
      }
      WriteSample(j, c, fade::Clamp(v, limit));
    }
  }
}

void TAudioData::FadeOutInBlocks(uint32_t start, uint32_t count, uint32_t limit) {
  const uint32_t threshold = count - fade::kFadeFrames;
  const uint32_t b = BlockAlign / Channels;
  const uint32_t framesPerBlock = std::max<uint32_t>(1, 0x10000 / BlockAlign);
  std::vector<uint8_t> block(size_t(framesPerBlock) * BlockAlign);
  double gain = 1.0;
  uint32_t frame = start;
  for (uint32_t left = count; left > 0;) {
    uint32_t n = std::min(left, framesPerBlock);
    uint32_t bytes = n * BlockAlign;
    data_->SetPosition(frame * BlockAlign);
    data_->Read(block.data(), bytes);
    uint8_t* p = block.data();
    for (uint32_t i = 0; i < n; ++i, ++frame) {
      bool faded = frame >= threshold;
      if (faded) gain = fade::RawNextGain(gain);
      for (uint32_t c = 0; c < Channels; ++c, p += b) {
        int32_t v = fade::Decode(p, b, BitsPerSample);
        if (faded) v = fade::RawApply(v, gain);
        fade::Encode(fade::Clamp(v, limit), p, b, BitsPerSample);
      }
    }
    data_->SetPosition((frame - n) * BlockAlign);
    data_->Write(block.data(), bytes);
    left -= n;
  }
}
