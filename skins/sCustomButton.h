// TsButton: the skinned dialog button. Enter clicks the button that acts as
// the form's default (the focused TsButton, else the one with Default), Esc
// the one with Cancel (with no shift key down); Space shows the press and
// clicks when it is released; the caption's accelerator ("&Да", "&Yes",
// either letter case, whichever control has the focus) clicks at once. A
// click gives the form the button's ModalResult (also 0) before OnClick.
// Keys never pump messages between the press and the click, so a click
// cannot run inside another, and the form may close under OnClick.
#pragma once

#include "classlib/StdCtrls.h"
#include "skins/sButtonControl.h"

namespace skins {

class TsButton : public TsButtonControl, public classlib::IDialogButton {
 public:
  explicit TsButton(TComponent* AOwner);

  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  bool Default() const override { return default_; }
  void SetDefault(bool v);
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult v) { modal_result_ = v; }
  bool ShowCaption() const override { return show_caption_; }
  void SetShowCaption(bool v);
  bool ShowFocus() const { return show_focus_; }
  void SetShowFocus(bool v);
  int FocusMargin() const { return focus_margin_; }
  void SetFocusMargin(int v);
  bool ActsAsDefault() const override { return acts_as_default_; }

  void Click() override;
  bool TakesDialogKey(bool cancel) override;
  void DialogKeyClick() override;
  void FocusChanged(TWinControl* focused) override;

 protected:
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void PaintFocus(TCanvas* canvas, const TRect& captionRect) override;

 private:
  // Press, click and release at once (Enter, Esc, the accelerator).
  void PressAndClick();
  bool cancel_ = false, default_ = false, acts_as_default_ = false;
  TModalResult modal_result_ = mrNone;
  bool show_caption_ = true, show_focus_ = true;
  int focus_margin_ = 1;
};

}  // namespace skins
