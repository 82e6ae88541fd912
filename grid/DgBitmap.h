// TDgBitmap: a picture the grid's model owns, such as the glyph of a column
// header or footer. Its pixels are plain 32-bit values (TDgPixmap), so the
// model stays portable; on Windows a class-library TBitmap is copied in
// with AssignBitmap (DgBitmapWin.h).
//
// It is always drawn transparent: the colour of its bottom-left pixel is
// left out, and every change of the picture tells OnChange.
#pragma once

#include "classlib/Component.h"
#include "grid/DgCanvas.h"

class TDgBitmap : public TPersistent {
 public:
  const TDgPixmap& Pixmap() const { return pixmap_; }
  // Replaces the picture (an empty pixmap clears it).
  void SetPixmap(TDgPixmap Pixmap);
  void Clear() { SetPixmap(TDgPixmap()); }
  bool Empty() const { return pixmap_.Empty(); }
  int Width() const { return pixmap_.Width; }
  int Height() const { return pixmap_.Height; }
  bool Transparent() const { return true; }
  // The colour of the bottom-left pixel; clNone for an empty picture.
  TColor TransparentColor() const;

  // From another TDgBitmap (null clears); anything else raises EConvertError.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  TDgPixmap pixmap_;
};
