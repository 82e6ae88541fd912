// Tamzo: the companion program. No argument, registry value or other setting
// is read; the hand-over file beside the player says what to do. The window
// is never shown, and the program ends by itself when its run is done.
#include "classlib/Forms.h"
#include "converter/Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Application->Initialize();
  Application->CreateForm(Form1);
  Application->ShowMainForm = false;
  Application->Run();
  return 0;
}
