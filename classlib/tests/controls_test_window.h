// A window with every stock control, built from its layout file
// (controls_test_window.form.cpp) the way the player's windows are: a black
// gradient strip with transparent hover and link labels, an entry group with
// edits and default/cancel buttons, a station list with a popup menu,
// radio buttons and combo boxes on a panel, pages with track bars and list
// views, a bevel and a static text. The handlers only record what happened.
#pragma once

#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"

class TControlsWindow : public TForm {
 public:
  using TForm::TForm;

  TPaintBox* PaintBox1 = nullptr;
  TLabel* Label1 = nullptr;  // caption
  TLabel* Label6 = nullptr;  // hover: red bold / blue normal
  TLabel* Label7 = nullptr;  // press and hold
  TLabel* Label9 = nullptr;  // the held counter
  TLabel* Label11 = nullptr; // link
  TBevel* Bevel1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TButton* Button1 = nullptr; // default
  TButton* Button2 = nullptr; // cancel
  TListBox* ListBox1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N3 = nullptr;
  TPanel* Panel1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TComboBox* ComboBox1 = nullptr; // drop-down list
  TComboBox* ComboBox2 = nullptr; // drop-down with an edit field
  TStaticText* StaticText1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TTrackBar* TrackBar1 = nullptr; // horizontal
  TTrackBar* eq1 = nullptr;       // vertical, equaliser style
  TListView* ListView1 = nullptr; // visible report
  TListView* ListView2 = nullptr; // hidden store

  // What the handlers saw.
  std::vector<std::string> log;
  int edit_changes = 0, combo_changes = 0, track_changes = 0, radio1_changes = 0,
      radio2_changes = 0;
  bool volume_held = false;
  int page_changes = 0;

  void PaintBox1Paint(TObject* Sender);
  void Label6MouseEnter(TObject* Sender);
  void Label6MouseLeave(TObject* Sender);
  void Label7MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label7MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label11Click(TObject* Sender);
  void Edit1Change(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void ListBox1DblClick(TObject* Sender);
  void N1Click(TObject* Sender);
  void N2Click(TObject* Sender);
  void RadioButton1Change(TObject* Sender);
  void RadioButton2Change(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void eq1Change(TObject* Sender);

 protected:
  void CreateLayout() override;
};
