// TImageList: a row of same-sized images (with a transparent colour) kept in
// a system image list, drawn by index or taken out as a bitmap or an icon.
#pragma once

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/Bitmap.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int w, int h);
  int Count() const;
  HIMAGELIST Handle();

  // Adds the bitmap (cut into images of Width when wider); pixels of
  // MaskColor are transparent (clNone: none). Returns the first new index.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Delete(int Index);
  void Clear();
  void GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  TNotifyEvent OnChange;

 private:
  void Changed();
  HIMAGELIST handle_ = nullptr;
  int width_ = 16, height_ = 16;
};
