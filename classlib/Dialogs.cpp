// Message boxes (see Dialogs.h).
#include "classlib/Dialogs.h"

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"

std::function<int(HWND, const std::string&, const std::string&, UINT)> classlib::MessageBoxHook;

int classlib::ShowMessageBox(HWND Owner, const std::string& Text, const std::string& Caption,
                             UINT Flags) {
  if (!Owner) {
    HWND active = GetActiveWindow();
    if (active && TWinControl::FindControl(active)) Owner = active;
  }
  if (classlib::MessageBoxHook) return classlib::MessageBoxHook(Owner, Text, Caption, Flags);
  return MessageBoxW(Owner, Cp1251ToWide(Text).c_str(), Cp1251ToWide(Caption).c_str(), Flags);
}

void ShowMessage(const std::string& Text) {
  classlib::ShowMessageBox(nullptr, Text, Application->Title(), MB_OK);
}

int MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons, int) {
  UINT flags = 0;
  switch (Type) {
    case mtWarning: flags |= MB_ICONWARNING; break;
    case mtError: flags |= MB_ICONERROR; break;
    case mtInformation: flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: flags |= MB_ICONQUESTION; break;
    case mtCustom: break;
  }
  if (Buttons.Contains(mbYes) && Buttons.Contains(mbNo))
    flags |= Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons.Contains(mbAbort))
    flags |= MB_ABORTRETRYIGNORE;
  else if (Buttons.Contains(mbRetry))
    flags |= MB_RETRYCANCEL;
  else if (Buttons.Contains(mbCancel))
    flags |= MB_OKCANCEL;
  else
    flags |= MB_OK;
  static const char* kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
  std::string caption = Type == mtCustom ? Application->Title() : kCaptions[Type];
  return classlib::ShowMessageBox(nullptr, Text, caption, flags);
}
