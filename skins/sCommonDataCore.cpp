// TsCommonData (see sCommonDataCore.h).
#include "skins/sCommonDataCore.h"

#include <algorithm>
#include <cctype>

#include "skins/sSkinDataCore.h"

namespace skins {

namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

TsCommonData::TsCommonData(TsStyleOwner* owner, bool with_image) : owner_(owner) {
  WithoutImage = !with_image;
  if (with_image) UpdateImage();
}

TsCommonData::~TsCommonData() = default;

bool TsCommonData::Ready() {
  return owner_ && owner_->HasParent() && !owner_->Creating() && !owner_->Destroying();
}

std::string TsCommonData::SkinSection() const {
  // A control made without AfterConstruction has not resolved it yet.
  return skin_section_.empty() && owner_ ? owner_->ClassName() : skin_section_;
}

void TsCommonData::SetSkinSection(const std::string& v) {
  std::string s = v.empty() && owner_ ? owner_->ClassName() : v;
  if (s == skin_section_) return;
  skin_section_ = s;
  ResolveSection();
  NeedsRefresh = true;
  Refresh();
}

void TsCommonData::ResolveSection() {
  ImageOutOfDate = true;
  if (skin_section_.empty() && owner_) skin_section_ = owner_->ClassName();
  skin_index_ = SectionIndex(skin_section_);
  border_index_ = MaskIndex(skin_index_, skin_section_, kBordersMask);
}

void TsCommonData::Refresh() {
  if (!owner_) return;
  ImageOutOfDate = true;
  if (Ready()) owner_->InvalidateControl();
}

void TsCommonData::UpdateImage() {
  if (!image_) image_ = owner_ ? owner_->NewImage() : std::make_unique<TsMemoryImage>();
  const TRect b = owner_ ? owner_->BoundsRect() : TRect{};
  image_->SetSize(b.Width(), b.Height());
}

TParentBackground TsCommonData::ParentImage() {
  if (!owner_ || !owner_->HasParent()) return TParentBackground{};
  return owner_->ParentBackground();
}

void TsCommonData::MarkPainted() {
  painted_w_ = image_ ? image_->Width() : -1;
  painted_h_ = image_ ? image_->Height() : -1;
}

TParentBackground TsCommonData::ImageForChildren() {
  if (!owner_) return TParentBackground{};
  return LendImage(image_.get(), owner_->BoundsRect(), painted_w_, painted_h_, ImageOutOfDate);
}

void TsCommonData::WndProc(TsMessage& m) {
  if (!owner_) return;
  switch (m.Msg) {
    case msg::GetStyle:
      m.WParam = 1;
      m.Result = 1;
      return;
    case msg::SetFocus:
    case msg::Enter:
      Focused = true;
      ImageOutOfDate = true;
      return;
    case msg::KillFocus:
    case msg::Exit:
      Focused = false;
      ImageOutOfDate = true;
      return;
    case msg::MouseEnter:
    case msg::MouseLeave:
      // The control's own handling (hint window, events) runs as well.
      if (!Focused && !owner_->Designing()) MouseOver = m.Msg == msg::MouseEnter;
      return;
    case msg::EnabledChanged:
    case msg::FontChange: Refresh(); return;
    case msg::WindowPosChanged:
      ImageOutOfDate = true;
      owner_->SendToControl(msg::Layout, 0, 0);
      return;
    case msg::ParentImageChanged:
      if (m.LParam != 0) ImageOutOfDate = true;
      break;
    case msg::SkinChanged:
      ResolveSection();
      NeedsRefresh = true;
      break;
    case msg::SkinRemoved:
      skin_index_ = border_index_ = -1;
      NeedsRefresh = true;
      break;
    case msg::Refresh:
      Refresh();
      owner_->RepaintLabels();
      break;
    case msg::ParentImage: break;  // the image travels through ImageForChildren
    case msg::RefreshSection:
      if (!SkinData().SkinName.empty() && Upper(SkinSection()) == Upper(SkinData().SkinName)) {
        NeedsRefresh = true;
        Refresh();
        owner_->SendToControl(msg::Paint, 0, 0);
      }
      break;
    case msg::RepaintSection: break;  // only a loaded skin asks for it
    default:
      // The rest of the library's range (the layout a tab control then
      // rebuilds itself, the skin's own) is answered too.
      if (m.Msg < msg::ParentImageChanged || m.Msg > msg::Layout) return;
      break;
  }
  m.Result = 2;
}

}  // namespace skins
