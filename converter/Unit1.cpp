// The companion's window: the hand-over file is read when the window is
// created, then the timer drives the run (see CompanionRun.h).
#include "converter/Unit1.h"

#include "converter/FileSystem.h"
#include "classlib/SysUtils.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner), Run([] { Application->Terminate(); }) {}

TForm1::~TForm1() { Run.ReleaseAudio(); }

void TForm1::FormCreate(TObject* Sender) {
  try {
    Run.Start(HandOverPath(ExtractFileDir(ParamStr(0))));
  } catch (...) {
    // Without its hand-over file there is nothing to do: say why in the
    // error box, then end instead of idling invisibly for ever.
    Application->HandleException(this);
    Application->Terminate();
    return;
  }
  Label2->SetCaption(Run.Bitrate + " Кгц");
  Label4->SetCaption(Run.InputName);
  Timer1->SetEnabled(true);
}

void TForm1::Timer1Timer(TObject* Sender) { Run.Tick(); }

void TForm1::FormClose(TObject* Sender, TCloseAction& Action) { Run.ReleaseAudio(); }
