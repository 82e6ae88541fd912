// A JPEG picture as a class-library graphic: decoded once when loaded (see
// sJpegCore.h), then drawn like a bitmap. Assigning it to a bitmap, or to a
// picture (which keeps a bitmap copy), gives its decoded pixels.
#pragma once

#include "classlib/WinApi.h"

#include <string>

#include "classlib/Bitmap.h"

namespace skins {

class TJPEGImage : public TGraphic {
 public:
  bool Empty() const override { return bitmap_.Empty(); }
  int Width() const override { return bitmap_.Width(); }
  int Height() const override { return bitmap_.Height(); }
  // A JPEG has the size it was decoded at.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  // Decoded in grey scale when set before loading.
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool v) { grayscale_ = v; }
  // Raises EInOutError when the file cannot be read or decoded; the image
  // then keeps what it held.
  void LoadFromFile(const std::string& FileName) override;
  void DrawTo(TCanvas* canvas, const TRect& r) override;
  void Assign(TPersistent* Source) override;
  // The decoded pixels.
  TBitmap* Bitmap() { return &bitmap_; }

 protected:
  void AssignTo(TPersistent* Dest) override;

 private:
  TBitmap bitmap_;
  bool grayscale_ = false;
};

}  // namespace skins
