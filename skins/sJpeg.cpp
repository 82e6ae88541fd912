// The JPEG graphic: the file read whole, decoded by the core, copied into a
// 24-bit top-down bitmap row by row.
#include "skins/sJpeg.h"

#include <cstring>
#include <vector>

#include "classlib/Streams.h"
#include "skins/sJpegCore.h"

namespace skins {

void TJPEGImage::LoadFromFile(const std::string& FileName) {
  std::vector<uint8_t> bytes;
  {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    const int64_t size = f.Size();
    if (size <= 0 || size > (int64_t(1) << 30))
      throw EInOutError("Cannot load JPEG \"" + FileName + "\": bad file size", 0);
    bytes.resize(static_cast<size_t>(size));
    f.ReadBuffer(bytes.data(), size);
  }
  TJpegPixels pixels;
  std::string error;
  if (!DecodeJpeg(bytes.data(), bytes.size(), grayscale_, pixels, error))
    throw EInOutError("Cannot load JPEG \"" + FileName + "\": " + error, 0);
  TBitmap decoded;
  decoded.SetSize(pixels.width, pixels.height);
  if (decoded.Empty()) throw EOutOfResources("Cannot make a bitmap for JPEG \"" + FileName + "\"");
  GdiFlush();
  for (int y = 0; y < pixels.height; ++y)
    std::memcpy(decoded.ScanLine(y), pixels.bits.data() + static_cast<size_t>(y) * pixels.width * 3,
                static_cast<size_t>(pixels.width) * 3);
  bitmap_.Assign(&decoded);
  Changed();
}

void TJPEGImage::DrawTo(TCanvas* canvas, const TRect& r) { bitmap_.DrawTo(canvas, r); }

void TJPEGImage::Assign(TPersistent* Source) {
  auto* j = dynamic_cast<TJPEGImage*>(Source);
  if (!j) return TGraphic::Assign(Source);
  if (j == this) return;
  bitmap_.Assign(&j->bitmap_);
  grayscale_ = j->grayscale_;
  Changed();
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) return b->Assign(&bitmap_);
  TGraphic::AssignTo(Dest);
}

}  // namespace skins
