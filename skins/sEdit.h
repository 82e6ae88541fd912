// TsEdit: the class library's one-line edit with a 3-pixel frame painted by
// its style (TsStyle) instead of the system border, its colour the style's
// editor colour. Text, OnChange and Windows-1251 are the TEdit's. OnKeyDown
// is the style's key handler (KeysNextControl and KeysPrevControl move the
// focus) until the form binds its own.
#pragma once

#include <memory>

#include "classlib/StdCtrls.h"
#include "skins/sStyleEditsCore.h"
#include "skins/sStyleSimply.h"

namespace skins {

class TsEdit : public TEdit, public ISkinnedControl {
 public:
  explicit TsEdit(TComponent* AOwner);
  ~TsEdit() override;
  TsStyle* sStyle() { return style_.get(); }
  TsGenStyle* SkinStyle() override { return style_.get(); }
  void Invalidate() override;

 protected:
  void WndProc(TMessage& Message) override;
  void HandleMessage(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  // An enabled shadow goes first and the parent repaints without it.
  void BeforeDestruction() override;

 private:
  TsWinOwner owner_{this};
  std::unique_ptr<TsStyle> style_;
};

} // namespace skins
