// TsCommonData: the small style object of the skinned controls without a
// sStyle (tab controls, page controls, tab sheets). It names the skin
// section, keeps the control's off-screen image, tracks focus and mouse-over
// and answers the library's messages. Portable: it reaches its control
// through the same owner interface as the styles.
//
// The style query is answered with Result 1 (WParam 1; the common data
// itself travels through the control's typed interface, never in LParam);
// the library messages 0xA401..0xA40B with Result 2. Focus, mouse-over,
// enabled and font changes and WM_WINDOWPOSCHANGED are noted and left to the
// control as well (Result 0).
#pragma once

#include <memory>
#include <string>

#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsCommonData {
 public:
  // `with_image`: the control keeps an off-screen image.
  TsCommonData(TsStyleOwner* owner, bool with_image);
  virtual ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // Empty means the owner's class name, which it then reports.
  std::string SkinSection() const;
  void SetSkinSection(const std::string& v);
  int BorderIndex() const { return border_index_; }
  int SkinIndex() const { return skin_index_; }
  bool NeedsRefresh = true;
  bool WithoutImage = false;
  TsStyleOwner* Owner() const { return owner_; }
  TsImage* Image() const { return image_.get(); }
  unsigned KindCode = 0;
  bool Focused = false, MouseOver = false;
  bool ImageOutOfDate = true;

  // After the owner's construction and loading.
  virtual void ResolveSection();
  virtual void Refresh();
  // Makes the image (if missing) the control's size.
  void UpdateImage();
  TParentBackground ParentImage();
  // The image lent to children (see LendImage).
  TParentBackground ImageForChildren();
  // The painter records a whole painting of the present size.
  void MarkPainted();
  // A skin section of a loaded skin: never, as no skin is loaded.
  bool SkinActive() const { return false; }
  virtual void WndProc(TsMessage& m);

 protected:
  TsStyleOwner* owner_;

 private:
  bool Ready();
  std::string skin_section_;
  int border_index_ = -1, skin_index_ = -1;
  std::unique_ptr<TsImage> image_;
  int painted_w_ = -1, painted_h_ = -1;
};

}  // namespace skins
