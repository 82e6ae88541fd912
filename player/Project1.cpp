// Korvalis.exe: the player's program entry. The windows are created in this
// order, the main window first (its creation runs before the others exist);
// only the main window is shown; then the message loop runs.
#include "classlib/WinApi.h"

#include "classlib/Forms.h"
#include "player/Unit1.h"
#include "player/Unit2.h"
#include "player/Unit3.h"
#include "player/Unit4.h"
#include "player/Unit5.h"
#include "player/Unit6.h"
#include "player/Unit7.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Application->Initialize();
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form3);
  Application->CreateForm(Form4);
  Application->CreateForm(Form5);
  Application->CreateForm(Form6);
  Application->CreateForm(Form7);
  Application->Run();
  return 0;
}
