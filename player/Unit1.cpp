// The main window's start-up, label colours and hover, volume, tray and
// closing. The station road is in Unit1Stream.cpp, the recording engine in
// Unit1Record.cpp, the equaliser and the spectrum in Unit1Eq/Unit1Spectrum.cpp.
#include "player/Unit1.h"

#include <ctime>

#include "classlib/Dialogs.h"
#include "classlib/ShellUtils.h"
#include "components/Magnetic.h"
#include "player/PlayerFolderCore.h"
#include "player/StreamCore.h"

TForm1* Form1 = nullptr;

HWND MainWnd = nullptr;
TStringList* TitleList = nullptr;
TSwitchLed* RecordLed = nullptr;
int Volume = 5;
bool VolumeHeld = false;
int VolumeDirection = 0;
std::string TimeStr;

TCustomForm* EqualizerForm = nullptr;
TCustomForm* RecordedFilesForm = nullptr;
TCustomForm* StationListForm = nullptr;
TCustomForm* ConnectErrorForm = nullptr;
std::function<TStationEntry(int List)> SelectedStation;
std::function<TStationEntry(int List, int Index)> StationAt;
std::function<void()> RepaintRecordedFiles;
std::function<void(TStrings* Text)> ShowTitleAlert;

namespace {

const TColor kLinkBlue = classlib::RGBColor(90, 170, 255);

// The colours start-up gives the labels (the form's own are darker).
void SetLabelColours(TForm1* f) {
  for (TLabel* l : {f->Label1, f->Label6, f->Label4, f->Label5, f->Label8, f->Label7, f->Label10,
                    f->Label15, f->Label16, f->Label17})
    l->Font()->SetColor(kLinkBlue);
  f->Label14->Font()->SetColor(classlib::RGBColor(255, 255, 255));
  f->Label13->Font()->SetColor(classlib::RGBColor(0, 255, 25));
  f->Label20->Font()->SetColor(classlib::RGBColor(255, 0, 0));
  f->Label3->Font()->SetColor(classlib::RGBColor(90, 250, 160));
  f->Label12->Font()->SetColor(classlib::RGBColor(1, 161, 254));
  f->Label9->Font()->SetColor(classlib::RGBColor(90, 255, 250));
  f->Label19->Font()->SetColor(classlib::RGBColor(1, 161, 254));
}

// The colour a hover label takes under the pointer.
TColor HoverColour(TForm1* f, TObject* label) {
  if (label == f->Label5 || label == f->Label8) return classlib::RGBColor(0, 255, 0);
  return classlib::RGBColor(255, 0, 0);
}

void ApplyVolume() {
  if (CurrentStream) BASS_ChannelSetAttribute(CurrentStream, BASS_ATTRIB_VOL, Volume / 100.0f);
}

} // namespace

void TForm1::FormCreate(TObject* Sender) {
  SetDoubleBuffered(true);
  DeleteSmallRecordings();
  ClearTempMp3(PlayerFolder() + "AUDIO\\TEMP\\");
  MagneticInstance->AddWindow(Handle(), nullptr);
  MagneticInstance->SetSnapWidth(25);
  TitleList = new TStringList();
  ShowWindow(Application->Handle(), SW_HIDE);
  MainWnd = Handle();
  if (HIWORD(BASS_GetVersion()) != BASSVERSION) {
    classlib::ShowMessageBox(nullptr, "An incorrect version of BASS.DLL was loaded", "",
                             MB_ICONERROR);
    return;
  }
  if (!BASS_Init(-1, 44100, 0, Handle(), nullptr)) {
    ShowBassError("Can't initialize device");
    return;
  }
  BASS_PluginLoad("basswma.dll", 0);
  BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1);
  BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0);
  CreateSpectrumBitmap(PaintBox1);
  SetLabelColours(this);
  RecordLed = new TSwitchLed(this);
  RecordLed->SetOffColor(Black);
  RecordLed->SetLeft(480);
  RecordLed->SetTop(8);
  RecordLed->SetLedState(LedOff);
  RecordLed->SetHint("Запись");
  RecordLed->SetShowHint(true);
  Timer8->SetEnabled(true);
}

void TForm1::FormShow(TObject* Sender) { ShowWindow(Application->Handle(), SW_HIDE); }

void TForm1::WMSysCommand(TMessage& Message) {
  if ((Message.WParam & 0xFFF0) == SC_MINIMIZE) {
    Hide();
    Message.Result = 0;
    return;
  }
  InheritedMessage(Message);
}

void TForm1::Timer3Timer(TObject* Sender) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  TimeStr = FormatTimeStr(local.tm_hour, local.tm_min, local.tm_sec);
}

void TForm1::StepVolume(int Step) {
  Volume = ClampVolume(Volume + Step);
  ApplyVolume();
  Label9->SetCaption(std::to_string(Volume));
}

void TForm1::Timer5Timer(TObject* Sender) {
  if (VolumeHeld) StepVolume(VolumeDirection == 0 ? 1 : -1);
}

void TForm1::Label7Click(TObject* Sender) { StepVolume(1); }
void TForm1::Label8Click(TObject* Sender) { StepVolume(-1); }

void TForm1::Label7MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  VolumeDirection = 0;
  VolumeHeld = true;
}
void TForm1::Label8MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  VolumeDirection = 1;
  VolumeHeld = true;
}
void TForm1::Label7MouseUp(TObject*, TMouseButton, TShiftState, int, int) { VolumeHeld = false; }
void TForm1::Label8MouseUp(TObject*, TMouseButton, TShiftState, int, int) { VolumeHeld = false; }

void TForm1::LabelMouseEnter(TObject* Sender) {
  auto* l = static_cast<TLabel*>(Sender);
  if (l == Label6 && Recorder().RecordingUi()) return;
  l->Font()->SetColor(HoverColour(this, Sender));
  if (l != Label11) l->Font()->SetStyle({fsBold});
}

void TForm1::LabelMouseLeave(TObject* Sender) {
  auto* l = static_cast<TLabel*>(Sender);
  if (l == Label6 && Recorder().RecordingUi()) return;
  if (l == Label11) {
    l->Font()->SetColor(classlib::RGBColor(0, 0, 255));
    return;
  }
  l->Font()->SetColor(kLinkBlue);
  l->Font()->SetStyle({});
}

void PlaceBesideMain(TCustomForm* Window) {
  if (!Window || !Form1) return;
  Window->SetLeft(Form1->Left() + Form1->Width());
  Window->SetTop(Form1->Top());
}

namespace {
void OpenBeside(TCustomForm* Window) {
  if (!Window) return;
  PlaceBesideMain(Window);
  Window->Show();
}
} // namespace

void TForm1::Label10Click(TObject* Sender) { OpenBeside(StationListForm); }
void TForm1::Label15Click(TObject* Sender) { OpenBeside(EqualizerForm); }
void TForm1::Label16Click(TObject* Sender) { OpenBeside(RecordedFilesForm); }

void TForm1::Label11Click(TObject* Sender) {
  if (!Label11->Caption().empty()) classlib::ShellOpen(Label11->Caption());
}

void TForm1::Timer8Timer(TObject* Sender) {
  Timer8->SetEnabled(false);
  OpenBeside(RecordedFilesForm);
}

void TForm1::N1Click(TObject* Sender) {
  Show();
  ShowWindow(Application->Handle(), SW_HIDE);
}

void TForm1::N2Click(TObject* Sender) { Close(); }

void TForm1::FormCloseQuery(TObject* Sender, bool& CanClose) {
  if (Recorder().FileInProgress()) {
    ShowMessage("Включена запись,выключите запись,затем закрывайте программу");
    CanClose = false;
    return;
  }
  if (opening_) {
    // The opening unwinds first (it holds the library); the close follows.
    cancel_opening_ = true;
    close_pending_ = true;
    CanClose = false;
    return;
  }
  BASS_Free();
  CurrentStream = 0;
}

void TForm1::BeforeDestruction() {
  if (HandleAllocated() && MainWnd == Handle()) {
    BASS_Free();
    CurrentStream = 0;
  }
  TForm::BeforeDestruction();
}

void TForm1::FormClose(TObject* Sender, TCloseAction& Action) {
  Recorder().Close();
  DeleteSmallRecordings();
}
