// TForm5: the recording-settings dialog's handlers (layout in Unit5.form.cpp).
#include "player/Unit5.h"

#include "player/PlayerFolderCore.h"

TForm5* Form5 = nullptr;

namespace {
const char kSettingsFile[] = "zap.ini";
// The window's height while the bitrate panel shows.
constexpr int kOwnSettingsHeight = 304;
} // namespace

RecordSettings TForm5::Settings() {
  RecordSettings s;
  s.AsReceived = sRadioButton1->Checked();
  s.BitrateIndex = sComboBox1->ItemIndex() < 0 ? 0 : sComboBox1->ItemIndex();
  return s;
}

void TForm5::Publish() { PublishRecordChoice({sRadioButton1->Checked(), sComboBox1->GetText()}); }

void TForm5::ShowSettings(const RecordSettings& s) {
  // Checking a button from code runs no handler, so the mode's own runs here.
  if (s.AsReceived) {
    sRadioButton1->SetChecked(true);
    sRadioButton1Change(sRadioButton1);
  } else {
    sRadioButton2->SetChecked(true);
    sRadioButton2Change(sRadioButton2);
  }
  sComboBox1->SetItemIndex(s.BitrateIndex);
  Publish();
}

void TForm5::LoadRecordSettings() {
  RecordSettings s = Settings();
  try {
    ReadRecordSettings(IniFile(kSettingsFile), s);
  } catch (const EConvertError&) {
    ShowSettings(s); // the mode of the first line holds
    throw;
  } catch (...) {
    Publish(); // the form's own choice
    throw;
  }
  ShowSettings(s);
}

void TForm5::SaveRecordSettings() { WriteRecordSettings(IniFile(kSettingsFile), Settings()); }

void TForm5::FormCreate(TObject* Sender) { LoadRecordSettings(); }

void TForm5::sRadioButton1Change(TObject* Sender) {
  sPanel1->Hide();
  sPanel2->SetTop(sGroupBox1->Height());
  SetAutoSize(true);
  Publish();
}

void TForm5::sRadioButton2Change(TObject* Sender) {
  SetAutoSize(false);
  SetHeight(kOwnSettingsHeight);
  sPanel1->Show();
  sPanel2->SetTop(sPanel1->Height() + sGroupBox1->Height());
  Publish();
}

void TForm5::sComboBox1Change(TObject* Sender) { Publish(); }

void TForm5::sButton1Click(TObject* Sender) {
  SaveRecordSettings();
  Close();
}
