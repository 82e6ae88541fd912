// Message boxes: ShowMessage, MessageDlg and the one function every box of
// the library goes through, with a hook that tests use to answer boxes
// instead of a person.
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <string>

#include "classlib/Set.h"

namespace classlib {
// Shows a standard message box (texts in Windows-1251) and returns the
// button pressed (IDOK, IDYES, ...). Owner null: the active window of the
// application, if any.
int ShowMessageBox(HWND Owner, const std::string& Text, const std::string& Caption, UINT Flags);
// When set, boxes are not shown: the hook gets them and answers.
extern std::function<int(HWND Owner, const std::string& Text, const std::string& Caption,
                         UINT Flags)>
    MessageBoxHook;
} // namespace classlib

// An OK box with the application's title.
void ShowMessage(const std::string& Text);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
// A box with an icon by type and the closest standard set of buttons;
// returns mrYes, mrOk, ... (the IDxxx values).
int MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons, int HelpCtx = 0);
