// TImageList: a row of same-sized images (with a transparent colour) kept in
// a system image list, drawn by index or taken out as a bitmap or an icon.
#pragma once

#include "classlib/WinApi.h"
#include <commctrl.h>

#include <vector>

#include "classlib/Bitmap.h"

class TImageList;

// Hears every change of the image lists it is registered with (a control
// drawing from a list it does not own repaints); unregisters itself when
// it goes.
class TChangeLink {
 public:
  TChangeLink() = default;
  ~TChangeLink();
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  // The list it is registered with (null: none).
  TImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

 private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

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
  // A link hears the list's changes until it is unregistered (or either
  // goes); one list at a time per link.
  void RegisterChanges(TChangeLink* Link);
  void UnRegisterChanges(TChangeLink* Link);
  TNotifyEvent OnChange;

 private:
  void Changed();
  std::vector<TChangeLink*> links_;
  HIMAGELIST handle_ = nullptr;
  int width_ = 16, height_ = 16;
};
