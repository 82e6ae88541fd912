// The station lists' rules, apart from their windows: the line files
// "k1.ini" and "favoritkanel.ini", the visible list lines, the search over
// the main list and the reading of a search result's number.
//
// A line file holds three lines per station in list order: the stream
// address, the display name and an empty line, each ended by CR LF, in
// Windows-1251; no header, no count. A visible line is the station's 1-based
// number, one blank and its name.
//
// Each list is kept twice at the same index (a hidden store of address and
// name, and the visible lines), so every station read from a file is whole:
// a station whose address is empty can't be played and is skipped; one whose
// name is empty shows its address as its name. Either way the two stay in step.
#pragma once

#include <string>
#include <vector>

struct StationEntry {
  std::string Address;
  std::string Name;
  bool operator==(const StationEntry& o) const { return Address == o.Address && Name == o.Name; }
};

// Appends the stations of a line file to `Entries` as they are read. A file
// that can't be opened or read raises EInOutError; what was read before the
// failure stays in `Entries`.
void ReadStationFile(const std::string& FileName, std::vector<StationEntry>& Entries);

// The content of a line file holding `Entries`.
std::string StationFileText(const std::vector<StationEntry>& Entries);

// Rewrites a line file so that a failure leaves the previous one whole.
void WriteStationFile(const std::string& FileName, const std::vector<StationEntry>& Entries);

// "N Name": the line of the station at 1-based position `Number`.
std::string StationLine(int Number, const std::string& Name);
// "N     Name": the line a station copied into the own list shows until the
// lists are read again.
std::string CopiedStationLine(int Number, const std::string& Name);

// True when the query, upper-cased by the Windows-1251 rules (Cyrillic and
// Ё included), occurs in the upper-cased line. An empty query matches nothing.
bool StationLineMatches(const std::string& Query, const std::string& Line);
// The lines that match, in their order and unchanged.
std::vector<std::string> SearchStationLines(const std::string& Query,
                                            const std::vector<std::string>& Lines);

// The 0-based index of the station a result line names by its leading
// number, or -1 when the number is missing, not a plain number, zero or
// beyond a list of `Count` stations.
int ResultLineIndex(const std::string& Line, int Count);
