// What the tray icon needs of the application object: its hidden window and
// messages, the main form, and the window of a windowed owner. Kept apart so
// that the tray icon's own code stays free of the form classes.
#pragma once

#include "classlib/WinApi.h"

#include <functional>

#include "classlib/Forward.h"

namespace tray_app {

// The application's own top-level window, or null when there is no
// application object.
HWND ApplicationWindow();
// Sees the application window's messages (never marking them handled);
// returns an id for Unhook, 0 when there is no application object.
int Hook(std::function<void(UINT Msg, WPARAM WParam, LPARAM LParam)> hook);
void Unhook(int id);
// The window of a windowed control whose window exists; null otherwise.
HWND ExistingWindowOf(TComponent* component);
// The window of a windowed control, created when needed; null otherwise.
HWND WindowOf(TComponent* component);
// Turns the application's "show the main form at start" switch on or off.
void SetShowMainForm(bool show);
// Makes the main form invisible and hides the application window.
void HideMainForm();
// Makes the main form visible again.
void ShowMainForm();
// The application is shutting down.
bool Terminating();
// Hands the exception being caught to the application (its OnException or
// message box); never throws. Call it only inside a catch block.
void HandleException();

} // namespace tray_app
