// The player's folder: where its program file lies, with a trailing
// separator. The line files live in "INI\" and the recordings in "AUDIO\"
// under it. Tests point it at a scratch folder.
#pragma once

#include <string>

std::string PlayerFolder();
// "" goes back to the program file's folder. GUI thread, before the windows
// that read their files are created.
void SetPlayerFolder(const std::string& Folder);
// PlayerFolder() + "INI" + separator + Name.
std::string IniFile(const std::string& Name);
