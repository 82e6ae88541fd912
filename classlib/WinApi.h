// The Windows API, for the Windows side of the tree only: every file that
// needs Windows' own declarations includes this header, never <windows.h>
// itself, and no portable header includes either.
//
// <windows.h> turns some names into macros for their W forms, and the class
// library uses a few of those names for its own functions (TStrings::GetObject,
// DeleteFile, TCanvas::TextOut and DrawText, TApplication::MessageBox). A
// portable file, which never sees <windows.h>, would then name a different
// function than a Windows file that does. So the macros of those names are
// removed here, and Windows code calls the API by its W name (::DeleteFileW,
// ::DrawTextW, ...).
#pragma once

#ifndef _WIN32
#error "classlib/WinApi.h is for the Windows side only"
#endif

#include <windows.h>

#undef DeleteFile
#undef DrawText
#undef GetObject
#undef MessageBox
#undef TextOut
