// TImageList (see ImgList.h).
#include "classlib/ImgList.h"

#include <algorithm>

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
  for (TChangeLink* l : links_) l->sender_ = nullptr;
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::RegisterChanges(TChangeLink* Link) {
  if (!Link || Link->sender_ == this) return;
  if (Link->sender_) Link->sender_->UnRegisterChanges(Link);
  Link->sender_ = this;
  links_.push_back(Link);
}

void TImageList::UnRegisterChanges(TChangeLink* Link) {
  if (!Link || Link->sender_ != this) return;
  links_.erase(std::remove(links_.begin(), links_.end(), Link), links_.end());
  Link->sender_ = nullptr;
}

HIMAGELIST TImageList::Handle() {
  if (!handle_) handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
  if (!handle_) throw EOutOfResources("Cannot create image list");
  return handle_;
}

void TImageList::SetSize(int w, int h) {
  if (w == width_ && h == height_) return;
  width_ = w;
  height_ = h;
  if (handle_) ImageList_Destroy(handle_);
  handle_ = nullptr;
  Changed();
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::Changed() {
  const TLifeToken life = LifeToken();
  if (OnChange) OnChange(this);
  // A link may go (or unregister) while an earlier one is told.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* l : links) {
    if (!life) return;
    if (std::find(links_.begin(), links_.end(), l) != links_.end() && l->OnChange)
      l->OnChange(this);
  }
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  int first = Count();
  // The list takes its own copy, so the bitmap must not stay selected.
  TBitmap copy;
  copy.Assign(Image);
  HBITMAP h = copy.Handle();
  int r = MaskColor == clNone ? ImageList_Add(Handle(), h, nullptr)
                              : ImageList_AddMasked(Handle(), h, ColorToRGB(MaskColor));
  if (r < 0) throw EOutOfResources("Cannot add image to list");
  Changed();
  return first;
}

int TImageList::AddIcon(TIcon* Image) {
  int r = ImageList_AddIcon(Handle(), Image->Handle());
  if (r < 0) throw EOutOfResources("Cannot add icon to list");
  Changed();
  return r;
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("Image index out of range");
  ImageList_Remove(handle_, Index);
  Changed();
}

void TImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Changed();
}

void TImageList::GetBitmap(int Index, TBitmap* Image) {
  if (Index < 0 || Index >= Count()) throw EListError("Image index out of range");
  Image->SetSize(width_, height_);
  Image->Canvas()->Brush()->SetColor(clWhite);
  Image->Canvas()->FillRect(Rect(0, 0, width_, height_));
  ImageList_Draw(handle_, Index, Image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

void TImageList::GetIcon(int Index, TIcon* Image) {
  if (Index < 0 || Index >= Count()) throw EListError("Image index out of range");
  Image->SetHandle(ImageList_GetIcon(handle_, Index, ILD_NORMAL));
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= Count()) return;
  ImageList_DrawEx(handle_, Index, Canvas->Handle(), X, Y, 0, 0, CLR_NONE,
                   Enabled ? CLR_DEFAULT : CLR_NONE, Enabled ? ILD_NORMAL : ILD_BLEND50);
}
