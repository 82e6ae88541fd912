// The recording engine of the main window: start, stop and pause, the
// download callback that cuts the stream into one file per title, the
// recording clock, the record LED, the reconnect watchdog and the clean-up of
// small and temporary recordings.
//
// The rules live in TRecordingEngine (RecordingCore.h); this file gives it
// the real disk, the wall clock and the companion's start, and carries its
// calls on the recorded-files window to the GUI thread through a queue that
// a hidden window drains.
#include "classlib/WinApi.h"

#include "classlib/Cp1251.h"
#include "classlib/HiddenWindow.h"
#include "classlib/SysUtils.h"
#include "player/PlayerFolderCore.h"
#include "player/RecordSettingsCore.h"
#include "player/Unit1.h"
#include "player/Unit5.h"

namespace {

class TWallClock : public TRecordClock {
 public:
  std::string TimeStr() override { return FormatDateTime("hh-nn-ss", Now()); }
  std::string DateStr() override { return FormatDateTime("dd-mm-yyyy", Now()); }
};

// The companion lies beside the player and is started hidden, without
// waiting and without looking at the result. It is named by its full path in
// the player's folder: a bare name would be looked up in the folder of the
// running program and then elsewhere, and a companion found there would read
// another folder's hand-over file (the companion works in its own folder).
class TWinExecCompanion : public TCompanionStarter {
 public:
  void StartCompanion() override {
    std::wstring program = Cp1251ToWide(PlayerFolder() + "Tamzo.exe");
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &si, &pi)) {
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
};

constexpr UINT kDrainMessage = WM_APP + 12;
TRecordedFilesView* g_target = nullptr;
TNullRecordedFiles g_nothing;

LRESULT CALLBACK DrainProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == kDrainMessage) {
    try {
      RecordedFiles().Drain(g_target ? *g_target : g_nothing);
    } catch (...) {
      // A window that fails one change keeps the next ones.
    }
    return 0;
  }
  return DefWindowProcW(Wnd, Msg, W, L);
}

// Created on the GUI thread by the first use (the main window's creation).
HWND DrainWindow() {
  static HWND wnd =
      classlib::CreateHiddenWindow(L"KorvalisRecordedFiles", DrainProc, 0, HWND_MESSAGE);
  return wnd;
}

const TColor kLinkBlue = classlib::RGBColor(90, 170, 255);
const TColor kRed = classlib::RGBColor(255, 0, 0);

void Look(TLabel* Label, TColor Colour, bool Bold) {
  Label->Font()->SetColor(Colour);
  Label->Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
}

void SetRecordTimers(TForm1* F, bool On) {
  F->Timer1->SetEnabled(On);
  F->timer6->SetEnabled(On);
  F->Timer7->SetEnabled(On);
  F->Timer10->SetEnabled(On);
}

TBlinkCounter g_ledBlink, g_pauseBlink;
TReconnectWatchdog g_watchdog;

} // namespace

TRecordedFilesQueue& RecordedFiles() {
  static TRecordedFilesQueue* queue = [] {
    auto* q = new TRecordedFilesQueue();
    HWND wnd = DrainWindow();
    q->Notify = [wnd] { PostMessageW(wnd, kDrainMessage, 0, 0); };
    return q;
  }();
  return *queue;
}

void SetRecordedFilesTarget(TRecordedFilesView* Target) { g_target = Target; }

TRecordingEngine& Recorder() {
  static TSystemRecordDisk disk;
  static TWallClock clock;
  static TWinExecCompanion companion;
  static TRecordingEngine* engine =
      new TRecordingEngine(PlayerFolder(), disk, clock, companion, RecordedFiles());
  return *engine;
}

void CALLBACK RecordDownloadProc(const void* Buffer, DWORD Length, void* User) {
  Recorder().Block(Buffer, Length);
}

void DeleteSmallRecordings() { ::DeleteSmallRecordings(PlayerFolder() + "AUDIO\\"); }

void TForm1::Label6Click(TObject* Sender) {
  if (CurrentStream == 0 || Recorder().RecordingUi()) return;
  RecordedFiles().ClearRows();
  if (Form5) Form5->ShowModal();
  RecordChoice choice = CurrentRecordChoice();
  if (!Recorder().Start(choice)) return;
  SetRecordTimers(this, true);
  if (RecordedFilesForm) PlaceBesideMain(RecordedFilesForm);
  RecordedFiles().SetCaption(RecordedFilesCaption(choice, Label12->Caption()));
  if (RecordedFilesForm) RecordedFilesForm->Show();
  Label6->Font()->SetColor(kRed);
}

void TForm1::Label5Click(TObject* Sender) {
  Label6->Font()->SetColor(kLinkBlue);
  Recorder().Stop();
  SetRecordTimers(this, false);
  if (RecordLed) RecordLed->SetOffColor(Black);
  // The stop ends a pause too: the next recording records from its start.
  Timer9->SetEnabled(false);
  g_pauseBlink.Reset();
  Look(Label4, kLinkBlue, false);
}

void TForm1::Label4Click(TObject* Sender) {
  if (!Recorder().RecordingUi()) return;
  bool paused = Recorder().TogglePause();
  timer6->SetEnabled(!paused); // the LED keeps the colour it has
  Timer9->SetEnabled(paused);
  Timer10->SetEnabled(!paused);
  if (paused) g_pauseBlink.Reset();
}

void TForm1::Timer1Timer(TObject* Sender) {
  Recorder().Clock().Tick();
  Label13->SetCaption(Recorder().Clock().Text());
  RecordedFiles().SetTotal(Recorder().TotalText());
}

void TForm1::Timer6Timer(TObject* Sender) {
  TBlinkCounter::TStep step = g_ledBlink.Tick();
  if (!RecordLed || step == TBlinkCounter::TStep::None) return;
  RecordLed->SetOffColor(step == TBlinkCounter::TStep::On ? Red : Black);
}

void TForm1::Timer7Timer(TObject* Sender) {
  bool active = CurrentStream != 0 && BASS_ChannelIsActive(CurrentStream) == BASS_ACTIVE_PLAYING;
  // A station that still sends bytes is not silent, however quiet it plays.
  static uint64_t lastReceived = 0;
  const uint64_t received = Recorder().ReceivedBytes();
  const bool arrived = received != lastReceived;
  lastReceived = received;
  if (!g_watchdog.Tick(PlayingIndex != -1, active, LEDMeter1->Position(), arrived)) return;
  // The address picked, not whatever the list holds at its index now (the
  // user may have deleted or moved stations); the recording goes on into the
  // same file once the station plays again. A pick or a close made while
  // the reconnect waits runs as soon as it ends.
  if (!PlayingAddress.empty()) OpenStationUrl(PlayingAddress);
}

void TForm1::Timer9Timer(TObject* Sender) {
  TBlinkCounter::TStep step = g_pauseBlink.Tick();
  if (step == TBlinkCounter::TStep::On) Look(Label4, kRed, true);
  if (step == TBlinkCounter::TStep::Off) Look(Label4, kLinkBlue, false);
}

void TForm1::Timer10Timer(TObject* Sender) { Recorder().SplitTick(); }
