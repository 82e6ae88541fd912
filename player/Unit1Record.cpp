// The recording engine of the main window: start, stop and pause, the
// download callback that cuts the stream into one file per title, the
// recording clock, the record LED, the reconnect watchdog and the clean-up of
// small and temporary recordings.
#include "player/Unit1.h"

std::atomic<bool> RecordingUi{false}, RecordArmed{false}, FileInProgress{false},
    FileClosed{true}, BufferLive{false}, Paused{false};
TMemoryStream* RecordBuffer = nullptr;
int TailCounter = 0, SplitTicks = 0;
std::uint32_t FileBytes = 0;
std::int64_t TotalBytes = 0;
std::string FileTitle, FileBase, CurFinalPath, CurTempPath, HandedFinalPath, PrevTempPath;
int InactiveTicks = 0, QuietTicks = 0;
int ClockHundredths = 0, ClockSeconds = 0, ClockMinutes = 0, ClockHours = 0;
int LedBlinkTicks = 0, PauseBlinkTicks = 0;

void CALLBACK RecordDownloadProc(const void* Buffer, DWORD Length, void* User) {}

void DeleteSmallRecordings() {}

void ClearTempMp3(const std::string& Folder) {}

void ReleaseRecordBuffer() {
  BufferLive = false;
  delete RecordBuffer;
  RecordBuffer = nullptr;
}

void TForm1::Label6Click(TObject* Sender) {}
void TForm1::Label5Click(TObject* Sender) {}
void TForm1::Label4Click(TObject* Sender) {}
void TForm1::Timer1Timer(TObject* Sender) {}
void TForm1::Timer6Timer(TObject* Sender) {}
void TForm1::Timer7Timer(TObject* Sender) {}
void TForm1::Timer9Timer(TObject* Sender) {}
void TForm1::Timer10Timer(TObject* Sender) { ++SplitTicks; }
