// The tray icon's link to the application object and the forms.
#include "components/TrayApp.h"

#include "classlib/Forms.h"

namespace tray_app {

HWND ApplicationWindow() { return Application ? Application->Handle() : nullptr; }

int Hook(std::function<void(UINT, WPARAM, LPARAM)> hook) {
  if (!Application) return 0;
  return Application->HookMainWindow([hook](TMessage& m) {
    hook(m.Msg, m.WParam, m.LParam);
    return false;
  });
}

void Unhook(int id) {
  if (Application && id) Application->UnhookMainWindow(id);
}

HWND ExistingWindowOf(TComponent* component) {
  auto* w = dynamic_cast<TWinControl*>(component);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

HWND WindowOf(TComponent* component) {
  auto* w = dynamic_cast<TWinControl*>(component);
  return w ? w->Handle() : nullptr;
}

void SetShowMainForm(bool show) {
  if (Application) Application->ShowMainForm = show;
}

void HideMainForm() {
  if (!Application || !Application->MainForm()) return;
  Application->MainForm()->SetVisible(false);
  HWND app = Application->Handle();
  if (app && IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
}

void ShowMainForm() {
  if (Application && Application->MainForm()) Application->MainForm()->SetVisible(true);
}

bool Terminating() { return Application && Application->Terminated(); }

void HandleException() {
  try {
    if (Application) Application->HandleException(Application);
  } catch (...) {
    // An OnException that throws: nothing may unwind into the system.
  }
}

} // namespace tray_app
