// TForm5: the recording-settings dialog. "Записать так как есть" records the
// stream as received; "Записать со своими настройками" re-encodes each file at
// the bitrate chosen below. The choice is read from "INI\zap.ini" when the
// window is created and written by "Применить"; the recording engine reads it
// through CurrentRecordChoice (RecordSettingsCore.h), which this window keeps
// up to date at every change.
#pragma once

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "player/RecordSettingsCore.h"
#include "skins/sCustomButton.h"
#include "skins/sCustomComboBox.h"
#include "skins/sCustomLabel.h"
#include "skins/sPanel.h"
#include "skins/sRadioButton.h"

class TForm5 : public TForm {
 public:
  using TForm::TForm;

  TGroupBox* sGroupBox1 = nullptr;
  skins::TsRadioButton* sRadioButton1 = nullptr; // as received
  skins::TsRadioButton* sRadioButton2 = nullptr; // own settings
  skins::TsPanel* sPanel1 = nullptr; // the bitrate, own settings only
  skins::TsLabel* sLabel1 = nullptr;
  skins::TsComboBox* sComboBox1 = nullptr;
  TStaticText* StaticText1 = nullptr;
  skins::TsPanel* sPanel2 = nullptr;
  skins::TsButton* sButton1 = nullptr; // "Применить"

  void LoadRecordSettings();
  void SaveRecordSettings();
  // The controls' choice as the settings file holds it.
  RecordSettings Settings();

  void FormCreate(TObject* Sender);
  void sRadioButton1Change(TObject* Sender);
  void sRadioButton2Change(TObject* Sender);
  void sComboBox1Change(TObject* Sender);
  void sButton1Click(TObject* Sender);

 protected:
  void CreateLayout() override;

 private:
  void Publish();
  void ShowSettings(const RecordSettings& s);
};

extern TForm5* Form5;
