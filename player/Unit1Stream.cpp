// The road of one station: a pick from a list, the opening of its address as
// the current stream with the buffering wait, the bitrate and sample-rate
// labels, and the title that follows the stream's metadata.
//
// The opening never blocks the window: the connect runs on a thread of its
// own and the buffering wait handles the window's messages while it looks at
// the download. What the user may do meanwhile is kept from nesting: a new
// pick cancels the opening under way and runs when it has unwound; a close
// cancels it too and follows once the library is no longer in use. Whichever
// opening was waiting (a pick's or the recording's reconnect) takes them up
// when it ends.
#include <chrono>
#include <memory>
#include <thread>

#include "classlib/Dialogs.h"
#include "player/StreamCore.h"
#include "player/Unit1.h"

std::atomic<HSTREAM> CurrentStream{0};
int PlayingIndex = -1;
int PlayingList = 1;
std::string PlayingAddress;
std::string StationText;
std::string CurTitle = "-";
bool SpectrumReset = false;

namespace {

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Handles the window's messages for at most Ms milliseconds (returns early
// when one arrives, sent ones included).
void PumpFor(DWORD Ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, Ms, QS_ALLINPUT);
  Application->ProcessMessages();
}

// A pick made while an opening was under way, run after it.
struct PendingPick {
  int List = 1;
  TStationEntry Entry;
};
std::unique_ptr<PendingPick> g_pending;

} // namespace

void ShowBassError(const std::string& Text) {
  classlib::ShowMessageBox(
      MainWnd, Text + "\r\n(error code: " + std::to_string(BASS_ErrorGetCode()) + ")", "", MB_OK);
}

int EstimateBitrate(HSTREAM Stream) {
  return BitrateFromBufferLength(BASS_StreamGetFilePosition(Stream, BASS_FILEPOS_END));
}

int ChannelSampleRate(HSTREAM Stream) {
  BASS_CHANNELINFO info{};
  BASS_ChannelGetInfo(Stream, &info);
  return static_cast<int>(info.freq);
}

void ReadStreamTitle() {
  const char* meta = BASS_ChannelGetTags(CurrentStream, BASS_TAG_META);
  if (!meta) return;
  const std::optional<std::string> title = ExtractStreamTitle(meta);
  if (!title) return;
  SendMessageW(MainWnd, WM_STREAM_INFO, kInfoTitle, reinterpret_cast<LPARAM>(title->c_str()));
}

void CALLBACK MetaSyncProc(HSYNC Handle, DWORD Channel, DWORD Data, void* User) {
  ReadStreamTitle();
}

void TForm1::PlayFromMainList() {
  if (SelectedStation) PlayStation(1, SelectedStation(1));
}

void TForm1::PlayFromMyList() {
  if (SelectedStation) PlayStation(2, SelectedStation(2));
}

namespace {
// A pick is refused while a file is being recorded (the file would end in
// the middle of a title); a pick taken up after a wait is asked again.
bool MayPick(const TStationEntry& Entry) {
  if (Entry.Index < 0) return false;
  if (Recorder().FileInProgress()) {
    ShowMessage("Выключите запись канала,затем можете переключиться на другой канал");
    return false;
  }
  return true;
}
} // namespace

void TForm1::PlayStation(int List, const TStationEntry& Entry) {
  if (!MayPick(Entry)) return;
  if (opening_) {
    g_pending.reset(new PendingPick{List, Entry});
    cancel_opening_ = true;
    return;
  }
  PickNow(List, Entry);
  TakeUpPending();
}

void TForm1::PickNow(int List, const TStationEntry& Entry) {
  SpectrumReset = true;
  DrawSpectrum(true);
  LEDMeter1->SetPosition(0);
  LEDMeter2->SetPosition(0);
  Label14->SetCaption(StationLineText(Entry.Line, List == 1));
  CurTitle = "-";
  StationText = Entry.Line;
  // The engine's own title becomes "-", its file title empty, the total and
  // the recording clock 0.
  Recorder().StationPicked(Entry.Line, Label14->Caption());
  Timer2->SetEnabled(true);
  Timer3->SetEnabled(true);
  Timer4->SetEnabled(true);
  OpenOnce(Entry.Address);
  PlayingIndex = Entry.Index;
  PlayingList = List;
  PlayingAddress = Entry.Address;
}

// Whoever waited for the opening (a pick or the recording's reconnect), what
// the user asked for meanwhile runs now: the latest pick, or the close, which
// wins over any pick. Nothing is left behind to surface at a later opening.
void TForm1::TakeUpPending() {
  while (g_pending && !close_pending_) {
    const PendingPick pick = *g_pending;
    g_pending.reset();
    if (MayPick(pick.Entry)) PickNow(pick.List, pick.Entry);
  }
  g_pending.reset();
  if (close_pending_) {
    close_pending_ = false;
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
  }
}

bool TForm1::OpenStationUrl(const std::string& Address) {
  if (opening_) return false; // a reconnect while an opening waits has nothing to add
  const bool ok = OpenOnce(Address);
  TakeUpPending();
  return ok;
}

bool TForm1::OpenOnce(const std::string& Address) {
  opening_ = true;
  cancel_opening_ = false;
  bool ok = false;
  try {
    ok = OpenNow(Address);
  } catch (...) {
    // What was asked for meanwhile goes with the failed opening rather
    // than surfacing at a later one.
    opening_ = false;
    cancel_opening_ = false;
    close_pending_ = false;
    g_pending.reset();
    throw;
  }
  opening_ = false;
  cancel_opening_ = false;
  return ok;
}

bool TForm1::ConnectStream(const std::string& Address, HSTREAM& Stream, int& Error) {
  // The connect blocks until the server answers or the library's time-out;
  // the window goes on meanwhile.
  struct Job {
    std::string address;
    std::atomic<bool> done{false};
    HSTREAM stream = 0;
    int error = 0;
  };
  auto job = std::make_shared<Job>();
  job->address = Address;
  std::thread worker([job] {
    job->stream = BASS_StreamCreateURL(job->address.c_str(), 0, BASS_STREAM_STATUS,
                                       RecordDownloadProc, nullptr);
    job->error = BASS_ErrorGetCode();
    job->done = true;
    PostMessageW(MainWnd, WM_NULL, 0, 0); // wakes the wait below
  });
  while (!job->done) PumpFor(50);
  worker.join();
  Stream = job->stream;
  Error = job->error;
  return Stream != 0;
}

bool TForm1::WaitForBuffer(HSTREAM Stream) {
  BufferWait wait;
  for (;;) {
    const BufferWait::Step step =
        wait.Look(BASS_StreamGetFilePosition(Stream, BASS_FILEPOS_CURRENT),
                  BASS_StreamGetFilePosition(Stream, BASS_FILEPOS_DOWNLOAD),
                  BASS_StreamGetFilePosition(Stream, BASS_FILEPOS_END), NowMs());
    if (wait.Percent() >= 0)
      SendMessageW(MainWnd, WM_STREAM_INFO, kInfoBuffering, static_cast<LPARAM>(wait.Percent()));
    if (step == BufferWait::Step::Done) return true;
    if (step == BufferWait::Step::Stalled) return false;
    PumpFor(10);
    if (cancel_opening_) return false;
  }
}

namespace {
void ShowConnectError(TForm1* f) {
  if (Recorder().RecordingUi()) f->Timer1->SetEnabled(false);
  if (ConnectErrorForm) ConnectErrorForm->Show();
}
} // namespace

bool TForm1::OpenNow(const std::string& Address) {
  const HSTREAM previous = CurrentStream.exchange(0);
  BASS_StreamFree(previous);
  // The previous connection delivers no more blocks: the recording joins
  // the next one to it.
  if (previous) Recorder().ConnectionEnded();
  SendMessageW(MainWnd, WM_STREAM_INFO, kInfoConnecting, 0);
  HSTREAM stream = 0;
  int error = 0;
  ConnectStream(Address, stream, error);
  if (cancel_opening_) {
    BASS_StreamFree(stream);
    return false;
  }
  if (!stream) {
    ShowConnectError(this);
    return false;
  }
  CurrentStream = stream;
  if (Recorder().RecordingUi()) Timer1->SetEnabled(true);
  if (ConnectErrorForm) ConnectErrorForm->Hide();
  SpectrumReset = false;
  if (!WaitForBuffer(stream)) {
    CurrentStream = 0;
    BASS_StreamFree(stream);
    if (!cancel_opening_) ShowConnectError(this);
    return false;
  }
  SetupEqualizer();
  ReadStreamTitle();
  BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, MetaSyncProc, nullptr);
  BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, Volume / 100.0f);
  BASS_ChannelPlay(stream, FALSE);
  Label12->SetCaption(BitrateText(EstimateBitrate(stream)));
  Label20->SetCaption(SampleRateText(ChannelSampleRate(stream)));
  Timer2->SetEnabled(true);
  return true;
}

void TForm1::ShowStreamTitle(const char* Utf8Title) {
  CurTitle = ConvertUtf8Cyrillic(Utf8Title ? Utf8Title : "");
  Recorder().SetCurTitle(CurTitle);
  if (TitleList->Count() == 1) TitleList->Clear();
  if (RepaintRecordedFiles) RepaintRecordedFiles();
  TitleList->Add(CurTitle);
  Label2->SetCaption(TitleLabelText(CurTitle));
  if (ShowTitleAlert) ShowTitleAlert(TitleList);
}

void TForm1::WndProc(TMessage& Message) {
  TForm::WndProc(Message);
  if (Message.Msg != WM_STREAM_INFO) return;
  switch (Message.WParam) {
    case kInfoConnecting: Label19->SetCaption("Подключение..."); break;
    case kInfoBuffering:
      if (static_cast<int>(Message.LParam) > 0)
        Label19->SetCaption(std::to_string(static_cast<int>(Message.LParam)) + "%");
      break;
    case kInfoTitle: ShowStreamTitle(reinterpret_cast<const char*>(Message.LParam)); break;
    default: break;
  }
}
