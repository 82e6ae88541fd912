// Names of the recordings (see RecordNamesCore.h).
#include "player/RecordNamesCore.h"

#include <cstring>

#include "classlib/SysUtils.h"

namespace {

// The characters a recording's name never holds; 0xB9 is "№" in Windows-1251.
const char kForbidden[] = "/:*.?\"<>|\\;,+@!#\xB9$%^&";
// The characters Windows refuses in any name (the control characters too).
const char kRefused[] = "<>:\"/\\|?*";

std::string TrimBlanksRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

} // namespace

std::string SanitizeFileName(const std::string& Text) {
  std::string r = Text;
  for (char& c : r)
    if (static_cast<unsigned char>(c) < 0x20 || std::strchr(kForbidden, c)) c = '_';
  return r;
}

std::string NormalizeSpaces(const std::string& Text) {
  std::string r;
  bool blank = false;
  for (char c : Text) {
    if (c == ' ') {
      blank = !r.empty();
      continue;
    }
    if (blank) r += ' ';
    blank = false;
    r += c;
  }
  return r;
}

std::string AfterFirstBlank(const std::string& Line) {
  size_t p = Line.find(' ');
  return p == std::string::npos ? Line : Line.substr(p + 1);
}

bool IsReservedDeviceName(const std::string& Name) {
  std::string n = UpperCase(Name);
  if (n == "CON" || n == "PRN" || n == "AUX" || n == "NUL") return true;
  return n.size() == 4 && (n.compare(0, 3, "COM") == 0 || n.compare(0, 3, "LPT") == 0) &&
         n[3] >= '1' && n[3] <= '9';
}

namespace {

// Windows opens the device for a device name before a dot too ("CON.FM"),
// and with blanks after it ("NUL .x").
size_t DeviceStemEnd(const std::string& Name) {
  size_t end = Name.find('.');
  if (end == std::string::npos) end = Name.size();
  while (end > 0 && Name[end - 1] == ' ') --end;
  return end;
}

// Windows drops dots and blanks at the end of a name, so "Radio." would be
// another folder than the one named, and ".." the folder above.
void DropTrailingDotsAndBlanks(std::string& s) {
  while (!s.empty() && (s.back() == '.' || s.back() == ' ')) s.pop_back();
}

} // namespace

std::string SafeFolderName(const std::string& Name) {
  std::string s = Name;
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 0x20 || std::strchr(kRefused, c)) c = '_';
  if (s.size() > kMaxStationFolder) s.resize(kMaxStationFolder);
  DropTrailingDotsAndBlanks(s);
  const size_t stem = DeviceStemEnd(s);
  if (IsReservedDeviceName(s.substr(0, stem))) {
    s.insert(stem, 1, '_');
    if (s.size() > kMaxStationFolder) s.resize(kMaxStationFolder);
    DropTrailingDotsAndBlanks(s);
  }
  return s;
}

std::string StationFolderName(const std::string& StationText) {
  return SafeFolderName(NormalizeSpaces(AfterFirstBlank(StationText)));
}

std::string FileBaseFor(const std::string& FileTitle, const std::string& StationLabel) {
  if (FileTitle.empty() || FileTitle == "-") return SanitizeFileName(AfterFirstBlank(StationLabel));
  return SanitizeFileName(FileTitle);
}

std::string LanguageFolder(const std::string& FileBase) {
  bool russian = !FileBase.empty() && static_cast<unsigned char>(FileBase[0]) > 'z';
  return russian ? "\\РУССКОЕ\\" : "\\ЗАРУБЕЖКА\\";
}

std::string StationDatePath(const std::string& Station, const std::string& Date) {
  return "\\" + Station + "\\" + Date;
}

std::string FitBaseName(const std::string& Base, size_t FixedLength) {
  size_t room = FixedLength < kMaxRecordingPath ? kMaxRecordingPath - FixedLength : 0;
  if (Base.size() <= room) return Base;
  std::string r = TrimBlanksRight(Base.substr(0, room));
  return r.empty() ? "_" : r;
}
