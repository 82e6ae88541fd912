// The player's main window TForm1 and the state its unit shares.
//
// The unit is one window split by concern, so that each concern has a file:
//   Unit1.cpp          start-up, label colours and hover, volume, tray, closing
//   Unit1.form.cpp     the fixed layout (components, properties, handlers)
//   Unit1Stream.cpp    the road of one station: opening, buffering, titles
//   Unit1Record.cpp    the recording engine (download callback, clock, LED)
//   Unit1Eq.cpp        the equaliser bands on the current stream
//   Unit1Spectrum.cpp  the spectrum and the level meters
// Everything here runs on the GUI thread unless marked; the audio library's
// callbacks (RecordDownloadProc, MetaSyncProc) run on its own threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "audiolib/bass.h"
#include "classlib/Bitmap.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"
#include "components/AlertNotifier.h"
#include "components/BackGradient.h"
#include "components/LedMeters.h"
#include "components/PngCollection.h"
#include "components/SwitchLed.h"
#include "components/TrayIcon.h"
#include "player/RecordDiskCore.h"
#include "player/RecordingCore.h"
#include "player/RecordedFilesCore.h"

// The main window's own message: first parameter a code, second a text or a
// number. Always sent, never posted, so a text pointer stays valid.
constexpr UINT WM_STREAM_INFO = WM_USER + 101;
enum : WPARAM { kInfoConnecting = 0, kInfoBuffering = 2, kInfoTitle = 7 };

// A station entry as a list hands it over: its index in the list, the visible
// line ("N name") and the stream address.
struct TStationEntry {
  int Index = -1;
  std::string Line;
  std::string Address;
};

class TForm1 : public TForm {
 public:
  using TForm::TForm;

  // --- Components (creation order of the layout) --------------------------------
  TBackGradient* BackGradient1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TPaintBox* PaintBox1 = nullptr;
  TLEDMeter* LEDMeter2 = nullptr;
  TLEDMeter* LEDMeter1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* Label11 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TLabel* Label14 = nullptr;
  TLabel* Label15 = nullptr;
  TLabel* Label16 = nullptr;
  TLabel* Label17 = nullptr;
  TLabel* Label18 = nullptr;
  TLabel* Label19 = nullptr;
  TLabel* Label20 = nullptr;
  TListView* ListView3 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;
  TAlertNotifier* Alert1 = nullptr;
  TPngCollection* PngCollection1 = nullptr;
  TTimer* Timer1 = nullptr;
  TTimer* Timer2 = nullptr;
  TTimer* Timer3 = nullptr;
  TTimer* Timer4 = nullptr;
  TTimer* Timer5 = nullptr;
  TTimer* timer6 = nullptr;
  TTimer* Timer7 = nullptr;
  TTimer* Timer8 = nullptr;
  TTimer* Timer9 = nullptr;
  TTimer* Timer10 = nullptr;

  // --- Start-up, window, volume, closing (Unit1.cpp) ---------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender) {}
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void WMSysCommand(TMessage& Message);
  void Timer3Timer(TObject* Sender);
  void Timer5Timer(TObject* Sender);
  void Timer8Timer(TObject* Sender);
  void Label7Click(TObject* Sender);
  void Label8Click(TObject* Sender);
  void Label7MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label7MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label8MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label8MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Label10Click(TObject* Sender);
  void Label11Click(TObject* Sender);
  void Label15Click(TObject* Sender);
  void Label16Click(TObject* Sender);
  void N1Click(TObject* Sender);
  void N2Click(TObject* Sender);
  // Volume + Step (±1) with the clamps, shown in Label9 and applied to the stream.
  void StepVolume(int Step);
  // A link label's hover: the hover font while the pointer is over it.
  void LabelMouseEnter(TObject* Sender);
  void LabelMouseLeave(TObject* Sender);

  // --- The road of one station (Unit1Stream.cpp) --------------------------------
  void PlayFromMainList();
  void PlayFromMyList();
  // The road after the pick: List 1 = main list, 2 = "Мои каналы". What the
  // two list functions do with the selected entry; tests call it directly.
  void PlayStation(int List, const TStationEntry& Entry);
  // Opens Address as the current stream; also the reconnect of a recording.
  // True when the stream plays. Never nests: a call while an opening waits
  // does nothing. A pick or a close made during the wait runs once the
  // opening has unwound, before this returns.
  bool OpenStationUrl(const std::string& Address);
  // An opening (connect or buffering wait) is under way.
  bool Opening() const { return opening_; }
  void WndProc(TMessage& Message) override;

  // --- Recording (Unit1Record.cpp) -----------------------------------------------
  void Label4Click(TObject* Sender);
  void Label5Click(TObject* Sender);
  void Label6Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Timer6Timer(TObject* Sender);
  void Timer7Timer(TObject* Sender);
  void Timer9Timer(TObject* Sender);
  void Timer10Timer(TObject* Sender);

  // --- Equaliser (Unit1Eq.cpp) -----------------------------------------------------
  void SetupEqualizer();

  // --- Spectrum and meters (Unit1Spectrum.cpp) ----------------------------------------
  void Timer2Timer(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  void PaintBox1Paint(TObject* Sender);
  void DrawSpectrum(bool Clear);

 protected:
  void CreateLayout() override;
  // However the window goes, the library's threads stop first: they send
  // it the title message and must not find its labels gone.
  void BeforeDestruction() override;

 private:
  void ShowStreamTitle(const char* Utf8Title);
  // The title list becomes message 0 of Alert1, shown exactly as given (Unit1Alert.cpp).
  void ShowTitleInAlert(TStrings* Text);
  // The road after the pick's checks: display reset, opening, the entry
  // becomes the one playing.
  void PickNow(int List, const TStationEntry& Entry);
  // Runs the pick or the close asked for while an opening waited.
  void TakeUpPending();
  bool OpenOnce(const std::string& Address);
  bool OpenNow(const std::string& Address);
  bool ConnectStream(const std::string& Address, HSTREAM& Stream, int& Error);
  bool WaitForBuffer(HSTREAM Stream);
  bool opening_ = false;        // OpenStationUrl is waiting
  bool cancel_opening_ = false; // the waiting opening is to give up
  bool close_pending_ = false;  // a close asked for while opening
};

extern TForm1* Form1;

// Positions the window right of the main window, top edges level.
void PlaceBesideMain(TCustomForm* Window);

// --- Main-window state (Unit1.cpp) -----------------------------------------------
extern HWND MainWnd;
extern TStringList* TitleList; // the text handed to the alert window
extern TSwitchLed* RecordLed;
extern int Volume; // 0..100, default 5
extern bool VolumeHeld;
extern int VolumeDirection; // 0 up (Vol+), 1 down (Vol-)
extern std::string TimeStr; // now as "hh-mm-ss"

// --- Station road state (Unit1Stream.cpp) --------------------------------------------
extern std::atomic<HSTREAM> CurrentStream; // 0 when none
extern int PlayingIndex;                   // -1 when none
extern int PlayingList;                    // 1 main list, 2 "Мои каналы"
extern std::string PlayingAddress;         // the picked entry's address (the watchdog reopens it)
extern std::string StationText;            // the picked entry's list line
extern std::string CurTitle;               // current title (Windows-1251), "-" while none
extern bool SpectrumReset;

// Library calls (its own threads).
void CALLBACK MetaSyncProc(HSYNC Handle, DWORD Channel, DWORD Data, void* User);
void ReadStreamTitle();
// Message box owned by MainWnd: Text, CR LF, "(error code: N)".
void ShowBassError(const std::string& Text);
int EstimateBitrate(HSTREAM Stream);
int ChannelSampleRate(HSTREAM Stream);

// --- Recording (Unit1Record.cpp) ---------------------------------------------------
// The recording's state lives in the engine (RecordingUi(), FileInProgress(),
// BufferLive(), ...); its calls never wait for the download thread's disk work.
TRecordingEngine& Recorder();
// The calls the engine makes on the recorded-files window, queued for the GUI
// thread; the window's own view receives them there (null: nothing behind).
TRecordedFilesQueue& RecordedFiles();
void SetRecordedFilesTarget(TRecordedFilesView* Target);
void CALLBACK RecordDownloadProc(const void* Buffer, DWORD Length, void* User);
// Every ".mp3" under "\AUDIO\" smaller than 2000000 bytes is deleted.
void DeleteSmallRecordings();

// --- Equaliser state (Unit1Eq.cpp) -------------------------------------------------
extern HFX EqEffects[19]; // bands 1..18; only 1..10 are created
extern BASS_DX8_PARAMEQ EqParams;
// Band N (1..18) takes the gain 15 - Position dB; a band without an effect
// (no stream yet, a hidden bar) stays as it is, silently.
void SetEqBand(int Band, int Position);
void SetEqBand1(int Position);
void SetEqBand2(int Position);
void SetEqBand3(int Position);
void SetEqBand4(int Position);
void SetEqBand5(int Position);
void SetEqBand6(int Position);
void SetEqBand7(int Position);
void SetEqBand8(int Position);
void SetEqBand9(int Position);
void SetEqBand10(int Position);
void SetEqBand11(int Position);
void SetEqBand12(int Position);
void SetEqBand13(int Position);
void SetEqBand14(int Position);
void SetEqBand15(int Position);
void SetEqBand16(int Position);
void SetEqBand17(int Position);
void SetEqBand18(int Position);

// --- Spectrum state (Unit1Spectrum.cpp) --------------------------------------------
extern TBitmap* SpectrumBitmap; // null after a failed start-up
extern int BarMax, BarWidth, BandCount;
extern float FftBuffer[2049];
extern int CapHeights[80], BarHeights[80];
// Creates the spectrum bitmap with the paint box's size, black, and sets the
// bar geometry.
void CreateSpectrumBitmap(TPaintBox* Box);

// --- Places the other windows plug into (each set by the window that serves it;
// unset, the main window goes without) ------------------------------------------
// The windows the main window's links open beside it.
extern TCustomForm* EqualizerForm;     // the equaliser
extern TCustomForm* RecordedFilesForm; // the recorded files (also shown by Timer8)
extern TCustomForm* StationListForm;   // the station lists
extern TCustomForm* ConnectErrorForm;  // "Не вижу сервера"
// The station lists: the selected entry of list 1 or 2 (Index -1: none), and
// the entry at an index (for the reconnect of a recording).
extern std::function<TStationEntry(int List)> SelectedStation;
extern std::function<TStationEntry(int List, int Index)> StationAt;
// A new title: the recorded-files grid repaints; the alert window shows the
// title list.
extern std::function<void()> RepaintRecordedFiles;
extern std::function<void(TStrings* Text)> ShowTitleAlert;
