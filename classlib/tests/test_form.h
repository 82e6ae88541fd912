// A form with one of every control kind of the library, built from its
// layout file (test_form.cpp) the way the programs' windows are.
#pragma once

#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"

// A graphic control that fills itself with its colour (or leaves its
// background when Transparent) and draws a frame.
class TSwatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool Transparent = false;
  int paints = 0;

 protected:
  void Paint() override;
};

// A windowed control with its own canvas.
class TPad : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;

 protected:
  void Paint() override;
};

// A wrapped system button: its clicks come back to it as CN_COMMAND.
class TPushButton : public TWinControl {
 public:
  explicit TPushButton(TComponent* AOwner);
  int commands = 0;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;
};

// A popup menu that records instead of tracking (tracking blocks a test).
class TRecordingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  int popups = 0;
  TPoint at;
  void Popup(int X, int Y) override;
};

class TTestForm : public TForm {
 public:
  using TForm::TForm;
  TPad* Panel1 = nullptr;     // alTop
  TPad* Panel2 = nullptr;     // alBottom
  TPad* Panel3 = nullptr;     // alClient
  TSwatch* Swatch1 = nullptr; // on Panel3, opaque red
  TSwatch* Swatch2 = nullptr; // on the form's Panel3, transparent
  TPushButton* Button1 = nullptr;
  TTimer* Timer1 = nullptr;
  TRecordingMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;

  std::vector<std::string> log;
  int timer_ticks = 0;
  bool allow_close = true;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Swatch1Click(TObject* Sender);
  void Swatch1MouseEnter(TObject* Sender);
  void Swatch1MouseLeave(TObject* Sender);
  void WMSysCommand(TMessage& Message);

 protected:
  void CreateLayout() override;
  void Loaded() override;
};
