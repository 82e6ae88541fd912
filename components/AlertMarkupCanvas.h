// The markup renderer's surface on a class-library canvas: text through
// DrawTextExW (Windows-1251 converted to UTF-16, "&" underlining the next
// letter, an end ellipsis where a line is cut), rotated fonts, images of an
// image list and the system icon lists, scaled by the device's pixels per
// inch / 96.
//
// System icons by path never reach the network: a UNC path or a path on a
// network drive is looked up by its attributes only, as is any path that is
// not an existing local file or folder.
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <utility>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "components/AlertMarkup.h"
#include "components/PictureContainer.h"

class TCanvasMarkupSurface : public markup::MarkupSurface {
 public:
  explicit TCanvasMarkupSurface(TCanvas* canvas, TImageList* images = nullptr);
  ~TCanvasMarkupSurface() override;

  // Pictures by name from the container, by address from the cache (a new
  // address is added to it and loaded from the program or a local file).
  void UsePictures(TPictureContainer* container, THTMLPictureCache* cache) {
    container_ = container;
    cache_ = cache;
  }

  markup::Font BaseFont() override;
  markup::Color BaseBrush() override;
  void SetFont(const markup::Font& f) override;
  void RestoreFont() override;
  TSize MeasureRun(const std::string& run) override;
  void DrawRun(const std::string& run, const TRect& r, markup::Color text, markup::Color back,
               bool endEllipsis) override;
  void Line(int x1, int y1, int x2, int y2, markup::Color c) override;
  void Fill(const TRect& r, markup::Color c) override;
  void FocusRect(const TRect& r) override;
  int PixelsPerInch() override;
  markup::Color ResolveColor(markup::Color c) override;
  markup::ImageInfo FindImage(const markup::ImageRef& ref) override;
  void DrawImage(const markup::ImageRef& ref, const TRect& r, bool stretch) override;
  void DrawImageScaled(const markup::ImageRef& ref, const TRect& r) override;
  void TileImage(const markup::ImageRef& ref, const TRect& r) override;

  // How many fonts the surface holds now (0 once RestoreFont has run).
  int FontsHeld() const { return static_cast<int>(fonts_.size()); }

 private:
  HIMAGELIST SystemList(const markup::ImageRef& ref, int& index);
  THTMLPicture* Picture(const markup::ImageRef& ref);
  TPictureContainer* container_ = nullptr;
  THTMLPictureCache* cache_ = nullptr;
  TCanvas* canvas_ = nullptr;
  TImageList* images_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
  std::vector<std::pair<markup::Font, HFONT>> fonts_;
};

namespace components {

// The bitmap's bits stretched into r of the device context (StretchDIBits,
// SRCCOPY): the way to a printer, which may not take a memory DC's bitmap.
void StretchBitmap(HDC dc, const TRect& r, TBitmap& bitmap);

// The system image list's icon index for a path (never touching a network
// path or a missing one) or an icon number.
int SystemIconIndex(const std::string& source, bool large, HIMAGELIST& list);

} // namespace components
