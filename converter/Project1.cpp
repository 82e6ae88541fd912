// Tamzo: the companion program. No argument, registry value or other setting
// is read; the hand-over file beside the player says what to do. The window
// is never shown, and the program ends by itself when its run is done.
#include <windows.h>

#include "Cp1251.h"
#include "SysUtils.h"
#include "Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TForm1 form;
  try {
    form.Create();
  } catch (const Exception& e) {
    // Without its hand-over file the companion has nothing to do: say why
    // and end.
    MessageBoxW(nullptr, Cp1251ToWide(e.Message()).c_str(), L"Tamzo", MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // A finished run leaves no scratch file behind.
  form.Run.ReleaseAudio();
  return 0;
}
