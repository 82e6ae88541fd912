// A PNG picture: the encoded bytes as they are kept and streamed, and the
// pixels decoded from them (libpng). Portable; drawing it is the windows'
// business.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/SysUtils.h"

// PNG data that cannot be decoded.
class EPngError : public Exception {
 public:
  using Exception::Exception;
};

class TPngImage : public TPersistent {
 public:
  TPngImage() = default;

  bool Empty() const { return data_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Decoded pixels, rows top-down, 4 bytes each: blue, green, red, alpha.
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
  // The encoded PNG file.
  const std::vector<std::uint8_t>& Data() const { return data_; }

  // Decodes a PNG file held in memory; raises EPngError (and keeps the
  // previous picture) when it is not a readable PNG.
  void LoadFromBytes(const std::vector<std::uint8_t>& data);
  void Clear();

  // Copies another TPngImage; null clears.
  void Assign(TPersistent* Source) override;
  bool operator==(const TPngImage& o) const { return data_ == o.data_; }

 private:
  std::vector<std::uint8_t> data_;
  std::vector<std::uint8_t> pixels_;
  int width_ = 0, height_ = 0;
};
