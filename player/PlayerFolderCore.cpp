// The player's folder (see PlayerFolderCore.h).
#include "player/PlayerFolderCore.h"

#include "classlib/SysUtils.h"

namespace {
std::string& FolderOverride() {
  static std::string f;
  return f;
}
} // namespace

std::string PlayerFolder() {
  const std::string& f = FolderOverride();
  return f.empty() ? ExtractFilePath(ParamStr(0)) : IncludeTrailingPathDelimiter(f);
}

void SetPlayerFolder(const std::string& Folder) { FolderOverride() = Folder; }

std::string IniFile(const std::string& Name) { return PlayerFolder() + "INI" + PathDelim + Name; }
