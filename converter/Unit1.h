// TForm1: the companion's only window. It is never shown; it carries the
// timer whose ticks drive the run (see CompanionRun.h) and four labels that
// name the bitrate and the file being converted.
#pragma once

#include <windows.h>

#include <string>

#include "CompanionRun.h"

class TForm1 {
 public:
  TForm1();
  ~TForm1();

  // Creates the window and runs FormCreate; the timer starts when it succeeds.
  void Create();
  void FormCreate();
  void Timer1Timer();
  void FormClose();

  // Asks the message loop to end.
  static void Terminate();

  TCompanionRun Run;
  std::string Label2 = "0";
  std::string Label4 = "----";
  HWND Handle = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static constexpr UINT_PTR kTimer1 = 1;
  static constexpr UINT kInterval = 1000;
};
