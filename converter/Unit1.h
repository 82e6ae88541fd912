// TForm1: the companion's only window. It is never shown: it carries the
// timer whose ticks drive the run (see CompanionRun.h) and four labels that
// name the bitrate and the file being converted.
#pragma once

// The windowing headers come first so the system's macros are in force for
// every class library header alike.
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/ExtCtrls.h"
#include "converter/CompanionRun.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  // Frees the audio buffer: its scratch file goes with it, however the run ended.
  ~TForm1() override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TTimer* Timer1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Timer1Timer(TObject* Sender);

  TCompanionRun Run;

 protected:
  void CreateLayout() override; // Unit1.form.cpp
};

extern TForm1* Form1;
