// The Windows shell and processes: open a document, folder or web address
// with its default program, and start a program (hidden, waiting or not).
#pragma once

#include "classlib/WinApi.h"

#include <string>

namespace classlib {

// Opens Target with the shell's verb ("open" when empty); false on failure.
bool ShellOpen(const std::string& Target, const std::string& Verb = "",
               const std::string& Parameters = "", const std::string& Directory = "",
               int Show = SW_SHOWNORMAL, HWND Owner = nullptr);

// Starts CommandLine (in Directory, when given) with the given show state.
// With Wait, returns once it ended and gives its exit code. False when the
// program can't be started.
bool StartProcess(const std::string& CommandLine, const std::string& Directory, int Show, bool Wait,
                  DWORD* ExitCode = nullptr);

} // namespace classlib
