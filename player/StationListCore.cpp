// The station lists' line files, lines and search (see StationListCore.h).
#include "player/StationListCore.h"

#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

void ReadStationFile(const std::string& FileName, std::vector<StationEntry>& Entries) {
  TTextFile f(FileName);
  f.Reset();
  while (!f.Eof()) {
    StationEntry e;
    e.Address = f.ReadLn();
    e.Name = f.ReadLn();
    f.ReadLn();                      // the empty line between stations
    if (e.Address.empty()) continue; // nothing to play
    if (e.Name.empty()) e.Name = e.Address;
    Entries.push_back(std::move(e));
  }
  f.CloseFile();
}

std::string StationFileText(const std::vector<StationEntry>& Entries) {
  std::string text;
  for (const StationEntry& e : Entries) text += e.Address + "\r\n" + e.Name + "\r\n\r\n";
  return text;
}

void WriteStationFile(const std::string& FileName, const std::vector<StationEntry>& Entries) {
  classlib::WriteFileReplacing(FileName, StationFileText(Entries));
}

std::string StationLine(int Number, const std::string& Name) {
  return IntToStr(Number) + " " + Name;
}

std::string CopiedStationLine(int Number, const std::string& Name) {
  return IntToStr(Number) + "     " + Name;
}

bool StationLineMatches(const std::string& Query, const std::string& Line) {
  if (Query.empty()) return false;
  return AnsiUpperCase(Line).find(AnsiUpperCase(Query)) != std::string::npos;
}

std::vector<std::string> SearchStationLines(const std::string& Query,
                                            const std::vector<std::string>& Lines) {
  std::vector<std::string> found;
  for (const std::string& line : Lines)
    if (StationLineMatches(Query, line)) found.push_back(line);
  return found;
}

int ResultLineIndex(const std::string& Line, int Count) {
  const size_t end = Line.find(' ');
  const std::string digits = Line.substr(0, end);
  // Nine digits always fit an int; a longer number names no station anyway.
  if (digits.empty() || digits.size() > 9) return -1;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= Count ? n - 1 : -1;
}
